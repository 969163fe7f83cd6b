#pragma once
#include "common/PrintedForm.h"

class ReportRow;

// The daily work report of a rental vehicle on out-of-city missions: one
// line per trip of the trip list's rows, in their order, under a header that
// names the driver, vehicle and plate of the trip that was current.
class Ttaradod_frm_rozane_kharej : public PrintedForm {
    Q_OBJECT
public:
    explicit Ttaradod_frm_rozane_kharej(QWidget *parent = nullptr);

    // The kilometres of a trip: the return reading less the departure
    // reading; empty while either reading is missing.
    static QString odometerDifference(const ReportRow &row);
};
