#pragma once
#include "common/PrintedForm.h"

class Tkhodro_frm_khalafi : public PrintedForm {
    Q_OBJECT
public:
    explicit Tkhodro_frm_khalafi(QWidget *parent = nullptr);
};
