#pragma once
#include "common/PrintedForm.h"

// The daily leave sheet (A5), printed blank to be filled in by hand: the
// organisation's header with the logo and the document-control boxes, the
// framed title, and the request, the superior's opinion and the personnel
// office's decision as sentences with blanks, each closed by a signature.
class Tpersonel_frm_morakhasi : public PrintedForm {
    Q_OBJECT
public:
    explicit Tpersonel_frm_morakhasi(QWidget *parent = nullptr);
};
