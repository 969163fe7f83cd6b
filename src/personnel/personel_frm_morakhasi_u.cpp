#include "personel_frm_morakhasi_u.h"

Tpersonel_frm_morakhasi::Tpersonel_frm_morakhasi(QWidget *parent) : PrintedForm(QStringLiteral("personel_frm_morakhasi"), parent)
{
}
