#pragma once
#include "common/PrintedForm.h"

class Ttaradod_frm_kharej : public PrintedForm {
    Q_OBJECT
public:
    explicit Ttaradod_frm_kharej(QWidget *parent = nullptr);
};
