#include "khodro_frm_arzyabi_u.h"

Tkhodro_frm_arzyabi::Tkhodro_frm_arzyabi(QWidget *parent) : PrintedForm(QStringLiteral("khodro_frm_arzyabi"), parent)
{
}
