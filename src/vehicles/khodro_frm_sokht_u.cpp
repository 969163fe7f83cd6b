#include "khodro_frm_sokht_u.h"

Tkhodro_frm_sokht::Tkhodro_frm_sokht(QWidget *parent) : PrintedForm(QStringLiteral("khodro_frm_sokht"), parent)
{
}
