#pragma once
#include "common/PrintedForm.h"

class Tkhodro_frm_arzyabi : public PrintedForm {
    Q_OBJECT
public:
    explicit Tkhodro_frm_arzyabi(QWidget *parent = nullptr);
};
