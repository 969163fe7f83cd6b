#include "taradod_frm_rozane_dakhel_u.h"

Ttaradod_frm_rozane_dakhel::Ttaradod_frm_rozane_dakhel(QWidget *parent) : PrintedForm(QStringLiteral("taradod_frm_rozane_dakhel"), parent)
{
}
