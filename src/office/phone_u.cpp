#include "phone_u.h"

Tphone::Tphone(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("phone"));
}
