#include "startup.h"
#include "app.h"
#include "dm_u.h"
#include "login_u.h"
#include "passwords.h"
#include "server_u.h"
#include "platform/DataError.h"
#include "platform/Fonts.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"
#include "platform/SingleLine.h"
#include "platform/Style.h"
#include "platform/Translations.h"
#include <QApplication>
#include <QPushButton>
#include <exception>

ConnectionSettings StoredConnectionSettings(const SettingsStore &store)
{
    ConnectionSettings s;
    s.engine = engineFromName(store.value(SettingsStore::EngineName));
    s.server = store.value(SettingsStore::ServerName);
    s.database = store.value(SettingsStore::DataBase);
    s.user = store.value(SettingsStore::UserName);
    if (store.value(SettingsStore::Authentication) == QLatin1String("SQL Server")) {
        s.password = UnscramblePassword(store.value(SettingsStore::Password));
        s.integratedSecurity = false;
    } else {
        s.integratedSecurity = true;
    }
    return s;
}

bool ConnectLoop()
{
    bool retry = true;
    bool run = true;
    while (retry) {
        SettingsStore store;
        if (!store.openExisting()) {
            showWarning(QStringLiteral("لطفا\" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد"));
            run = false;
            platform().showModal(app::server);
        } else {
            bool connected = false;
            QString refused;
            try {
                Connection *connection = app::dm->ADOConnection1;
                if (connection->connected())
                    connection->close();
                connection->setSettings(StoredConnectionSettings(store));
                connection->open();
                connected = true;
            } catch (const DataError &e) {
                // The engine's own text is not shown: the warning says what to
                // do. A setting the connection refused before asking the
                // engine (a value the driver cannot carry, say) is named in
                // the connection's own message, which is shown instead.
                if (!e.engineError().isValid())
                    refused = e.message();
            } catch (const std::exception &) {
            }
            if (connected) {
                retry = false;
                run = true;
            } else {
                showWarning(!refused.isEmpty() ? refused
                                               : QStringLiteral("تنظيمات اتصال به بانک اطلاعاتي اشتباه انجام شده است، لطفا با مدير شبکه تماس حاصل کنيد"));
                run = false;
                platform().showModal(app::server);
            }
        }
        if (app::server->Button2->text() == QLatin1String("end"))
            retry = false;
    }
    return run;
}

int StartupConnect(int argc, char **argv)
{
    QApplication application(argc, argv);
    installFontSubstitutions();
    installQtTranslations();
    installProgramStyle();
    installSingleLineEdits();
    installLeftToRightPathBoxes();
    application.setLayoutDirection(Qt::RightToLeft);
    // The login window is the program's main window: the program ends when it
    // is closed, whether it is shown or hidden at that moment.
    application.setQuitOnLastWindowClosed(false);
    app::createAll();
    QObject::connect(app::login, &Tlogin::closed, &application, [] { QCoreApplication::exit(0); });
    int code = 0;
    if (ConnectLoop()) {
        app::login->show();
        code = application.exec();
    }
    app::destroyAll();
    return code;
}
