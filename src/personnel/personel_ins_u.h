#pragma once
#include <QDialog>

class Tpersonel_ins : public QDialog {
    Q_OBJECT
public:
    explicit Tpersonel_ins(QWidget *parent = nullptr);
};
