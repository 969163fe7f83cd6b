#include "taradod_frm_kharej_new_u.h"

Ttaradod_frm_kharej_new::Ttaradod_frm_kharej_new(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("taradod_frm_kharej_new"));
}
