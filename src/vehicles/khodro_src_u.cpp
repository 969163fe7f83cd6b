#include "khodro_src_u.h"

Tkhodro_src::Tkhodro_src(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("khodro_src"));
}
