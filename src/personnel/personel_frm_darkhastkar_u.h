#pragma once
#include "common/PrintedForm.h"

// The rented driver's job application (A5): the title, the captions of the
// person's particulars and, on the left of each, its value label named after
// the column that fills it.
class Tpersonel_frm_darkhastkar : public PrintedForm {
    Q_OBJECT
public:
    explicit Tpersonel_frm_darkhastkar(QWidget *parent = nullptr);
};
