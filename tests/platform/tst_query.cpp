// The data layer: statements, the static cursor, typed fields, append/edit/post
// with conversions, the client-side sort; on every engine under test.
#include "TestSupport.h"
#include "core/schema.h"
#include "platform/DataError.h"
#include "platform/Query.h"

class QueryTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Connection> conn;

    void run(const QString &sql)
    {
        Query q(conn.get(), QStringLiteral("q"));
        q.add(sql);
        q.execute();
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDatabase>(currentEngine());
        conn = db->connect();
        Query q(conn.get(), QStringLiteral("schema"));
        runSchemaBlocks(q);
    }
    void cleanup()
    {
        conn.reset();
        db.reset();
    }

    void fieldNotFoundAfterStatementChanges_data() { addEngineRows(); }
    void fieldNotFoundAfterStatementChanges()
    {
        Query q(conn.get(), QStringLiteral("ADOQuery1"));
        q.add(QStringLiteral("select us from users"));
        q.open();
        QCOMPARE(q.field(QStringLiteral("us")).asString(), QStringLiteral("admin"));
        q.clear();
        q.add(QStringLiteral("select id from users"));
        QVERIFY(!q.isOpen());
        QVERIFY_THROWS_EXCEPTION(DataError, q.field(QStringLiteral("us")));
        q.open();
        QVERIFY_THROWS_EXCEPTION(DataError, q.field(QStringLiteral("us")));
        QCOMPARE(q.field(QStringLiteral("ID")).asInteger(), 1);
    }

    void designSqlRunsWhenNoStatementGiven_data() { addEngineRows(); }
    void designSqlRunsWhenNoStatementGiven()
    {
        run(QStringLiteral("insert into new_pic (new_id,cmt) values (7,'a')"));
        Query q(conn.get(), QStringLiteral("ADOQ_new_pic"), QStringLiteral("select * from new_pic"));
        q.open();
        QCOMPARE(q.recordCount(), 1);
        QCOMPARE(q.field(QStringLiteral("new_id")).asInteger(), 7);
    }

    void postConvertsTextsToColumnTypes_data() { addEngineRows(); }
    void postConvertsTextsToColumnTypes()
    {
        Query q(conn.get(), QStringLiteral("ADOQ_khodro"), QStringLiteral("select * from khodro"));
        q.open();
        q.append();
        q.field(QStringLiteral("lname")).setText(QStringLiteral("کاروند ديسا استان"));
        q.field(QStringLiteral("model")).setText(QStringLiteral("1398"));
        q.field(QStringLiteral("kilometr")).setText(QString());      // empty: NULL
        q.field(QStringLiteral("arzesh")).setText(QStringLiteral("1500000.5"));
        q.post();
        QCOMPARE(q.recordCount(), 1);
        QVERIFY(q.field(QStringLiteral("id")).asInteger() > 0);

        q.clear();
        q.add(QStringLiteral("select * from khodro"));
        q.open();
        QCOMPARE(q.field(QStringLiteral("lname")).asString(), QStringLiteral("کاروند ديسا استان"));
        QCOMPARE(q.field(QStringLiteral("model")).asInteger(), 1398);
        QVERIFY(q.field(QStringLiteral("kilometr")).isNull());
        QCOMPARE(q.field(QStringLiteral("kilometr")).asString(), QString());
        QCOMPARE(q.field(QStringLiteral("arzesh")).asFloat(), 1500000.5);

        // A text that is no number raises and nothing is posted; four blanks
        // (an untouched four-digit mask) are no number either.
        q.append();
        QVERIFY_THROWS_EXCEPTION(DataError, q.field(QStringLiteral("model")).setText(QStringLiteral("abc")));
        QVERIFY_THROWS_EXCEPTION(DataError, q.field(QStringLiteral("model")).setText(QStringLiteral("    ")));
        QVERIFY_THROWS_EXCEPTION(DataError, q.field(QStringLiteral("arzesh")).setText(QStringLiteral("12,5")));
        QVERIFY_THROWS_EXCEPTION(DataError, q.field(QStringLiteral("arzesh")).setText(QStringLiteral("1,500,00")));
        q.cancel();
        QCOMPARE(q.recordCount(), 1);

        // Edit: only the row with this id changes. Persian and Arabic-Indic
        // digits are stored as the ASCII digits they stand for.
        q.edit();
        q.field(QStringLiteral("kilometr")).setText(QStringLiteral("۴۲۰۰۰"));
        q.field(QStringLiteral("arzesh")).setText(QStringLiteral("١٢٥.٥"));
        q.post();
        Query check(conn.get(), QStringLiteral("check"));
        check.add(QStringLiteral("select count(*) as c from khodro where kilometr=42000 and arzesh=125.5"));
        check.open();
        QCOMPARE(check.field(QStringLiteral("c")).asInteger(), 1);
    }

    void floatColumnAndEmptyText_data() { addEngineRows(); }
    void floatColumnAndEmptyText()
    {
        Query q(conn.get(), QStringLiteral("ADOQ_personel"), QStringLiteral("select * from personel"));
        q.open();
        q.append();
        q.field(QStringLiteral("lname")).setText(QStringLiteral("احمدي"));
        q.field(QStringLiteral("govahiname_nomre")).setText(QStringLiteral("12.5"));
        q.field(QStringLiteral("farzand")).setText(QString());
        q.field(QStringLiteral("birthday")).setText(QStringLiteral("    /  /  "));
        q.field(QStringLiteral("cmt")).setText(QString()); // the empty text, not NULL
        q.post();
        q.clear();
        q.add(QStringLiteral("select * from personel"));
        q.open();
        QCOMPARE(q.field(QStringLiteral("govahiname_nomre")).asString(), QStringLiteral("12.5"));
        QVERIFY(q.field(QStringLiteral("farzand")).isNull());
        QCOMPARE(q.field(QStringLiteral("birthday")).asString(), QStringLiteral("    /  /  "));
        QVERIFY(!q.field(QStringLiteral("cmt")).isNull());
        q.clear();
        q.add(QStringLiteral("select count(*) as c from personel where cmt=''"));
        q.open();
        QCOMPARE(q.field(QStringLiteral("c")).asInteger(), 1);
    }

    void positioningAndCount_data() { addEngineRows(); }
    void positioningAndCount()
    {
        for (int i = 1; i <= 5; ++i)
            run(QStringLiteral("insert into phone (name,tel) values (%1,'%2')").arg(conn->dialect().quoted(QStringLiteral("n%1").arg(i))).arg(i));
        Query q(conn.get(), QStringLiteral("ADOQuery1"));
        q.add(QStringLiteral("select * from phone order by id"));
        q.open();
        QCOMPARE(q.recordCount(), 5);
        QCOMPARE(q.recNo(), 1);
        q.setRecNo(4);
        QCOMPARE(q.field(QStringLiteral("name")).asString(), QStringLiteral("n4"));
        q.last();
        QVERIFY(q.eof());
        q.first();
        QStringList seen;
        while (!q.eof()) {
            seen << q.field(QStringLiteral("tel")).asString();
            q.next();
        }
        QCOMPARE(seen, QStringList({"1", "2", "3", "4", "5"}));
        // Reopening runs the statement again and starts at the first row.
        run(QStringLiteral("delete from phone where tel='3'"));
        q.close();
        q.open();
        QCOMPARE(q.recordCount(), 4);
        QCOMPARE(q.recNo(), 1);
        // An empty result: no row, eof at once, fields read as NULL.
        q.clear();
        q.add(QStringLiteral("select * from phone where id=-5"));
        q.open();
        QVERIFY(q.eof());
        QCOMPARE(q.recordCount(), 0);
        QCOMPARE(q.field(QStringLiteral("name")).asString(), QString());
    }

    void clientSortAscendingDescending_data() { addEngineRows(); }
    void clientSortAscendingDescending()
    {
        run(QStringLiteral("insert into khodro (khodro,kilometr) values ('پژو',300)"));
        run(QStringLiteral("insert into khodro (khodro,kilometr) values ('سمند',20)"));
        run(QStringLiteral("insert into khodro (khodro,kilometr) values ('آريا',1000)"));
        run(QStringLiteral("insert into khodro (khodro) values ('بنز')"));
        Query q(conn.get(), QStringLiteral("ADOQ_khodro"), QStringLiteral("select * from khodro"));
        q.open();
        q.setRecNo(2); // سمند stays current through the sort
        q.setSort(QStringLiteral("kilometr ASC"));
        QStringList order;
        for (int r = 0; r < q.recordCount(); ++r)
            order << q.textAt(r, q.columnIndex(QStringLiteral("kilometr")));
        QCOMPARE(order, QStringList({"", "20", "300", "1000"})); // numeric, NULL first
        QCOMPARE(q.field(QStringLiteral("khodro")).asString(), QStringLiteral("سمند"));
        q.setSort(QStringLiteral("khodro DESC"));
        order.clear();
        for (int r = 0; r < q.recordCount(); ++r)
            order << q.textAt(r, q.columnIndex(QStringLiteral("khodro")));
        // Persian alphabetical order, reversed: س پ ب آ
        QCOMPARE(order, QStringList({"سمند", "پژو", "بنز", "آريا"}));
        QCOMPARE(q.sort(), QStringLiteral("khodro DESC"));
        q.close();
        q.open();
        QCOMPARE(q.sort(), QString()); // a reopened result set is unsorted
    }

    void quotingRoundTrips_data() { addEngineRows(); }
    void quotingRoundTrips()
    {
        const QStringList values{QStringLiteral("O'Brien"), QStringLiteral("''"), QStringLiteral("100%_ok"),
                                 QStringLiteral("علي‌اکبر 'ي'"), QStringLiteral("\\n\\'")};
        for (const QString &v : values)
            run(QStringLiteral("insert into phone (name) values (") + conn->dialect().quoted(v) + QLatin1Char(')'));
        Query q(conn.get(), QStringLiteral("q"));
        for (const QString &v : values) {
            q.clear();
            q.add(QStringLiteral("select name from phone where name=") + conn->dialect().quoted(v));
            q.open();
            QCOMPARE(q.recordCount(), 1);
            QCOMPARE(q.field(QStringLiteral("name")).asString(), v);
        }
        // "%" and "_" inside a like pattern are wildcards, as the lists expect.
        q.clear();
        q.add(QStringLiteral("select name from phone where name like ") + conn->dialect().quoted(QStringLiteral("%0%_ok%")));
        q.open();
        QCOMPARE(q.recordCount(), 1);
    }

    void transactionRollsBackOnError_data() { addEngineRows(); }
    void transactionRollsBackOnError()
    {
        QVERIFY_THROWS_EXCEPTION(DataError, conn->transaction([&] {
            run(QStringLiteral("insert into phone (name) values ('x')"));
            run(QStringLiteral("insert into no_such_table values (1)"));
        }));
        Query q(conn.get(), QStringLiteral("q"));
        q.add(QStringLiteral("select count(*) as c from phone"));
        q.open();
        QCOMPARE(q.field(QStringLiteral("c")).asInteger(), 0);
    }
};

QTEST_MAIN(QueryTest)
#include "tst_query.moc"
