#include "taradod_frm_kharej_u.h"

Ttaradod_frm_kharej::Ttaradod_frm_kharej(QWidget *parent) : PrintedForm(QStringLiteral("taradod_frm_kharej"), parent)
{
}
