#include "login_u.h"

Tlogin::Tlogin(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("login"));
}
