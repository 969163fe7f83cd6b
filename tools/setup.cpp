// The set-up tool: makes a database ready for the program and, on request,
// stores connection settings that point at it.
//
//   kavrin-setup --sqlite FILE [--provinces CSV] [--store-settings]
//   kavrin-setup --postgres HOST[:PORT] --database NAME --user USER [--password PW]
//                [--provinces CSV] [--store-settings]
//
// Without --provinces the provinces and counties come from the list the
// program ships; a CSV with the header "ostan,shahrestan" replaces it.
#include "core/firstrun.h"
#include "core/passwords.h"
#include "platform/Connection.h"
#include "platform/DataError.h"
#include "platform/SettingsStore.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTextStream>
#include <cstdio>

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << message << '\n';
    return 2;
}

const char *usage =
    "usage: kavrin-setup --sqlite FILE [--provinces CSV] [--store-settings]\n"
    "       kavrin-setup --postgres HOST[:PORT] --database NAME --user USER [--password PW]\n"
    "                    [--provinces CSV] [--store-settings]";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QStringList args = application.arguments().mid(1);
    ConnectionSettings settings;
    QString provinces;
    bool storeSettings = false;
    bool engineGiven = false;
    auto take = [&](int &i) -> QString {
        if (i + 1 >= args.size())
            throw DataError(QStringLiteral("مقدار %1 داده نشده است").arg(args[i]));
        return args[++i];
    };
    try {
        for (int i = 0; i < args.size(); ++i) {
            const QString a = args[i];
            if (a == QLatin1String("--sqlite")) {
                settings.engine = Engine::Sqlite;
                settings.database = QFileInfo(take(i)).absoluteFilePath();
                engineGiven = true;
            } else if (a == QLatin1String("--postgres")) {
                settings.engine = Engine::PostgreSql;
                settings.server = take(i);
                engineGiven = true;
            } else if (a == QLatin1String("--database")) {
                settings.database = take(i);
            } else if (a == QLatin1String("--user")) {
                settings.user = take(i);
            } else if (a == QLatin1String("--password")) {
                settings.password = take(i);
            } else if (a == QLatin1String("--provinces")) {
                provinces = take(i);
            } else if (a == QLatin1String("--store-settings")) {
                storeSettings = true;
            } else {
                return fail(QStringLiteral("آرگومان ناشناخته: %1\n%2").arg(a, QLatin1String(usage)));
            }
        }
        if (!engineGiven)
            return fail(QLatin1String(usage));
        if (!provinces.isEmpty() && !QFileInfo::exists(provinces))
            return fail(QStringLiteral("فايل استانها و شهرستانها پيدا نشد: %1").arg(provinces));

        if (settings.engine == Engine::Sqlite) {
            // Create the file: the program itself opens existing files only.
            QDir().mkpath(QFileInfo(settings.database).absolutePath());
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("create"));
                db.setDatabaseName(settings.database);
                if (!db.open())
                    return fail(QStringLiteral("فايل بانک اطلاعاتي ساخته نشد: %1").arg(settings.database));
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("create"));
        }
        Connection connection;
        connection.setSettings(settings);
        connection.open();
        prepareDatabase(connection, provinces.isEmpty() ? shippedProvinces() : readProvincesCsv(provinces));

        if (storeSettings) {
            SettingsStore store;
            if (!store.openOrCreate())
                return fail(QStringLiteral("تنظيمات اتصال ذخيره نشد: %1").arg(SettingsStore::location()));
            store.setValue(SettingsStore::ServerName, settings.engine == Engine::Sqlite ? QStringLiteral("localhost") : settings.server);
            store.setValue(SettingsStore::DataBase, settings.database);
            store.setValue(SettingsStore::Authentication, QStringLiteral("SQL Server"));
            store.setValue(SettingsStore::UserName, settings.user.isEmpty() ? QStringLiteral("sa") : settings.user);
            store.setValue(SettingsStore::Password, ScramblePassword(settings.password.isEmpty() ? QStringLiteral("-") : settings.password));
            store.setValue(SettingsStore::EngineName, engineName(settings.engine));
        }
        QTextStream(stdout) << "بانک اطلاعاتي آماده است: " << settings.database << '\n';
        return 0;
    } catch (const DataError &e) {
        return fail(e.message());
    }
}
