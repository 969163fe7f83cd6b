#pragma once
#include "common/PrintedForm.h"

class Tkhodro_frm_sokht : public PrintedForm {
    Q_OBJECT
public:
    explicit Tkhodro_frm_sokht(QWidget *parent = nullptr);
};
