#pragma once
#include <QDialog>

class Tpersonel_frm_madarek : public QDialog {
    Q_OBJECT
public:
    explicit Tpersonel_frm_madarek(QWidget *parent = nullptr);
};
