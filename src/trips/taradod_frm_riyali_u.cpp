#include "taradod_frm_riyali_u.h"

Ttaradod_frm_riyali::Ttaradod_frm_riyali(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("taradod_frm_riyali"));
}
