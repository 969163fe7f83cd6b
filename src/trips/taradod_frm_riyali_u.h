#pragma once
#include "common/PrintedForm.h"

class Ttaradod_frm_riyali : public PrintedForm {
    Q_OBJECT
public:
    explicit Ttaradod_frm_riyali(QWidget *parent = nullptr);
};
