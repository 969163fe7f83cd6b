#pragma once
#include <QDialog>

class Ttaradod_frm_riyali : public QDialog {
    Q_OBJECT
public:
    explicit Ttaradod_frm_riyali(QWidget *parent = nullptr);
};
