#include "personel_frm_madarek_u.h"

Tpersonel_frm_madarek::Tpersonel_frm_madarek(QWidget *parent) : PrintedForm(QStringLiteral("personel_frm_madarek"), parent)
{
}
