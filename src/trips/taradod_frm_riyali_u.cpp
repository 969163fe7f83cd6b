#include "taradod_frm_riyali_u.h"

Ttaradod_frm_riyali::Ttaradod_frm_riyali(QWidget *parent) : PrintedForm(QStringLiteral("taradod_frm_riyali"), parent)
{
}
