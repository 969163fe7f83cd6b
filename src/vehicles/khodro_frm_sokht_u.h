#pragma once
#include "common/PrintedForm.h"

// The fuel-card hand-over form (A5, one vehicle): one sentence naming the
// vehicle, its plate, the hand-over date and the receiver, under the
// organisation's header with the province, and the two signatures.
class Tkhodro_frm_sokht : public PrintedForm {
    Q_OBJECT
public:
    explicit Tkhodro_frm_sokht(QWidget *parent = nullptr);
};
