#pragma once
#include "common/PrintedForm.h"

class Query;
class ReportImage;

// The amounts statement: one line per trip of the trip list's rows with its
// kilometres, hours and amount, under a header that names the driver and the
// date range of the list's filters, and above the rates and the totals.
class Ttaradod_frm_riyali : public PrintedForm {
    Q_OBJECT
public:
    explicit Ttaradod_frm_riyali(QWidget *parent = nullptr);

    // The exact sum of a numeric column over every row the statement
    // prints, as the rows print a number, in full; empty when no row holds a
    // value.
    static QString columnTotal(const Query &rows, const QString &field);

    ReportImage *QRImage1; // the organisation's logo
};
