#pragma once
#include "common/PrintedForm.h"

class Tpersonel_frm_morakhasi : public PrintedForm {
    Q_OBJECT
public:
    explicit Tpersonel_frm_morakhasi(QWidget *parent = nullptr);
};
