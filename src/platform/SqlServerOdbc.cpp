#include "SqlServerOdbc.h"
#include "Connection.h"
#include "DataError.h"
#include <QRegularExpression>
#include <algorithm>
#ifdef Q_OS_WIN
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

namespace {

const QString Driver18 = QStringLiteral("ODBC Driver 18 for SQL Server");
const QString Driver17 = QStringLiteral("ODBC Driver 17 for SQL Server");
const QString BuiltIn = QStringLiteral("SQL Server");

enum class Family { Microsoft, BuiltIn, FreeTds };

// Microsoft's numbered drivers: "ODBC Driver <n> for SQL Server".
int microsoftNumber(const QString &driver)
{
    static const QRegularExpression numbered(QStringLiteral("^ODBC Driver (\\d+) for SQL Server$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = numbered.match(driver.trimmed());
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

bool isFreeTds(const QString &driver)
{
    return driver.contains(QLatin1String("FreeTDS"), Qt::CaseInsensitive)
        || driver.contains(QLatin1String("tdsodbc"), Qt::CaseInsensitive);
}

Family familyOf(const QString &driver)
{
    if (isFreeTds(driver))
        return Family::FreeTds;
    if (driver.trimmed().compare(BuiltIn, Qt::CaseInsensitive) == 0)
        return Family::BuiltIn;
    return Family::Microsoft;
}

QString braced(const QString &value)
{
    QString v = value;
    v.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + v + QLatin1Char('}');
}

// A value in braces as the driver reads it back. Microsoft's drivers (and
// the driver manager) end it at a "}" that is not doubled and read "}}" as
// "}". FreeTDS ends it at the first "}" followed by ";" (a "}" that ends the
// string does not end it) and keeps "}}" as it stands: its values are not
// doubled, and the caller puts a ";" after each. A value holding "};" cannot
// reach FreeTDS whole at all. The driver manager reads the string first, by
// the ODBC rule: there a value holding "}" ends early, and its rest is read
// as further attributes, which must not name another driver, a file DSN or
// the manager's own settings. Both are refused, by `name`, rather than sent
// cut or elsewhere: the refusal's message, or the empty text.
QString refusal(const QString &value, Family family, const QString &name, const QString &driver)
{
    if (family != Family::FreeTds)
        return QString();
    static const QRegularExpression managerKeyword(QStringLiteral("(DRIVER|FILEDSN|SAVEFILE|DM(Env|Conn|Stmt)Attr)="),
                                                   QRegularExpression::CaseInsensitiveOption);
    if (!value.contains(QLatin1String("};")) && !(value.contains(QLatin1Char('}')) && value.contains(managerKeyword)))
        return QString();
    return QStringLiteral("%1 نويسه هايي دارد كه راه انداز FreeTDS نمي تواند آنها را درست بفرستد (مانند «};»)، لطفا آن را اصلاح نماييد")
               .arg(name)
           + QLatin1Char('\n') + sqlServerDriverLine(driver);
}

QString driverValue(const QString &value, Family family, const QString &name, const QString &driver)
{
    if (family != Family::FreeTds)
        return braced(value);
    if (const QString refused = refusal(value, family, name, driver); !refused.isEmpty())
        throw DataError(refused);
    return QLatin1Char('{') + value + QLatin1Char('}');
}

// The server as FreeTDS is given it: the host, and "\instance" unless a port
// is given (FreeTDS takes the port as a keyword of its own).
QString freeTdsServer(const SqlServerAddress &address)
{
    return address.instance.isEmpty() || address.port > 0 ? address.host : address.host + QLatin1Char('\\') + address.instance;
}

const QString ServerName = QStringLiteral("نام سرور");
const QString DatabaseName = QStringLiteral("نام بانک اطلاعاتي");
const QString UserName = QStringLiteral("نام كاربري");
const QString PasswordName = QStringLiteral("رمز عبور");

} // namespace

QStringList installedOdbcDrivers()
{
    QStringList names;
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return names;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLCHAR description[512];
    SQLCHAR attributes[2048];
    SQLSMALLINT descriptionLength = 0;
    SQLSMALLINT attributesLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDrivers(env, direction, description, SQLSMALLINT(sizeof description), &descriptionLength,
                                    attributes, SQLSMALLINT(sizeof attributes), &attributesLength))) {
        names << QString::fromLocal8Bit(reinterpret_cast<const char *>(description));
        direction = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return names;
}

QString chooseSqlServerDriver(const QStringList &installed)
{
    if (installed.isEmpty())
        return Driver18;
    // Rank: 18 and 17 first, then the other numbered drivers, newest first,
    // then the built-in driver, then FreeTDS.
    auto rank = [](const QString &driver) {
        const int n = microsoftNumber(driver);
        if (n == 18)
            return 1000;
        if (n == 17)
            return 999;
        if (n > 0)
            return 500 + std::min(n, 400);
        if (driver.trimmed().compare(BuiltIn, Qt::CaseInsensitive) == 0)
            return 200;
        if (isFreeTds(driver))
            return 100;
        return 0;
    };
    QString best;
    int bestRank = 0;
    for (const QString &driver : installed) {
        const int r = rank(driver);
        if (r > bestRank) {
            best = driver;
            bestRank = r;
        }
    }
    return best;
}

SqlServerAddress parseSqlServerAddress(const QString &server)
{
    SqlServerAddress address;
    QString rest = server.trimmed();
    // The port after the last comma, or after a single colon ("host:port";
    // an address with several colons is IPv6 and keeps them).
    int sep = rest.lastIndexOf(QLatin1Char(','));
    if (sep < 0 && rest.count(QLatin1Char(':')) == 1)
        sep = rest.indexOf(QLatin1Char(':'));
    if (sep > 0) {
        bool ok = false;
        const int port = rest.mid(sep + 1).trimmed().toInt(&ok);
        if (ok && port > 0 && port < 65536) {
            address.port = port;
            rest = rest.left(sep).trimmed();
        }
    }
    const int slash = rest.indexOf(QLatin1Char('\\'));
    if (slash >= 0) {
        address.instance = rest.mid(slash + 1).trimmed();
        rest = rest.left(slash).trimmed();
    }
    address.host = rest;
    return address;
}

QString sqlServerConnectionString(const ConnectionSettings &s, const QString &driver)
{
    const SqlServerAddress address = parseSqlServerAddress(s.server);
    const Family family = familyOf(driver);
    QStringList parts{QStringLiteral("DRIVER=") + braced(driver)};
    if (family == Family::FreeTds) {
        // FreeTDS takes the port as a keyword of its own and finds a named
        // instance by "host\instance"; without a stated protocol version it
        // may speak one that has no Unicode texts.
        parts << QStringLiteral("SERVER=") + driverValue(freeTdsServer(address), family, ServerName, driver);
        if (address.port > 0)
            parts << QStringLiteral("PORT=") + QString::number(address.port);
        parts << QStringLiteral("TDS_Version=7.4") << QStringLiteral("ClientCharset=UTF-8");
    } else {
        // Microsoft's drivers: [host][\instance][,port].
        QString server = address.host;
        if (!address.instance.isEmpty())
            server += QLatin1Char('\\') + address.instance;
        if (address.port > 0)
            server += QLatin1Char(',') + QString::number(address.port);
        parts << QStringLiteral("SERVER=") + braced(server);
    }
    parts << QStringLiteral("DATABASE=") + driverValue(s.database, family, DatabaseName, driver);
    if (s.integratedSecurity)
        parts << QStringLiteral("Trusted_Connection=yes");
    // The existing installations' servers have no certificate a workstation
    // trusts: the traffic is encrypted where the server offers it, but the
    // certificate is not checked (see README).
    if (family == Family::Microsoft)
        parts << QStringLiteral("TrustServerCertificate=yes");
    // FreeTDS: the last value is followed by ";" as well (it skips the
    // empty attribute after it).
    const QString string = parts.join(QLatin1Char(';')) + (family == Family::FreeTds ? QStringLiteral(";") : QString());
    return string.contains(QLatin1String(".dsn"), Qt::CaseInsensitive) ? QLatin1Char(';') + string : string;
}

QString sqlServerLoginValue(SqlServerLogin part, const QString &value, const QString &driver)
{
    const Family family = familyOf(driver);
    const QString v = driverValue(value, family, part == SqlServerLogin::User ? UserName : PasswordName, driver);
    return family == Family::FreeTds ? v + QLatin1Char(';') : v;
}

SqlServerRefusal sqlServerRefusal(const ConnectionSettings &s, const QString &driver)
{
    using Field = SqlServerRefusal::Field;
    const Family family = familyOf(driver);
    QList<std::tuple<Field, QString, QString>> values{{Field::Server, freeTdsServer(parseSqlServerAddress(s.server)), ServerName},
                                                      {Field::Database, s.database, DatabaseName}};
    if (!s.integratedSecurity)
        values += {{Field::User, s.user, UserName}, {Field::Password, s.password, PasswordName}};
    for (const auto &[field, value, name] : values)
        if (QString message = refusal(value, family, name, driver); !message.isEmpty())
            return {field, message};
    return {};
}

QString sqlServerDriverLine(const QString &driver)
{
    if (driver.isEmpty())
        return QStringLiteral("راه انداز ODBC براي SQL Server نصب نشده است");
    return QStringLiteral("راه انداز ODBC: ") + driver;
}
