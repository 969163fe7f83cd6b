#include "main_u.h"

Tmain::Tmain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("main"));
}
