#pragma once
#include <QDialog>

class Ttaradod_src : public QDialog {
    Q_OBJECT
public:
    explicit Ttaradod_src(QWidget *parent = nullptr);
};
