#pragma once
#include <QDialog>

class Tpersonel_src : public QDialog {
    Q_OBJECT
public:
    explicit Tpersonel_src(QWidget *parent = nullptr);
};
