#pragma once
#include <QString>
#include <QStringList>

struct ConnectionSettings;

// How the program reaches SQL Server: through the ODBC driver manager and
// one of the SQL Server drivers installed on the workstation.

// The names of the installed ODBC drivers as the driver manager lists them;
// empty when it lists none (or there is no driver manager).
QStringList installedOdbcDrivers();

// The driver to reach SQL Server through, from the installed ones: Microsoft's
// "ODBC Driver 18 for SQL Server", then 17, then Microsoft's other numbered
// drivers (newest first), Windows' built-in "SQL Server", and FreeTDS. An
// empty list (nothing could be asked) gives Driver 18, so that the error then
// names it; a list without any of these gives the empty text.
QString chooseSqlServerDriver(const QStringList &installed);

// The server as the user typed it: "host", "host,port", "host:port",
// "host\instance", "host\instance,port". Blanks around the parts are dropped.
struct SqlServerAddress {
    QString host;
    QString instance;
    int port = -1;
};
SqlServerAddress parseSqlServerAddress(const QString &server);

// The ODBC connection string for SQL Server through `driver`, with that
// driver's own keywords. Every value stands in braces, a "}" in it doubled,
// so that ";" and "}" in a password or a name cannot end it early.
QString sqlServerConnectionString(const ConnectionSettings &settings, const QString &driver);

// The line the connection-settings window shows beside the engine: the
// driver that will be used, or that none is installed.
QString sqlServerDriverLine(const QString &driver);
