// Creating and upgrading the schema, and the set-up tool that prepares a
// database for a newcomer; on every engine under test.
#include "TestSupport.h"
#include "core/firstrun.h"
#include "core/schema.h"
#include "platform/SqlServerOdbc.h"
#include "platform/DataError.h"
#include "platform/Query.h"
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSettings>
#include <QTemporaryDir>

namespace {

QStringList columnsOf(Connection &c, const QString &table)
{
    QStringList names = c.columnKinds(table).keys();
    names.sort();
    return names;
}

QStringList rows(Connection &c, const QString &sql)
{
    Query q(&c, QStringLiteral("check"));
    q.add(sql);
    q.open();
    QStringList out;
    for (int r = 0; r < q.recordCount(); ++r) {
        QStringList cells;
        for (int col = 0; col < q.columnCount(); ++col)
            cells << q.textAt(r, col);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

void exec(Connection &c, const QString &sql)
{
    Query q(&c, QStringLiteral("exec"));
    q.add(sql);
    q.execute();
}

} // namespace

class SchemaTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyDatabaseGetsEveryTableAndTheDefaultRows_data() { addEngineRows(); }
    void emptyDatabaseGetsEveryTableAndTheDefaultRows()
    {
        TestDatabase db(currentEngine());
        auto c = db.connect();
        Query q(c.get(), QStringLiteral("ADOQuery1"));
        QCOMPARE(missingSchemaParts(*c).size(), 13);
        runSchemaBlocks(q);
        QCOMPARE(missingSchemaParts(*c), QStringList());
        const QStringList tables{"users", "setting", "log", "payamha", "dastrasi", "zamaem", "phone", "new_pic",
                                 "personel", "personel_pic", "khodro", "khodro_pic", "taradod"};
        for (const QString &t : tables)
            QVERIFY2(!c->columnKinds(t).isEmpty(), qPrintable(t));
        QVERIFY(columnsOf(*c, QStringLiteral("personel")).contains(QStringLiteral("semat")));
        QVERIFY(columnsOf(*c, QStringLiteral("personel")).contains(QStringLiteral("loc")));
        QCOMPARE(columnsOf(*c, QStringLiteral("personel")).size(), 36);
        QCOMPARE(columnsOf(*c, QStringLiteral("taradod")).size(), 24);
        QCOMPARE(columnsOf(*c, QStringLiteral("khodro")).size(), 26);
        QCOMPARE(rows(*c, QStringLiteral("select id,us,ps,ver from users")), QStringList({"1|admin|1|1"}));
        QCOMPARE(rows(*c, QStringLiteral("select prs_id,page_name,darj,virayesh,hazf,namayesh from dastrasi")),
                 QStringList({"1|karbaran|True|True|True|True"}));
        // Column kinds the pages rely on.
        const auto kinds = c->columnKinds(QStringLiteral("taradod"));
        QCOMPARE(kinds.value(QStringLiteral("mablagh")), ColumnKind::Money);
        QCOMPARE(kinds.value(QStringLiteral("kilometr1")), ColumnKind::Integer);
        QCOMPARE(c->columnKinds(QStringLiteral("zamaem")).value(QStringLiteral("pic")), ColumnKind::Bytes);
    }

    void runningTwiceAddsNoSecondAdministrator_data() { addEngineRows(); }
    void runningTwiceAddsNoSecondAdministrator()
    {
        TestDatabase db(currentEngine());
        auto c = db.connect();
        Query q(c.get(), QStringLiteral("ADOQuery1"));
        runSchemaBlocks(q);
        // dastrasi missing: it comes back with its default row, users keeps one admin.
        exec(*c, QStringLiteral("drop table dastrasi"));
        runSchemaBlocks(q);
        QCOMPARE(rows(*c, QStringLiteral("select count(*) from users")), QStringList({"1"}));
        QCOMPARE(rows(*c, QStringLiteral("select count(*) from dastrasi")), QStringList({"1"}));
    }

    void olderDatabaseIsUpgraded_data() { addEngineRows(); }
    void olderDatabaseIsUpgraded()
    {
        TestDatabase db(currentEngine());
        auto c = db.connect();
        const QString id = c->dialect().typeName(ColumnType::Identity, 0);
        exec(*c, QStringLiteral("create table personel (id %1, fname varchar(40), lname varchar(50))").arg(id));
        exec(*c, QStringLiteral("insert into personel (fname,lname) values ('علي','رضايي')"));
        exec(*c, QStringLiteral("create table taradod (id %1, ranande varchar(50))").arg(id));
        Query q(c.get(), QStringLiteral("ADOQuery1"));
        runSchemaBlocks(q);
        const QStringList personel = columnsOf(*c, QStringLiteral("personel"));
        QVERIFY(personel.contains(QStringLiteral("semat")) && personel.contains(QStringLiteral("loc")));
        QCOMPARE(rows(*c, QStringLiteral("select lname from personel")), QStringList({"رضايي"}));
        const QStringList taradod = columnsOf(*c, QStringLiteral("taradod"));
        for (const char *col : {"typ", "nahve", "karkard_kilometr", "karkard_saat", "mablagh_kilometr", "mablagh_saat", "mablagh"})
            QVERIFY2(taradod.contains(QLatin1String(col)), col);
    }

    void tripUpgradeIsAllOrNothing_data() { addEngineRows(); }
    void tripUpgradeIsAllOrNothing()
    {
        TestDatabase db(currentEngine());
        auto c = db.connect();
        const QString id = c->dialect().typeName(ColumnType::Identity, 0);
        exec(*c, QStringLiteral("create table taradod (id %1, ranande varchar(50), typ varchar(50))").arg(id));
        Query q(c.get(), QStringLiteral("ADOQuery1"));
        runSchemaBlocks(q);
        QCOMPARE(columnsOf(*c, QStringLiteral("taradod")), QStringList({"id", "ranande", "typ"}));
        QCOMPARE(missingSchemaParts(*c), QStringList({"taradod.nahve", "taradod.karkard_kilometr", "taradod.karkard_saat",
                                                      "taradod.mablagh_kilometr", "taradod.mablagh_saat", "taradod.mablagh"}));
    }

    void logTimeIsFilledByTheServer_data() { addEngineRows(); }
    void logTimeIsFilledByTheServer()
    {
        TestDatabase db(currentEngine());
        auto c = db.connect();
        Query q(c.get(), QStringLiteral("ADOQuery1"));
        runSchemaBlocks(q);
        exec(*c, QStringLiteral("insert into log (karbar,ip,computer_name,saat,tarikh,cmt) values ('admin','','','','','x')"));
        q.clear();
        q.add(QStringLiteral("select saat_sys from log"));
        q.open();
        QVERIFY(!q.field(QStringLiteral("saat_sys")).isNull());
        const QDateTime t = q.field(QStringLiteral("saat_sys")).value().toDateTime();
        QVERIFY(qAbs(t.secsTo(QDateTime::currentDateTime())) < 120);
    }

    void firstRunPreparationIsRepeatable_data() { addEngineRows(); }
    void firstRunPreparationIsRepeatable()
    {
        const QString csv = sharedDataFile(QStringLiteral("abadiha.csv"));
        if (!QFile::exists(csv))
            QSKIP("no reference provinces file here");
        TestDatabase db(currentEngine());
        auto c = db.connect();
        prepareDatabase(*c, csv);
        const QStringList first = rows(*c, QStringLiteral("select count(*) from abadiha"));
        QCOMPARE(first, QStringList({QString::number(readProvincesCsv(csv).size())}));
        QCOMPARE(rows(*c, QStringLiteral("select count(distinct ostan) from abadiha")), QStringList({"31"}));
        QCOMPARE(rows(*c, QStringLiteral("select cmt from setting where component='نوع تردد' order by cmt")),
                 QStringList({"خارج شهر", "درون شهر", "کارکرد روزانه"}));
        prepareDatabase(*c, csv);
        QCOMPARE(rows(*c, QStringLiteral("select count(*) from abadiha")), first);
        QCOMPARE(rows(*c, QStringLiteral("select count(*) from setting")), QStringList({"6"}));
        QCOMPARE(rows(*c, QStringLiteral("select count(*) from users")), QStringList({"1"}));
        QVERIFY(!c->columnKinds(QStringLiteral("dastrasi2")).isEmpty());
    }

    void setupToolCreatesAndRefuses()
    {
        const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/../kavrin-setup");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("new.sqlite"));
        QProcess p;
        p.setProcessEnvironment([&] {
            auto env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("KAVRIN_SETTINGS"), dir.filePath(QStringLiteral("settings.ini")));
            return env;
        }());
        // A missing provinces file: a message, a non-zero exit, no database.
        p.start(tool, {QStringLiteral("--sqlite"), file, QStringLiteral("--provinces"), dir.filePath(QStringLiteral("none.csv"))});
        QVERIFY(p.waitForFinished());
        QVERIFY(p.exitCode() != 0);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("none.csv")));
        QVERIFY(!QFile::exists(file));
        // Unknown argument.
        p.start(tool, {QStringLiteral("--bogus")});
        QVERIFY(p.waitForFinished());
        QVERIFY(p.exitCode() != 0);
        // A fresh database with stored settings, twice.
        for (int run = 0; run < 2; ++run) {
            p.start(tool, {QStringLiteral("--sqlite"), file, QStringLiteral("--store-settings")});
            QVERIFY(p.waitForFinished());
            QCOMPARE(p.exitCode(), 0);
        }
        ConnectionSettings s;
        s.engine = Engine::Sqlite;
        s.database = file;
        Connection c;
        c.setSettings(s);
        c.open();
        QCOMPARE(rows(c, QStringLiteral("select count(*) from users")), QStringList({"1"}));
        QCOMPARE(rows(c, QStringLiteral("select count(*) from setting")), QStringList({"6"}));
        // Without a CSV the shipped provinces and counties, once.
        QCOMPARE(rows(c, QStringLiteral("select count(distinct ostan) from abadiha")), QStringList({"31"}));
        QCOMPARE(rows(c, QStringLiteral("select count(*) from abadiha")), QStringList({"482"}));
        QCOMPARE(rows(c, QStringLiteral("select ostan from abadiha where shahrestan='اراک'")), QStringList({"مرکزی"}));
        QSettings stored(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("DorvaPelinEngine")).toString(), QStringLiteral("SQLite"));
        QCOMPARE(stored.value(QStringLiteral("DorvaPelinDataBase")).toString(), file);

        // A CSV given replaces the shipped list.
        const QString other = dir.filePath(QStringLiteral("other.sqlite"));
        QFile csv(dir.filePath(QStringLiteral("two.csv")));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write(QStringLiteral("ostan,shahrestan\nقم,قم\nالبرز,کرج\n").toUtf8());
        csv.close();
        p.start(tool, {QStringLiteral("--sqlite"), other, QStringLiteral("--provinces"), csv.fileName()});
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitCode(), 0);
        Connection c2;
        s.database = other;
        c2.setSettings(s);
        c2.open();
        QCOMPARE(rows(c2, QStringLiteral("select shahrestan from abadiha order by shahrestan")),
                 (QStringList{QStringLiteral("قم"), QStringLiteral("کرج")}));
    }

    // The shipped list holds the same provinces and counties as the reference data.
    void shippedProvincesMatchTheReference()
    {
        const QString csv = sharedDataFile(QStringLiteral("abadiha.csv"));
        if (!QFile::exists(csv))
            QSKIP("no reference provinces file here");
        QCOMPARE(shippedProvinces(), readProvincesCsv(csv));
    }

    void sqliteConnectionNeedsAnExistingFile()
    {
        QTemporaryDir dir;
        ConnectionSettings s;
        s.engine = Engine::Sqlite;
        s.database = dir.filePath(QStringLiteral("missing.sqlite"));
        Connection c;
        c.setSettings(s);
        QVERIFY_THROWS_EXCEPTION(DataError, c.open());
        QVERIFY(!QFile::exists(s.database));
    }

    void backupStatementKeepsNamesWhole()
    {
        const Dialect &sqlServer = Dialect::of(Engine::SqlServer);
        QCOMPARE(sqlServer.backupStatement(QStringLiteral("vantu"), QStringLiteral("D:\\b\\vantu1403_01_05")),
                 QStringLiteral("BACKUP DATABASE [vantu] TO DISK= N'D:\\b\\vantu1403_01_05'"));
        QCOMPARE(sqlServer.backupStatement(QStringLiteral("my db]x"), QStringLiteral("it's")),
                 QStringLiteral("BACKUP DATABASE [my db]]x] TO DISK= N'it''s'"));
        QCOMPARE(Dialect::of(Engine::Sqlite).backupStatement(QString(), QStringLiteral("/tmp/a'b")),
                 QStringLiteral("VACUUM INTO '/tmp/a''b'"));
    }

    void odbcValuesAreBraced()
    {
        ConnectionSettings s;
        s.server = QStringLiteral("srv;DATABASE=other");
        s.database = QStringLiteral("db}x");
        s.user = QStringLiteral("sa");
        s.password = QStringLiteral("p;w}");
        const QString text = sqlServerConnectionString(s, QStringLiteral("ODBC Driver 18 for SQL Server"));
        QVERIFY(text.contains(QStringLiteral("SERVER={srv;DATABASE=other}")));
        QVERIFY(text.contains(QStringLiteral("DATABASE={db}}x}")));
        QCOMPARE(sqlServerLoginValue(SqlServerLogin::Password, s.password, QStringLiteral("ODBC Driver 18 for SQL Server")),
                 QStringLiteral("{p;w}}}"));
    }
};

QTEST_MAIN(SchemaTest)
#include "tst_schema.moc"
