#include "backup_u.h"

Tbackup::Tbackup(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("backup"));
}
