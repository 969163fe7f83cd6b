#pragma once
#include <QDialog>

class Ttaradod_frm_kharej_new : public QDialog {
    Q_OBJECT
public:
    explicit Ttaradod_frm_kharej_new(QWidget *parent = nullptr);
};
