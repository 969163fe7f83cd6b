#pragma once
#include <QDialog>

class Ttaradod_ins : public QDialog {
    Q_OBJECT
public:
    explicit Ttaradod_ins(QWidget *parent = nullptr);
};
