#include "khodro_frm_sokht_u.h"

Tkhodro_frm_sokht::Tkhodro_frm_sokht(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("khodro_frm_sokht"));
}
