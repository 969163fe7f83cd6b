#pragma once
#include <QDialog>

class Tkhodro_src : public QDialog {
    Q_OBJECT
public:
    explicit Tkhodro_src(QWidget *parent = nullptr);
};
