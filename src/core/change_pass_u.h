#pragma once
#include <QDialog>

class Tchange_pass : public QDialog {
    Q_OBJECT
public:
    explicit Tchange_pass(QWidget *parent = nullptr);
};
