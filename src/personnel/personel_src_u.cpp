#include "personel_src_u.h"

Tpersonel_src::Tpersonel_src(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("personel_src"));
}
