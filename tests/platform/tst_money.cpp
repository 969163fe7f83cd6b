// Money and numbers through the data layer: money amounts travel as exact
// decimals of four places from the engine through the query and back, and
// neither money nor float values are ever shown with an exponent; on every
// engine under test.
#include "TestSupport.h"
#include "platform/DataError.h"
#include "platform/Money.h"
#include "platform/Query.h"
#include "trips/taradod_frm_riyali_u.h"
#include <QSqlQuery>

class MoneyTest : public QObject {
    Q_OBJECT
    std::unique_ptr<SchemaDatabase> db;
    Connection *conn = nullptr;

    void run(const QString &sql) { db->run(sql); }
    // The amount the engine holds, in ten-thousandths, read by the engine
    // itself: no double of ours in between.
    QString storedUnits(const QString &column, const QString &id)
    {
        QSqlQuery q(conn->database());
        q.setNumericalPrecisionPolicy(QSql::HighPrecision);
        if (!q.exec(QStringLiteral("select cast(%1*10000 as bigint) from taradod where id=%2").arg(column, id)) || !q.next())
            return QStringLiteral("<error>");
        return q.value(0).toString();
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<SchemaDatabase>(currentEngine());
        conn = db->conn.get();
    }
    void cleanup() { db.reset(); }

    void amountsRoundTripExactly_data() { addEngineRows(); }
    void amountsRoundTripExactly()
    {
        const bool server = currentEngine() != Engine::Sqlite;
        Query q(conn, QStringLiteral("ADOQ_taradod"), QStringLiteral("select * from taradod"));
        q.open();
        q.append();
        q.field(QStringLiteral("mablagh")).setText(QStringLiteral("123456789012.3456"));
        q.field(QStringLiteral("mablagh_saat")).setText(QStringLiteral("-0.0001"));
        q.field(QStringLiteral("mablagh_kilometr")).setText(QStringLiteral("922337203685477.5807"));
        // Read back from the row being appended: already exact.
        QCOMPARE(q.field(QStringLiteral("mablagh")).asString(), QStringLiteral("123456789012.3456"));
        q.post();
        const QString id = q.field(QStringLiteral("id")).asString();
        QCOMPARE(q.field(QStringLiteral("mablagh_kilometr")).asString(), QStringLiteral("922337203685477.5807"));
        QCOMPARE(storedUnits(QStringLiteral("mablagh"), id), QStringLiteral("1234567890123456"));
        QCOMPARE(storedUnits(QStringLiteral("mablagh_saat"), id), QStringLiteral("-1"));

        q.close();
        q.open();
        QCOMPARE(q.field(QStringLiteral("mablagh")).asString(), QStringLiteral("123456789012.3456"));
        QCOMPARE(q.field(QStringLiteral("mablagh_saat")).asString(), QStringLiteral("-0.0001"));
        QCOMPARE(q.textAt(0, q.columnIndex(QStringLiteral("mablagh"))), QStringLiteral("123456789012.3456"));
        // The whole range of the money type; SQLite keeps the end of the
        // range as the double nearest it, which reads as that end again.
        QCOMPARE(q.field(QStringLiteral("mablagh_kilometr")).asString(), QStringLiteral("922337203685477.5807"));
        if (server)
            QCOMPARE(storedUnits(QStringLiteral("mablagh_kilometr"), id), QStringLiteral("9223372036854775807"));

        // An edit of another column writes the amounts back unchanged.
        q.edit();
        for (const char *name : {"mablagh", "mablagh_saat", "mablagh_kilometr"})
            q.field(QLatin1String(name)).setText(q.field(QLatin1String(name)).asString());
        q.field(QStringLiteral("ranande")).setText(QStringLiteral("علي"));
        q.post();
        QCOMPARE(storedUnits(QStringLiteral("mablagh"), id), QStringLiteral("1234567890123456"));
        QCOMPARE(storedUnits(QStringLiteral("mablagh_saat"), id), QStringLiteral("-1"));
        if (server)
            QCOMPARE(storedUnits(QStringLiteral("mablagh_kilometr"), id), QStringLiteral("9223372036854775807"));

        // The lowest amount, written by the engine itself.
        if (server) {
            run(QStringLiteral("update taradod set mablagh=-922337203685477.5808 where id=%1").arg(id));
            q.close();
            q.open();
            QCOMPARE(q.field(QStringLiteral("mablagh")).asString(), QStringLiteral("-922337203685477.5808"));
        }
    }

    void amountTexts_data() { addEngineRows(); }
    void amountTexts()
    {
        Query q(conn, QStringLiteral("ADOQ_khodro"), QStringLiteral("select * from khodro"));
        q.open();
        q.append();
        Field arzesh = q.field(QStringLiteral("arzesh"));
        const QList<QPair<QString, QString>> accepted{
            {QStringLiteral("1500"), QStringLiteral("1500")},
            {QStringLiteral(" 1500.5000 "), QStringLiteral("1500.5")},
            {QStringLiteral(".25"), QStringLiteral("0.25")},
            {QStringLiteral("1.5e3"), QStringLiteral("1500")},
            // Beyond four places: rounded half away from zero, as the engines do.
            {QStringLiteral("1.23455"), QStringLiteral("1.2346")},
            {QStringLiteral("-1.23455"), QStringLiteral("-1.2346")},
            {QStringLiteral("0.00004"), QStringLiteral("0")},
            // Thousands grouped by three, in every form a keyboard types them.
            {QStringLiteral("1,500"), QStringLiteral("1500")},
            {QStringLiteral("١٬٢٣٤٫٥"), QStringLiteral("1234.5")},
            {QStringLiteral("1،234،567"), QStringLiteral("1234567")},
            {QStringLiteral("-1 500.25"), QStringLiteral("-1500.25")},
            {QStringLiteral("1 234 567"), QStringLiteral("1234567")},
            {QStringLiteral("12,345.5"), QStringLiteral("12345.5")},
            {QStringLiteral("۱۵۰۰٫۷۵"), QStringLiteral("1500.75")},
            {QStringLiteral("1e-3"), QStringLiteral("0.001")},
            // Nearer to zero than any double: 0, as in a float column below.
            {QStringLiteral("1e-400"), QStringLiteral("0")},
        };
        for (const auto &[text, value] : accepted) {
            arzesh.setText(text);
            QCOMPARE(arzesh.asString(), value);
        }
        arzesh.setText(QString());
        QVERIFY(arzesh.isNull());
        // No NaN or infinity in any spelling; a sign at most once, at the
        // start and after the exponent's "e"; groups of exactly three after a
        // first one of no leading zero, all with one separator; nothing else
        // after the number.
        for (const char *text : {"nan", "NaN", "inf", "-inf", "+INF", "Infinity", "-infinity", "-Infinity", "12,5", "1,50,000", "1500,",
                                 ",500", "1,500.2,5", "1  500", "1500 ریال", "0x10", "--1", "+-1", "1-", "1e+-3", "1e--3", "1e3e3", "1e",
                                 "1.2.3", "922337203685477.5808", "99999999999999999999", "0,500", "000,500", "0 125", "-0,125",
                                 "1 234,567", "1,234 567", "1,234٬567"}) {
            QVERIFY_THROWS_EXCEPTION(DataError, arzesh.setText(QString::fromUtf8(text)));
            QVERIFY_THROWS_EXCEPTION(DataError, q.field(QStringLiteral("model")).setText(QString::fromUtf8(text)));
        }
        // Whole-number columns read the same texts, and take whole numbers only.
        Field model = q.field(QStringLiteral("model"));
        model.setText(QStringLiteral("۱٬۴۰۳"));
        QCOMPARE(model.asInteger(), 1403);
        QVERIFY_THROWS_EXCEPTION(DataError, model.setText(QStringLiteral("1403.5")));
        Query persons(conn, QStringLiteral("ADOQ_personel"), QStringLiteral("select * from personel"));
        persons.open();
        persons.append();
        persons.field(QStringLiteral("govahiname_nomre")).setText(QStringLiteral("1e-400"));
        QCOMPARE(persons.field(QStringLiteral("govahiname_nomre")).asString(), QStringLiteral("0"));
        arzesh.setText(QStringLiteral("1500000.5"));
        QCOMPARE(arzesh.asFloat(), 1500000.5);
        QCOMPARE(arzesh.asInteger(), 1500001);
        q.post();
        q.close();
        q.open();
        QCOMPARE(q.field(QStringLiteral("arzesh")).asString(), QStringLiteral("1500000.5"));
    }

    void numbersShowWithoutExponent_data() { addEngineRows(); }
    void numbersShowWithoutExponent()
    {
        run(QStringLiteral("insert into taradod (karkard_kilometr,karkard_saat,tavaghof,mablagh) values (0.00005,1e20,-0.000123,0.00005)"));
        Query q(conn, QStringLiteral("ADOQ_taradod"), QStringLiteral("select * from taradod"));
        q.open();
        QCOMPARE(q.field(QStringLiteral("karkard_kilometr")).asString(), QStringLiteral("0.00005"));
        QCOMPARE(q.field(QStringLiteral("karkard_saat")).asString(), QStringLiteral("100000000000000000000"));
        QCOMPARE(q.field(QStringLiteral("tavaghof")).asString(), QStringLiteral("-0.000123"));
        // The server engines round the amount to four places; SQLite keeps
        // it as it came, and so does the query.
        const QString amount = currentEngine() == Engine::Sqlite ? QStringLiteral("0.00005") : QStringLiteral("0.0001");
        QCOMPARE(q.field(QStringLiteral("mablagh")).asString(), amount);
        // An expression column reads as it comes, without an exponent too.
        Query sums(conn, QStringLiteral("sums"));
        sums.add(QStringLiteral("select sum(karkard_kilometr) as k, sum(mablagh) as m from taradod"));
        sums.open();
        QCOMPARE(sums.field(QStringLiteral("k")).asString(), QStringLiteral("0.00005"));
        QCOMPARE(sums.field(QStringLiteral("m")).asString(), amount);
        QCOMPARE(plainNumberText(250), QStringLiteral("250"));
        QCOMPARE(plainNumberText(1234567.25), QStringLiteral("1234567.25"));
        QCOMPARE(plainNumberText(-1.5e-10), QStringLiteral("-0.00000000015"));
        // The shown text reads back as the same double, with no digit to spare.
        QCOMPARE(plainNumberText(0.1 + 0.2), QStringLiteral("0.30000000000000004"));
        QCOMPARE(plainNumberText(123456.78901234567), QStringLiteral("123456.78901234567"));
        QCOMPARE(plainNumberText(1234567890123456.0), QStringLiteral("1234567890123456"));
        QCOMPARE(plainNumberText(0.1 + 0.2, 15), QStringLiteral("0.3"));
    }

    void sumsAndSortOfAmounts_data() { addEngineRows(); }
    void sumsAndSortOfAmounts()
    {
        const bool server = currentEngine() != Engine::Sqlite;
        for (const char *amount : {"0.1", "0.2", "1000000.0006"})
            run(QStringLiteral("insert into taradod (mablagh) values (%1)").arg(QLatin1String(amount)));
        Query sums(conn, QStringLiteral("sums"));
        sums.add(QStringLiteral("select count(*) as c,sum(mablagh) as m,avg(mablagh) as a from taradod"));
        sums.open();
        QCOMPARE(sums.field(QStringLiteral("m")).asString(), QStringLiteral("1000000.3006"));
        // An average has more than four decimals: it reads as the number it
        // is, not rounded to an amount.
        QCOMPARE(sums.field(QStringLiteral("a")).asString(), QStringLiteral("333333.433533333"));
        // The amounts statement adds up the rows it prints itself: exactly.
        run(QStringLiteral("insert into taradod (mablagh) values (123456789012.3456)"));
        Query rows(conn, QStringLiteral("ADOQ_taradod"), QStringLiteral("select * from taradod"));
        rows.open();
        QCOMPARE(Ttaradod_frm_riyali::columnTotal(rows, QStringLiteral("mablagh")), QStringLiteral("123457789012.6462"));

        // Amounts that differ in their last place sort apart (a double cannot
        // tell them apart on the server engines' full range).
        run(QStringLiteral("delete from taradod"));
        const QStringList amounts = server
            ? QStringList{QStringLiteral("922337203685477.5807"), QStringLiteral("922337203685477.5806"), QStringLiteral("-5")}
            : QStringList{QStringLiteral("123456789012.3457"), QStringLiteral("123456789012.3456"), QStringLiteral("-5")};
        for (const QString &amount : amounts)
            run(QStringLiteral("insert into taradod (mablagh) values (%1)").arg(amount));
        Query q(conn, QStringLiteral("ADOQ_taradod"), QStringLiteral("select * from taradod"));
        q.open();
        q.setSort(QStringLiteral("mablagh ASC"));
        const int c = q.columnIndex(QStringLiteral("mablagh"));
        QCOMPARE((QStringList{q.textAt(0, c), q.textAt(1, c), q.textAt(2, c)}), (QStringList{amounts[2], amounts[1], amounts[0]}));
    }
};

QTEST_MAIN(MoneyTest)
#include "tst_money.moc"
