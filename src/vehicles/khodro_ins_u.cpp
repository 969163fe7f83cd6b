#include "khodro_ins_u.h"

Tkhodro_ins::Tkhodro_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("khodro_ins"));
}
