#include "personel_frm_arzyabi_u.h"

Tpersonel_frm_arzyabi::Tpersonel_frm_arzyabi(QWidget *parent) : PrintedForm(QStringLiteral("personel_frm_arzyabi"), parent)
{
}
