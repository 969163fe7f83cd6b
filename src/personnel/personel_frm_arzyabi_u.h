#pragma once
#include <QDialog>

class Tpersonel_frm_arzyabi : public QDialog {
    Q_OBJECT
public:
    explicit Tpersonel_frm_arzyabi(QWidget *parent = nullptr);
};
