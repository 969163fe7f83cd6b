#pragma once
#include "common/PrintedForm.h"

class Tpersonel_frm_darkhastkar : public PrintedForm {
    Q_OBJECT
public:
    explicit Tpersonel_frm_darkhastkar(QWidget *parent = nullptr);
};
