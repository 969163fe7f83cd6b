#include "Connection.h"
#include "DataError.h"
#include "SqlServerOdbc.h"
#include "SqliteFolding.h"
#include "StatementWatch.h"
#include <QAtomicInt>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QUrl>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <fcntl.h>
#include <libpq-fe.h>
#include <poll.h>
#include <sqlite3.h>
#include <sql.h>
#include <sqlext.h>
#include <unistd.h>

namespace {

// Runs `work`, then `after`, whether `work` ends normally or throws.
template <class After>
void runThenAlways(const std::function<void()> &work, After after)
{
    try {
        work();
    } catch (...) {
        after();
        throw;
    }
    after();
}

QAtomicInt connectionCounter;

// SQLite's failures a clerk can meet, with a sentence he can act on before
// the engine's own text, which stays for whoever looks further. The failure
// is told by its result code, never by the English text: the driver gives
// the extended code, whose low byte is the primary one.
QString explainedSqliteError(const QSqlError &error)
{
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    QString lead;
    switch (numeric ? code & 0xff : SQLITE_OK) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        lead = QStringLiteral("بانک اطلاعاتي در اختيار ايستگاه ديگري است و در زمان انتظار آزاد نشد؛ "
                              "عمليات انجام نشد، لطفا چند لحظه بعد دوباره سعي نماييد");
        break;
    case SQLITE_FULL:
        lead = QStringLiteral("فضاي ديسک محل بانک اطلاعاتي پر شده است و عمليات انجام نشد");
        break;
    case SQLITE_READONLY:
        lead = QStringLiteral("بانك اطلاعاتي فقط خواندني است يا اجازه نوشتن در فايل آن داده نشده است و عمليات انجام نشد؛ "
                              "لطفا با مدير شبكه تماس حاصل نماييد");
        break;
    case SQLITE_IOERR:
        lead = QStringLiteral("خواندن يا نوشتن فايل بانك اطلاعاتي با خطا مواجه شد و عمليات انجام نشد؛ "
                              "ممكن است ارتباط با پوشه اشتراكي شبكه قطع شده باشد");
        break;
    case SQLITE_CANTOPEN:
        lead = QStringLiteral("فايل بانك اطلاعاتي باز نشد؛ مسير فايل و دسترسي به پوشه آن را بررسي نماييد");
        break;
    case SQLITE_CORRUPT:
        lead = QStringLiteral("فايل بانك اطلاعاتي آسيب ديده است و عمليات انجام نشد؛ لطفا با مدير شبكه تماس حاصل نماييد");
        break;
    case SQLITE_NOTADB:
        lead = QStringLiteral("فايل انتخاب شده بانك اطلاعاتي نيست؛ مسير فايل بانك اطلاعاتي را در تنظيمات اتصال بررسي نماييد");
        break;
    default:
        return error.text();
    }
    return lead + QLatin1Char('\n') + error.text();
}

// The error of a failed begin or commit. QSQLITE leaves SQLite's result code
// out of it; the connection still holds the code of the failed statement.
QSqlError transactionError(const QSqlDatabase &db)
{
    const QSqlError error = db.lastError();
    const QVariant handle = db.driver()->handle();
    if (!error.nativeErrorCode().isEmpty() || db.driverName() != QLatin1String("QSQLITE") || !handle.isValid())
        return error;
    sqlite3 *sqlite = *static_cast<sqlite3 *const *>(handle.data());
    return QSqlError(error.driverText(), error.databaseText(), error.type(),
                     sqlite ? QString::number(sqlite3_extended_errcode(sqlite)) : QString());
}

// The server's own statement limit answers first; the watch gives up on a
// server that does not answer at all this much later.
constexpr int WatchGraceMilliseconds = 1000;

PGconn *pgConnection(const QSqlDatabase &db)
{
    if (!db.isValid() || !db.driver() || db.driverName() != QLatin1String("QPSQL"))
        return nullptr;
    const QVariant handle = db.driver()->handle();
    return handle.isValid() ? *static_cast<PGconn *const *>(handle.data()) : nullptr;
}

// Whether an idle PostgreSQL connection has been closed by the other side:
// what arrived while idle (the server's farewell, the end of the stream) is
// read, which tells libpq that the connection is gone.
bool pgClosedWhileIdle(PGconn *pg)
{
    for (int reads = 0; reads < 4; ++reads) {
        if (PQstatus(pg) == CONNECTION_BAD || PQsocket(pg) < 0)
            return true;
        pollfd socket{PQsocket(pg), POLLIN, 0};
        if (::poll(&socket, 1, 0) <= 0)
            return false;
        PQconsumeInput(pg);
    }
    return PQstatus(pg) == CONNECTION_BAD;
}

void splitHostPort(const QString &server, QString *host, int *port)
{
    *host = server;
    *port = -1;
    int sep = server.lastIndexOf(QLatin1Char(','));
    if (sep < 0 && server.count(QLatin1Char(':')) == 1)
        sep = server.indexOf(QLatin1Char(':'));
    if (sep > 0) {
        bool ok = false;
        int p = server.mid(sep + 1).trimmed().toInt(&ok);
        if (ok) {
            *host = server.left(sep).trimmed();
            *port = p;
        }
    }
}

} // namespace

ColumnKind columnKindOfDeclaredType(const QString &declared)
{
    const QString t = declared.toLower();
    if (t.contains(QLatin1String("bit")) || t.contains(QLatin1String("bool")))
        return ColumnKind::Bool;
    if (t.contains(QLatin1String("int")))
        return ColumnKind::Integer;
    if (t.contains(QLatin1String("money")) || t.contains(QLatin1String("numeric")) || t.contains(QLatin1String("decimal")))
        return ColumnKind::Money;
    if (t.contains(QLatin1String("float")) || t.contains(QLatin1String("real")) || t.contains(QLatin1String("doub")))
        return ColumnKind::Float;
    if (t.contains(QLatin1String("blob")) || t.contains(QLatin1String("image")))
        return ColumnKind::Bytes;
    if (t.contains(QLatin1String("date")) || t.contains(QLatin1String("time")))
        return ColumnKind::DateTime;
    return ColumnKind::Text;
}

ColumnKind columnKindOfMetaType(int type)
{
    switch (type) {
    case QMetaType::Bool: return ColumnKind::Bool;
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Long: case QMetaType::ULong:
        return ColumnKind::Integer;
    case QMetaType::Double: case QMetaType::Float: return ColumnKind::Float;
    case QMetaType::QByteArray: return ColumnKind::Bytes;
    case QMetaType::QDateTime: case QMetaType::QDate: case QMetaType::QTime: return ColumnKind::DateTime;
    default: return ColumnKind::Text;
    }
}

ColumnKind columnKindOfField(Engine engine, const QSqlField &field)
{
    // PostgreSQL's numeric (the oid), ODBC's SQL_NUMERIC and SQL_DECIMAL
    // (SQL Server's money and decimal).
    const int type = field.typeID();
    if ((engine == Engine::PostgreSql && type == 1700) || (engine == Engine::SqlServer && (type == 2 || type == 3)))
        return ColumnKind::Money;
    // ODBC's SQL_BIT: QODBC reads SQL Server's bit columns as integers.
    constexpr int OdbcBit = -7;
    if (engine == Engine::SqlServer && type == OdbcBit)
        return ColumnKind::Bool;
    return columnKindOfMetaType(field.metaType().id());
}

Connection::Connection(QObject *parent)
    : QObject(parent), m_name(QStringLiteral("kavrin-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
}

Connection::~Connection()
{
    close();
    QSqlDatabase::removeDatabase(m_name);
}

void Connection::setSettings(const ConnectionSettings &settings)
{
    m_settings = settings;
}

void Connection::open()
{
    close();
    static const char *drivers[] = {"QODBC", "QPSQL", "QSQLITE"};
    const char *driver = drivers[int(m_settings.engine)];
    if (!QSqlDatabase::isDriverAvailable(QLatin1String(driver)))
        throw DataError(QStringLiteral("راه انداز بانک اطلاعاتي %1 نصب نشده است").arg(QLatin1String(driver)));
    QSqlDatabase db = QSqlDatabase::contains(m_name) ? QSqlDatabase::database(m_name, false)
                                                     : QSqlDatabase::addDatabase(QLatin1String(driver), m_name);
    if (db.driverName() != QLatin1String(driver)) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        db = QSqlDatabase::addDatabase(QLatin1String(driver), m_name);
    }
    forgetSchema();
    QString odbcDriver;
    switch (m_settings.engine) {
    case Engine::Sqlite:
        if (m_settings.database.isEmpty())
            throw DataError(QStringLiteral("مسير فايل بانک اطلاعاتي خالي است"));
        // An existing file only: a wrong path must fail like a wrong server
        // name, never leave an empty new database behind.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        db.setDatabaseName(QUrl::fromLocalFile(QFileInfo(m_settings.database).absoluteFilePath()).toString(QUrl::FullyEncoded)
                           + QStringLiteral("?mode=rw"));
        break;
    case Engine::PostgreSql: {
        QString host;
        int port;
        splitHostPort(m_settings.server, &host, &port);
        db.setHostName(host);
        if (port > 0)
            db.setPort(port);
        db.setDatabaseName(m_settings.database);
        if (!m_settings.integratedSecurity) {
            db.setUserName(m_settings.user);
            db.setPassword(m_settings.password);
        }
        // The connection attempt is bounded by connect_timeout; keep-alives
        // find a server that vanished without closing the connection.
        db.setConnectOptions(QStringLiteral("connect_timeout=%1;keepalives=1;keepalives_idle=15;keepalives_interval=5;keepalives_count=3")
                                 .arg(std::max(m_limits.connectSeconds, 2)));
        break;
    }
    case Engine::SqlServer:
        odbcDriver = chooseSqlServerDriver(installedOdbcDrivers());
        if (odbcDriver.isEmpty())
            throw DataError(sqlServerDriverLine(odbcDriver));
        db.setDatabaseName(sqlServerConnectionString(m_settings, odbcDriver));
        db.setUserName(m_settings.integratedSecurity ? QString() : sqlServerLoginValue(SqlServerLogin::User, m_settings.user, odbcDriver));
        db.setPassword(m_settings.integratedSecurity ? QString() : sqlServerLoginValue(SqlServerLogin::Password, m_settings.password, odbcDriver));
        break;
    }
    if (m_settings.engine == Engine::SqlServer) {
        // The login and every request on the connection are bounded (whole seconds).
        db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%2")
                                 .arg(m_limits.connectSeconds).arg((m_limits.statementMilliseconds + 999) / 1000));
    }
    if (!db.open()) {
        QString text = m_settings.engine == Engine::Sqlite ? explainedSqliteError(db.lastError()) : db.lastError().text();
        if (text.isEmpty())
            text = QStringLiteral("اتصال برقرار نشد");
        // Which of the installed drivers was tried is part of the answer.
        if (!odbcDriver.isEmpty())
            text += QLatin1Char('\n') + sqlServerDriverLine(odbcDriver);
        throw DataError(text, db.lastError());
    }
    // The watch's copy of the socket is closed in every program this one
    // starts: a viewer left open must not keep the server's session (and
    // its locks) alive after this program has gone.
    if (PGconn *pg = pgConnection(db))
        m_watchSocket = ::fcntl(PQsocket(pg), F_DUPFD_CLOEXEC, 0);
    m_lost = false;
    m_opened = true;
    guarded([&] {
        applyStatementLimit(m_unbounded ? 0 : m_limits.statementMilliseconds);
        QSqlQuery init(db);
        if (m_settings.engine == Engine::PostgreSql) {
            init.exec(QStringLiteral("SET standard_conforming_strings = on"));
            init.exec(QStringLiteral("SET client_encoding = 'UTF8'"));
            init.exec(QStringLiteral("SET client_min_messages TO warning"));
            // Floats come as texts that read back as the same double, also
            // from a server older than 12, whose default rounds them to 15
            // digits.
            init.exec(QStringLiteral("SET extra_float_digits = 3"));
            if (!m_settings.schema.isEmpty())
                init.exec(QStringLiteral("SET search_path TO \"") + QString(m_settings.schema).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"'));
        } else if (m_settings.engine == Engine::Sqlite) {
            // The folding that the dialect's date ranges compare by.
            const QVariant handle = db.driver()->handle();
            if (handle.isValid())
                addFoldedLettersFunction(*static_cast<sqlite3 *const *>(handle.data()));
            // Several windows of one program share the file with other processes:
            // wait rather than fail on a busy database.
            init.exec(QStringLiteral("PRAGMA busy_timeout = 5000"));
        }
    });
}

void Connection::applyStatementLimit(int milliseconds)
{
    QSqlDatabase db = database();
    if (m_settings.engine == Engine::PostgreSql) {
        QSqlQuery(db).exec(QStringLiteral("SET statement_timeout = %1").arg(milliseconds));
    } else if (m_settings.engine == Engine::SqlServer) {
        // The query time-out set on the connection is the default of every
        // statement made on it afterwards.
        const QVariant handle = db.driver()->handle();
        if (handle.isValid())
            SQLSetConnectAttr(*static_cast<const SQLHANDLE *>(handle.data()), SQL_ATTR_QUERY_TIMEOUT,
                              reinterpret_cast<SQLPOINTER>(SQLULEN((milliseconds + 999) / 1000)), 0);
    }
}

void Connection::withoutStatementLimit(const std::function<void()> &work)
{
    if (m_unbounded) {
        work();
        return;
    }
    const auto restore = [this] {
        m_unbounded = false;
        if (database().isOpen())
            applyStatementLimit(m_limits.statementMilliseconds);
    };
    m_unbounded = true;
    if (database().isOpen())
        applyStatementLimit(0);
    runThenAlways(work, restore);
}

void Connection::closeWatchSocket()
{
    if (m_watchSocket >= 0)
        ::close(m_watchSocket);
    m_watchSocket = -1;
}

void Connection::close()
{
    closeWatchSocket();
    m_opened = false;
    if (QSqlDatabase::contains(m_name)) {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
}

bool Connection::connected() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

QHash<QString, ColumnKind> Connection::columnKinds(const QString &table)
{
    const QString key = table.toLower();
    auto it = m_kinds.constFind(key);
    if (it != m_kinds.constEnd())
        return *it;
    // Read like every other statement, bounded by the statement limit and
    // after a lost connection reopened. A table that does not exist, or a
    // read that fails on a connection still good, gives no columns; a
    // connection that broke or stalled meanwhile is an error.
    QHash<QString, ColumnKind> kinds;
    run(Effect::ReadsOnly, [&] {
        kinds.clear();
        QSqlDatabase db = database();
        if (m_settings.engine == Engine::Sqlite) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("PRAGMA table_info(") + dialect().quoted(table) + QLatin1Char(')'))) {
                while (q.next())
                    kinds.insert(q.value(1).toString().toLower(), columnKindOfDeclaredType(q.value(2).toString()));
            }
        } else {
            const QSqlRecord rec = db.record(m_settings.engine == Engine::PostgreSql ? key : table);
            if (rec.isEmpty() && brokeWhileReading())
                throw DataError(QString());
            for (int i = 0; i < rec.count(); ++i)
                kinds.insert(rec.fieldName(i).toLower(), columnKindOfField(m_settings.engine, rec.field(i)));
        }
    });
    if (!kinds.isEmpty())
        m_kinds.insert(key, kinds);
    return kinds;
}

QHash<QString, ColumnLimit> Connection::columnLimits(const QString &table)
{
    const QString key = table.toLower();
    auto it = m_columnLimits.constFind(key);
    if (it != m_columnLimits.constEnd())
        return *it;
    // Each column's declared type as the schema holds it: "nvarchar(10)",
    // "character varying(10)", "integer"...
    QString sql;
    switch (m_settings.engine) {
    case Engine::Sqlite:
        sql = QStringLiteral("PRAGMA table_info(") + dialect().quoted(table) + QLatin1Char(')');
        break;
    case Engine::PostgreSql:
        sql = QStringLiteral("select attnum, attname, format_type(atttypid, atttypmod) from pg_attribute "
                             "where attrelid = to_regclass(") + dialect().quoted(key) + QStringLiteral(") and attnum > 0 and not attisdropped");
        break;
    case Engine::SqlServer:
        // The catalogue's names as SQL Server defines them: on a database
        // with a case-sensitive collation they exist in upper case only.
        sql = QStringLiteral("select ORDINAL_POSITION, COLUMN_NAME, DATA_TYPE + coalesce('(' + cast(CHARACTER_MAXIMUM_LENGTH as varchar(12)) + ')', '') "
                             "from INFORMATION_SCHEMA.COLUMNS where TABLE_SCHEMA = schema_name() and TABLE_NAME = ") + dialect().quoted(table);
        break;
    }
    QHash<QString, ColumnLimit> limits;
    run(Effect::ReadsOnly, [&] {
        limits.clear();
        QSqlQuery q(database());
        if (!q.exec(sql)) {
            if (brokeWhileReading())
                throw DataError(q.lastError());
            return;
        }
        while (q.next())
            limits.insert(q.value(1).toString().toLower(), columnLimitOfDeclaredType(q.value(2).toString()));
    });
    if (!limits.isEmpty())
        m_columnLimits.insert(key, limits);
    return limits;
}

std::unique_ptr<Statement> Connection::statement() const
{
    if (m_statementMaker)
        return m_statementMaker();
    return std::make_unique<SqlStatement>(database());
}

void Connection::transaction(const std::function<void()> &work)
{
    run(Effect::ReadsOnly, [this] {
        QSqlDatabase db = database();
        if (!db.transaction())
            throw DataError(transactionError(db));
    });
    m_inTransaction = true;
    try {
        work();
        run(Effect::Writes, [this] {
            QSqlDatabase db = database();
            if (!db.commit())
                throw DataError(transactionError(db));
        });
    } catch (...) {
        try {
            guarded([this] {
                QSqlDatabase db = database();
                if (db.isOpen())
                    db.rollback();
            });
        } catch (...) {
        }
        m_inTransaction = false;
        throw;
    }
    m_inTransaction = false;
}

void Connection::run(Effect effect, const std::function<void()> &work)
{
    if (m_depth > 0) { // a part of an operation already under way
        work();
        return;
    }
    const bool mayReopen = !m_inTransaction;
    if (mayReopen && foundBroken())
        reopenAfterLoss();
    for (bool again = true;; again = false) {
        QElapsedTimer clock;
        clock.start();
        try {
            guarded(work);
            return;
        } catch (const DataError &e) {
            const Outcome outcome = outcomeOf(clock.elapsed(), e.message());
            if (outcome == Outcome::Lost && mayReopen && effect == Effect::ReadsOnly && again) {
                reopenAfterLoss();
                continue;
            }
            if (outcome == Outcome::Failed && !e.message().isEmpty())
                throw DataError(m_settings.engine == Engine::Sqlite && e.engineError().isValid() ? explainedSqliteError(e.engineError())
                                                                                                : e.message());
            raise(outcome, e.message());
        }
    }
}

void Connection::guarded(const std::function<void()> &work)
{
    const bool watched = m_watchSocket >= 0 && !m_unbounded;
    const auto leave = [this, watched] {
        --m_depth;
        if (watched && m_watch)
            m_watch->disarm();
    };
    // The depth is restored also when the watch or its thread cannot be
    // made: a depth left raised would turn reopening off for good.
    ++m_depth;
    runThenAlways(
        [&] {
            if (watched) {
                if (!m_watch)
                    m_watch = std::make_unique<StatementWatch>();
                m_watch->arm(m_watchSocket, m_limits.statementMilliseconds + WatchGraceMilliseconds);
            }
            work();
        },
        leave);
}

Connection::Outcome Connection::outcomeOf(qint64 elapsedMilliseconds, const QString &engineText)
{
    if (m_watch && m_watch->fired())
        return Outcome::TimedOut;
    // PostgreSQL's own statement_timeout cancels with SQLSTATE 57014; the
    // client's clock may read a hair under the limit when it does.
    if (m_settings.engine == Engine::PostgreSql && !m_unbounded && engineText.contains(QLatin1String("(57014)")))
        return Outcome::TimedOut;
    // SQLite waits for a busy file only as long as its busy wait, and a long
    // statement of its own is no server that stopped answering.
    if (m_settings.engine != Engine::Sqlite && !m_unbounded && elapsedMilliseconds >= m_limits.statementMilliseconds)
        return Outcome::TimedOut;
    QSqlDatabase db = database();
    switch (m_settings.engine) {
    case Engine::Sqlite:
        return Outcome::Failed;
    case Engine::PostgreSql: {
        PGconn *pg = pgConnection(db);
        return !pg || PQstatus(pg) == CONNECTION_BAD ? Outcome::Lost : Outcome::Failed;
    }
    case Engine::SqlServer: {
        // ODBC tells no state of its own: a connection that cannot answer
        // the simplest statement is gone.
        QSqlQuery probe(db);
        return db.isOpen() && probe.exec(QStringLiteral("select 1")) ? Outcome::Failed : Outcome::Lost;
    }
    }
    return Outcome::Failed;
}

bool Connection::brokeWhileReading()
{
    if (m_watch && m_watch->fired())
        return true;
    PGconn *pg = pgConnection(database());
    return pg && PQstatus(pg) == CONNECTION_BAD;
}

bool Connection::foundBroken()
{
    if (m_lost)
        return true;
    if (!m_opened)
        return false; // never connected, or closed on purpose: nothing to reopen
    QSqlDatabase db = database();
    if (!db.isOpen())
        return true;
    PGconn *pg = pgConnection(db);
    return pg && pgClosedWhileIdle(pg);
}

void Connection::reopenAfterLoss()
{
    m_lost = true;
    try {
        open();
    } catch (const DataError &e) {
        raise(Outcome::Lost, e.message());
    }
}

void Connection::raise(Outcome outcome, const QString &engineText)
{
    switch (outcome) {
    case Outcome::Failed:
        throw DataError(engineText.isEmpty() ? QStringLiteral("عمليات بانک اطلاعاتي انجام نشد") : engineText);
    case Outcome::Lost: {
        m_lost = true;
        const QString text = QStringLiteral("ارتباط با بانک اطلاعاتي قطع شد");
        throw DataError(engineText.isEmpty() ? text : text + QLatin1Char('\n') + engineText);
    }
    case Outcome::TimedOut:
        m_lost = m_watch && m_watch->fired();
        throw DataError(QStringLiteral("بانک اطلاعاتي در %1 ثانيه پاسخ نداد")
                            .arg(QString::number(m_limits.statementMilliseconds / 1000.0, 'g', 3)));
    }
    throw DataError(engineText);
}
