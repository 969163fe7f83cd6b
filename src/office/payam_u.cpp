#include "payam_u.h"

Tpayam::Tpayam(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("payam"));
}
