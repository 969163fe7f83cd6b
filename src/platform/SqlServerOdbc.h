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
// driver's own keywords, but without the user name and password (see
// sqlServerLoginValue). Every value stands in braces, so that ";" and "}" in
// a name cannot end it early: for Microsoft's drivers a "}" in it doubled;
// for FreeTDS, which reads a value up to the first "};", as typed and
// followed by ";". A value that cannot reach FreeTDS as typed (one holding
// "};", say) throws DataError, naming it.
// Qt's ODBC driver takes a connection string that holds ".dsn" anywhere (in
// any case) for the name of a file DSN and writes "FILEDSN=" before it. When
// the server or database name holds ".dsn", the string therefore starts with
// an empty attribute: the FILEDSN is then empty, and the driver manager
// ignores an empty one (FreeTDS ignores the keyword).
QString sqlServerConnectionString(const ConnectionSettings &settings, const QString &driver);

// A user name or password as Qt's ODBC driver adds it to the connection
// string (";UID=" or ";PWD=" and the value as given), braced for `driver`
// as the string's values are; for FreeTDS a ";" follows, since the value may
// end the string. Handed to Qt apart from the string, they never take part
// in its search for ".dsn".
enum class SqlServerLogin { User, Password };
QString sqlServerLoginValue(SqlServerLogin part, const QString &value, const QString &driver);

// The first value of `settings` that cannot reach `driver` as typed (only
// FreeTDS refuses any), in the order server, database, user name, password
// (the login only when it is sent), with the message naming it that
// Connection::open() refuses it with. Field None: every value can.
struct SqlServerRefusal {
    enum class Field { None, Server, Database, User, Password };
    Field field = Field::None;
    QString message;
};
SqlServerRefusal sqlServerRefusal(const ConnectionSettings &settings, const QString &driver);

// The line the connection-settings window shows beside the engine: the
// driver that will be used, or that none is installed.
QString sqlServerDriverLine(const QString &driver);
