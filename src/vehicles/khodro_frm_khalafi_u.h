#pragma once
#include "common/PrintedForm.h"

// The no-fines letter (A5): the letter head with the county, one numbered
// line with the vehicle name and plate for every vehicle of the vehicle
// list's result set, in the list's order, then the request and the
// signature of the support deputy with the province. A long list runs over
// several pages, each opening with the letter head and the column titles.
class Tkhodro_frm_khalafi : public PrintedForm {
    Q_OBJECT
public:
    explicit Tkhodro_frm_khalafi(QWidget *parent = nullptr);
};
