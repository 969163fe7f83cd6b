// A database server that goes away or stops answering: through a relay
// between the program and the test server that the test cuts, pauses and
// restores. Every error carries a text, an operation outside a transaction
// reconnects once, nothing blocks beyond the time limits, and the program
// works again as soon as the server is back.
#include "TcpRelay.h"
#include "TestSupport.h"
#include "platform/DataError.h"
#include "platform/Query.h"
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <functional>
#include <pthread.h>

namespace {

const QString lostText = QStringLiteral("ارتباط با بانک اطلاعاتي قطع شد");

// The text of the error the work raises; the empty text when it raises none.
template <class Work>
QString errorOf(Work work)
{
    try {
        work();
    } catch (const DataError &e) {
        return e.message().isEmpty() ? QStringLiteral("<empty>") : e.message();
    }
    return QString();
}

} // namespace

class ConnectionTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<TcpRelay> relay;
    std::unique_ptr<Connection> conn;

    void exec(const QString &sql)
    {
        Query q(conn.get(), QStringLiteral("q"));
        q.add(sql);
        q.execute();
    }
    int count()
    {
        Query q(conn.get(), QStringLiteral("q"));
        q.add(QStringLiteral("select * from t"));
        q.open();
        return q.recordCount();
    }
    // The server goes away and comes back while the program is idle.
    void restartServer()
    {
        relay->cut();
        QThread::msleep(100);
        relay->restore();
    }
    void postName(const QString &name)
    {
        Query q(conn.get(), QStringLiteral("q"));
        q.add(QStringLiteral("select * from t"));
        q.open();
        q.append();
        q.field(QStringLiteral("name")).setText(name);
        q.post();
    }

private Q_SLOTS:
    void init()
    {
        if (qEnvironmentVariableIsEmpty("KAVRIN_TEST_PG"))
            QSKIP("needs a PostgreSQL server (KAVRIN_TEST_PG)");
        db = std::make_unique<TestDatabase>(Engine::PostgreSql);
        const QString server = db->settings().server;
        relay = std::make_unique<TcpRelay>(server.section(QLatin1Char(':'), 0, 0),
                                           quint16(server.section(QLatin1Char(':'), 1).toUInt()));
        ConnectionSettings settings = db->settings();
        settings.server = relay->address();
        conn = std::make_unique<Connection>();
        conn->setSettings(settings);
        conn->setTimeLimits({2, 1000});
        conn->open();
        exec(QStringLiteral("create table t (id serial primary key, name varchar(20))"));
        exec(QStringLiteral("insert into t (name) values ('a')"));
    }
    void cleanup()
    {
        conn.reset();
        relay.reset();
        db.reset();
    }

    // The server went away while the program was idle and is back: the next
    // operation of every kind reopens the connection and runs.
    void serverBackBeforeNextOperation()
    {
        restartServer();
        QCOMPARE(count(), 1);
        restartServer();
        exec(QStringLiteral("insert into t (name) values ('b')"));
        restartServer();
        postName(QStringLiteral("c"));
        restartServer();
        conn->transaction([&] { exec(QStringLiteral("insert into t (name) values ('d')")); });
        QCOMPARE(count(), 4);
    }

    // While the server stays away every operation fails with a text; once it
    // is back the next operation works without restarting anything.
    void serverAwayEveryErrorHasText()
    {
        relay->cut();
        for (int round = 0; round < 2; ++round) {
            QVERIFY(errorOf([&] { count(); }).contains(lostText));
            QVERIFY(errorOf([&] { exec(QStringLiteral("insert into t (name) values ('x')")); }).contains(lostText));
            QVERIFY(errorOf([&] { postName(QStringLiteral("x")); }).contains(lostText));
            QVERIFY(errorOf([&] { conn->transaction([&] { exec(QStringLiteral("delete from t")); }); }).contains(lostText));
        }
        relay->restore();
        postName(QStringLiteral("b"));
        QCOMPARE(count(), 2);
    }

    // Inside a transaction a lost connection is not reopened: the error stands
    // and nothing of the transaction is kept.
    void lostInsideTransactionStands()
    {
        const QString error = errorOf([&] {
            conn->transaction([&] {
                exec(QStringLiteral("insert into t (name) values ('x')"));
                restartServer();
                exec(QStringLiteral("insert into t (name) values ('y')"));
            });
        });
        QVERIFY2(error.contains(lostText), qPrintable(error));
        QCOMPARE(count(), 1);
    }

    // A server that stops answering: the statement gives up soon after the
    // limit with a clear error, and the next one after the server answers again works.
    void stalledServerGivesUp()
    {
        QElapsedTimer clock;
        for (const std::function<void()> &operation : {std::function<void()>([&] { count(); }),
                                                         std::function<void()>([&] { exec(QStringLiteral("insert into t (name) values ('x')")); })}) {
            relay->pause();
            clock.start();
            const QString error = errorOf(operation);
            QVERIFY2(error.contains(QStringLiteral("پاسخ نداد")), qPrintable(error));
            QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
            relay->restore();
            QCOMPARE(count(), 1);
        }

        // A new connection to a server that does not answer gives up too.
        relay->pause();
        Connection other;
        other.setSettings(conn->settings());
        other.setTimeLimits({2, 1000});
        clock.restart();
        QVERIFY(!errorOf([&] { other.open(); }).isEmpty());
        QVERIFY2(clock.elapsed() < 6000, qPrintable(QString::number(clock.elapsed())));
        relay->restore();
    }

    // A program started while connected holds no socket of this program.
    void startedProgramInheritsNoDatabaseSocket()
    {
        QCOMPARE(count(), 1);
        QProcess child;
        child.start(QStringLiteral("ls"), {QStringLiteral("-l"), QStringLiteral("/proc/self/fd")});
        QVERIFY(child.waitForFinished());
        const QString inherited = QString::fromLocal8Bit(child.readAllStandardOutput());
        QVERIFY2(!inherited.contains(QStringLiteral("socket:")), qPrintable(inherited));
    }

    // No thread can be started when the statement watch wants its own: the
    // operation fails with a sentence in Persian before the system's text,
    // and afterwards a lost connection is reopened as ever.
    void watchThreadRefusedThenReopenAsEver()
    {
        Connection other;
        other.setSettings(conn->settings());
        other.setTimeLimits({2, 1000});
        pthread_attr_t huge;
        pthread_attr_init(&huge);
        pthread_attr_setstacksize(&huge, size_t(1) << 50);
        pthread_attr_t usual;
        pthread_getattr_default_np(&usual);
        pthread_setattr_default_np(&huge);
        const QString refused = errorOf([&] { other.open(); });
        pthread_setattr_default_np(&usual);
        pthread_attr_destroy(&huge);
        pthread_attr_destroy(&usual);
        QCOMPARE(refused, QStringLiteral("منابع سيستم براي برقراري ارتباط با بانك اطلاعاتي كافي نيست؛ لطفا برنامه هاي ديگر را ببنديد "
                                         "و دوباره سعي نماييد\n") + QString::fromStdString(std::make_error_code(std::errc::resource_unavailable_try_again).message()));
        restartServer();
        other.run(Connection::Effect::ReadsOnly, [&] {
            QSqlQuery q(other.database());
            QVERIFY2(q.exec(QStringLiteral("select count(*) from t")), qPrintable(q.lastError().text()));
        });
    }

    // A statement that runs too long on a healthy server is stopped at the
    // limit; the connection stays usable. The limit holds again after a
    // statement that failed, and after work without the limit (a backup,
    // which waits for the server however long it takes), also after such
    // work failed.
    void longStatementStopsAtLimit()
    {
        const auto stoppedAtLimit = [&] {
            const QString error = errorOf([&] { exec(QStringLiteral("select pg_sleep(20)")); });
            return error.contains(QStringLiteral("پاسخ نداد")) ? QString() : QStringLiteral("not stopped: ") + error;
        };
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(stoppedAtLimit(), QString());
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(count(), 1);
        QVERIFY(!errorOf([&] { exec(QStringLiteral("select nonsense")); }).isEmpty());
        QCOMPARE(stoppedAtLimit(), QString());
        conn->withoutStatementLimit([&] { exec(QStringLiteral("select pg_sleep(1.6)")); });
        QVERIFY(!errorOf([&] { conn->withoutStatementLimit([&] { exec(QStringLiteral("select nonsense")); }); }).isEmpty());
        QCOMPARE(stoppedAtLimit(), QString());
        QCOMPARE(count(), 1);
    }
};

QTEST_MAIN(ConnectionTest)
#include "tst_connection.moc"
