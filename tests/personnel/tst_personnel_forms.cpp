// The four personnel printed forms: each prints on one page with its fixed
// texts readable in the PDF, blanks that nothing fills print empty, and the
// job application shows the values the personnel list puts into it.
#include "TestSupport.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "personnel/personel_frm_arzyabi_u.h"
#include "personnel/personel_frm_darkhastkar_u.h"
#include "personnel/personel_frm_madarek_u.h"
#include "personnel/personel_frm_morakhasi_u.h"
#include "personnel/personel_src_u.h"
#include "platform/Fonts.h"
#include "platform/Query.h"
#include "platform/Report.h"
#include <QProcess>
#include <QStandardPaths>

namespace {

const QStringList applicationNames = {
    QStringLiteral("fname"), QStringLiteral("lname"), QStringLiteral("nation"), QStringLiteral("birthday"), QStringLiteral("sodor"),
    QStringLiteral("khodro"), QStringLiteral("model"), QStringLiteral("govahiname_dat"), QStringLiteral("bime"), QStringLiteral("adr"),
    QStringLiteral("phone"), QStringLiteral("mobile"), QStringLiteral("cmt")};

// A form of its own, apart from the application's.
using MakeForm = PrintedForm *(*)();
template <class Form> PrintedForm *make() { return new Form; }

bool havePoppler() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A text as it compares across the PDF: joined letter forms back to letters,
// the two spellings of yeh and kaf as one, without spaces, direction marks,
// brackets, colons and dashes (their side in a mixed line is the reader's guess),
// and without lam-alef, whose joined glyph the PDF writer cannot name.
QString folded(const QString &text)
{
    QString out;
    for (QChar c : text.normalized(QString::NormalizationForm_KC)) {
        if (c.isSpace() || c.category() == QChar::Other_Format || c == u'(' || c == u')' || c == u':' || c == u'-')
            continue;
        if (c == QChar(0x06CC))
            c = QChar(0x064A);
        else if (c == QChar(0x0643))
            c = QChar(0x06A9);
        out += c;
    }
    return out.remove(QStringLiteral("\u0644\u0627"));
}

struct Printed {
    int pages = 0;
    QString pageSize;
    QString text; // folded
};

Printed printPdf(const Report &report, const QString &path)
{
    Printed p;
    if (!report.exportPdf(path))
        return p;
    for (const QString &line : run(QStringLiteral("pdfinfo"), {path}).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Pages:")))
            p.pages = line.mid(6).trimmed().toInt();
        if (line.startsWith(QLatin1String("Page size:")))
            p.pageSize = line.mid(10).trimmed();
    }
    p.text = folded(run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}));
    return p;
}

// The fixed texts of a layout: every label that code does not fill; the
// words of a wrapped one each on their own, since other columns' lines may
// come between its lines.
QStringList fixedTexts(const Report &report)
{
    QStringList out;
    for (const ReportBand *band : report.bands())
        for (const ReportElement *e : band->elements())
            if (auto *l = qobject_cast<const ReportLabel *>(e); l && !l->isValueLabel() && !l->text().isEmpty())
                out << (l->wordWrap() ? l->text().split(QLatin1Char(' ')) : QStringList{l->text()});
    return out;
}

} // namespace

Q_DECLARE_METATYPE(MakeForm)

class PersonnelFormsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    // Each form prints on exactly one page of its paper, every fixed text of
    // its layout comes out of the PDF, the texts that name the form are
    // among them, the blanks print nothing (not their names) and the blank
    // forms carry the logo.
    void formPrintsOnOnePage_data()
    {
        QTest::addColumn<MakeForm>("make");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("logo");
        QTest::newRow("darkhastkar") << &make<Tpersonel_frm_darkhastkar> << QStringLiteral("420 x 595")
                                     << QStringList{QStringLiteral("فرم درخواست کار راننده استيجاري"), QStringLiteral("سابقه کار قبلي"),
                                                    QStringLiteral("تاريخ گواهينامه"), QStringLiteral("امضاء و تاريخ")}
                                     << false;
        QTest::newRow("morakhasi") << &make<Tpersonel_frm_morakhasi> << QStringLiteral("420 x 595")
                                   << QStringList{QStringLiteral("برگ درخواست مرخصي روزانه"), QStringLiteral("مرخصي استحقاقي/استعلاجي از تاريخ"),
                                                  QStringLiteral("روز از مرخصي مورد تقاضا استفاده نمايند."), QStringLiteral("امضاء مسئول کارگزيني"),
                                                  PrintedForm::organisationName(), PrintedForm::documentCode()}
                                   << true;
        QTest::newRow("madarek") << &make<Tpersonel_frm_madarek> << QStringLiteral("420 x 595")
                                 << QStringList{QStringLiteral("مشخصات و مدارک مورد نياز راننده هاي استيجاري"), QStringLiteral("آزمايش بدو استخدام"),
                                                QStringLiteral("کپسول آتشنشاني"), QStringLiteral("ايربگ")}
                                 << true;
        QTest::newRow("arzyabi") << &make<Tpersonel_frm_arzyabi> << QStringLiteral("595 x 842")
                                 << QStringList{QStringLiteral("فرم شماره 2"), QStringLiteral("چک ليست ارزيابي جذب راننده سبک (مشخصات راننده)"),
                                                QStringLiteral("مدير اجرايي و ماشين آلات عمراني"), QStringLiteral("توزيع نسخ:")}
                                 << true;
    }
    void formPrintsOnOnePage()
    {
        QFETCH(MakeForm, make);
        QFETCH(QString, paper);
        QFETCH(QStringList, texts);
        QFETCH(bool, logo);
        const std::unique_ptr<PrintedForm> f(make());
        const QString form = QString::fromLatin1(QTest::currentDataTag());
        QCOMPARE(f->objectName(), QStringLiteral("personel_frm_") + form);
        QCOMPARE(f->QuickRep1->pageCount(), 1);

        // Everything on the layout stays on the paper, outside the outer 5 mm.
        const QSizeF paperSize = f->QuickRep1->paperSize();
        const QMarginsF margins = f->QuickRep1->margins();
        for (const ReportBand *band : f->QuickRep1->bands())
            for (const ReportElement *e : band->elements()) {
                QRectF r = e->geometry();
                if (auto *l = qobject_cast<const ReportLabel *>(e))
                    r = l->printedRect(l->text().isEmpty() ? QStringLiteral("x") : l->text());
                r.translate(margins.left(), 0);
                QVERIFY2(r.left() >= 5 && r.right() <= paperSize.width() - 5, qPrintable(e->objectName() + QString::number(r.left())));
                QVERIFY(r.top() >= 0 && r.bottom() <= band->height() + 0.5);
            }

        if (logo) {
            QCOMPARE(PrintedForm::logo().size(), QSize(236, 278));
            // The logo stands in the header's right corner: ink there on the printed page.
            const QImage page = f->QuickRep1->renderPage(0, 100);
            const double x = paperSize.width() - margins.right() - 9, y = margins.top() + 12;
            QVERIFY(qGray(page.pixel(qRound(x / 25.4 * 100), qRound(y / 25.4 * 100))) < 250);
        }

        if (!havePoppler())
            QSKIP("pdftotext is not installed");
        const Printed printed = printPdf(*f->QuickRep1, dir.filePath(form + QStringLiteral(".pdf")));
        QCOMPARE(printed.pages, 1);
        QVERIFY2(printed.pageSize.startsWith(paper), qPrintable(printed.pageSize));
        for (const QString &t : fixedTexts(*f->QuickRep1) + texts)
            QVERIFY2(printed.text.contains(folded(t)), qPrintable(t));
        for (const QString &name : f->valueNames()) {
            QVERIFY(f->value(name).isEmpty());
            QVERIFY2(!printed.text.contains(name), qPrintable(name));
        }
    }

    // The job application offers the thirteen value labels under the names of
    // the person's columns, right of nothing but their captions; the blank
    // forms offer the blanks named in their sentences.
    void valueLabelsByName()
    {
        Tpersonel_frm_darkhastkar job;
        QCOMPARE(job.valueNames(), applicationNames);
        const ReportBand *detail = job.QuickRep1->band(ReportBand::Type::Detail);
        QList<QRectF> captions;
        for (const ReportElement *e : detail->elements())
            if (auto *l = qobject_cast<const ReportLabel *>(e); l && !l->isValueLabel())
                captions << l->geometry();
        for (const QString &name : applicationNames) {
            const QRectF box = job.valueLabel(name)->geometry();
            QVERIFY2(box.width() > 15, qPrintable(name));
            for (const QRectF &c : captions)
                QVERIFY2(!box.intersects(c), qPrintable(name));
        }

        Tpersonel_frm_morakhasi leave;
        QStringList leaveNames = leave.valueNames();
        leaveNames.sort();
        QCOMPARE(leaveNames, (QStringList{QStringLiteral("adr"), QStringLiteral("birthday"), QStringLiteral("fname"), QStringLiteral("khodro"),
                                          QStringLiteral("lname"), QStringLiteral("model"), QStringLiteral("ostan"), QStringLiteral("phone"),
                                          QStringLiteral("roz")}));
        QCOMPARE(Tpersonel_frm_madarek().valueNames(), QStringList{QStringLiteral("lname")});
        QVERIFY(Tpersonel_frm_arzyabi().valueNames().isEmpty());
        // A text set under a name the layout lacks is kept but printed nowhere.
        leave.setValue(QStringLiteral("nothing"), QStringLiteral("x"));
        QCOMPARE(leave.value(QStringLiteral("nothing")), QStringLiteral("x"));
        QVERIFY(!leave.valueNames().contains(QStringLiteral("nothing")));
    }

    // From the personnel list: the job application shows the current person's
    // columns, stays on one page with long remarks and address, and prints
    // every value empty for a list without rows. The preview goes through the
    // platform, and the form window itself is never shown.
    void jobApplicationFromTheList_data() { addEngineRows(); }
    void jobApplicationFromTheList()
    {
        AppFixture fx(currentEngine());
        const QString longText = QStringLiteral("رانندگي سرويس مدارس و حمل بار سبک در شهرستان ") .repeated(8);
        fx.exec(QStringLiteral("insert into personel (fname,lname,nation,birthday,sodor,khodro,model,govahiname_dat,bime,adr,phone,mobile,cmt) values "
                               "('رضا','کريمي','1234567890','1360/05/12','تبريز','پژو 405','1390','1380/01/01','1402/12/29','")
                + longText.left(340) + QStringLiteral("','04133334444','09141234567','") + longText.left(340) + QStringLiteral("')"));
        Query &rows = *app::dm->ADOQ_personel;
        rows.clear();
        rows.add(QStringLiteral("select * from personel"));
        rows.open();

        QList<Report *> previewed;
        const QString pdf = dir.filePath(QStringLiteral("application.pdf"));
        Printed printed;
        fx.ui.onPreview = [&](Report &report) {
            previewed << &report;
            if (havePoppler())
                printed = printPdf(report, pdf);
        };
        app::personel_src->N5Click();
        QCOMPARE(previewed, QList<Report *>{app::personel_frm_darkhastkar->QuickRep1});
        QVERIFY(!app::personel_frm_darkhastkar->isVisible());
        QCOMPARE(app::personel_frm_darkhastkar->value(QStringLiteral("sodor")), QStringLiteral("تبريز"));
        QCOMPARE(app::personel_frm_darkhastkar->QuickRep1->pageCount(), 1);
        if (havePoppler()) {
            QCOMPARE(printed.pages, 1);
            for (const QString &v : {QStringLiteral("رضا"), QStringLiteral("کريمي"), QStringLiteral("1234567890"), QStringLiteral("1360/05/12"),
                                     QStringLiteral("405"), QStringLiteral("1402/12/29"), QStringLiteral("09141234567"), QStringLiteral("04133334444")})
                QVERIFY2(printed.text.contains(folded(v)), qPrintable(v));
            // The remarks and the address, small as they may print, keep their opening words.
            QVERIFY(printed.text.count(folded(QStringLiteral("رانندگي سرويس مدارس"))) >= 2);
        }

        rows.clear();
        rows.add(QStringLiteral("select * from personel where id<0"));
        rows.open();
        app::personel_src->N5Click();
        for (const QString &name : applicationNames)
            QVERIFY(app::personel_frm_darkhastkar->value(name).isEmpty());
        if (havePoppler()) {
            QCOMPARE(printed.pages, 1);
            QVERIFY(printed.text.contains(folded(QStringLiteral("سابقه کار قبلي"))));
            QVERIFY(!printed.text.contains(folded(QStringLiteral("کريمي"))));
            QVERIFY(!printed.text.contains(QStringLiteral("1234567890")));
            for (const QString &name : applicationNames)
                QVERIFY(!printed.text.contains(name));
        }

        // The three blank forms open their previews as they are.
        previewed.clear();
        app::personel_src->N10Click();
        app::personel_src->N11Click();
        app::personel_src->N12Click();
        QCOMPARE(previewed, (QList<Report *>{app::personel_frm_morakhasi->QuickRep1, app::personel_frm_madarek->QuickRep1,
                                             app::personel_frm_arzyabi->QuickRep1}));
    }
};

QTEST_MAIN(PersonnelFormsTest)
#include "tst_personnel_forms.moc"
