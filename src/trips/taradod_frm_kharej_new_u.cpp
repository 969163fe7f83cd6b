#include "taradod_frm_kharej_new_u.h"

Ttaradod_frm_kharej_new::Ttaradod_frm_kharej_new(QWidget *parent) : PrintedForm(QStringLiteral("taradod_frm_kharej_new"), parent)
{
}
