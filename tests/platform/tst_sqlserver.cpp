// The SQL Server path without a server: the literals and unbound values of the
// SQL Server dialect, the connection strings and the choice of the ODBC
// driver, statements whose further results are all read, and what the ODBC
// layer installed here answers (its driver list, an unreachable server, the
// type of a bit column read through QODBC), and the program's own connection
// and edit through the ODBC layer to a stand-in driver.
#include "TestSupport.h"
#include "platform/DataError.h"
#include "platform/Dialect.h"
#include "platform/Query.h"
#include "platform/SqlServerOdbc.h"
#include "platform/Statement.h"
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <memory>

namespace {

// A text with what a literal must carry whole: Persian letters (the Persian
// yeh U+06CC and keheh), Persian digits, a quote.
const QString Probe = QStringLiteral("علی' کی ۱۲۳");

// A literal read back as the engine reads it: an optional N, quotes doubled.
QString readLiteral(const QString &literal, bool *national)
{
    QString body = literal;
    *national = body.startsWith(QLatin1Char('N'));
    if (*national)
        body.remove(0, 1);
    if (body.size() < 2 || !body.startsWith(QLatin1Char('\'')) || !body.endsWith(QLatin1Char('\'')))
        return QStringLiteral("<no literal>");
    body = body.mid(1, body.size() - 2);
    if (body.count(QLatin1Char('\'')) % 2 != 0)
        return QStringLiteral("<unpaired quote>");
    return body.replace(QStringLiteral("''"), QStringLiteral("'"));
}

// Results a statement answers with, one after the other; an error text
// stands for a result that fails.
class FakeStatement : public Statement {
public:
    QStringList executed;
    bool execFails = false;
    QStringList pending; // each: "" for a good result, else its error text
    int read = 0;
    QString error;

    bool exec(const QString &sql) override
    {
        executed << sql;
        error = execFails ? QStringLiteral("Incorrect syntax") : QString();
        return !execFails;
    }
    int rowsAffected() const override { return 4; }
    bool nextResult() override
    {
        if (read >= pending.size())
            return false;
        error = pending[read++];
        return error.isEmpty();
    }
    QSqlError lastError() const override { return QSqlError(QString(), error, error.isEmpty() ? QSqlError::NoError : QSqlError::StatementError); }
};

// SQLite's ODBC driver registered as "ODBC Driver 18 for SQL Server" in an
// odbcinst.ini of the test's own, with the driver manager's trace on: the
// program connects to it as to SQL Server, through the real ODBC layer, and
// the trace shows what reached the driver. unixODBC reads ODBCSYSINI once a
// process, so a test row runs against it in a new process of this program,
// in the folder of the ini and the trace. The connection string braces every
// value, so the driver opens the database "{name}" there.
namespace standIn {

const char Variable[] = "KAVRIN_ODBC_STAND_IN"; // set in such a process

// Starts the current test row in such a process, in `dir`, with `drivers`
// (sections of an odbcinst.ini) registered; `port` is passed on in the
// variable (the port of the test's listener, where there is one).
bool startCurrentRow(QProcess &child, const QTemporaryDir &dir, const QByteArray &drivers, quint16 port = 0)
{
    QFile ini(dir.filePath(QStringLiteral("odbcinst.ini")));
    if (!ini.open(QIODevice::WriteOnly)
        || ini.write("[ODBC]\nTrace=Yes\nTraceFile=" + QFile::encodeName(dir.filePath(QStringLiteral("trace.log"))) + "\n\n" + drivers) < 0)
        return false;
    ini.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ODBCSYSINI"), dir.path());
    env.insert(QString::fromLatin1(Variable), QString::number(port));
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(dir.path());
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(QTest::currentTestFunction()) + QLatin1Char(':') + QString::fromLatin1(QTest::currentDataTag())});
    return true;
}

// The output of the row's process when it failed or did not end in a minute.
QString failureOf(QProcess &child)
{
    const bool ended = child.state() == QProcess::NotRunning || child.waitForFinished(60000);
    const bool passed = ended && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    return passed ? QString() : QString::fromLocal8Bit(child.readAll()) + child.errorString();
}

// The trace from the preparation of a statement on: its text and the SQL
// type of each parameter bound to it before it ran.
QStringList preparedWithTypes(const QString &startOfStatement)
{
    QFile file(QStringLiteral("trace.log"));
    file.open(QIODevice::ReadOnly);
    const QString trace = QString::fromUtf8(file.readAll());
    const qsizetype at = trace.indexOf(QStringLiteral("SQL = [") + startOfStatement);
    if (at < 0)
        return {};
    const QString steps = trace.mid(at + 7, trace.indexOf(QStringLiteral("[SQLExecute"), at) - at - 7);
    QStringList found{steps.left(steps.indexOf(QLatin1Char(']')))};
    static const QRegularExpression type(QStringLiteral("SQL Type = (-?\\d+)"));
    for (const QRegularExpressionMatch &m : type.globalMatch(steps))
        found << m.captured(1);
    return found;
}

} // namespace standIn

// A stand-in SQL Server on 127.0.0.1 for FreeTDS: it answers the pre-login
// without encryption, decodes the names the login carries and closes.
namespace tdsListener {

// One message of the client's of the packet type `type`: its packets'
// payloads up to the last one; empty when none comes in five seconds.
QByteArray readMessage(QTcpSocket &socket, char type)
{
    const auto wait = [&](qint64 bytes) {
        while (socket.bytesAvailable() < bytes)
            if (!socket.waitForReadyRead(5000))
                return false;
        return true;
    };
    QByteArray message;
    for (bool last = false; !last;) {
        if (!wait(8))
            return {};
        const QByteArray header = socket.read(8);
        const int length = uchar(header[2]) << 8 | uchar(header[3]);
        if (header[0] != type || length < 8 || !wait(length - 8))
            return {};
        message += socket.read(length - 8);
        last = header[1] & 1;
    }
    return message;
}

// A text of the login by the offset and length (in UTF-16 units) at `entry`
// of its table; the password's bytes are obfuscated: XOR 0xA5 after a swap
// of the nibbles, undone here.
QString loginText(const QByteArray &login, int entry, bool obfuscated = false)
{
    const auto word = [&](int at) { return int(uchar(login[at]) | uchar(login[at + 1]) << 8); };
    QByteArray bytes = login.mid(word(entry), 2 * word(entry + 2));
    for (char &b : bytes)
        b = obfuscated ? char((uchar(b) ^ 0xA5) << 4 | (uchar(b) ^ 0xA5) >> 4) : b;
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()), bytes.size() / 2);
}

// Serves the connections to `server` while `client` runs (a minute at the
// most): per connection, the server name, database, user and password its
// login carried (empty for one that sent no login).
QList<QStringList> serve(QTcpServer &server, QProcess &client)
{
    // The pre-login answer: version 16.0, encryption not supported.
    static const char answer[] = {0x04, 0x01, 0, 26, 0, 0, 1, 0, 0x00, 0, 11, 0, 6, 0x01, 0, 17, 0, 1, char(0xFF),
                                  16, 0, 0, 0, 0, 0, 0x02};
    QList<QStringList> logins;
    QElapsedTimer clock;
    clock.start();
    while (!client.waitForFinished(50) && clock.elapsed() < 60000) {
        if (!server.waitForNewConnection(50))
            continue;
        std::unique_ptr<QTcpSocket> socket(server.nextPendingConnection());
        logins << QStringList();
        if (readMessage(*socket, 0x12).isEmpty() || socket->write(answer, sizeof answer) != sizeof answer)
            continue;
        const QByteArray login = readMessage(*socket, 0x10);
        if (login.size() >= 72) // the table up to the database's entry
            logins.last() = {loginText(login, 52), loginText(login, 68), loginText(login, 40), loginText(login, 44, true)};
    }
    return logins;
}

} // namespace tdsListener

} // namespace

class SqlServerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textLiteralsCarryTheUnicodePrefixOnSqlServerOnly()
    {
        bool national = false;
        const QString literal = Dialect::of(Engine::SqlServer).quoted(Probe);
        QCOMPARE(readLiteral(literal, &national), Probe);
        QVERIFY(national);
        QCOMPARE(Dialect::of(Engine::SqlServer).quoted(QString()), QStringLiteral("N''"));
        for (Engine e : {Engine::Sqlite, Engine::PostgreSql}) {
            QCOMPARE(readLiteral(Dialect::of(e).quoted(Probe), &national), Probe);
            QVERIFY(!national);
        }
        // The statements the dialect writes itself quote the same way.
        QCOMPARE(Dialect::of(Engine::SqlServer).backupStatement(QStringLiteral("vantu"), QStringLiteral("D:\\پشتيبان")),
                 QStringLiteral("BACKUP DATABASE [vantu] TO DISK= N'D:\\پشتيبان'"));
        QCOMPARE(Dialect::of(Engine::SqlServer).integerDiffersFromEmpty(QStringLiteral("id")), QStringLiteral("id<>N''"));
    }

    // On the engines that run here the plain literal comes back whole.
    void literalsRoundTripThroughTheEngines_data() { addEngineRows(); }
    void literalsRoundTripThroughTheEngines()
    {
        TestDatabase db(currentEngine());
        auto c = db.connect();
        QSqlQuery q(c->database());
        QVERIFY2(q.exec(QStringLiteral("select ") + c->dialect().quoted(Probe)), qPrintable(q.lastError().text()));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), Probe);
    }

    // SQL Server converts the text to a number and raises on one that is
    // none: such a text is compared as text there.
    void integerColumnComparedWithAnyText()
    {
        const Dialect &d = Dialect::of(Engine::SqlServer);
        QCOMPARE(d.integerEqualsText(QStringLiteral("rec_prs_id"), QStringLiteral("12")), QStringLiteral("rec_prs_id=N'12'"));
        QCOMPARE(d.integerEqualsText(QStringLiteral("rec_prs_id"), QStringLiteral("علی")),
                 QStringLiteral("cast(rec_prs_id as nvarchar(20))=N'علی'"));
        QCOMPARE(d.integerEqualsText(QStringLiteral("rec_prs_id"), QString()), QStringLiteral("cast(rec_prs_id as nvarchar(20))=N''"));
        QCOMPARE(Dialect::of(Engine::Sqlite).integerEqualsText(QStringLiteral("a"), QStringLiteral("x")), QStringLiteral("a='x'"));
    }

    // A search text as SQL Server's LIKE reads the pattern: "%" and "_" stay
    // the wildcards of every engine, and "[" is the letter itself, as it is on
    // the others (SQL Server would read it as the start of a class).
    void searchPatternAsSqlServerReadsIt()
    {
        const QString condition = Dialect::of(Engine::SqlServer).containsText(QStringLiteral("cmt"), QStringLiteral("a[1]_b%"));
        const qsizetype at = condition.indexOf(QStringLiteral(" like "));
        QVERIFY(at > 0);
        const QString literal = condition.mid(at + 6);
        const qsizetype open = literal.indexOf(QStringLiteral("N'"));
        // The pattern's own literal ends at the first quote that is not
        // doubled; the fold of its digit may wrap it in further literals.
        qsizetype close = open + 2;
        while (close < literal.size() && (literal[close] != QLatin1Char('\'') || literal.mid(close, 2) == QStringLiteral("''")))
            close += literal[close] == QLatin1Char('\'') ? 2 : 1;
        bool national = false;
        const QString pattern = readLiteral(literal.mid(open, close - open + 1), &national);
        QVERIFY(national);
        // SQL Server's LIKE as a regular expression: % any run, _ any one
        // character, [...] one character of the class.
        QString expression = QStringLiteral("^");
        for (qsizetype i = 0; i < pattern.size(); ++i) {
            const QChar c = pattern[i];
            if (c == QLatin1Char('%')) {
                expression += QStringLiteral(".*");
            } else if (c == QLatin1Char('_')) {
                expression += QLatin1Char('.');
            } else if (c == QLatin1Char('[')) {
                const qsizetype end = pattern.indexOf(QLatin1Char(']'), i + 2);
                QVERIFY2(end > i, qPrintable(pattern));
                expression += QLatin1Char('[') + QRegularExpression::escape(pattern.mid(i + 1, end - i - 1)) + QLatin1Char(']');
                i = end;
            } else {
                expression += QRegularExpression::escape(QString(c));
            }
        }
        const QRegularExpression like(expression + QLatin1Char('$'));
        QVERIFY(like.match(QStringLiteral("x a[1]-b y")).hasMatch());
        QVERIFY(like.match(QStringLiteral("a[1]xb%")).hasMatch());
        QVERIFY(!like.match(QStringLiteral("a1-b")).hasMatch());
        QVERIFY(!like.match(QStringLiteral("a[2]-b")).hasMatch());
    }

    // Empty texts and bytes are never bound on SQL Server.
    void emptyValuesAreWrittenNotBoundOnSqlServer()
    {
        const Dialect &d = Dialect::of(Engine::SqlServer);
        QCOMPARE(d.unboundValue(QVariant(QStringLiteral(""))), QStringLiteral("N''"));
        QCOMPARE(d.unboundValue(QVariant(QMetaType::fromType<QString>())), QStringLiteral("NULL"));
        QCOMPARE(d.unboundValue(QVariant(QByteArray(""))), QStringLiteral("0x"));
        QCOMPARE(d.unboundValue(QVariant(QMetaType::fromType<QByteArray>())), QStringLiteral("NULL"));
        QCOMPARE(d.unboundValue(QVariant(QStringLiteral("x"))), QString());
        QCOMPARE(d.unboundValue(QVariant(qlonglong(0))), QString());
        QCOMPARE(Dialect::of(Engine::Sqlite).unboundValue(QVariant(QStringLiteral(""))), QString());
        QCOMPARE(Dialect::of(Engine::PostgreSql).unboundValue(QVariant(QByteArray(""))), QString());
    }

    void serverAsTheUserTypesIt()
    {
        const auto check = [](const QString &typed, const QString &host, const QString &instance, int port) {
            const SqlServerAddress a = parseSqlServerAddress(typed);
            QCOMPARE(a.host, host);
            QCOMPARE(a.instance, instance);
            QCOMPARE(a.port, port);
        };
        check(QStringLiteral("db1"), QStringLiteral("db1"), QString(), -1);
        check(QStringLiteral("db1:1444"), QStringLiteral("db1"), QString(), 1444);
        check(QStringLiteral("db1, 1444"), QStringLiteral("db1"), QString(), 1444);
        check(QStringLiteral("db1\\SQLEXPRESS"), QStringLiteral("db1"), QStringLiteral("SQLEXPRESS"), -1);
        check(QStringLiteral("db1\\SQLEXPRESS,1500"), QStringLiteral("db1"), QStringLiteral("SQLEXPRESS"), 1500);
        check(QStringLiteral("fe80::1"), QStringLiteral("fe80::1"), QString(), -1);
        check(QStringLiteral("db1:abc"), QStringLiteral("db1:abc"), QString(), -1);
    }

    void connectionStringPerDriver()
    {
        ConnectionSettings s;
        s.engine = Engine::SqlServer;
        s.server = QStringLiteral("db1:1444");
        s.database = QStringLiteral("بانک;x}y");
        s.user = QStringLiteral("کاربر");
        s.password = QStringLiteral("p;w}d{=ی");
        const QString values = QStringLiteral("DATABASE={بانک;x}}y}");
        QCOMPARE(sqlServerLoginValue(SqlServerLogin::Password, s.password, QStringLiteral("ODBC Driver 18 for SQL Server")),
                 QStringLiteral("{p;w}}d{=ی}"));
        QCOMPARE(sqlServerLoginValue(SqlServerLogin::Password, s.password, QStringLiteral("FreeTDS")), QStringLiteral("{p;w}d{=ی};"));
        for (const QString &driver : {QStringLiteral("ODBC Driver 18 for SQL Server"), QStringLiteral("ODBC Driver 17 for SQL Server")})
            QCOMPARE(sqlServerConnectionString(s, driver),
                     QStringLiteral("DRIVER={") + driver + QStringLiteral("};SERVER={db1,1444};") + values + QStringLiteral(";TrustServerCertificate=yes"));
        QCOMPARE(sqlServerConnectionString(s, QStringLiteral("SQL Server")),
                 QStringLiteral("DRIVER={SQL Server};SERVER={db1,1444};") + values);
        QCOMPARE(sqlServerConnectionString(s, QStringLiteral("FreeTDS")),
                 QStringLiteral("DRIVER={FreeTDS};SERVER={db1};PORT=1444;TDS_Version=7.4;ClientCharset=UTF-8;DATABASE={بانک;x}y};"));

        // A named instance; Windows authentication sends no login.
        s.server = QStringLiteral("db1\\SQLEXPRESS");
        s.integratedSecurity = true;
        QCOMPARE(sqlServerConnectionString(s, QStringLiteral("FreeTDS")),
                 QStringLiteral("DRIVER={FreeTDS};SERVER={db1\\SQLEXPRESS};TDS_Version=7.4;ClientCharset=UTF-8;"
                                "DATABASE={بانک;x}y};Trusted_Connection=yes;"));
        QCOMPARE(sqlServerConnectionString(s, QStringLiteral("ODBC Driver 18 for SQL Server")),
                 QStringLiteral("DRIVER={ODBC Driver 18 for SQL Server};SERVER={db1\\SQLEXPRESS};"
                                "DATABASE={بانک;x}}y};Trusted_Connection=yes;TrustServerCertificate=yes"));
        s.server = QStringLiteral("db};1");
        QVERIFY_THROWS_EXCEPTION(DataError, sqlServerConnectionString(s, QStringLiteral("FreeTDS")));
    }

    void driverChosenFromTheInstalledOnes()
    {
        const QString d18 = QStringLiteral("ODBC Driver 18 for SQL Server");
        const QString d17 = QStringLiteral("ODBC Driver 17 for SQL Server");
        const QString d13 = QStringLiteral("ODBC Driver 13 for SQL Server");
        const QString builtIn = QStringLiteral("SQL Server");
        const QString freeTds = QStringLiteral("FreeTDS");
        const QString sqlite = QStringLiteral("SQLite3");
        QCOMPARE(chooseSqlServerDriver({sqlite, freeTds, d17, builtIn, d18}), d18);
        QCOMPARE(chooseSqlServerDriver({freeTds, builtIn, d17, d13}), d17);
        QCOMPARE(chooseSqlServerDriver({freeTds, builtIn, d13}), d13);
        QCOMPARE(chooseSqlServerDriver({freeTds, builtIn}), builtIn);
        QCOMPARE(chooseSqlServerDriver({sqlite, freeTds}), freeTds);
        QCOMPARE(chooseSqlServerDriver({sqlite}), QString());
        QCOMPARE(chooseSqlServerDriver({}), d18);
        QCOMPARE(sqlServerDriverLine(QString()), QStringLiteral("راه انداز ODBC براي SQL Server نصب نشده است"));
        // The driver manager lists what the installer registered.
        QVERIFY(installedOdbcDrivers().contains(freeTds));
    }

    // QODBC reads a bit column as an integer; its ODBC type makes it a
    // boolean again. Read here through the SQLite ODBC driver, whose "bit"
    // columns are ODBC bit columns as SQL Server's are.
    void bitColumnsReadAsBooleans()
    {
        if (!installedOdbcDrivers().contains(QStringLiteral("SQLite3")))
            QSKIP("no SQLite ODBC driver registered");
        QTemporaryDir dir;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), QStringLiteral("odbc-bit"));
            db.setDatabaseName(QStringLiteral("DRIVER={SQLite3};Database=") + dir.filePath(QStringLiteral("b.db")));
            QVERIFY2(db.open(), qPrintable(db.lastError().text()));
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("create table dastrasi (prs_id int, darj bit)")));
            QVERIFY(q.exec(QStringLiteral("insert into dastrasi values (1, 1)")));
            QVERIFY(q.exec(QStringLiteral("select prs_id, darj from dastrasi")));
            const QSqlRecord rec = q.record();
            QCOMPARE(columnKindOfField(Engine::SqlServer, rec.field(0)), ColumnKind::Integer);
            QCOMPARE(columnKindOfField(Engine::SqlServer, rec.field(1)), ColumnKind::Bool);
            QCOMPARE(columnKindOfField(Engine::SqlServer, db.record(QStringLiteral("dastrasi")).field(QStringLiteral("darj"))), ColumnKind::Bool);
            QVERIFY(q.next());
            QCOMPARE(Query::displayText(q.value(1).toBool(), ColumnKind::Bool), QStringLiteral("True"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("odbc-bit"));
    }

    // The program's connection and an edit of a long text, through the ODBC
    // layer to the stand-in, with connection values that hold ".dsn" (which
    // Qt's ODBC driver would read as a file DSN). The edit's criterion casts
    // the original text, which is bound as a long text (SQL type -10,
    // ntext to SQL Server); the catalogue is asked by its upper-case names.
    void connectionAndLongTextEditThroughOdbc_data()
    {
        QTest::addColumn<QStringList>("login"); // server, database, user, password
        QTest::newRow("plain") << QStringList{"db1", "kavrin", "sa", "p;w}d"};
        QTest::newRow("password") << QStringList{"db1", "kavrin", "sa", "My.Dsn9"};
        QTest::newRow("user") << QStringList{"db1", "kavrin", "u.DSN", "p"};
        QTest::newRow("names") << QStringList{"db.dsn.local", "kavrin.dsn", "sa", "p"};
    }
    void connectionAndLongTextEditThroughOdbc()
    {
        if (!qEnvironmentVariableIsSet(standIn::Variable)) {
            if (!installedOdbcDrivers().contains(QStringLiteral("SQLite3")))
                QSKIP("no SQLite ODBC driver registered");
            QTemporaryDir dir;
            QProcess child;
            QVERIFY(standIn::startCurrentRow(child, dir, "[ODBC Driver 18 for SQL Server]\nDriver=libsqlite3odbc.so\n"));
            const QString failure = standIn::failureOf(child);
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
            return;
        }
        QFETCH(QStringList, login);
        Connection c;
        c.setSettings({Engine::SqlServer, login[0], login[1], login[2], login[3], false, {}});
        c.open();
        QVERIFY(QFile::exists(QLatin1Char('{') + login[1] + QLatin1Char('}')));

        const QString loaded(200, QChar(0x0639));
        const QString typed = loaded + QStringLiteral("ی");
        QSqlQuery setup(c.database());
        QVERIFY(setup.exec(QStringLiteral("create table personel (id integer primary key autoincrement, adr nvarchar(350))")));
        QVERIFY(setup.exec(QStringLiteral("insert into personel (adr) values ('%1')").arg(loaded)));
        Query q(&c, QStringLiteral("q"));
        q.add(QStringLiteral("select id, adr from personel"));
        q.open();
        q.edit();
        q.field(QStringLiteral("adr")).setText(typed);
        q.post();
        QVERIFY(setup.exec(QStringLiteral("select adr from personel")) && setup.next());
        QCOMPARE(setup.value(0).toString(), typed);

        QCOMPARE(standIn::preparedWithTypes(QStringLiteral("update")),
                 (QStringList{QStringLiteral("update personel set adr=? where id=? and adr=cast(? as nvarchar(4000))"),
                              QStringLiteral("-10"), QStringLiteral("-5"), QStringLiteral("-10")}));
        // Floats come as doubles, not as the driver's texts ("1.0e-07"; it
        // rounds 0.1+0.2 to 15 digits): a touched field left as shown saves,
        // a changed one stores its value.
        QVERIFY(setup.exec(QStringLiteral("create table taradod (id integer primary key autoincrement, karkard_kilometr float)")));
        QVERIFY(setup.exec(QStringLiteral("insert into taradod (karkard_kilometr) values (0.1+0.2),(1e-7),(12.5),(1234567.125),(0.1)")));
        Query trips(&c, QStringLiteral("ADOQ_taradod"), QStringLiteral("select * from taradod"));
        trips.open();
        QStringList shown;
        for (int row = 1; row <= trips.recordCount(); ++row) {
            trips.setRecNo(row);
            shown << trips.field(QStringLiteral("karkard_kilometr")).asString();
            for (const QString &typed : {shown.last(), QStringLiteral("20.25")}) {
                trips.edit();
                trips.field(QStringLiteral("karkard_kilometr")).setText(typed, Field::Write::Always);
                trips.post();
            }
        }
        QCOMPARE(shown, (QStringList{"0.3", "0.0000001", "12.5", "1234567.125", "0.1"}));
        QVERIFY(setup.exec(QStringLiteral("select count(*) from taradod where karkard_kilometr=20.25")) && setup.next());
        QCOMPARE(setup.value(0).toInt(), 5);
        // (The trace shows a statement's first 128 characters.)
        QVERIFY(!standIn::preparedWithTypes(QStringLiteral("select ORDINAL_POSITION, COLUMN_NAME, DATA_TYPE + coalesce('(' + "
                                                           "cast(CHARACTER_MAXIMUM_LENGTH as varchar(12)) + ')', '') from ")).isEmpty());
    }

    // What the server receives of the login as typed, through the real
    // FreeTDS driver: the program's connection runs in a process of its own
    // with FreeTDS registered, against the listener. A value FreeTDS cannot
    // carry is refused before anything is sent, with its name; a server that
    // does not answer fails with the driver's text and the driver's name.
    void loginReachesTheServerThroughFreeTds_data()
    {
        QTest::addColumn<QStringList>("login"); // database, user, password
        QTest::addColumn<QString>("refused");   // what the failure says; empty: none before the login
        const char *const fields[] = {"database", "user", "password"};
        const QList<std::pair<const char *, QString>> values{
            {"plain", QStringLiteral("plain")}, {"marks", QStringLiteral("p; w}d{=x ")}, {"brace at end", QStringLiteral("ends}")},
            {"persian", QStringLiteral("کاربر ۱ی")}, {"dsn", QStringLiteral("My.Dsn9")}, {"refused", QStringLiteral("a};b")}};
        for (const auto &[tag, value] : values) {
            for (int i = 0; i < 3; ++i) {
                QStringList login{QStringLiteral("kavrin"), QStringLiteral("sa"), QStringLiteral("secret")};
                login[i] = value;
                const QString name = value.contains(QStringLiteral("};"))
                    ? QStringList{QStringLiteral("نام بانک اطلاعاتي"), QStringLiteral("نام كاربري"), QStringLiteral("رمز عبور")}[i]
                    : QString();
                QTest::addRow("%s %s", fields[i], tag) << login << name;
            }
        }
        QTest::newRow("empty password") << QStringList{QStringLiteral("kavrin"), QStringLiteral("sa}"), QString()} << QString();
        // Read by the driver manager's rule, the rest after "}" would name another driver.
        QTest::newRow("password naming a driver") << QStringList{QStringLiteral("kavrin"), QStringLiteral("sa"), QStringLiteral("x}DRIVER={SQLite3} ")}
                                                  << QStringLiteral("رمز عبور");
        QTest::newRow("database with marks") << QStringList{QStringLiteral("بانک;x}y"), QStringLiteral("sa"), QStringLiteral("p")} << QString();
        QTest::newRow("nothing listens") << QStringList{QStringLiteral("kavrin"), QStringLiteral("sa"), QStringLiteral("p;w}")}
                                         << QStringLiteral("Unable to connect to data source");
    }
    void loginReachesTheServerThroughFreeTds()
    {
        QFETCH(QStringList, login);
        QFETCH(QString, refused);
        if (qEnvironmentVariableIsSet(standIn::Variable)) {
            Connection c;
            c.setSettings({Engine::SqlServer, QStringLiteral("127.0.0.1,") + qEnvironmentVariable(standIn::Variable), login[0], login[1], login[2], false, {}});
            QString message; // the listener closes after the login
            try {
                c.open();
            } catch (const DataError &e) {
                message = e.message();
            }
            QVERIFY2(!message.isEmpty() && message.contains(refused), qPrintable(message));
            QVERIFY2(refused.isEmpty() || message.endsWith(sqlServerDriverLine(QStringLiteral("FreeTDS"))), qPrintable(message));
            return;
        }
        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::LocalHost));
        if (QTest::currentDataTag() == QByteArrayView("nothing listens"))
            listener.close(); // the port stays known to the child, with nobody behind it
        QTemporaryDir dir;
        QProcess child;
        QVERIFY(standIn::startCurrentRow(child, dir, "[FreeTDS]\nDriver=libtdsodbc.so\n", listener.serverPort()));
        const QList<QStringList> logins = tdsListener::serve(listener, child);
        const QString failure = standIn::failureOf(child);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        if (!refused.isEmpty()) {
            QVERIFY(logins.isEmpty() && !listener.hasPendingConnections());
            return;
        }
        QVERIFY(!logins.isEmpty());
        QCOMPARE(logins.first(), QStringList{QStringLiteral("127.0.0.1")} + login);
    }

    void statementResultsAreAllRead()
    {
        // Progress messages as further results: every one is read, and the
        // rows of the first result are reported.
        FakeStatement progress;
        progress.pending = {QString(), QString(), QString()};
        QCOMPARE(executeToEnd(progress, QStringLiteral("BACKUP DATABASE [vantu] TO DISK= N'x'")), 4);
        QCOMPARE(progress.read, 3);
        QCOMPARE(progress.executed, QStringList{QStringLiteral("BACKUP DATABASE [vantu] TO DISK= N'x'")});

        // The server abandons the work after a while: a failure.
        FakeStatement abandoned;
        abandoned.pending = {QString(), QStringLiteral("BACKUP DATABASE is terminating abnormally.")};
        try {
            executeToEnd(abandoned, QStringLiteral("BACKUP DATABASE [vantu] TO DISK= N'x'"));
            QFAIL("a failed further result passed");
        } catch (const DataError &e) {
            QCOMPARE(e.message(), QStringLiteral("BACKUP DATABASE is terminating abnormally."));
        }

        FakeStatement refused;
        refused.execFails = true;
        QVERIFY_THROWS_EXCEPTION(DataError, executeToEnd(refused, QStringLiteral("x")));
        QCOMPARE(refused.read, 0);
    }
};

QTEST_MAIN(SqlServerTest)
#include "tst_sqlserver.moc"
