#pragma once
#include <QDialog>

class Tkhodro_frm_sokht : public QDialog {
    Q_OBJECT
public:
    explicit Tkhodro_frm_sokht(QWidget *parent = nullptr);
};
