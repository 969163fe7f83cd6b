// The Jalali date, the money edit and the stored-password transform.
#include "TestSupport.h"
#include "core/Dates.h"
#include "core/MonEdit.h"
#include "core/passwords.h"
#include "platform/DataError.h"
#include <QDate>
#include <QFile>
#include <QStringDecoder>
#include <QTextStream>
#include <QWidget>

namespace {

QString jalaliOf(int y, int m, int d)
{
    TJalaliDate date;
    date.gYear = quint16(y);
    date.gMonth = quint16(m);
    date.gDay = quint16(d);
    date.ToPersian();
    return date.ToText();
}

int jalaliMonthLength(int year, int month)
{
    if (month <= 6)
        return 31;
    if (month <= 11)
        return 30;
    return TJalaliDate::persianLeap(year) ? 30 : 29;
}

} // namespace

class TestUnits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void jalaliExamples_data();
    void jalaliExamples();
    void jalaliMatchesReferenceEveryDay();
    void jalaliIsContinuousFrom1900To2120();
    void leapYears();
    void initIsToday();

    void moneyGroupsWhileTyping();
    void moneyDropsEverythingButDigits();
    void moneyValue();
    void moneyChangeOnlyOnceTheWindowExists();
    void moneyOwnChangeHandlerReplacesGrouping();
    void moneyHelpers();
    void moneyTakesPersianDigits();

    void passwordTransform();
};

void TestUnits::jalaliExamples_data()
{
    QTest::addColumn<QDate>("gregorian");
    QTest::addColumn<QString>("jalali");
    QTest::newRow("new year 1402") << QDate(2023, 3, 21) << QStringLiteral("1402/01/01");
    QTest::newRow("eve of 1402") << QDate(2023, 3, 20) << QStringLiteral("1401/12/29");
    QTest::newRow("new year 1403") << QDate(2024, 3, 20) << QStringLiteral("1403/01/01");
    QTest::newRow("eve of 1403") << QDate(2024, 3, 19) << QStringLiteral("1402/12/29");
    QTest::newRow("30 Esfand 1403") << QDate(2025, 3, 20) << QStringLiteral("1403/12/30");
    QTest::newRow("new year 1404") << QDate(2025, 3, 21) << QStringLiteral("1404/01/01");
    QTest::newRow("first of January") << QDate(2025, 1, 1) << QStringLiteral("1403/10/12");
    QTest::newRow("two digits") << QDate(2024, 9, 30) << QStringLiteral("1403/07/09");
    // Years where the plain "year mod 4" rules are a whole year off.
    QTest::newRow("new year 1408") << QDate(2029, 3, 20) << QStringLiteral("1408/01/01");
    QTest::newRow("30 Esfand 1370") << QDate(1992, 3, 20) << QStringLiteral("1370/12/30");
    QTest::newRow("new year 1371") << QDate(1992, 3, 21) << QStringLiteral("1371/01/01");
    QTest::newRow("new year 1412") << QDate(2033, 3, 20) << QStringLiteral("1412/01/01");
    QTest::newRow("new year 1416") << QDate(2037, 3, 20) << QStringLiteral("1416/01/01");
    // Century years that are not Gregorian leap years.
    QTest::newRow("1900-03-01") << QDate(1900, 3, 1) << QStringLiteral("1278/12/10");
    QTest::newRow("1900-03-21") << QDate(1900, 3, 21) << QStringLiteral("1279/01/01");
    QTest::newRow("2100-03-21") << QDate(2100, 3, 21) << QStringLiteral("1479/01/01");
}

void TestUnits::jalaliExamples()
{
    QFETCH(QDate, gregorian);
    QFETCH(QString, jalali);
    QCOMPARE(jalaliOf(gregorian.year(), gregorian.month(), gregorian.day()), jalali);
}

void TestUnits::jalaliMatchesReferenceEveryDay()
{
    QFile file(sharedDataFile(QStringLiteral("jalali-oracle.csv")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        QSKIP("the reference dates are not here");
    QTextStream in(&file);
    int days = 0;
    QDate expectedDay;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty())
            continue;
        const QString greg = line.section(QLatin1Char(','), 0, 0);
        const QString jal = line.section(QLatin1Char(','), 1, 1);
        const QDate g = QDate::fromString(greg, QStringLiteral("yyyy-MM-dd"));
        if (!g.isValid())
            continue; // a header line
        if (expectedDay.isValid())
            QCOMPARE(g, expectedDay); // the reference skips no day
        expectedDay = g.addDays(1);
        const QString got = jalaliOf(g.year(), g.month(), g.day());
        if (got != jal)
            QFAIL(qPrintable(QStringLiteral("%1: %2, expected %3").arg(greg, got, jal)));
        ++days;
    }
    QVERIFY2(days > 50000, "the reference should cover 1950 to 2100");
}

void TestUnits::jalaliIsContinuousFrom1900To2120()
{
    // Beyond the reference: every next Gregorian day is the next Jalali day,
    // and each Jalali year begins between the 20th and the 22nd of March.
    TJalaliDate prev;
    bool first = true;
    for (QDate d(1900, 1, 1); d <= QDate(2120, 12, 31); d = d.addDays(1)) {
        TJalaliDate cur;
        cur.gYear = quint16(d.year());
        cur.gMonth = quint16(d.month());
        cur.gDay = quint16(d.day());
        QCOMPARE(cur.GregorianDayOfYear(), d.dayOfYear());
        cur.ToPersian();
        if (!first) {
            int y = prev.pYear, m = prev.pMonth, day = prev.pDay + 1;
            if (day > jalaliMonthLength(y, m)) {
                day = 1;
                if (++m > 12) {
                    m = 1;
                    ++y;
                }
            }
            if (cur.pYear != y || cur.pMonth != m || cur.pDay != day)
                QFAIL(qPrintable(d.toString(Qt::ISODate) + QStringLiteral(" gives ") + cur.ToText()));
        }
        if (cur.pMonth == 1 && cur.pDay == 1)
            QVERIFY(d.month() == 3 && d.day() >= 20 && d.day() <= 22);
        prev = cur;
        first = false;
    }
}

void TestUnits::leapYears()
{
    TJalaliDate d;
    for (int y : {1900, 2100, 2023}) {
        d.gYear = quint16(y);
        QVERIFY(!d.IsGregorianLeap());
    }
    for (int y : {2000, 2024}) {
        d.gYear = quint16(y);
        QVERIFY(d.IsGregorianLeap());
    }
    // 1403 and 1408 are leap years; 1407 and 1404 are not.
    for (int y : {1399, 1403, 1408, 1412}) {
        d.pYear = quint16(y);
        QVERIFY2(d.IsPersianLeap(), qPrintable(QString::number(y)));
    }
    for (int y : {1400, 1404, 1407, 1411}) {
        d.pYear = quint16(y);
        QVERIFY2(!d.IsPersianLeap(), qPrintable(QString::number(y)));
    }
}

void TestUnits::initIsToday()
{
    const QDate today = QDate::currentDate();
    dates.Init();
    QCOMPARE(int(dates.gYear), today.year());
    QCOMPARE(int(dates.gMonth), today.month());
    QCOMPARE(int(dates.gDay), today.day());
    QCOMPARE(dates.ToText(), jalaliOf(today.year(), today.month(), today.day()));
    QCOMPARE(dates.ToText().size(), 10);
}

void TestUnits::moneyGroupsWhileTyping()
{
    QWidget window;
    auto *edit = new TMonEdit(&window);
    window.show();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("1234567"));
    QCOMPARE(edit->text(), QStringLiteral("1,234,567"));
    QCOMPARE(edit->cursorPosition(), int(edit->text().size()));
    QVERIFY(!edit->hasSelectedText());
    QCOMPARE(edit->LastText, QStringLiteral("1,234,567"));
    QCOMPARE(edit->GetValue(), 1234567);

    edit->setText(QStringLiteral("123456"));
    QCOMPARE(edit->text(), QStringLiteral("123,456"));
    edit->setText(QStringLiteral("123"));
    QCOMPARE(edit->text(), QStringLiteral("123"));

    // Deleting the whole text leaves it empty and worth nothing.
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QString());
    QCOMPARE(edit->GetValue(), 0);
}

void TestUnits::moneyDropsEverythingButDigits()
{
    QWidget window;
    auto *edit = new TMonEdit(&window);
    window.show();
    QTest::keyClicks(edit, QStringLiteral("-12.5"));
    QCOMPARE(edit->text(), QStringLiteral("125"));
    QTest::keyClicks(edit, QStringLiteral("a0"));
    QCOMPARE(edit->text(), QStringLiteral("1,250"));
    edit->setText(QStringLiteral("abc"));
    QCOMPARE(edit->text(), QString());
}

void TestUnits::moneyValue()
{
    TMonEdit edit; // never shown: no grouping, the text stays as set
    edit.setText(QStringLiteral("1,500"));
    QCOMPARE(edit.GetValue(), 1500);
    // Digits after a decimal point are no part of the value.
    edit.setText(QStringLiteral("12.5"));
    QCOMPARE(edit.GetValue(), 12);
    edit.setText(QStringLiteral("1,500.00"));
    QCOMPARE(edit.GetValue(), 1500);
    edit.setText(QStringLiteral("1500\u066B75"));
    QCOMPARE(edit.GetValue(), 1500);
    edit.setText(QStringLiteral(".5"));
    QCOMPARE(edit.GetValue(), 0);
    edit.setText(QStringLiteral("-2,147,483,647"));
    QCOMPARE(edit.GetValue(), 2147483647);
    edit.setText(QStringLiteral("abc"));
    QCOMPARE(edit.GetValue(), 0);
    // Read as every number field reads it.
    edit.setText(QStringLiteral("1e-400"));
    QCOMPARE(edit.GetValue(), 0);
    edit.setText(QStringLiteral("1.5e3"));
    QCOMPARE(edit.GetValue(), 1500);
    edit.setText(QStringLiteral("12345678901"));
    QVERIFY_THROWS_EXCEPTION(DataError, edit.GetValue());
    edit.setText(QStringLiteral("2147483648"));
    QVERIFY_THROWS_EXCEPTION(DataError, edit.GetValue());
}

void TestUnits::moneyChangeOnlyOnceTheWindowExists()
{
    QWidget window;
    auto *edit = new TMonEdit(&window);
    QCOMPARE(edit->size(), QSize(100, 50));
    int changes = 0;
    edit->OnChange = [&](TMonEdit *sender) {
        ++changes;
        edit->FormatOnChange(sender);
    };
    edit->setText(QStringLiteral("9876"));
    QCOMPARE(changes, 0);
    QCOMPARE(edit->text(), QStringLiteral("9876"));
    window.show();
    edit->setText(QStringLiteral("98765"));
    QCOMPARE(edit->text(), QStringLiteral("98,765"));
    // The regrouped text raises the change once more, which leaves it alone.
    QCOMPARE(changes, 2);
}

void TestUnits::moneyOwnChangeHandlerReplacesGrouping()
{
    QWidget window;
    auto *edit = new TMonEdit(&window);
    QStringList seen;
    edit->OnChange = [&](TMonEdit *sender) { seen << sender->text(); };
    window.show();
    edit->setText(QStringLiteral("150000"));
    QCOMPARE(edit->text(), QStringLiteral("150000"));
    QCOMPARE(seen, QStringList{QStringLiteral("150000")});
    QCOMPARE(edit->LastText, QString());
    QCOMPARE(edit->GetValue(), 150000);

    // A failing handler ends in the error box, not in the event loop.
    ScopedScriptedPlatform ui;
    edit->OnChange = [](TMonEdit *sender) { sender->GetValue(); };
    edit->setText(QStringLiteral("99999999999"));
    QCOMPARE(ui.callsOf(QStringLiteral("message")).size(), 1);
    QCOMPARE(ui.calls.first().kind, Platform::BoxKind::Error);
}

void TestUnits::moneyHelpers()
{
    QCOMPARE(TMonEdit::DigitsOnly(QString(), 0), QStringLiteral("0"));
    QCOMPARE(TMonEdit::DigitsOnly(QStringLiteral("x"), 1), QString());
    QCOMPARE(TMonEdit::DigitsOnly(QStringLiteral("1a2b3"), 3), QStringLiteral("12"));
    QCOMPARE(TMonEdit::InsertChar(QStringLiteral("1234"), 4, 2, QLatin1Char(',')), QStringLiteral("1,234"));
    QCOMPARE(TMonEdit::InsertChar(QStringLiteral("12"), 2, 3, QLatin1Char('x')), QStringLiteral("12x"));

    TMonEdit edit;
    QCOMPARE(edit.GroupDigits(QStringLiteral("1234567"), 7), QStringLiteral("1,234,567"));
    QCOMPARE(edit.GroupDigits(QStringLiteral("1,234,567"), 9), QStringLiteral("1,234,567"));
    QCOMPARE(edit.GroupDigits(QString(), 0), QString());
    QCOMPARE(edit.LastText, QStringLiteral("1,234,567"));
    QCOMPARE(edit.GroupDigits(QStringLiteral("ab"), 2), QString());
    QCOMPARE(edit.LastText, QString());
    QCOMPARE(edit.GroupDigits(QStringLiteral("000123"), 6), QStringLiteral("000,123"));
}

void TestUnits::moneyTakesPersianDigits()
{
    QWidget window;
    auto *edit = new TMonEdit(&window);
    window.show();
    // Typed on a Persian keyboard, or from an older Arabic layout.
    typeText(edit, QStringLiteral("۱۵۰۰"));
    QCOMPARE(edit->text(), QStringLiteral("1,500"));
    QCOMPARE(edit->GetValue(), 1500);
    typeText(edit, QStringLiteral("٢٥"));
    QCOMPARE(edit->text(), QStringLiteral("150,025"));

    // A window's own handler leaves the text as it is; the value still counts them.
    TMonEdit rate;
    rate.setText(QStringLiteral("۱,۲۰۰"));
    QCOMPARE(rate.GetValue(), 1200);
    QCOMPARE(TMonEdit::DigitsOnly(QStringLiteral("۱۲٣a"), 4), QStringLiteral("123"));
}

void TestUnits::passwordTransform()
{
    const QString abc = ScramblePassword(QStringLiteral("abc"));
    QCOMPARE(abc.size(), 3);
    QCOMPARE(abc[0].unicode(), 98);
    QCOMPARE(abc[1].unicode(), 97);
    QCOMPARE(abc[2].unicode(), 96);
    QCOMPARE(UnscramblePassword(abc), QStringLiteral("abc"));
    QCOMPARE(ScramblePassword(QString()), QString());
    QCOMPARE(UnscramblePassword(QString()), QString());

    // Persian letters move along the Arabic code page, as the stored values
    // of existing installations do: seen (0xD3) becomes zain (0xD2).
    QCOMPARE(ScramblePassword(QStringLiteral("\u0633")), QStringLiteral("\u0632"));
    QCOMPARE(UnscramblePassword(QStringLiteral("\u0632")), QStringLiteral("\u0633"));
    const QString persian = QStringLiteral("\u0631\u0645\u0632 \u06AF\u0630\u0631 \u067E\u0686\u0698 quzelo##*");
    const QString stored = ScramblePassword(persian);
    QCOMPARE(stored.size(), persian.size());
    QVERIFY(stored != persian);
    QCOMPARE(UnscramblePassword(stored), persian);
    // Every one of the 256 codes comes back, including 0 and 255 at the wrap.
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString everyCode = QStringDecoder("windows-1256").decode(all);
    QCOMPARE(UnscramblePassword(ScramblePassword(everyCode)), everyCode);
}

QTEST_MAIN(TestUnits)
#include "tst_units.moc"
