// The three vehicle forms as the vehicle list fills them: each prints on one
// page (the letter on as many as its rows need) with its texts readable in
// the PDF, the values of the list's current row in their places, and the
// letter's numbered lines from the list's current result set; on every
// engine under test.
#include "TestSupport.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/Fonts.h"
#include "platform/Query.h"
#include "platform/Report.h"
#include "vehicles/khodro_frm_arzyabi_u.h"
#include "vehicles/khodro_frm_khalafi_u.h"
#include "vehicles/khodro_frm_sokht_u.h"
#include "vehicles/khodro_src_u.h"
#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>

namespace {

Query &rows() { return *app::dm->ADOQ_khodro; }

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A text as it compares across the PDF: joined letter forms back to letters,
// one spelling of yeh and kaf, without spaces, direction marks and the
// punctuation whose side in a mixed line is the reader's guess, and without
// lam-alef, whose joined glyph the PDF writer cannot name.
QString folded(const QString &text)
{
    const QString letters = text.normalized(QString::NormalizationForm_KC).remove(QStringLiteral("\u0644\u0627"));
    QString out;
    for (QChar c : letters) {
        if (c.isSpace() || c.category() == QChar::Other_Format || c.category() == QChar::Mark_NonSpacing || QStringLiteral("():-.").contains(c))
            continue;
        if (c == QChar(0x06CC))
            c = QChar(0x064A);
        else if (c == QChar(0x0643))
            c = QChar(0x06A9);
        out += c;
    }
    return out;
}

// The pages of a printed layout, each as folded text.
QStringList printedPages(const Report &report, const QString &path)
{
    if (!report.exportPdf(path))
        return {};
    const int pages = run(QStringLiteral("pdfinfo"), {path}).section(QStringLiteral("Pages:"), 1).trimmed().section(QLatin1Char('\n'), 0, 0).toInt();
    QStringList out;
    for (int page = 1; page <= pages; ++page)
        out << folded(run(QStringLiteral("pdftotext"),
                          {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), path, QStringLiteral("-")}));
    return out;
}

// Every fixed text of a band, as the layout holds it.
QStringList fixedTexts(const ReportBand *band)
{
    QStringList out;
    for (const ReportElement *e : band->elements())
        if (auto *l = qobject_cast<const ReportLabel *>(e); l && !l->isValueLabel() && !qobject_cast<const ReportField *>(e)
                                                             && !qobject_cast<const ReportRowNumber *>(e) && !l->text().isEmpty())
            out << (l->wordWrap() ? l->text().split(QLatin1Char(' ')) : QStringList{l->text()});
    return out;
}

// The numbered lines a report prints: number, vehicle name and plate.
QStringList printedLines(const Report &report)
{
    QStringList out;
    const Query *q = report.dataSet();
    for (const Report::Page &page : report.paginate())
        for (const Report::Placement &p : page)
            if (p.band->type() == ReportBand::Type::Detail)
                out << QStringLiteral("%1 %2 %3").arg(p.number).arg(q->textAt(p.row, q->columnIndex(QStringLiteral("khodro"))),
                                                                   q->textAt(p.row, q->columnIndex(QStringLiteral("pelak"))));
    return out;
}

QStringList fixedTexts(const Report &report)
{
    QStringList out;
    for (const ReportBand *band : report.bands())
        out << fixedTexts(band);
    return out;
}

void addVehicle(AppFixture &fx, const QString &owner, const QString &name, const QString &plate, const QString &county)
{
    fx.exec(QStringLiteral("insert into khodro (lname,khodro,model,pelak,hajm_motor,shasi,motor_no,rang,kilometr,ostan,shahrestan,"
                           "sokht_nam,sokht_dat) values ('%1','%2',1395,'%3',1600,'NAAM01','M4711','سفيد',150000,'مرکزي','%4',"
                           "'حسن کريمي','1402/05/01')")
                .arg(owner, name, plate, county));
}

} // namespace

class KhodroFormsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    // The slip and the checklist print the current vehicle on one page, with
    // every fixed text of their layouts and every value in its place.
    void oneVehicleForms_data() { addEngineRows(); }
    void oneVehicleForms()
    {
        AppFixture fx(currentEngine());
        addVehicle(fx, QStringLiteral("a"), QStringLiteral("پژو"), QStringLiteral("11ب111"), QStringLiteral("اراک"));
        addVehicle(fx, QStringLiteral("b"), QStringLiteral("سمند"), QStringLiteral("22ج222"), QStringLiteral("ساوه"));
        fx.exec(QStringLiteral("update khodro set sokht_nam=NULL, sokht_dat='    /  /  ' where lname='b'"));
        app::khodro_src->src_btnClick();

        rows().setRecNo(1);
        app::khodro_src->N9Click();
        app::khodro_src->N8Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("preview")).size(), 2);
        Tkhodro_frm_sokht *slip = app::khodro_frm_sokht;
        Tkhodro_frm_arzyabi *checklist = app::khodro_frm_arzyabi;
        QCOMPARE(slip->valueNames(), (QStringList{"ostan", "khodro", "pelak", "sokht_dat", "sokht_nam"}));
        QCOMPARE(checklist->valueNames(), (QStringList{"khodro", "shasi", "pelak", "motor_no", "kilometr", "rang", "hajm_motor", "model", "ostan"}));

        QCOMPARE(checklist->QuickRep1->paper(), Report::Paper::A4);
        const QList<QPair<PrintedForm *, QStringList>> printed{{slip, {"مرکزي", "پژو", "1402/05/01", "حسن کريمي"}},
                                                               {checklist, {"NAAM01", "M4711", "150000", "1600", "1395", "سفيد"}}};
        for (const auto &[form, values] : printed) {
            const QStringList pages = printedPages(*form->QuickRep1, dir.filePath(form->objectName() + QStringLiteral(".pdf")));
            QCOMPARE(pages.size(), 1);
            for (const QString &text : fixedTexts(*form->QuickRep1) + values)
                QVERIFY2(pages[0].contains(folded(text)), qPrintable(form->objectName() + QLatin1Char(' ') + text));
        }
        // Each identification value in its own box, below its caption.
        const ReportLabel *caption = nullptr;
        for (const ReportElement *e : checklist->QuickRep1->band(ReportBand::Type::Detail)->elements())
            if (auto *l = qobject_cast<const ReportLabel *>(e); l && l->text() == QStringLiteral("شماره موتور:"))
                caption = l;
        QVERIFY(caption);
        const QRectF value = checklist->valueLabel(QStringLiteral("motor_no"))->geometry();
        QVERIFY(value.top() > caption->geometry().bottom());
        QVERIFY(value.left() >= 111.7 && value.right() <= 150.6);

        // A vehicle without receiver and date: blanks in their places.
        rows().setRecNo(2);
        app::khodro_src->N9Click();
        QCOMPARE(slip->value(QStringLiteral("sokht_nam")), QString());
        QCOMPARE(slip->value(QStringLiteral("sokht_dat")), QStringLiteral("    /  /  "));
        QCOMPARE(slip->value(QStringLiteral("khodro")), QStringLiteral("سمند"));
        QCOMPARE(printedPages(*slip->QuickRep1, dir.filePath(QStringLiteral("slip2.pdf"))).size(), 1);
    }

    // The letter: the county and province of the selected vehicle, a numbered
    // line for every vehicle the list holds in its order, the signatory.
    void letterWalksTheResultSet_data() { addEngineRows(); }
    void letterWalksTheResultSet()
    {
        AppFixture fx(currentEngine());
        addVehicle(fx, QStringLiteral("a"), QStringLiteral("پژو"), QStringLiteral("11ب111"), QStringLiteral("اراک"));
        addVehicle(fx, QStringLiteral("b"), QStringLiteral("سمند"), QStringLiteral("22ج222"), QStringLiteral("ساوه"));
        addVehicle(fx, QStringLiteral("c"), QStringLiteral("پرايد"), QStringLiteral("33د333"), QStringLiteral("اراک"));
        addVehicle(fx, QStringLiteral("x"), QStringLiteral("وانت"), QStringLiteral("44ه444"), QStringLiteral("قم"));
        fx.exec(QStringLiteral("update khodro set ostan='قم' where lname='b'"));
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('معاون پشتيباني','محمد احمدي')"));
        Tkhodro_src *list = app::khodro_src;
        // Three vehicles of a filtered search, sorted by the plate descending.
        list->CheckBox11->setChecked(true);
        list->shahrestan->setText(QStringLiteral("ا"));
        list->src_btnClick();
        QCOMPARE(rows().recordCount(), 3);
        rows().setSort(QStringLiteral("pelak DESC"));
        rows().setRecNo(2); // سمند, ساوه, قم
        list->N10Click();

        Tkhodro_frm_khalafi *letter = app::khodro_frm_khalafi;
        QCOMPARE(letter->value(QStringLiteral("shahrestan")), QStringLiteral("ساوه"));
        QCOMPARE(letter->value(QStringLiteral("ostan")), QStringLiteral("قم"));
        QCOMPARE(letter->value(QStringLiteral("moaven")), QStringLiteral("محمد احمدي"));
        QCOMPARE(rows().recNo(), 2);
        const QStringList pages = printedPages(*letter->QuickRep1, dir.filePath(QStringLiteral("letter.pdf")));
        QCOMPARE(pages.size(), 1);
        for (const QString &text : fixedTexts(*letter->QuickRep1) + QStringList{"ساوه", "قم", "محمد احمدي"})
            QVERIFY2(pages[0].contains(folded(text)), qPrintable(text));
        // The lines in the list's order, numbered from 1.
        QCOMPARE(printedLines(*letter->QuickRep1), (QStringList{"1 پرايد 33د333", "2 سمند 22ج222", "3 پژو 11ب111"}));
        QVERIFY(!pages[0].contains(folded(QStringLiteral("وانت"))));
    }

    // Rows beyond one page continue on the next under the letter head and
    // the column titles; the signature follows the last row only.
    void longLetterRunsOver_data() { addEngineRows(); }
    void longLetterRunsOver()
    {
        AppFixture fx(currentEngine());
        for (int i = 1; i <= 25; ++i)
            addVehicle(fx, QStringLiteral("o%1").arg(i), QStringLiteral("v%1").arg(i), QStringLiteral("p%1").arg(i), QStringLiteral("اراک"));
        Tkhodro_src *list = app::khodro_src;
        list->src_btnClick();
        rows().first();
        list->N10Click();
        const Report &report = *app::khodro_frm_khalafi->QuickRep1;
        const QStringList pages = printedPages(report, dir.filePath(QStringLiteral("long.pdf")));
        QVERIFY(pages.size() >= 2);
        const QStringList head = fixedTexts(report.band(ReportBand::Type::PageHeader)) + fixedTexts(report.band(ReportBand::Type::ColumnHeader));
        const QStringList signature = fixedTexts(report.band(ReportBand::Type::Summary));
        for (int p = 0; p < pages.size(); ++p) {
            for (const QString &text : head)
                QVERIFY2(pages[p].contains(folded(text)), qPrintable(QStringLiteral("page %1: %2").arg(p + 1).arg(text)));
            QCOMPARE(pages[p].contains(folded(signature.first())), p == pages.size() - 1);
        }
        const QStringList lines = printedLines(report);
        QCOMPARE(lines.size(), 25);
        QCOMPARE(lines.first(), QStringLiteral("1 v1 p1"));
        QCOMPARE(lines.last(), QStringLiteral("25 v25 p25"));
        QVERIFY(pages.first().contains(QStringLiteral("p1")) && !pages.first().contains(QStringLiteral("p25")));
        QVERIFY(pages.join(QString()).contains(QStringLiteral("p25")));
    }

    // An empty result set: the values print empty, the letter prints its head,
    // titles and request with no numbered line, and no signatory without one.
    void emptyResultSet_data() { addEngineRows(); }
    void emptyResultSet()
    {
        AppFixture fx(currentEngine());
        Tkhodro_src *list = app::khodro_src;
        list->src_btnClick();
        list->N8Click();
        list->N9Click();
        list->N10Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("preview")).size(), 3);
        QCOMPARE(fx.ui.messages(), QStringList());
        for (PrintedForm *form : {static_cast<PrintedForm *>(app::khodro_frm_sokht), static_cast<PrintedForm *>(app::khodro_frm_arzyabi),
                                  static_cast<PrintedForm *>(app::khodro_frm_khalafi)}) {
            for (const QString &name : form->valueNames())
                QCOMPARE(form->value(name), QString());
            QCOMPARE(form->QuickRep1->pageCount(), 1);
        }
        const Report &report = *app::khodro_frm_khalafi->QuickRep1;
        const QStringList pages = printedPages(report, dir.filePath(QStringLiteral("empty.pdf")));
        QCOMPARE(pages.size(), 1);
        for (const QString &text : fixedTexts(report))
            QVERIFY2(pages[0].contains(folded(text)), qPrintable(text));
        QCOMPARE(printedLines(report), QStringList());
    }
};

QTEST_MAIN(KhodroFormsTest)
#include "tst_khodro_forms.moc"
