#pragma once
#include "common/PrintedForm.h"

class Ttaradod_frm_rozane_dakhel : public PrintedForm {
    Q_OBJECT
public:
    explicit Ttaradod_frm_rozane_dakhel(QWidget *parent = nullptr);
};
