#pragma once
// Small helpers shared by the benchmarks: memory readings and timing of an
// outside command (the raw engine's own client).
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QCoreApplication>
#include <QTextStream>
#include <QSqlDatabase>
#include <QSqlQuery>
#include "platform/Connection.h"
#include <QSqlDriver>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <algorithm>

namespace bench {

inline double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A value of /proc/self/status in kB ("VmRSS", "VmHWM").
inline long statusKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toLong();
    return -1;
}

// Resets the peak so that VmHWM measures what comes next.
inline void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

struct CommandRun {
    double seconds = 0;
    long peakKb = 0;
    bool ok = false;
};

// Runs a shell command (its output to /dev/null) and reports wall time and
// the peak memory of the child.
inline CommandRun runCommand(const QString &shellCommand, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    CommandRun run;
    QProcess p;
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    // exec: the shell is replaced by the command, so the child's peak is the command's own.
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exec ") + shellCommand});
    run.ok = p.waitForFinished(-1) && p.exitCode() == 0;
    run.seconds = t.nsecsElapsed() / 1e9;
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    run.peakKb = usage.ru_maxrss;
    return run;
}

// The engine's own C interface in this process (sqlite3_step, libpq in
// single-row mode) running statements on the connection and reading every
// value of every row: texts and blobs as the engine hands them over, numbers
// as numbers. It keeps nothing, so it is the floor that opening a query is
// compared with.
struct LoopRun {
    double seconds = 0;
    qint64 rows = 0;
    quint64 checksum = 0; // so that no read can be left out
};

inline LoopRun engineLoop(Connection &c, const QStringList &statements)
{
    LoopRun run;
    const QVariant handle = c.database().driver()->handle();
    QElapsedTimer t;
    t.start();
    for (const QString &statement : statements) {
        const QByteArray sql = statement.toUtf8();
        if (c.engine() == Engine::Sqlite) {
            sqlite3 *db = *static_cast<sqlite3 *const *>(handle.data());
            sqlite3_stmt *st = nullptr;
            if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK)
                return run;
            const int n = sqlite3_column_count(st);
            while (sqlite3_step(st) == SQLITE_ROW) {
                ++run.rows;
                for (int i = 0; i < n; ++i) {
                    switch (sqlite3_column_type(st, i)) {
                    case SQLITE_INTEGER: run.checksum += quint64(sqlite3_column_int64(st, i)); break;
                    case SQLITE_FLOAT: run.checksum += quint64(sqlite3_column_double(st, i)); break;
                    case SQLITE_NULL: break;
                    case SQLITE_BLOB: {
                        const char *blob = static_cast<const char *>(sqlite3_column_blob(st, i));
                        run.checksum += quint64(sqlite3_column_bytes(st, i)) + quint64(blob ? *blob : 0);
                        break;
                    }
                    default:
                        run.checksum += quint64(sqlite3_column_bytes(st, i)) + quint64(*sqlite3_column_text(st, i));
                        break;
                    }
                }
            }
            sqlite3_finalize(st);
        } else {
            // Single-row mode, as the program reads: the rows stream in one
            // at a time and no result holds them all.
            PGconn *pg = *static_cast<PGconn *const *>(handle.data());
            if (!PQsendQuery(pg, sql.constData()))
                return run;
            PQsetSingleRowMode(pg);
            while (PGresult *result = PQgetResult(pg)) {
                const int rows = PQntuples(result), n = PQnfields(result);
                run.rows += rows;
                for (int r = 0; r < rows; ++r)
                    for (int i = 0; i < n; ++i)
                        run.checksum += quint64(PQgetlength(result, r, i)) + quint64(*PQgetvalue(result, r, i));
                PQclear(result);
            }
        }
    }
    run.seconds = t.nsecsElapsed() / 1e9;
    return run;
}

// The database a benchmark runs on, with the engine's own client for the
// same statements.
struct Database {
    ConnectionSettings settings;
    QString clientCommand;     // reads statements from the file given after it
    QProcessEnvironment clientEnv = QProcessEnvironment::systemEnvironment();
    QString label;
};

// An SQLite file in `dir`.
inline Database sqliteDatabase(const QString &dir)
{
    Database d;
    d.label = QStringLiteral("SQLite");
    d.settings.engine = Engine::Sqlite;
    d.settings.database = dir + QStringLiteral("/bench.sqlite");
    {
        QSqlDatabase create = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("create"));
        create.setDatabaseName(d.settings.database);
        create.open();
        create.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("create"));
    d.clientCommand = QStringLiteral("sqlite3 '%1' <").arg(d.settings.database);
    return d;
}

// A fresh schema `schema` on the server that KAVRIN_BENCH_PG (or
// KAVRIN_TEST_PG) names; false when none is named.
inline bool postgresDatabase(const QString &schema, Database &d)
{
    QString server = qEnvironmentVariable("KAVRIN_BENCH_PG");
    if (server.isEmpty())
        server = qEnvironmentVariable("KAVRIN_TEST_PG");
    if (server.isEmpty())
        return false;
    d.label = QStringLiteral("PostgreSQL");
    d.settings.engine = Engine::PostgreSql;
    QString host, port = QStringLiteral("5432");
    for (const QString &part : server.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString k = part.section(QLatin1Char('='), 0, 0), v = part.section(QLatin1Char('='), 1);
        if (k == QLatin1String("host")) host = v;
        else if (k == QLatin1String("port")) port = v;
        else if (k == QLatin1String("user")) d.settings.user = v;
        else if (k == QLatin1String("password")) d.settings.password = v;
        else if (k == QLatin1String("dbname")) d.settings.database = v;
    }
    d.settings.server = host + QLatin1Char(':') + port;
    {
        Connection admin;
        admin.setSettings(d.settings);
        admin.open();
        QSqlQuery q(admin.database());
        q.exec(QStringLiteral("drop schema if exists %1 cascade").arg(schema));
        q.exec(QStringLiteral("create schema %1").arg(schema));
    }
    d.settings.schema = schema;
    d.clientEnv.insert(QStringLiteral("PGOPTIONS"), QStringLiteral("-c search_path=") + schema);
    if (!d.settings.password.isEmpty())
        d.clientEnv.insert(QStringLiteral("PGPASSWORD"), d.settings.password);
    d.clientCommand = QStringLiteral("psql -X -q -A -t -h %1 -p %2 -U %3 -d %4 -f").arg(host, port, d.settings.user, d.settings.database);
    return true;
}

// Measures each engine in a process of its own, so that one engine's freed
// memory does not hide the other's. With no engine named on the command line
// (argument 2), runs this program again for "sqlite" and for "postgres" and
// returns true: the caller then ends. Otherwise returns false.
inline bool ranEachEngineApart(int rows, const QString &engine)
{
    if (!engine.isEmpty())
        return false;
    for (const char *name : {"sqlite", "postgres"}) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(QCoreApplication::applicationFilePath(), {QString::number(rows), QLatin1String(name)});
        p.waitForFinished(-1);
    }
    return true;
}

// The database of the named engine: an SQLite file in `dir`, or a fresh
// schema on the server the environment names. False (with a message) when
// no server is named.
inline bool engineDatabase(const QString &engine, const QString &schema, const QString &dir, Database &d, QTextStream &out)
{
    if (engine == QLatin1String("sqlite")) {
        d = sqliteDatabase(dir);
        return true;
    }
    if (postgresDatabase(schema, d))
        return true;
    out << "PostgreSQL: no server named (KAVRIN_BENCH_PG=\"host=..;port=..;user=..;dbname=..\")" << Qt::endl;
    return false;
}

} // namespace bench
