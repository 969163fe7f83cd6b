#pragma once
#include "common/PrintedForm.h"

// The technical evaluation checklist of a light vehicle (A4, one vehicle):
// the vehicle's identification in boxes, then ruled sections with cells to
// tick for its documents, its technical and outward state, its tyres and
// the tools it carries, room for remarks, the final approval with its
// signatures and the distribution of the copies.
class Tkhodro_frm_arzyabi : public PrintedForm {
    Q_OBJECT
public:
    explicit Tkhodro_frm_arzyabi(QWidget *parent = nullptr);
};
