#include "taradod_ins_u.h"

Ttaradod_ins::Ttaradod_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("taradod_ins"));
}
