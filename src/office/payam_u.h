#pragma once
#include <QDialog>

class Tpayam : public QDialog {
    Q_OBJECT
public:
    explicit Tpayam(QWidget *parent = nullptr);
};
