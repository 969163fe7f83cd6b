#include "PERSONEL_PIC_u.h"

TPERSONEL_PIC::TPERSONEL_PIC(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PERSONEL_PIC"));
}
