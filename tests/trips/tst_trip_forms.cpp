// The six trip forms: what the list fills into the mission orders (the
// licence and signatory look-ups, the blanks to complete by hand), the
// reports walking the list's rows in their order, the amounts statement with
// the totals of the last search, and each form printed to PDF with its texts
// and nothing running into its neighbour; on every engine under test.
#include "TestSupport.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/DbGrid.h"
#include "platform/Fonts.h"
#include "platform/MaskEdit.h"
#include "platform/Query.h"
#include "platform/Report.h"
#include "trips/taradod_frm_dakhel_u.h"
#include "trips/taradod_frm_kharej_new_u.h"
#include "trips/taradod_frm_kharej_u.h"
#include "trips/taradod_frm_riyali_u.h"
#include "trips/taradod_frm_rozane_dakhel_u.h"
#include "trips/taradod_frm_rozane_kharej_u.h"
#include "trips/taradod_src_u.h"
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString BlankDate = QStringLiteral("    /  /  ");

Ttaradod_src *list() { return app::taradod_src; }
Query &rows() { return *app::dm->ADOQ_taradod; }

struct Pdf {
    int pages = 0;
    QString paper;
    QString text;   // as the reader extracts it
    QString plain;  // without blanks and direction marks, one yeh and one kaf
};

QString plainText(const QString &text)
{
    QString letters;
    for (QChar c : text.normalized(QString::NormalizationForm_KC))
        if (c.category() != QChar::Other_Format)
            letters += c == QChar(0x06CC) ? QChar(0x064A) : c == QChar(0x0643) ? QChar(0x06A9) : c;
    // The joined lam-alef comes out of the PDF under no letter name; it goes
    // before the blanks do, so that no lam and alef of two words meet.
    letters.remove(QStringLiteral("\u0644\u0627"));
    QString out;
    for (QChar c : letters)
        if (!c.isSpace() && c != u':' && c != u'-' && c != u'*' && c != QChar(0x0640))
            out += c;
    return out;
}

Pdf print(const Report &report, const QString &path)
{
    Pdf pdf;
    if (!report.exportPdf(path))
        return pdf;
    auto run = [](const QString &program, const QStringList &args) {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    pdf.pages = QRegularExpression(QStringLiteral("Pages:\\s*(\\d+)")).match(info).captured(1).toInt();
    pdf.paper = QRegularExpression(QStringLiteral("Page size:\\s*([^\\n]*)")).match(info).captured(1);
    pdf.text = run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    pdf.plain = plainText(pdf.text);
    return pdf;
}

bool havePoppler() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

// The fixed texts of a layout, word by word for those that wrap.
QStringList fixedTexts(const Report &report)
{
    QStringList out;
    for (const ReportBand *band : report.bands())
        for (const ReportElement *e : band->elements())
            if (auto *l = qobject_cast<const ReportLabel *>(e); l && !l->isValueLabel() && !l->text().isEmpty())
                out << (l->wordWrap() ? l->text().split(QLatin1Char(' ')) : QStringList{l->text()});
    return out;
}

// Two trips: one of a driver on the personnel list without a county and a
// return reading, one of a driver nobody knows.
void addTwoTrips(AppFixture &fx)
{
    fx.exec(QStringLiteral("insert into personel (fname,lname,govahiname_no) values ('علي','رضايي','G-77')"));
    fx.exec(QStringLiteral("insert into personel (fname,lname,govahiname_no) values ('علي','رضايي نژاد','G-99')"));
    fx.exec(QStringLiteral("insert into taradod (ranande,mamor,loc,mamor_cmt,khodro,pelak,ostan,shahrestan,dat1,dat2,saat1,saat2,kilometr1,kilometr2) "
                           "values ('علي رضايي','حسن احمدي','اداره مالي','بازديد','پژو','12ب345','مرکزی',NULL,'1402/05/01','1402/05/03','07:30','  :  ',125430,NULL)"));
    fx.exec(QStringLiteral("insert into taradod (ranande,mamor,loc,mamor_cmt,khodro,pelak,ostan,shahrestan,dat1,dat2,saat1,saat2,kilometr1,kilometr2) "
                           "values ('ناشناس','رضا','ستاد','جلسه','سمند','44-444','قم','قم','1402/06/01','1402/06/01','08:00','12:00',10,20)"));
}

void selectRow(const QString &field, const QString &value)
{
    for (int r = 1; r <= rows().recordCount(); ++r) {
        rows().setRecNo(r);
        if (rows().field(field).asString() == value)
            return;
    }
    QFAIL("row not found");
}

// Trips of two drivers for the reports, in an order no column sorts them by.
void addReportTrips(AppFixture &fx)
{
    const char *values[] = {
        "'علي رضايي','م1','مرکزی','اراک','1402/05/03',100,350,2,9,250,7,20000,1000,500",
        "'علي رضايي','م2','مرکزی','ساوه','1402/05/01',500,NULL,1.5,8,0,8,4000,1000,500",
        "'حسن کريمي','م3','قم','قم','1402/05/02',40,90,0,0,50,0,50000,2000,600",
    };
    for (const char *v : values)
        fx.exec(QStringLiteral("insert into taradod (ranande,mamor,ostan,shahrestan,dat1,kilometr1,kilometr2,tavaghof,karkard_saat,"
                               "karkard_kilometr,saat1,mablagh,mablagh_kilometr,mablagh_saat) values (%1)")
                    .arg(QString::fromUtf8(v)));
}

// A value at a column's declared length, of short words as a clerk's list of names runs.
QString declaredLength(int length, const QString &words = QStringLiteral("پژو ۴۰۵ جی‌ال‌ایکس دوگانه‌سوز سفید روغنی ")) { return filledTo(length, words); }

// `count` trips with the same names: the driver's and the officer's; the
// other texts and numbers at their columns' declared lengths when `declared`.
void addTrips(AppFixture &fx, int count, const QString &driver, const QString &officer, bool declared)
{
    const QString words = declared ? declaredLength(50) : QStringLiteral("فریدونشهر");
    const QString number = declared ? QStringLiteral("9876543210") : QStringLiteral("1234567");
    fx.exec(QStringLiteral("insert into taradod (ranande,mamor,mamor_cmt,ostan,shahrestan,khodro,pelak,dat1,dat2,saat1,saat2,kilometr1,kilometr2,"
                           "tavaghof,karkard_kilometr,karkard_saat,mablagh) with recursive n(i) as (select 1 union all select i+1 from n where i<%1) "
                           "select '%2','%3','%4','%4','%4','%5','%4','1402/12/01','1402/12/29','07:30','23:45',%6,%6,12.5,1111,16.5,1234567890 from n")
                .arg(count)
                .arg(driver, officer, words, declared ? declaredLength(100) : QStringLiteral("پژو"), number));
}

QStringList datesIn(const QString &text)
{
    QStringList out;
    auto it = QRegularExpression(QStringLiteral("\\d{4}/\\d{2}/\\d{2}")).globalMatch(text);
    while (it.hasNext())
        out << it.next().captured(0);
    return out;
}

} // namespace

class TripFormsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void missionOrders_data() { addEngineRows(); }
    void missionOrders()
    {
        AppFixture fx(currentEngine());
        addTwoTrips(fx);
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('رئيس اداره تدارکات و پشتيباني','محمد حسيني')"));
        list()->src_btnClick();
        selectRow(QStringLiteral("ranande"), QStringLiteral("علي رضايي"));
        QList<Report *> previewed;
        fx.ui.onPreview = [&](Report &r) { previewed << &r; };

        // In-city sheet: the province and county with one blank between.
        Ttaradod_frm_dakhel *dakhel = app::taradod_frm_dakhel;
        list()->N7Click();
        QCOMPARE(dakhel->value(QStringLiteral("ostan")), QStringLiteral("مرکزی "));
        QCOMPARE(dakhel->value(QStringLiteral("shahrestan")), QString());
        QCOMPARE(dakhel->value(QStringLiteral("ranande2")), QStringLiteral("علي رضايي"));
        QCOMPARE(dakhel->value(QStringLiteral("saat2")), QStringLiteral("  :  "));

        // Out-of-city orders: " - " between them, the licence of the person of
        // exactly that full name, the signatory, the blanks for the hand.
        for (PrintedForm *form : QList<PrintedForm *>{app::taradod_frm_kharej, app::taradod_frm_kharej_new}) {
            form == app::taradod_frm_kharej ? list()->N8Click() : list()->N12Click();
            QCOMPARE(form->value(QStringLiteral("ostan")), QStringLiteral("مرکزی - "));
            QCOMPARE(form->value(QStringLiteral("govahiname_no")), QStringLiteral("G-77"));
            QCOMPARE(form->value(QStringLiteral("raeis")), QStringLiteral("محمد حسيني"));
            QCOMPARE(form->value(QStringLiteral("kilometr1")), QStringLiteral("125430"));
            QCOMPARE(form->value(QStringLiteral("kilometr2")), QString());
            QCOMPARE(form->value(QStringLiteral("dat1_1")), BlankDate);
            QCOMPARE(form->value(QStringLiteral("dat2_2")), BlankDate);
            QCOMPARE(form->value(QStringLiteral("modat")), QString());
        }
        QCOMPARE(previewed, (QList<Report *>{dakhel->QuickRep1, app::taradod_frm_kharej->QuickRep1,
                                             app::taradod_frm_kharej_new->QuickRep1}));

        // Another trip overwrites every value; a driver nobody has that name
        // and an empty signatory list print empty.
        fx.exec(QStringLiteral("delete from setting"));
        selectRow(QStringLiteral("ranande"), QStringLiteral("ناشناس"));
        list()->N12Click();
        Ttaradod_frm_kharej_new *order = app::taradod_frm_kharej_new;
        QCOMPARE(order->value(QStringLiteral("govahiname_no")), QString());
        QCOMPARE(order->value(QStringLiteral("raeis")), QString());
        QCOMPARE(order->value(QStringLiteral("ostan")), QStringLiteral("قم - قم"));
        QCOMPARE(order->value(QStringLiteral("kilometr2")), QStringLiteral("20"));
        QCOMPARE(order->value(QStringLiteral("shahrestan")), QString()); // the number, by hand

        // A driver typed with the Persian kaf and yeh is the person stored
        // with the Arabic ones: the order carries that person's licence.
        fx.exec(QStringLiteral("insert into taradod (ranande,mamor,dat1) values ('علی رضایی','م','1402/07/01')"));
        list()->src_btnClick();
        selectRow(QStringLiteral("ranande"), QStringLiteral("علی رضایی"));
        list()->N8Click();
        QCOMPARE(app::taradod_frm_kharej->value(QStringLiteral("govahiname_no")), QStringLiteral("G-77"));

        // An empty list prints every trip value empty.
        list()->CheckBox1->setChecked(true);
        list()->ranande->setText(QStringLiteral("nobody"));
        list()->src_btnClick();
        list()->N7Click();
        list()->N8Click();
        for (PrintedForm *form : QList<PrintedForm *>{dakhel, app::taradod_frm_kharej})
            for (const QString &name : {QStringLiteral("mamor"), QStringLiteral("ranande"), QStringLiteral("pelak"), QStringLiteral("saat1")})
                QVERIFY2(form->value(name).isEmpty(), qPrintable(name));
        QCOMPARE(app::taradod_frm_kharej->value(QStringLiteral("govahiname_no")), QString());
        QCOMPARE(fx.ui.callsOf(QStringLiteral("preview")).size(), 7);
        QVERIFY(!dakhel->isVisible());
    }

    // Each mission order on one A5 page: its fixed texts and values come out
    // of the PDF, the date and number lines only where the paper has them,
    // and no text runs into another.
    void missionOrdersPrinted()
    {
        if (!havePoppler())
            QSKIP("pdftotext is not installed");
        AppFixture fx(Engine::Sqlite);
        addTwoTrips(fx);
        list()->src_btnClick();
        selectRow(QStringLiteral("ranande"), QStringLiteral("علي رضايي"));
        Pdf pdf;
        fx.ui.onPreview = [&](Report &r) { pdf = print(r, dir.filePath(r.title() + QStringLiteral(".pdf"))); };
        // A caption with its colon, on whichever side the reader puts it.
        auto hasCaption = [&](const QString &word) {
            for (const QString &line : pdf.text.split(QLatin1Char('\n'))) {
                QString compact;
                for (QChar c : line.normalized(QString::NormalizationForm_KC))
                    if (!c.isSpace() && c.category() != QChar::Other_Format)
                        compact += c == QChar(0x06CC) ? QChar(0x064A) : c;
                if (compact.contains(word + QLatin1Char(':')) || compact.contains(QLatin1Char(':') + word))
                    return true;
            }
            return false;
        };
        struct Case {
            PrintedForm *form;
            void (Ttaradod_src::*print)();
            bool date, number;
            QStringList values;
        };
        const QList<Case> cases{
            {app::taradod_frm_dakhel, &Ttaradod_src::N7Click, true, false, {QStringLiteral("حسن احمدي"), QStringLiteral("اداره مالي"), QStringLiteral("07:30")}},
            {app::taradod_frm_kharej, &Ttaradod_src::N8Click, false, false, {QStringLiteral("G-77"), QStringLiteral("1402/05/03"), QStringLiteral("125430")}},
            {app::taradod_frm_kharej_new, &Ttaradod_src::N12Click, true, true,
             {QStringLiteral("G-77"), Ttaradod_frm_kharej_new::addressLine(), PrintedForm::documentCode()}},
        };
        for (const Case &c : cases) {
            (list()->*c.print)();
            QCOMPARE(pdf.pages, 1);
            QVERIFY2(pdf.paper.startsWith(QLatin1String("420 x 595")), qPrintable(pdf.paper));
            for (const QString &t : fixedTexts(*c.form->QuickRep1) + c.values)
                QVERIFY2(pdf.plain.contains(plainText(t)), qPrintable(c.form->objectName() + QLatin1Char(' ') + t));
            QCOMPARE(hasCaption(QStringLiteral("تاريخ")), c.date);
            QCOMPARE(hasCaption(QStringLiteral("شماره")), c.number);
            for (const QString &name : c.form->valueNames())
                QVERIFY2(!pdf.text.contains(name), qPrintable(name));

            // Within a line, the texts and the value boxes keep apart.
            for (const ReportBand *band : c.form->QuickRep1->bands()) {
                QList<QPair<QRectF, QString>> boxes;
                for (const ReportElement *e : band->elements())
                    if (auto *l = qobject_cast<const ReportLabel *>(e))
                        boxes << qMakePair(l->isValueLabel() ? l->geometry() : l->printedRect(l->text()), l->text() + l->objectName());
                for (int i = 0; i < boxes.size(); ++i) {
                    QVERIFY2(boxes[i].first.left() >= -0.01 && boxes[i].first.right() <= band->width() + 0.01, qPrintable(boxes[i].second));
                    for (int j = i + 1; j < boxes.size(); ++j)
                        QVERIFY2(!boxes[i].first.adjusted(0.1, 1.5, -0.1, -1.5).intersects(boxes[j].first.adjusted(0.1, 1.5, -0.1, -1.5)),
                                 qPrintable(boxes[i].second + QStringLiteral(" / ") + boxes[j].second));
                }
            }
        }
    }

    void reportsWalkTheRowsInTheirOrder_data() { addEngineRows(); }
    void reportsWalkTheRowsInTheirOrder()
    {
        AppFixture fx(currentEngine());
        addReportTrips(fx);
        list()->src_btnClick();
        // Sorted by the date, latest first, by its column title.
        const auto &columns = Ttaradod_src::gridColumns();
        const int dateColumn = int(std::find_if(columns.begin(), columns.end(), [](const auto &c) { return c.field == QLatin1String("dat1"); }) - columns.begin());
        Q_EMIT list()->DBGrid1->horizontalHeader()->sectionClicked(dateColumn);
        Q_EMIT list()->DBGrid1->horizontalHeader()->sectionClicked(dateColumn);
        QCOMPARE(rows().sort(), QStringLiteral("dat1 DESC"));
        selectRow(QStringLiteral("mamor"), QStringLiteral("م3"));

        Pdf pdf;
        QList<Report *> previewed;
        fx.ui.onPreview = [&](Report &r) {
            previewed << &r;
            if (havePoppler())
                pdf = print(r, dir.filePath(r.title() + QStringLiteral(".pdf")));
        };
        Ttaradod_frm_rozane_kharej *out = app::taradod_frm_rozane_kharej;
        list()->N9Click();
        QCOMPARE(out->value(QStringLiteral("ranande")), QStringLiteral("حسن کريمي"));
        QCOMPARE(out->value(QStringLiteral("pelak")), QString());
        QCOMPARE(out->QuickRep1->dataSet(), &rows());
        // One detail band per row, numbered in the printed order.
        QList<int> numbers;
        for (const Report::Page &page : out->QuickRep1->paginate())
            for (const Report::Placement &p : page)
                if (p.band->type() == ReportBand::Type::Detail)
                    numbers << p.number;
        QCOMPARE(numbers, (QList<int>{1, 2, 3}));
        // The kilometres are the odometer difference, empty without a return reading.
        auto difference = [](int row) { return Ttaradod_frm_rozane_kharej::odometerDifference(ReportRow(&rows(), row, row + 1)); };
        QCOMPARE(difference(0), QStringLiteral("250"));
        QCOMPARE(difference(1), QStringLiteral("50"));
        QCOMPARE(difference(2), QString());
        if (havePoppler()) {
            QCOMPARE(pdf.pages, 1);
            QVERIFY2(pdf.paper.startsWith(QLatin1String("842 x 595")), qPrintable(pdf.paper));
            QCOMPARE(datesIn(pdf.text), (QStringList{"1402/05/03", "1402/05/02", "1402/05/01"}));
            for (const QString &t : fixedTexts(*out->QuickRep1) + QStringList{QStringLiteral("مرکزی*ساوه"), QStringLiteral("حسن کريمي")})
                QVERIFY2(pdf.plain.contains(plainText(t)), qPrintable(t));
        }

        Ttaradod_frm_rozane_dakhel *in = app::taradod_frm_rozane_dakhel;
        list()->N10Click();
        QCOMPARE(in->value(QStringLiteral("dat1")), QStringLiteral("1402/05/02"));
        QCOMPARE(in->value(QStringLiteral("dat2")), QString());
        if (havePoppler()) {
            QCOMPARE(pdf.pages, 1);
            QVERIFY2(pdf.paper.startsWith(QLatin1String("595 x 842")), qPrintable(pdf.paper));
            QVERIFY(pdf.plain.contains(plainText(QStringLiteral("ماموريت شهري روزانه خودروهاي استيجاري در مورخ"))));
        }
        QCOMPARE(previewed, (QList<Report *>{out->QuickRep1, in->QuickRep1}));
    }

    void longValuesPrintAtTheLargestSizeThatFits_data()
    {
        QTest::addColumn<int>("report"); // 0: the daily out-of-city report, 1: the amounts statement
        QTest::addColumn<int>("trips");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("officer");
        QTest::addColumn<QString>("beside"); // a field printed whole in the same face and size
        QTest::addColumn<bool>("declared");  // the other texts and numbers at their declared lengths
        QTest::addColumn<double>("least");   // share of its size the officer prints at, no less
        QTest::addColumn<double>("most");    // and no more
        QTest::addColumn<int>("pages");      // no more: a trip a page, nine trips a page
        QTest::addRow("daily report, officers of 500 characters")
            << 0 << 4 << declaredLength(50) << declaredLength(500, QStringLiteral("غلامرضا عبدالحسین‌زاده اصفهانی و محمدحسین موسوی‌نژاد ")) << QStringLiteral("dat1") << true << 0.70 << 0.78 << 4;
        QTest::addRow("amounts statement, realistic names")
            << 1 << 200 << QStringLiteral("سید محمدحسین موسوی‌نژاد خراسانی اصفهانی‌پور تهرانی")
            << QStringLiteral("غلامرضا عبدالحسین‌زاده اصفهانی و محمدحسین موسوی‌نژاد") << QStringLiteral("shahrestan") << false << 0.8 << 1.0 << 23;
    }

    // Values too long for their row print at the largest size that lets the
    // row fit its page, as the PDF's letters show: within the rows, the
    // officer's letters stand as tall as that share of the letters of a
    // value beside them in the same face and size, and the report takes no
    // more pages than it did when such values were cut at their boxes.
    void longValuesPrintAtTheLargestSizeThatFits()
    {
        if (!havePoppler())
            QSKIP("pdftotext is not installed");
        QFETCH(int, report);
        QFETCH(int, trips);
        QFETCH(QString, driver);
        QFETCH(QString, officer);
        QFETCH(QString, beside);
        QFETCH(bool, declared);
        QFETCH(double, least);
        QFETCH(double, most);
        QFETCH(int, pages);
        AppFixture fx(Engine::Sqlite);
        addTrips(fx, trips, driver, officer, declared);
        list()->src_btnClick();
        const Report *printed = nullptr;
        const QString pdf = dir.filePath(QStringLiteral("long-values.pdf"));
        Pdf paper;
        fx.ui.onPreview = [&](Report &r) {
            printed = &r;
            paper = print(r, pdf);
        };
        report == 0 ? list()->N9Click() : list()->N14Click();
        QVERIFY(printed);
        // Where the two fields' boxes run on each page's rows, in millimetres on the paper.
        const QVector<Report::Page> laidOut = printed->paginate();
        QList<QPair<int, QRectF>> officerBoxes, besideBoxes;
        for (int page = 0; page < laidOut.size(); ++page)
            for (const Report::Placement &p : laidOut[page])
                for (const ReportElement *e : p.band->elements())
                    if (auto *f = qobject_cast<const ReportField *>(e); f && (f->field() == QLatin1String("mamor") || f->field() == beside)) {
                        const QRectF column = e->geometry().translated(printed->margins().left(), 0);
                        (f->field() == beside ? besideBoxes : officerBoxes) << qMakePair(page, QRectF(column.left(), p.top, column.width(), p.height));
                    }
        auto heights = [&](const QList<QPair<int, QRectF>> &boxes) {
            QList<double> out;
            const QList<QList<Word>> pages = pdfWords(pdf);
            for (int page = 0; page < pages.size(); ++page)
                for (const Word &w : pages[page])
                    if (std::any_of(boxes.begin(), boxes.end(), [&](const auto &b) { return b.first == page && b.second.contains(w.box.center()); }))
                        out << w.box.height();
            std::sort(out.begin(), out.end());
            return out;
        };
        const QList<double> officerHeights = heights(officerBoxes), besideHeights = heights(besideBoxes);
        QVERIFY(!officerHeights.isEmpty() && !besideHeights.isEmpty());
        const double full = besideHeights.last();
        QVERIFY2(officerHeights.first() / full >= least - 0.005 && officerHeights.last() / full <= most + 0.005,
                 qPrintable(QStringLiteral("the officer prints at %1 to %2 of his size").arg(officerHeights.first() / full).arg(officerHeights.last() / full)));
        QVERIFY2(paper.pages > 0 && paper.pages <= pages, qPrintable(QStringLiteral("%1 pages").arg(paper.pages)));
    }

    void amountsStatement_data() { addEngineRows(); }
    void amountsStatement()
    {
        AppFixture fx(currentEngine());
        addReportTrips(fx);
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('رمز حذف','x')"));
        Ttaradod_src *w = list();
        Ttaradod_frm_riyali *form = app::taradod_frm_riyali;
        Pdf pdf;
        fx.ui.onPreview = [&](Report &r) {
            if (havePoppler())
                pdf = print(r, dir.filePath(QStringLiteral("riyali.pdf")));
        };

        // One driver by a part of his name, within a date range.
        w->CheckBox1->setChecked(true);
        w->ranande->setText(QStringLiteral("علي"));
        w->CheckBox3->setChecked(true);
        w->dat1_1->setText(QStringLiteral("1402/05/01"));
        w->dat1_2->setText(QStringLiteral("1402/05/31"));
        w->src_btnClick();
        selectRow(QStringLiteral("mamor"), QStringLiteral("م2"));
        // A deletion without a new search: the totals are those of the rows
        // printed, not of the last search.
        fx.ui.inputAnswers << QStringLiteral("x");
        w->N3Click();
        QCOMPARE(rows().recordCount(), 1);
        rows().first();
        w->N14Click();
        QCOMPARE(form->value(QStringLiteral("ranande")), QStringLiteral("علي"));
        QCOMPARE(form->value(QStringLiteral("mablagh_kilometr")), QStringLiteral("1000"));
        QCOMPARE(form->value(QStringLiteral("mablagh_saat")), QStringLiteral("500"));
        QCOMPARE(form->value(QStringLiteral("dat1")), QStringLiteral("1402/05/01"));
        QCOMPARE(form->value(QStringLiteral("dat2")), QStringLiteral("1402/05/31"));
        QCOMPARE(w->lastTotals().m, QStringLiteral("24000"));
        QCOMPARE(form->value(QStringLiteral("karkard_kilometr_sum")), QStringLiteral("250"));
        QCOMPARE(form->value(QStringLiteral("karkard_saat_sum")), QStringLiteral("9"));
        QCOMPARE(form->value(QStringLiteral("mablagh_sum")), QStringLiteral("20000"));
        if (havePoppler()) {
            QCOMPARE(pdf.pages, 1);
            for (const QString &t : fixedTexts(*form->QuickRep1) + QStringList{QStringLiteral("20000"), QStringLiteral("250")})
                QVERIFY2(pdf.plain.contains(plainText(t)), qPrintable(t));
            QVERIFY(!pdf.plain.contains(QStringLiteral("24000")));
        }

        // The driver filter off: no driver, vehicle, plate or rates, whatever
        // its field holds; the date filter off: no dates.
        w->CheckBox1->setChecked(false);
        w->CheckBox3->setChecked(false);
        w->dat1_2->setText(QString());
        w->src_btnClick();
        rows().first();
        w->N14Click();
        for (const QString &name : {QStringLiteral("ranande"), QStringLiteral("khodro"), QStringLiteral("pelak"), QStringLiteral("mablagh_kilometr"),
                                    QStringLiteral("mablagh_saat"), QStringLiteral("dat1"), QStringLiteral("dat2")})
            QVERIFY2(form->value(name).isEmpty(), qPrintable(name));
        QCOMPARE(form->value(QStringLiteral("mablagh_sum")), QStringLiteral("70000"));
        QCOMPARE(form->value(QStringLiteral("karkard_saat_sum")), QStringLiteral("9"));

        // Nothing found: the headers and the summary with empty totals.
        w->CheckBox1->setChecked(true);
        w->ranande->setText(QStringLiteral("nobody"));
        w->src_btnClick();
        w->N14Click();
        QCOMPARE(form->value(QStringLiteral("mablagh_sum")), QString());
        QCOMPARE(form->value(QStringLiteral("mablagh_kilometr")), QString());
        QCOMPARE(form->QuickRep1->pageCount(), 1);
        if (havePoppler())
            QVERIFY(pdf.plain.contains(plainText(QStringLiteral("مبلغ هر کيلومتر:"))));

        // Totals beyond money's range and past a double's digits, in full.
        for (int i = 0; i < 3; ++i)
            fx.exec(QStringLiteral("insert into taradod (ranande,dat1,karkard_kilometr,mablagh) values ('big','1402/08/01',1234567890123.25,922337203685477.5807)"));
        w->ranande->setText(QStringLiteral("big"));
        w->src_btnClick();
        w->N14Click();
        QCOMPARE(form->value(QStringLiteral("mablagh_sum")), QStringLiteral("2767011611056432.7421"));
        QCOMPARE(form->value(QStringLiteral("karkard_kilometr_sum")), QStringLiteral("3703703670369.75"));
        if (havePoppler())
            QVERIFY(pdf.plain.contains(QStringLiteral("2767011611056432.7421")) && pdf.plain.contains(QStringLiteral("3703703670369.75")));
    }
};

QTEST_MAIN(TripFormsTest)
#include "tst_trip_forms.moc"
