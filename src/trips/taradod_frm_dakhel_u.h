#pragma once
#include <QDialog>

class Ttaradod_frm_dakhel : public QDialog {
    Q_OBJECT
public:
    explicit Ttaradod_frm_dakhel(QWidget *parent = nullptr);
};
