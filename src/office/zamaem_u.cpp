#include "zamaem_u.h"

Tzamaem::Tzamaem(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("zamaem"));
}
