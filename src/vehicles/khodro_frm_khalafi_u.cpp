#include "khodro_frm_khalafi_u.h"

Tkhodro_frm_khalafi::Tkhodro_frm_khalafi(QWidget *parent) : PrintedForm(QStringLiteral("khodro_frm_khalafi"), parent)
{
}
