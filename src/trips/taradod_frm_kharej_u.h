#pragma once
#include <QDialog>

class Ttaradod_frm_kharej : public QDialog {
    Q_OBJECT
public:
    explicit Ttaradod_frm_kharej(QWidget *parent = nullptr);
};
