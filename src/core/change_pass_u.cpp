#include "change_pass_u.h"

Tchange_pass::Tchange_pass(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("change_pass"));
}
