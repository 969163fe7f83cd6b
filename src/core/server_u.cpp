#include "server_u.h"

Tserver::Tserver(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("server"));
}
