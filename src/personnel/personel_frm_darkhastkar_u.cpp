#include "personel_frm_darkhastkar_u.h"

Tpersonel_frm_darkhastkar::Tpersonel_frm_darkhastkar(QWidget *parent) : PrintedForm(QStringLiteral("personel_frm_darkhastkar"), parent)
{
}
