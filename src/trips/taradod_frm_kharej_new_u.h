#pragma once
#include "common/PrintedForm.h"

// The out-of-city vehicle mission order for white paper: the logo in its
// header, the organisation's address and contact lines at its foot.
class Ttaradod_frm_kharej_new : public PrintedForm {
    Q_OBJECT
public:
    explicit Ttaradod_frm_kharej_new(QWidget *parent = nullptr);

    // The organisation's address and its telephone lines.
    static QString addressLine();
    static QString contactLine();
};
