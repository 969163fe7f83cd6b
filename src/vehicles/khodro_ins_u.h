#pragma once
#include <QDialog>

class Tkhodro_ins : public QDialog {
    Q_OBJECT
public:
    explicit Tkhodro_ins(QWidget *parent = nullptr);
};
