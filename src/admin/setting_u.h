#pragma once
#include <QDialog>

class Tsetting : public QDialog {
    Q_OBJECT
public:
    explicit Tsetting(QWidget *parent = nullptr);
};
