#pragma once
#include <QDialog>

class Tlog : public QDialog {
    Q_OBJECT
public:
    explicit Tlog(QWidget *parent = nullptr);
};
