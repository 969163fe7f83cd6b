#pragma once
#include "common/PrintedForm.h"

class Tpersonel_frm_madarek : public PrintedForm {
    Q_OBJECT
public:
    explicit Tpersonel_frm_madarek(QWidget *parent = nullptr);
};
