#include "personel_ins_u.h"

Tpersonel_ins::Tpersonel_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("personel_ins"));
}
