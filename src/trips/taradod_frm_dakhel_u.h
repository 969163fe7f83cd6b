#pragma once
#include "common/PrintedForm.h"

class Ttaradod_frm_dakhel : public PrintedForm {
    Q_OBJECT
public:
    explicit Ttaradod_frm_dakhel(QWidget *parent = nullptr);
};
