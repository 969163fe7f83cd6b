#pragma once
#include <QDialog>

class Tpersonel_frm_darkhastkar : public QDialog {
    Q_OBJECT
public:
    explicit Tpersonel_frm_darkhastkar(QWidget *parent = nullptr);
};
