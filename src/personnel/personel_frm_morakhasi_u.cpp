#include "personel_frm_morakhasi_u.h"

Tpersonel_frm_morakhasi::Tpersonel_frm_morakhasi(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("personel_frm_morakhasi"));
}
