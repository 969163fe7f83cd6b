#include "log_u.h"

Tlog::Tlog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("log"));
}
