#include "setting_u.h"

Tsetting::Tsetting(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("setting"));
}
