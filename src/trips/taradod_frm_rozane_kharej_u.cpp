#include "taradod_frm_rozane_kharej_u.h"

Ttaradod_frm_rozane_kharej::Ttaradod_frm_rozane_kharej(QWidget *parent) : PrintedForm(QStringLiteral("taradod_frm_rozane_kharej"), parent)
{
}
