#pragma once
#include <QDialog>

class Tkhodro_frm_arzyabi : public QDialog {
    Q_OBJECT
public:
    explicit Tkhodro_frm_arzyabi(QWidget *parent = nullptr);
};
