#pragma once
#include <QDialog>

class Tserver : public QDialog {
    Q_OBJECT
public:
    explicit Tserver(QWidget *parent = nullptr);
};
