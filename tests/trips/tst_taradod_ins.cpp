// Trip entry: the amount (rounding, range, texts that are no number), the
// type presets, the driver-to-vehicle-to-plate cascade, the officer's place
// of service, the date and time labels, and insert and edit with their
// checks; on every engine under test.
#include "TestSupport.h"
#include "core/Controls.h"
#include "core/Dates.h"
#include "core/MonEdit.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/DataError.h"
#include "platform/Fonts.h"
#include "platform/MaskEdit.h"
#include "platform/Money.h"
#include "platform/Query.h"
#include "trips/taradod_ins_u.h"
#include "trips/taradod_src_u.h"
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTime>

namespace {

const QString InCity = QStringLiteral("درون شهر");
const QString OutOfCity = QStringLiteral("خارج شهر");
const QString DailyWork = QStringLiteral("کارکرد روزانه");
const QString Rental = QStringLiteral("استيجاري");
const QString Blocked = QStringLiteral("خطا! براي اين راننده در اين تاريخ يک تردد به غير از درون شهر قبلا ثبت شده است");
const QString DuplicateQuestion = QStringLiteral(" هشدار! اين راننده و مامور قبلا ثبت شده است.آيا مي خواهيد ادامه دهيد؟");

Ttaradod_ins *entry() { return app::taradod_ins; }
Query &trips() { return *app::dm->ADOQ_taradod; }

// The rates of a new trip and the list's first search, then the new command.
Ttaradod_ins *openNew(AppFixture &fx, const QString &kilometreRate = QStringLiteral("1,500"),
                      const QString &hourRate = QStringLiteral("12.5"))
{
    fx.exec(QStringLiteral("insert into setting (component,cmt) values ('مبلغ هر کيلومتر','%1')").arg(kilometreRate));
    fx.exec(QStringLiteral("insert into setting (component,cmt) values ('مبلغ هر ساعت','%1')").arg(hourRate));
    app::taradod_src->src_btnClick();
    app::taradod_src->N1Click();
    return entry();
}

void type(ComboBox *combo, const QString &text)
{
    combo->setText(QString());
    typeText(combo->lineEdit(), text);
}

QColor base(QWidget *w) { return w->palette().color(QPalette::Base); }

// Drivers, an officer and vehicles: one rental driver with one vehicle of
// his own, the organisation's vehicles with a name two of them share.
void addPeopleAndVehicles(AppFixture &fx)
{
    fx.exec(QStringLiteral("insert into personel (fname,lname,semat,typ,govahiname_no,loc) values "
                           "('علي','رضايي','راننده','استيجاري','G-1',NULL),('حسن','کريمي','راننده','رسمي',NULL,NULL),"
                           "('رضا','O''Neil','راننده','استيجاري',NULL,NULL),('مهدي','احمدي','پرسنل',NULL,NULL,'اداره مالي')"));
    fx.exec(QStringLiteral("insert into khodro (lname,khodro,pelak) values ('علي رضايي','پژو','11ب111'),"
                           "('کاروند ديسا استان','سمند','22-222'),('کاروند ديسا استان','سمند','33-333'),('کاروند ديسا استان','پرايد','44-444')"));
}

QStringList items(ComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

// Fills what an insert needs: type, driver, officer and start date.
void fillTrip(Ttaradod_ins *w, const QString &type, const QString &driver, const QString &officer, const QString &date)
{
    w->typ->setText(type);
    w->typChange();
    w->ranande->setText(driver);
    w->mamor->setText(officer);
    w->dat1->setText(date);
}

int tripCount(AppFixture &fx) { return fx.column(QStringLiteral("select count(*) from taradod")).value(0).toInt(); }

// Lists every trip, whatever its date; their ids in order.
QStringList listAllTrips(AppFixture &fx)
{
    app::taradod_src->CheckBox3->setChecked(false);
    app::taradod_src->src_btnClick();
    return fx.column(QStringLiteral("select id from taradod order by id"));
}

// Opens the listed trip of that id as the list's "edit" command does.
Ttaradod_ins *editTrip(const QString &id)
{
    Query &rows = trips();
    bool found = false;
    for (int r = 1; r <= rows.recordCount() && !found; ++r) {
        rows.setRecNo(r);
        found = rows.field(QStringLiteral("id")).asString() == id;
    }
    if (!found)
        QTest::qFail("trip not in the list", __FILE__, __LINE__);
    app::taradod_src->N2Click();
    return entry();
}

} // namespace

class TaradodInsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void amountComputation_data()
    {
        QTest::addColumn<QString>("kilometres");
        QTest::addColumn<QString>("kilometreRate");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("hourRate");
        QTest::addColumn<QString>("amount"); // empty: an error
        QTest::newRow("kilometres only") << "12.5" << "1000" << "0" << "0" << "12500";
        QTest::newRow("both parts") << "120" << "1500" << "8" << "20000" << "340000";
        QTest::newRow("shortest decimals") << "1.5" << "823" << "0" << "7" << "1234.5";
        QTest::newRow("four decimals at most") << "0.00001" << "1" << "0.33333" << "1" << "0.3333";
        // Exact halves of a ten-thousandth go to the even neighbour.
        QTest::newRow("tie down to even") << "0.03125" << "1" << "0" << "0" << "0.0312";
        QTest::newRow("tie up to even") << "0.09375" << "1" << "0" << "0" << "0.0938";
        QTest::newRow("negative tie") << "-0.03125" << "1" << "0" << "0" << "-0.0312";
        QTest::newRow("blanks, sign, exponent") << " +1e2 " << "3" << "2.5E-1" << "4" << "301";
        QTest::newRow("bare decimal point") << "5." << "2" << ".5" << "2" << "11";
        QTest::newRow("largest money") << "922337203685477.5807" << "1" << "0" << "0" << "922337203685477.5807";
        QTest::newRow("beyond the money range") << "922337203685477.5808" << "1" << "0" << "0" << "";
        QTest::newRow("overflow of the product") << "1e15" << "1000" << "0" << "0" << "";
        QTest::newRow("beyond extended precision") << "1e99999" << "1" << "0" << "0" << "";
        QTest::newRow("empty kilometres") << "" << "1" << "8" << "1" << "";
        QTest::newRow("letters") << "abc" << "1" << "0" << "1" << "";
        QTest::newRow("grouped digits") << "1,5" << "1" << "0" << "1" << "";
        QTest::newRow("group after a zero") << "0,125" << "1" << "0" << "1" << "";
        QTest::newRow("mixed separators") << "1 234,567" << "1" << "0" << "1" << "";
        QTest::newRow("exponent without digits") << "1e" << "1" << "0" << "1" << "";
        QTest::newRow("point alone") << "." << "1" << "0" << "1" << "";
        QTest::newRow("hexadecimal") << "0x10" << "1" << "0" << "1" << "";
        QTest::newRow("Persian digits") << "۱۲" << "1" << "٠" << "1" << "12";
        // A rate counts as the amount it is, the amount its column stores.
        QTest::newRow("rate with decimals") << "10" << "12.5" << "0" << "0" << "125";
        QTest::newRow("Persian decimal separator") << "2" << "1500٫75" << "1" << "1،500" << "4501.5";
        QTest::newRow("grouped kilometres") << "1 200" << "2" << "۱٬۰۰۰" << "0.5" << "2900";
        QTest::newRow("beyond a double's digits") << "3" << "900000000000.0001" << "0" << "0" << "2700000000000.0003";
        QTest::newRow("rate with zero decimals") << "3" << "1500.00" << "0" << "0" << "4500";
        QTest::newRow("rate beyond 32 bits") << "0" << "0" << "2" << "99,999,999,999" << "199999999998";
        QTest::newRow("sum beyond 32 bits") << "1" << "2,147,483,647" << "1" << "2,147,483,647" << "4294967294";
    }
    void amountComputation()
    {
        QFETCH(QString, kilometres);
        QFETCH(QString, kilometreRate);
        QFETCH(QString, hours);
        QFETCH(QString, hourRate);
        QFETCH(QString, amount);
        Money kilometreAmount;
        Money hourAmount;
        QVERIFY(Money::parse(kilometreRate, &kilometreAmount) && Money::parse(hourRate, &hourAmount));
        if (amount.isEmpty())
            QVERIFY_THROWS_EXCEPTION(DataError, Ttaradod_ins::tripAmount(kilometres, kilometreAmount, hours, hourAmount));
        else
            QCOMPARE(Ttaradod_ins::tripAmount(kilometres, kilometreAmount, hours, hourAmount).toString(), amount);
    }

    void amountInTheWindow()
    {
        AppFixture fx(Engine::Sqlite);
        // The rates count as the amounts they are: "1,500" is 1500, "12.5" is 12.5.
        Ttaradod_ins *w = openNew(fx);
        QCOMPARE(w->mablagh_kilometr->text(), QStringLiteral("1,500"));
        QCOMPARE(w->mablagh_saat->text(), QStringLiteral("12.5"));
        QCOMPARE(w->mablagh->text(), QStringLiteral("0"));
        w->karkard_kilometr->setText(QStringLiteral("12.5"));
        QCOMPARE(w->mablagh->text(), QStringLiteral("18750"));
        typeText(w->karkard_saat, QStringLiteral("2"));
        QCOMPARE(w->karkard_saat->text(), QStringLiteral("02"));
        QCOMPARE(w->mablagh->text(), QStringLiteral("18775"));

        // An empty field is no number: "0", whatever the other field holds;
        // leaving it puts "0" into it, which computes again.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->karkard_kilometr->setFocus();
        w->karkard_kilometr->clear();
        QCOMPARE(w->mablagh->text(), QStringLiteral("0"));
        w->karkard_saat->setFocus();
        QTRY_COMPARE(w->karkard_kilometr->text(), QStringLiteral("0"));
        QCOMPARE(w->mablagh->text(), QStringLiteral("25"));
        // A field left with a text keeps it.
        w->karkard_saat->setText(QStringLiteral("x"));
        QCOMPARE(w->mablagh->text(), QStringLiteral("0"));
        w->kilometr1->setFocus();
        QCOMPARE(w->karkard_saat->text(), QStringLiteral("x"));
        w->karkard_saat->setText(QStringLiteral("2"));

        // A rate set from code computes too, whatever its size, and is not
        // regrouped in this window.
        w->mablagh_kilometr->setText(QStringLiteral("1000"));
        w->karkard_kilometr->setText(QStringLiteral("3"));
        w->mablagh_saat->setText(QStringLiteral("99,999,999,999"));
        QCOMPARE(w->mablagh->text(), QStringLiteral("200000002998"));
        QCOMPARE(w->mablagh_saat->text(), QStringLiteral("99,999,999,999"));

        // Entering the amount field computes it again.
        w->mablagh->setText(QStringLiteral("stale"));
        w->mablagh->setFocus();
        QCOMPARE(w->mablagh->text(), QStringLiteral("200000002998"));
        QVERIFY(w->mablagh->isReadOnly());
        QCOMPARE(fx.ui.calls.size(), 1); // the modal showing only: no error box

        // A stored rate that is no amount is named with its list as soon as
        // it is counted with, once, not at every keystroke.
        w->mablagh_kilometr->setText(QStringLiteral("1500 ریال"));
        w->karkard_kilometr->setText(QStringLiteral("4"));
        QCOMPARE(w->mablagh->text(), QStringLiteral("0"));
        QCOMPARE(fx.ui.messages().size(), 1);
        QVERIFY(fx.ui.messages().first().contains(QStringLiteral("«1500 ریال» در فهرست «مبلغ هر کيلومتر»")));
    }

    void typePresets()
    {
        AppFixture fx(Engine::Sqlite);
        Ttaradod_ins *w = openNew(fx, QStringLiteral("1000"), QStringLiteral("100"));
        const QColor window = QApplication::palette(w->mablagh).color(QPalette::Base);
        w->loc->setText(QStringLiteral("kept"));
        w->karkard_kilometr->setText(QStringLiteral("7"));
        w->karkard_saat->setText(QStringLiteral("5"));

        type(w->typ, InCity);
        QCOMPARE(w->karkard_kilometr->text(), QStringLiteral("0"));
        QCOMPARE(w->karkard_saat->text(), QStringLiteral("0"));
        QCOMPARE(w->mablagh->text(), QStringLiteral("0"));
        QVERIFY(w->karkard_kilometr->isReadOnly() && w->karkard_saat->isReadOnly());
        for (QWidget *f : QList<QWidget *>{w->mablagh, w->karkard_kilometr, w->karkard_saat})
            QCOMPARE(base(f), QColor(Qt::red));
        QCOMPARE(base(w->saat1), QColor(Qt::yellow));
        QCOMPARE(base(w->saat2), QColor(Qt::yellow));

        // Any other text: the colours go, the read-only state stays.
        type(w->typ, QStringLiteral("درون"));
        QVERIFY(w->karkard_kilometr->isReadOnly() && w->karkard_saat->isReadOnly());
        for (QWidget *f : QList<QWidget *>{w->mablagh, w->karkard_kilometr, w->karkard_saat, w->saat1, w->saat2})
            QCOMPARE(base(f), window);

        type(w->typ, OutOfCity);
        QVERIFY(!w->karkard_kilometr->isReadOnly() && !w->karkard_saat->isReadOnly());
        for (QWidget *f : QList<QWidget *>{w->mablagh, w->karkard_kilometr, w->karkard_saat})
            QCOMPARE(base(f), QColor(Qt::yellow));
        QCOMPARE(base(w->saat1), window);

        // Daily work: officer "---" (no look-up, so the place stays), the
        // day's hours, and the amount of kilometres plus eight hours.
        w->karkard_kilometr->setText(QStringLiteral("10"));
        type(w->typ, DailyWork);
        QCOMPARE(w->mamor->text(), QStringLiteral("---"));
        QCOMPARE(w->loc->text(), QStringLiteral("kept"));
        QCOMPARE(w->saat1->text(), QStringLiteral("07:00"));
        QCOMPARE(w->saat2->text(), QStringLiteral("15:00"));
        QCOMPARE(w->karkard_saat->text(), QStringLiteral("8"));
        QCOMPARE(w->mablagh->text(), QStringLiteral("10800"));
        QVERIFY(w->karkard_kilometr->isReadOnly() && !w->karkard_saat->isReadOnly());
        QCOMPARE(base(w->karkard_kilometr), QColor(Qt::red));
        QCOMPARE(base(w->karkard_saat), QColor(Qt::yellow));

        // The new command empties the type: colours back, read-only left over.
        app::taradod_src->N1Click();
        QVERIFY(w->karkard_kilometr->isReadOnly());
        QCOMPARE(base(w->karkard_kilometr), window);
        QCOMPARE(w->mablagh->text(), QStringLiteral("0"));
    }

    void listsAndCascade_data() { addEngineRows(); }
    void listsAndCascade()
    {
        AppFixture fx(currentEngine());
        addPeopleAndVehicles(fx);
        Ttaradod_ins *w = openNew(fx);
        // The lists of the showing: drivers and staff by their full names.
        QCOMPARE(items(w->ranande), (QStringList{QStringLiteral("علي رضايي"), QStringLiteral("حسن کريمي"), QStringLiteral("رضا O'Neil")}));
        QCOMPARE(items(w->mamor), QStringList{QStringLiteral("مهدي احمدي")});
        QCOMPARE(items(w->typ), (QStringList{InCity, OutOfCity, DailyWork}));

        // A cooperation mode narrows the drivers and empties the driver only.
        w->khodro->setText(QStringLiteral("kept"));
        type(w->nahve, Rental);
        QCOMPARE(w->ranande->text(), QString());
        QCOMPARE(items(w->ranande), (QStringList{QStringLiteral("علي رضايي"), QStringLiteral("رضا O'Neil")}));
        QCOMPARE(w->khodro->text(), QStringLiteral("kept"));

        // A rental driver with one vehicle of his own: vehicle and plate at once.
        type(w->ranande, QStringLiteral("علي رضايي"));
        QCOMPARE(w->khodro->text(), QStringLiteral("پژو"));
        QCOMPARE(w->pelak->text(), QStringLiteral("11ب111"));
        QCOMPARE(w->khodro->count(), 0);
        QCOMPARE(w->pelak->count(), 0);
        // A rental driver without one (a quote in the name too): all empty.
        type(w->ranande, QStringLiteral("رضا O'Neil"));
        QCOMPARE(w->khodro->text(), QString());
        QCOMPARE(w->pelak->text(), QString());
        QCOMPARE(w->khodro->count(), 0);

        // Any other mode, the empty one too: the organisation's own vehicles.
        type(w->nahve, QString());
        type(w->ranande, QStringLiteral("حسن کريمي"));
        QCOMPARE(items(w->khodro), (QStringList{QStringLiteral("سمند"), QStringLiteral("سمند"), QStringLiteral("پرايد")}));
        QCOMPARE(w->khodro->text(), QString());
        // A name two vehicles share offers both plates; a single one fills it.
        type(w->khodro, QStringLiteral("سمند"));
        QCOMPARE(items(w->pelak), (QStringList{QStringLiteral("22-222"), QStringLiteral("33-333")}));
        QCOMPARE(w->pelak->text(), QString());
        type(w->khodro, QStringLiteral("پرايد"));
        QCOMPARE(w->pelak->text(), QStringLiteral("44-444"));
        QCOMPARE(w->pelak->count(), 0);

        // The officer's place of service, empty for an unknown name.
        type(w->mamor, QStringLiteral("مهدي احمدي"));
        QCOMPARE(w->loc->text(), QStringLiteral("اداره مالي"));
        type(w->mamor, QStringLiteral("مهدي"));
        QCOMPARE(w->loc->text(), QString());

        // Counties of the province, its kaf and yeh typed otherwise; the county text stays.
        fx.exec(QStringLiteral("insert into abadiha (ostan,shahrestan) values ('مركزي','اراک'),('مركزي','ساوه')"));
        type(w->ostan, QStringLiteral("مرکزی"));
        QCOMPARE(items(w->shahrestan).size(), 2);
        QCOMPARE(w->shahrestan->text(), Ttaradod_src::defaultCounty());
        QCOMPARE(fx.ui.calls.size(), 1);
    }

    void dateAndTimeLabels()
    {
        AppFixture fx(Engine::Sqlite);
        Ttaradod_ins *w = openNew(fx);
        dates.Init();
        const QString today = dates.ToText();
        QCOMPARE(w->dat1->text(), today);
        QTest::mouseClick(w->Label8, Qt::LeftButton);
        QCOMPARE(w->dat1->text(), QStringLiteral("    /  /  "));
        QTest::mouseClick(w->Label8, Qt::LeftButton);
        QCOMPARE(w->dat1->text(), today);
        // Today at the click, whatever date the shared object last held.
        dates.gYear = 2024; dates.gMonth = 3; dates.gDay = 20;
        dates.ToPersian();
        w->Label9Click();
        QCOMPARE(w->dat2->text(), QStringLiteral("    /  /  "));
        w->Label9Click();
        QCOMPARE(w->dat2->text(), today);

        // Times: now as a 24-hour hh:mm, and blank again.
        const QTime before = QTime::currentTime();
        QTest::mouseClick(w->Label10, Qt::LeftButton);
        const QTime after = QTime::currentTime();
        const QString t = w->saat1->text();
        QVERIFY2(t == before.toString(QStringLiteral("HH:mm")) || t == after.toString(QStringLiteral("HH:mm")), qPrintable(t));
        w->Label10Click();
        QCOMPARE(w->saat1->text(), QStringLiteral("  :  "));
        w->saat2->setText(QStringLiteral("1 :3 "));
        w->Label11Click();
        QCOMPARE(w->saat2->text(), QStringLiteral("  :  "));
    }

    void insertChecks_data() { addEngineRows(); }
    void insertChecks()
    {
        AppFixture fx(currentEngine());
        Ttaradod_ins *w = openNew(fx, QStringLiteral("1،500"), QStringLiteral("12.5"));
        const QString driver = QStringLiteral("علي رضايي");
        const QString officer = QStringLiteral("مهدي احمدي");
        const QString date = QStringLiteral("1402/05/01");

        // The required fields, in their order; blanks only count as empty.
        const QStringList required{QStringLiteral("خطا! نوع تردد نمي تواند خالي باشد"),
                                   QStringLiteral("خطا! نام راننده   نمي تواند خالي باشد"),
                                   QStringLiteral("خطا! نام مامور  نمي تواند خالي باشد")};
        fillTrip(w, QString(), QString(), QString(), date);
        w->ins_btn->click();
        w->typ->setText(QStringLiteral(" "));
        w->ins_btn->click();
        w->typ->setText(QStringLiteral("x"));
        w->ranande->setText(QStringLiteral("  "));
        w->ins_btn->click();
        w->ranande->setText(driver);
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), (QStringList{required[0], required[0], required[1], required[2]}));
        QCOMPARE(tripCount(fx), 0);

        // The first out-of-city trip: all 23 columns as their fields' texts.
        // Numbers as a Persian keyboard types them, with its decimal
        // separator, and a rate grouped with the Arabic comma or with
        // decimals count and are stored as the amounts they are.
        fx.ui.reset();
        fillTrip(w, OutOfCity, driver, officer, date);
        w->karkard_kilometr->clear();
        typeText(w->karkard_kilometr, QStringLiteral("۱۲٫۵"));
        QCOMPARE(w->mablagh->text(), QStringLiteral("18750"));
        w->karkard_saat->setText(QStringLiteral("٢٫٥"));
        QCOMPARE(w->mablagh->text(), QStringLiteral("18781.25"));
        w->tavaghof->setText(QString());
        w->ins_btn->click();
        QCOMPARE(fx.ui.calls.size(), 0);
        QVERIFY(w->isVisible());
        // Type, date, time, county.
        QCOMPARE(fx.value(QStringLiteral("select typ || '|' || dat1 || '|' || saat1 || '|' || shahrestan from taradod")),
                 (QStringList{OutOfCity, date, QStringLiteral("  :  "), Ttaradod_src::defaultCounty()}.join(u'|')));
        QCOMPARE(fx.value(QStringLiteral("select count(*) from taradod where tavaghof is null and kilometr1=0 and karkard_kilometr=12.5 "
                                         "and karkard_saat=2.5 and mablagh_kilometr=1500 and mablagh_saat=12.5 and mablagh=18781.25")),
                 QStringLiteral("1"));
        QCOMPARE(trips().recordCount(), 1);

        // A second trip other than in-city for the driver and date: refused.
        w->ins_btn->click();
        fillTrip(w, DailyWork, driver, officer, date);
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), (QStringList{Blocked, Blocked}));
        QCOMPARE(tripCount(fx), 1);

        // In-city trips are never blocked; the same driver, officer and date
        // ask first, and only Yes stores.
        fx.ui.reset();
        fillTrip(w, InCity, driver, officer, date);
        fx.ui.buttonAnswers << Platform::Button::No << Platform::Button::Cancel << Platform::Button::Yes;
        w->ins_btn->click();
        w->ins_btn->click();
        QCOMPARE(tripCount(fx), 1);
        w->ins_btn->click();
        QCOMPARE(tripCount(fx), 2);
        QCOMPARE(fx.ui.messages(), QStringList(3, DuplicateQuestion + driver));
        QCOMPARE(fx.ui.calls.last().kind, Platform::BoxKind::Warning);

        // Another driver on that date is free.
        fx.ui.reset();
        fillTrip(w, OutOfCity, QStringLiteral("حسن کريمي"), officer, date);
        w->ins_btn->click();
        QCOMPARE(tripCount(fx), 3);
        QCOMPARE(fx.ui.calls.size(), 0);

        // An amount beyond money's range: named once as it is counted, and
        // no save stores it.
        fx.ui.reset();
        fillTrip(w, OutOfCity, QStringLiteral("حسن کريمي"), officer, QStringLiteral("1402/07/01"));
        w->karkard_kilometr->setText(QStringLiteral("1e12"));
        w->karkard_kilometr->setText(QStringLiteral("2e12"));
        QCOMPARE(w->mablagh->text(), QString());
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList(2, QStringLiteral("خطا! مبلغ اين تردد از بزرگترين مبلغ قابل ثبت بيشتر است؛ کارکرد را اصلاح نماييد")));
        QCOMPARE(tripCount(fx), 3);
        w->karkard_kilometr->setText(QStringLiteral("1"));
        QCOMPARE(w->mablagh->text(), QStringLiteral("1500"));

        // Letters in an odometer: the data layer's error, nothing stored, and
        // the shared result set is not left half-assigned.
        fillTrip(w, InCity, QStringLiteral("x"), officer, QStringLiteral("1402/06/01"));
        w->kilometr1->setText(QStringLiteral("12a"));
        w->ins_btn->click();
        QCOMPARE(fx.ui.calls.last().kind, Platform::BoxKind::Error);
        QCOMPARE(tripCount(fx), 3);
        QCOMPARE(trips().state(), Query::State::Browse);
    }

    // Typed on a Persian keyboard, the seeded texts with their Arabic kaf and
    // yeh, and a name and a date with another form of their digits, cascade and
    // are checked all the same: a second trip other than in-city is refused, a
    // repeat asked, an edit of the driver's letters alone asks nothing.
    void persianKeyboardSpellings_data() { addEngineRows(); }
    void persianKeyboardSpellings()
    {
        AppFixture fx(currentEngine());
        addPeopleAndVehicles(fx);
        const QString date = QStringLiteral("1402/05/01");
        for (const QString &stored : {QStringLiteral("علي رضايي"), QStringLiteral("علی کریمی ۲")})
            fx.exec(QStringLiteral("insert into taradod (typ,ranande,mamor,dat1) values ('%1','%2','مهدي احمدي','۱۴۰۲/۰۵/۰۱')").arg(OutOfCity, stored));
        Ttaradod_ins *w = openNew(fx);
        type(w->nahve, QStringLiteral("استیجاری"));
        QCOMPARE(items(w->ranande), (QStringList{QStringLiteral("علي رضايي"), QStringLiteral("رضا O'Neil")}));
        type(w->ranande, QStringLiteral("علی رضایی"));
        QCOMPARE(w->khodro->text(), QStringLiteral("پژو"));
        QCOMPARE(w->pelak->text(), QStringLiteral("11ب111"));
        type(w->mamor, QStringLiteral("مهدی احمدی"));
        QCOMPARE(w->loc->text(), QStringLiteral("اداره مالي"));
        type(w->typ, QStringLiteral("كاركرد روزانه"));
        QCOMPARE(w->mamor->text(), QStringLiteral("---"));
        QCOMPARE(w->karkard_saat->text(), QStringLiteral("8"));

        for (const QString &typed : {QStringLiteral("علی رضایی"), QStringLiteral("علی کریمی ٢")}) {
            fillTrip(w, DailyWork, typed, QStringLiteral("مهدی احمدی"), date);
            w->ins_btn->click();
        }
        QCOMPARE(fx.ui.messages(), (QStringList{Blocked, Blocked}));
        fx.ui.reset();
        fillTrip(w, InCity, QStringLiteral("علي كريمي 2"), QStringLiteral("مهدی احمدی"), date);
        fx.ui.buttonAnswers << Platform::Button::No;
        w->ins_btn->click();
        QCOMPARE(tripCount(fx), 2);
        w->close();
        editTrip(listAllTrips(fx).last());
        w->ranande->setText(QStringLiteral("علي كريمي 2"));
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{DuplicateQuestion + QStringLiteral("علی کریمی ۲")});
        QCOMPARE(fx.value(QStringLiteral("select count(*) from taradod where ranande='علي كريمي 2'")), QStringLiteral("1"));
    }

    void editChecks_data() { addEngineRows(); }
    void editChecks()
    {
        AppFixture fx(currentEngine());
        const QString date = QStringLiteral("1402/05/01");
        fx.exec(QStringLiteral("insert into taradod (typ,ranande,mamor,dat1,kilometr1) values ('خارج شهر','الف','م','%1',100),"
                               "('خارج شهر','ب','م','%1',200)").arg(date));
        const QStringList ids = listAllTrips(fx);

        // The trip is no second trip of its own: its type may change, and
        // without a change of driver nothing is asked.
        Ttaradod_ins *w = editTrip(ids[0]);
        QVERIFY(w->edit_btn->isVisible() && !w->ins_btn->isVisible());
        QCOMPARE(w->kilometr1->text(), QStringLiteral("100"));
        w->typ->setText(DailyWork);
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList());
        QVERIFY(!w->isVisible());
        QCOMPARE(fx.column(QStringLiteral("select typ from taradod where id=%1").arg(ids[0])), QStringList{DailyWork});

        // Moving it onto a driver who has a trip other than in-city that day
        // is refused; the window stays open with what was typed.
        editTrip(ids[0]);
        w->ranande->setText(QStringLiteral("ب"));
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{Blocked});
        QVERIFY(w->isVisible());
        QCOMPARE(w->ranande->text(), QStringLiteral("ب"));
        QCOMPARE(fx.column(QStringLiteral("select ranande from taradod where id=%1").arg(ids[0])), QStringList{QStringLiteral("الف")});
        // So is a move to that driver's date as an in-city trip not: it
        // asks about the same officer first, since the driver changed.
        fx.ui.reset();
        w->typ->setText(InCity);
        fx.ui.buttonAnswers << Platform::Button::Yes;
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{DuplicateQuestion + QStringLiteral("ب")});
        QVERIFY(!w->isVisible());
        QCOMPARE(fx.column(QStringLiteral("select ranande from taradod where id=%1").arg(ids[0])), QStringList{QStringLiteral("ب")});

        // An emptied required field: the message, nothing saved, still open.
        fx.ui.reset();
        editTrip(ids[1]);
        w->mamor->setText(QString());
        w->kilometr1->setText(QStringLiteral("999"));
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("خطا! نام مامور  نمي تواند خالي باشد")});
        QVERIFY(w->isVisible());
        QCOMPARE(fx.column(QStringLiteral("select kilometr1 from taradod where id=%1").arg(ids[1])), QStringList{QStringLiteral("200")});
    }

    // A field the window fills itself (a driver's one vehicle, an officer's
    // place, a type's preset) counts as changed even when it shows the loaded
    // text again: another workstation's change to it refuses the save.
    void fieldsFilledByTheWindowAreCompared_data() { addEngineRows(); }
    void fieldsFilledByTheWindowAreCompared()
    {
        AppFixture fx(currentEngine());
        addPeopleAndVehicles(fx);
        fx.exec(QStringLiteral("insert into taradod (typ,nahve,ranande,khodro,pelak,mamor,loc,dat1,saat1) values "
                               "('خارج شهر','استيجاري','رضا O''Neil','پژو','11ب111','مهدي احمدي','اداره مالي','1402/05/01','07:00')"));
        fx.exec(QStringLiteral("insert into taradod (typ,ranande,mamor,dat1,saat1) values ('کارکرد روزانه','حسن کريمي','---','1402/05/02','07:00')"));
        const QStringList ids = listAllTrips(fx);
        const QString stored = QStringLiteral("select khodro||pelak||loc||ranande||saat1 from taradod where id=%1");

        Ttaradod_ins *w = editTrip(ids[0]);
        fx.exec(QStringLiteral("update taradod set khodro='سمند',pelak='22-222',loc='انبار'")); // another workstation
        type(w->ranande, QStringLiteral("علي رضايي"));
        type(w->mamor, QStringLiteral("مهدي احمدي"));
        QCOMPARE(w->khodro->text() + w->pelak->text() + w->loc->text(), QStringLiteral("پژو11ب111اداره مالي"));
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{Query::changedByAnotherUser()});
        QCOMPARE(fx.value(stored.arg(ids[0])), QStringLiteral("سمند22-222انباررضا O'Neil07:00"));

        fx.ui.reset();
        w->close();
        editTrip(ids[1]);
        fx.exec(QStringLiteral("update taradod set saat1='09:30'"));
        w->typ->setText(DailyWork);
        w->typChange();
        QCOMPARE(w->saat1->text(), QStringLiteral("07:00"));
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{Query::changedByAnotherUser()});
        QCOMPARE(fx.value(QStringLiteral("select saat1 from taradod where id=%1").arg(ids[1])), QStringLiteral("09:30"));
    }

    // An amount comes into the window as the engine holds it, a kilometre
    // count without an exponent, a number another program wrote (a grouped
    // amount on SQLite, an infinity on PostgreSQL) as stored; an unchanged
    // save rewrites none of them, and corrected kilometres are stored with
    // their amount.
    void exactAmountsSurviveAnEdit_data()
    {
        QTest::addColumn<int>("engine");
        QTest::addColumn<QString>("kilometres"); // as stored, and as shown
        QTest::addColumn<QString>("amount");
        for (Engine e : testEngines())
            QTest::addRow("%s exact", e == Engine::Sqlite ? "sqlite" : "postgres") << int(e) << "0.00005" << "123456789012.3456";
        QTest::newRow("sqlite grouped amount") << int(Engine::Sqlite) << "" << "15,000";
        if (testEngines().contains(Engine::PostgreSql))
            QTest::newRow("postgres infinite kilometres") << int(Engine::PostgreSql) << "Infinity" << "";
    }
    void exactAmountsSurviveAnEdit()
    {
        QFETCH(QString, kilometres);
        QFETCH(QString, amount);
        const auto literal = [](const QString &v) { return v.isEmpty() ? QStringLiteral("NULL") : QLatin1Char('\'') + v + QLatin1Char('\''); };
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into taradod (typ,ranande,mamor,dat1,karkard_kilometr,karkard_saat,mablagh_kilometr,mablagh) "
                               "values ('خارج شهر','الف','م','1402/05/01',%1,0,1500,%2)")
                    .arg(literal(kilometres), literal(amount)));
        listAllTrips(fx);
        QueryModel *grid = app::taradod_src->DBGrid1->queryModel();
        for (const auto &[field, shown] : {std::pair{"karkard_kilometr", kilometres}, std::pair{"mablagh", amount}}) {
            const int column = gridColumnOf(grid->columns(), QLatin1String(field));
            QVERIFY(column >= 0);
            QCOMPARE(grid->index(0, column).data().toString(), shown);
        }
        Ttaradod_ins *w = entry();
        for (const QString &corrected : {QString(), QStringLiteral("12")}) {
            app::taradod_src->N2Click();
            QCOMPARE(w->mablagh->text(), amount);
            QCOMPARE(w->karkard_kilometr->text(), kilometres);
            if (!corrected.isEmpty())
                w->karkard_kilometr->setText(corrected);
            w->edit_btn->click();
            QCOMPARE(fx.ui.messages(), QStringList());
            QVERIFY(!w->isVisible());
            if (corrected.isEmpty() && kilometres == QLatin1String("0.00005")) {
                QCOMPARE(fx.value(QStringLiteral("select cast(mablagh*10000 as bigint) from taradod")), QStringLiteral("1234567890123456"));
                QCOMPARE(fx.value(QStringLiteral("select count(*) from taradod where karkard_kilometr=0.00005")), QStringLiteral("1"));
                QCOMPARE(trips().field(QStringLiteral("mablagh")).asString(), QStringLiteral("123456789012.3456"));
            }
        }
        QCOMPARE(fx.value(QStringLiteral("select karkard_kilometr from taradod")) + QLatin1Char(' ') + fx.value(QStringLiteral("select mablagh from taradod")),
                 QStringLiteral("12 18000"));
    }
};

QTEST_MAIN(TaradodInsTest)
#include "tst_taradod_ins.moc"
