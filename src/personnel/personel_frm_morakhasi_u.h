#pragma once
#include <QDialog>

class Tpersonel_frm_morakhasi : public QDialog {
    Q_OBJECT
public:
    explicit Tpersonel_frm_morakhasi(QWidget *parent = nullptr);
};
