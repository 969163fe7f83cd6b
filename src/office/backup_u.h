#pragma once
#include <QDialog>

class Tbackup : public QDialog {
    Q_OBJECT
public:
    explicit Tbackup(QWidget *parent = nullptr);
};
