#include "personel_frm_arzyabi_u.h"

Tpersonel_frm_arzyabi::Tpersonel_frm_arzyabi(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("personel_frm_arzyabi"));
}
