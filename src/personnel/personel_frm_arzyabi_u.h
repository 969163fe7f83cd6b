#pragma once
#include "common/PrintedForm.h"

class Tpersonel_frm_arzyabi : public PrintedForm {
    Q_OBJECT
public:
    explicit Tpersonel_frm_arzyabi(QWidget *parent = nullptr);
};
