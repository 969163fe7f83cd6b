#include "taradod_frm_kharej_u.h"

Ttaradod_frm_kharej::Ttaradod_frm_kharej(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("taradod_frm_kharej"));
}
