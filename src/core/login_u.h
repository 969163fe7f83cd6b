#pragma once
#include <QDialog>

class Tlogin : public QDialog {
    Q_OBJECT
public:
    explicit Tlogin(QWidget *parent = nullptr);
};
