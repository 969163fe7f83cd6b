#pragma once
#include "ColumnLimits.h"
#include "Dialect.h"
#include "Statement.h"
#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlField>
#include <functional>
#include <memory>

class StatementWatch;

// How a value of a column is held and converted. Money columns (the engines'
// money and decimal types) hold exact decimals of four places: see Money.
enum class ColumnKind { Text, Integer, Float, Bool, Bytes, DateTime, Money };

// The kind of a column from its declared SQL type or from a driver's type.
ColumnKind columnKindOfDeclaredType(const QString &declared);
ColumnKind columnKindOfMetaType(int metaTypeId);
// The kind of a column a driver describes: its type, and for the decimal
// types (a double to Qt) the engine's own type code. QODBC reads SQL Server's
// bit columns as integers; their ODBC type (SQL_BIT) makes them booleans
// again, so that they read and show "True"/"False" as on the other engines.
ColumnKind columnKindOfField(Engine engine, const QSqlField &field);

struct ConnectionSettings {
    Engine engine = Engine::SqlServer;
    QString server;   // host name or address, "host,port", "host:port" or (SQL Server) "host\instance"; for SQLite unused
    QString database; // database name; for SQLite the file path
    QString user;
    QString password;
    bool integratedSecurity = false; // the operating system's account, no password
    QString schema;   // PostgreSQL: the schema that holds the tables (empty: the server's default)
};

// How long the program waits for the database before it gives up with an
// error: a connection attempt (whole seconds) and a statement.
struct TimeLimits {
    int connectSeconds = 15;
    int statementMilliseconds = 30000;
};

// The one database connection of the program (and, in tests, of a second
// workstation). Connection values go into the driver's own fields, never
// spliced raw into a connection string.
class Connection : public QObject {
    Q_OBJECT
public:
    explicit Connection(QObject *parent = nullptr);
    ~Connection() override;

    void setSettings(const ConnectionSettings &settings);
    const ConnectionSettings &settings() const { return m_settings; }

    // Take effect at the next open().
    void setTimeLimits(const TimeLimits &limits) { m_limits = limits; }
    const TimeLimits &timeLimits() const { return m_limits; }

    // Connects with the current settings; throws DataError with the engine's text.
    void open();
    void close();
    bool connected() const;

    QSqlDatabase database() const;
    Engine engine() const { return m_settings.engine; }
    const Dialect &dialect() const { return Dialect::of(m_settings.engine); }

    // Declared kind of each column of a table, lower-case names (cached until
    // the schema changes through this connection).
    QHash<QString, ColumnKind> columnKinds(const QString &table);
    // Declared length or range of each column of a table, lower-case names,
    // read from the schema and cached alike.
    QHash<QString, ColumnLimit> columnLimits(const QString &table);
    void forgetSchema() { m_kinds.clear(); m_columnLimits.clear(); }

    // Runs work in one transaction: committed when it returns, rolled back
    // (and the error passed on) when it throws.
    void transaction(const std::function<void()> &work);
    bool inTransaction() const { return m_inTransaction; }

    // Every operation on the database goes through run(). Outside a
    // transaction a connection found broken (the server went away or was
    // restarted) is reopened once with the stored settings before the work
    // runs; work that only reads is also run once more when the connection
    // breaks while it runs (work that writes is not: it may have been stored).
    // Inside a transaction the error stands. The work is bounded by the
    // statement limit, and every error leaves with a text.
    enum class Effect { ReadsOnly, Writes };
    void run(Effect effect, const std::function<void()> &work);

    // Runs work (operations that themselves go through run()) with no
    // statement limit: a server-side backup of a large database takes as long
    // as it takes, and only the server ends it. The limit is back afterwards,
    // also when the work throws.
    void withoutStatementLimit(const std::function<void()> &work);

    // A new statement on this connection, through which statements without
    // rows are executed. Tests put a fake in place of the real one.
    using StatementMaker = std::function<std::unique_ptr<Statement>()>;
    std::unique_ptr<Statement> statement() const;
    void setStatementMaker(StatementMaker maker) { m_statementMaker = std::move(maker); }

private:
    enum class Outcome { Failed, Lost, TimedOut };
    void guarded(const std::function<void()> &work);
    Outcome outcomeOf(qint64 elapsedMilliseconds, const QString &engineText);
    bool foundBroken();
    bool brokeWhileReading(); // the statement watch fired, or the server connection broke
    void reopenAfterLoss();
    [[noreturn]] void raise(Outcome outcome, const QString &engineText);
    void closeWatchSocket();
    void applyStatementLimit(int milliseconds); // on the open connection; 0: none

    QString m_name;
    ConnectionSettings m_settings;
    TimeLimits m_limits;
    QHash<QString, QHash<QString, ColumnKind>> m_kinds;
    std::unique_ptr<StatementWatch> m_watch;
    int m_watchSocket = -1; // a duplicate of the server connection's socket, for m_watch
    bool m_opened = false;  // connected by open() and not closed since
    bool m_lost = false;    // the connection broke: the next operation reopens it
    int m_depth = 0;        // work of run() in progress
    bool m_unbounded = false; // inside withoutStatementLimit()
    bool m_inTransaction = false;
    QHash<QString, QHash<QString, ColumnLimit>> m_columnLimits;
    StatementMaker m_statementMaker;
};
