#include "taradod_frm_dakhel_u.h"

Ttaradod_frm_dakhel::Ttaradod_frm_dakhel(QWidget *parent) : PrintedForm(QStringLiteral("taradod_frm_dakhel"), parent)
{
}
