#include "taradod_src_u.h"

Ttaradod_src::Ttaradod_src(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("taradod_src"));
}
