#pragma once
#include "common/PrintedForm.h"

// The checklist of the documents a rented driver hands in (A5), printed
// blank: the logo, the title and a line for the driver's name, then twenty
// items in two columns, each with a tick box on its left.
class Tpersonel_frm_madarek : public PrintedForm {
    Q_OBJECT
public:
    explicit Tpersonel_frm_madarek(QWidget *parent = nullptr);
};
