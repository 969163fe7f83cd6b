#pragma once
#include "common/PrintedForm.h"

// The evaluation checklist for taking on a light-vehicle driver (A4),
// printed blank: a framed header with the logo, the form number, the title
// and the review date, and a table of five sections to fill in by hand.
class Tpersonel_frm_arzyabi : public PrintedForm {
    Q_OBJECT
public:
    explicit Tpersonel_frm_arzyabi(QWidget *parent = nullptr);
};
