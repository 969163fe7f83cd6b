#include "users_u.h"
#include <QLabel>

Tusers::Tusers(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("users"));
    auto label = [this](const char *name) {
        auto *l = new QLabel(QLatin1String(name), this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    prs_id = label("prs_id");
    prs_id->hide();
    karbar = label("karbar");
    level = label("level");
    level->hide();
}
