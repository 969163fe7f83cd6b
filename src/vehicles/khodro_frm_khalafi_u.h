#pragma once
#include <QDialog>

class Tkhodro_frm_khalafi : public QDialog {
    Q_OBJECT
public:
    explicit Tkhodro_frm_khalafi(QWidget *parent = nullptr);
};
