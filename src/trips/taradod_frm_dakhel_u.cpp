#include "taradod_frm_dakhel_u.h"

Ttaradod_frm_dakhel::Ttaradod_frm_dakhel(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("taradod_frm_dakhel"));
}
