#pragma once
#include "common/PrintedForm.h"

class ReportBand;

// The out-of-city vehicle mission order for paper that carries the
// organisation's logo already.
class Ttaradod_frm_kharej : public PrintedForm {
    Q_OBJECT
public:
    explicit Ttaradod_frm_kharej(QWidget *parent = nullptr);

    // The pieces of the header that the order on white paper prints alike:
    // the organisation's name at the top, and the two framed cells of the
    // document-control code and revision, their left edge at `left`.
    static void layOutOrganisationName(ReportBand *header);
    static void layOutDocumentControl(ReportBand *header, double left);
};
