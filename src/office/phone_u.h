#pragma once
#include <QDialog>

class Tphone : public QDialog {
    Q_OBJECT
public:
    explicit Tphone(QWidget *parent = nullptr);
};
