#pragma once
#include "common/PrintedForm.h"

class Ttaradod_frm_kharej_new : public PrintedForm {
    Q_OBJECT
public:
    explicit Ttaradod_frm_kharej_new(QWidget *parent = nullptr);
};
