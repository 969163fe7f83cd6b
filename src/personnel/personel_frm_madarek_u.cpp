#include "personel_frm_madarek_u.h"

Tpersonel_frm_madarek::Tpersonel_frm_madarek(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("personel_frm_madarek"));
}
