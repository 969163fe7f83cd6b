#pragma once
#include <QDialog>

class Ttaradod_frm_rozane_kharej : public QDialog {
    Q_OBJECT
public:
    explicit Ttaradod_frm_rozane_kharej(QWidget *parent = nullptr);
};
