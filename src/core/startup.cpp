#include "startup.h"
#include "app.h"
#include "dm_u.h"
#include "login_u.h"
#include "platform/Fonts.h"
#include <QApplication>

int StartupConnect(int argc, char **argv)
{
    QApplication application(argc, argv);
    installFontSubstitutions();
    application.setLayoutDirection(Qt::RightToLeft);
    app::createAll();
    app::login->show();
    const int code = application.exec();
    app::destroyAll();
    return code;
}
