// The banded report engine: pagination over a query, the bands on their
// pages, unbound and empty reports, output to PDF, to a printer and to images,
// and where texts and pictures land on the paper.
#include "TestSupport.h"
#include "platform/Fonts.h"
#include "platform/Query.h"
#include "platform/Report.h"
#include "platform/ReportPreview.h"
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// The text of a PDF as pdftotext reads it (one page, or all with page 0).
QString pdfText(const QString &pdf, int page = 0)
{
    QStringList args{QStringLiteral("-layout")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    args << pdf << QStringLiteral("-");
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// "Pages:" and "Page size:" of pdfinfo.
QString pdfInfo(const QString &pdf, const QString &key)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(60000);
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(key + QLatin1Char(':')))
            return line.mid(key.size() + 1).trimmed();
    return QString();
}

bool havePoppler() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

// A list report: page header, column header, one line per row with its
// running number, a field and a value computed from two fields, a summary.
// The marker texts are Latin so that their place on each page can be read back.
struct ListReport {
    Report report;
    ReportBand *header, *columns, *detail, *summary;

    explicit ListReport(Query *rows = nullptr)
    {
        report.setDataSet(rows);
        report.setPaper(Report::Paper::A5);
        report.setMargins(10);
        header = report.addBand(ReportBand::Type::PageHeader, 20);
        header->label(QStringLiteral("PAGEHEAD"))->placeCentre(2);
        columns = report.addBand(ReportBand::Type::ColumnHeader, 10);
        columns->rectangle(0, 0, columns->width(), 10);
        columns->label(QStringLiteral("COLUMNS"))->placeRight(2, 1);
        detail = report.addBand(ReportBand::Type::Detail, 8);
        ReportLabel *number = detail->rowNumber();
        number->setRightToLeft(false);
        number->placeBox(0, 0.5, 20, 7, Qt::AlignLeft);
        ReportLabel *name = detail->field(QStringLiteral("name"));
        name->setRightToLeft(false);
        name->placeBox(30, 0.5, 40, 7, Qt::AlignHCenter);
        ReportLabel *diff = detail->computed([](const ReportRow &row) {
            return QStringLiteral("d%1").arg(row.number(QStringLiteral("k2")) - row.number(QStringLiteral("k1")));
        });
        diff->setRightToLeft(false);
        diff->placeBox(80, 0.5, 40, 7, Qt::AlignRight);
        summary = report.addBand(ReportBand::Type::Summary, 15);
        summary->label(QStringLiteral("SUMMARYEND"))->placeCentre(3);
    }
};

} // namespace

class ReportTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Connection> conn;
    QTemporaryDir dir;

    void run(const QString &sql)
    {
        Query q(conn.get(), QStringLiteral("q"));
        q.add(sql);
        q.execute();
    }

    // A table of rows named row-001 ..., with k2 - k1 equal to the row's
    // number, opened in the order of their ids and then sorted by `sort`.
    std::unique_ptr<Query> fill(int rows, const QString &sort = QString())
    {
        run(QStringLiteral("create table rep_rows (id int, name varchar(20), k1 int, k2 int)"));
        QStringList values;
        for (int i = 1; i <= rows; ++i)
            values << QStringLiteral("(%1,'row-%2',%3,%4)").arg(i).arg(i, 3, 10, QLatin1Char('0')).arg(1000 * i).arg(1000 * i + i);
        if (rows > 0)
            run(QStringLiteral("insert into rep_rows (id,name,k1,k2) values ") + values.join(QLatin1Char(',')));
        auto q = std::make_unique<Query>(conn.get(), QStringLiteral("rows"));
        q->add(QStringLiteral("select * from rep_rows order by id"));
        q->open();
        if (!sort.isEmpty())
            q->setSort(sort);
        return q;
    }

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void init()
    {
        db = std::make_unique<TestDatabase>(QTest::currentDataTag() ? currentEngine() : Engine::Sqlite);
        conn = db->connect();
    }
    void cleanup()
    {
        conn.reset();
        db.reset();
    }

    // Three hundred rows flow over several pages: each page opens with the
    // page header and the column header, the rows follow in order numbered
    // 1 to 300 and nothing runs into the bottom margin; the summary comes
    // once, after the last row. The query's current row stays where it was.
    // The preview shows its first page before the others are laid out.
    void boundReportPaginates_data() { addEngineRows(); }
    void boundReportPaginates()
    {
        auto rows = fill(300);
        rows->setRecNo(42);
        ListReport l(rows.get());

        const QVector<Report::Page> pages = l.report.paginate();
        QVERIFY(pages.size() > 1);
        int expected = 1;
        int summaries = 0;
        const double bottom = l.report.paperSize().height() - l.report.margins().bottom();
        for (int p = 0; p < pages.size(); ++p) {
            const Report::Page &page = pages[p];
            QVERIFY(page.size() >= 3);
            QCOMPARE(page[0].band, l.header);
            QCOMPARE(page[0].top, 10.0);
            QCOMPARE(page[1].band, l.columns);
            QCOMPARE(page[1].top, 30.0);
            for (const Report::Placement &placed : page) {
                QVERIFY(placed.top + placed.band->height() <= bottom + 1e-6);
                if (placed.band == l.detail) {
                    QCOMPARE(placed.number, expected);
                    QCOMPARE(placed.row, expected - 1);
                    ++expected;
                }
                if (placed.band == l.summary) {
                    ++summaries;
                    QCOMPARE(p, pages.size() - 1);
                    QCOMPARE(&placed, &page.last());
                }
            }
        }
        QCOMPARE(expected, 301);
        QCOMPARE(summaries, 1);
        // The preview opens once its first page is laid out; the count it
        // shows grows while it waits for the user, until it is whole.
        ReportPreview preview(l.report);
        const QLabel *count = preview.findChild<QLabel *>(QStringLiteral("pageCountLabel"));
        QVERIFY(!count->text().contains(QString::number(pages.size())));
        QTRY_COMPARE(count->text(), QStringLiteral(" از %1 ").arg(pages.size()));

        if (!havePoppler())
            QSKIP("pdftotext is not installed");
        const QString pdf = dir.filePath(QStringLiteral("rows.pdf"));
        QVERIFY(l.report.exportPdf(pdf));
        QCOMPARE(rows->recNo(), 42);
        QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")).toInt(), pages.size());
        const QRegularExpression line(QStringLiteral("^\\s*(\\d+)\\s+row-(\\d+)\\s+d(\\d+)\\s*$"));
        int next = 1;
        for (int p = 1; p <= pages.size(); ++p) {
            const QString text = pdfText(pdf, p);
            QCOMPARE(text.count(QStringLiteral("PAGEHEAD")), 1);
            QCOMPARE(text.count(QStringLiteral("COLUMNS")), 1);
            QCOMPARE(text.count(QStringLiteral("SUMMARYEND")), p == pages.size() ? 1 : 0);
            QVERIFY(text.indexOf(QStringLiteral("PAGEHEAD")) < text.indexOf(QStringLiteral("COLUMNS")));
            for (const QString &l : text.split(QLatin1Char('\n'))) {
                const QRegularExpressionMatch m = line.match(l);
                if (!m.hasMatch())
                    continue;
                QCOMPARE(m.captured(1).toInt(), next);
                QCOMPARE(m.captured(2).toInt(), next);
                QCOMPARE(m.captured(3).toInt(), next); // k2 - k1, computed per row
                ++next;
            }
        }
        QCOMPARE(next, 301);
    }

    // The rows print in the query's current order, a client-side sort
    // included, and the numbers count the printed rows.
    void rowsFollowTheQuerysOrder()
    {
        auto rows = fill(12, QStringLiteral("name DESC"));
        ListReport l(rows.get());
        const QList<QImage> images = l.report.renderImages(50);
        QCOMPARE(images.size(), 1);
        if (!havePoppler())
            QSKIP("pdftotext is not installed");
        const QString pdf = dir.filePath(QStringLiteral("sorted.pdf"));
        QVERIFY(l.report.exportPdf(pdf));
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\b1\\s+row-012\\b"))));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\b12\\s+row-001\\b"))));
        QVERIFY(text.indexOf(QStringLiteral("row-012")) < text.indexOf(QStringLiteral("row-001")));
    }

    // Bound to no query the report prints its header and its detail band
    // once, on one page; an open query without rows and a closed query print
    // the headers and the summary only.
    void unboundAndEmptyReports()
    {
        auto empty = fill(0);
        ListReport l;
        QVector<Report::Page> pages = l.report.paginate();
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].size(), 4);
        QCOMPARE(pages[0][2].band, l.detail);
        QCOMPARE(pages[0][2].row, -1);

        QCOMPARE(empty->recordCount(), 0);
        l.report.setDataSet(empty.get());
        pages = l.report.paginate();
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].size(), 3);
        QCOMPARE(pages[0][0].band, l.header);
        QCOMPARE(pages[0][1].band, l.columns);
        QCOMPARE(pages[0][2].band, l.summary);

        Query closed(conn.get(), QStringLiteral("closed"));
        l.report.setDataSet(&closed);
        QCOMPARE(l.report.paginate().size(), 1);
        QCOMPARE(l.report.paginate()[0].size(), 3);

        if (!havePoppler())
            QSKIP("pdftotext is not installed");
        l.report.setDataSet(nullptr);
        l.detail->label(QStringLiteral("ONLYONCE"))->placeLeft(35, 1);
        const QString pdf = dir.filePath(QStringLiteral("unbound.pdf"));
        QVERIFY(l.report.exportPdf(pdf));
        QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
        const QString text = pdfText(pdf);
        QCOMPARE(text.count(QStringLiteral("ONLYONCE")), 1);
        QVERIFY(text.contains(QStringLiteral("PAGEHEAD")));
        // The single detail band is row 1; a field without a row prints nothing.
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("^\\s*1\\s+ONLYONCE\\s+d0\\b"), QRegularExpression::MultilineOption)));
        QVERIFY(!text.contains(QStringLiteral("row-")));
    }

    // Headers and the footer keep to the pages their flags name; the footer
    // stands at the foot of the page.
    void bandFlagsChooseTheirPages()
    {
        auto rows = fill(100);
        ListReport l(rows.get());
        ReportBand *footer = l.report.addBand(ReportBand::Type::PageFooter, 8);
        footer->setPrintOn(ReportBand::LastPage);
        l.header->setPrintOn(ReportBand::FirstPage);

        QVector<Report::Page> pages = l.report.paginate();
        QVERIFY(pages.size() >= 3);
        auto count = [](const Report::Page &page, const ReportBand *band) {
            return std::count_if(page.begin(), page.end(), [band](const Report::Placement &p) { return p.band == band; });
        };
        for (int p = 0; p < pages.size(); ++p) {
            const bool first = p == 0, last = p == pages.size() - 1;
            QCOMPARE(count(pages[p], l.header), first ? 1 : 0);
            QCOMPARE(count(pages[p], l.columns), 1);
            QCOMPARE(count(pages[p], footer), last ? 1 : 0);
        }
        QCOMPARE(pages.last().last().band, footer);
        QCOMPARE(pages.last().last().top, l.report.paperSize().height() - 10 - 8);
        // Room for the footer is kept on every page.
        for (const Report::Page &page : pages)
            for (const Report::Placement &placed : page)
                if (placed.band != footer)
                    QVERIFY(placed.top + placed.band->height() <= l.report.paperSize().height() - 10 - 8 + 1e-6);

        footer->setPrintOn(ReportBand::EveryPage);
        l.header->setPrintOn(ReportBand::MiddlePages | ReportBand::LastPage);
        pages = l.report.paginate();
        for (int p = 0; p < pages.size(); ++p) {
            QCOMPARE(count(pages[p], footer), 1);
            QCOMPARE(count(pages[p], l.header), p == 0 ? 0 : 1);
        }
    }

    // Texts and shapes land where the layout puts them, in millimetres from
    // the paper's corner plus the margins, the same at any resolution: the
    // right end of a right-aligned label, a centred title, a filled frame
    // and a stretched picture.
    void elementsLandWhereLaidOut()
    {
        Report r;
        r.setPaper(Report::Paper::A5, QPageLayout::Landscape);
        r.setMargins(QMarginsF(12, 8, 12, 8));
        QCOMPARE(r.paperSize(), QSizeF(210, 148));
        QCOMPARE(r.bandWidth(), 186.0);
        ReportBand *band = r.addBand(ReportBand::Type::Detail, 120);
        ReportLabel *right = band->label(QStringLiteral("نام خانوادگي"), QStringLiteral("Zar"), 14, true)->placeRight(20, 10);
        QCOMPARE(right->geometry().right(), 166.0);
        QVERIFY(right->geometry().width() > 15);
        // Sized to its text, the label keeps its right end whatever it holds.
        QCOMPARE(right->printedRect(QStringLiteral("ن")).right(), 166.0);
        QCOMPARE(right->printedRect(QStringLiteral("نام و نام خانوادگي راننده")).right(), 166.0);
        ReportLabel *centre = band->label(QStringLiteral("TITLE"), QStringLiteral("Arial"), 20)->placeCentre(40);
        QVERIFY(qAbs(centre->geometry().center().x() - 93.0) < 1e-9);
        ReportShape *frame = band->rectangle(10, 70, 40, 20);
        frame->setFill(Qt::blue);
        QImage red(20, 10, QImage::Format_RGB32);
        red.fill(Qt::red);
        band->image(red, 100, 70, 50, 30);

        for (double dpi : {100.0, 300.0}) {
            const QImage page = r.renderPage(0, dpi);
            QCOMPARE(page.width(), qRound(210 / 25.4 * dpi));
            auto px = [&](double xMm, double yMm) { return page.pixelColor(qRound(xMm / 25.4 * dpi), qRound(yMm / 25.4 * dpi)); };
            // Ink of the right-aligned text ends within half a millimetre of 12 + 166 mm.
            double inkRight = 0;
            for (int y = qRound(18 / 25.4 * dpi); y < qRound(26 / 25.4 * dpi); ++y)
                for (int x = 0; x < page.width(); ++x)
                    if (qGray(page.pixel(x, y)) < 128)
                        inkRight = qMax(inkRight, x * 25.4 / dpi);
            QVERIFY2(qAbs(inkRight - 178.0) < 0.5, qPrintable(QString::number(inkRight)));
            QCOMPARE(px(12 + 30, 8 + 80), QColor(Qt::blue));
            QCOMPARE(px(12 + 5, 8 + 80), QColor(Qt::white));
            QCOMPARE(px(12 + 125, 8 + 85), QColor(Qt::red));
            QCOMPARE(px(12 + 99, 8 + 85), QColor(Qt::white));
        }
        QVERIFY(r.renderPage(1, 100).isNull());
    }

    // A text too long for its fixed box prints smaller or wraps inside it;
    // without a row a field prints nothing, and a value label starts empty.
    void fixedBoxesKeepTheirText()
    {
        Report r;
        ReportBand *band = r.addBand(ReportBand::Type::Detail, 50);
        const QString longText = QStringLiteral("تبريز خيابان امام کوچه شهيد بهشتي پلاک دوازده طبقه دوم");
        ReportLabel *shrunk = band->label(longText, QStringLiteral("Zar"), 12, true)->placeBox(10, 0, 40, 8, Qt::AlignRight);
        shrunk->setShrinkToFit(true);
        QVERIFY(shrunk->textWidth() > 40);
        QRectF printed = shrunk->printedRect(longText);
        QVERIFY(printed.height() < 8);
        ReportLabel *wrapped = band->label(longText, QStringLiteral("Zar"), 12)->placeBox(10, 10, 60, 30, Qt::AlignRight);
        wrapped->setWordWrap(true);
        printed = wrapped->printedRect(longText);
        QVERIFY(printed.height() > wrapped->lineHeight() * 1.5);
        QVERIFY(printed.height() <= 30);
        QCOMPARE(printed.width(), 60.0);

        ReportField *field = band->field(QStringLiteral("name"));
        QCOMPARE(field->textFor(ReportRow()), QString());
        ReportLabel *value = band->valueLabel(QStringLiteral("fname"));
        QCOMPARE(value->text(), QString());
        QCOMPARE(r.label(QStringLiteral("fname")), value);
        QCOMPARE(r.valueLabels(), QList<ReportLabel *>{value});
    }

    // A value too long for its framed box is never cut: it wraps under the
    // box, the frame grows with it and what stands below moves down, while
    // the band fits the page; on a band as tall as the page the blank room
    // between its texts takes it, and only without such room it prints smaller.
    void aValueMakesRoomUnderItsBox()
    {
        Report r;
        r.setPaper(Report::Paper::A5);
        ReportBand *band = r.addBand(ReportBand::Type::Detail, 40);
        ReportShape *frame = band->rectangle(0, 0, 60, 10);
        ReportLabel *value = band->valueLabel(QStringLiteral("adr"), QStringLiteral("Zar"), 12);
        value->placeBox(1, 2, 58, 7, Qt::AlignRight | Qt::AlignVCenter);
        value->setShrinkToFit(true);
        ReportLabel *below = band->label(QStringLiteral("امضاء"), QStringLiteral("Zar"), 12)->placeRight(10, 12);
        value->setText(QString(QStringLiteral("تبريز خيابان امام کوچه شهيد بهشتي پلاک دوازده ")).repeated(4));
        const ReportLabel::Fit fit = value->fitFor(ReportRow());
        QVERIFY(fit.whole);
        QVERIFY(fit.lines > 2);
        QVERIFY(fit.scale >= 0.8 - 1e-9);
        const double moved = band->geometryFor(below, ReportRow()).top() - below->geometry().top();
        QVERIFY(moved > 0);
        QVERIFY(fit.rect.bottom() <= band->geometryFor(below, ReportRow()).top());
        QCOMPARE(band->geometryFor(frame, ReportRow()).height(), frame->geometry().height() + moved);
        QVERIFY(band->flowFor(ReportRow()).height > 40);

        band->setHeight(r.paperSize().height() - r.margins().top() - r.margins().bottom());
        ReportLabel *date = band->label(QStringLiteral("تاريخ"), QStringLiteral("Zar"), 12)->placeRight(10, band->height() - 8);
        QVERIFY(value->fitFor(ReportRow()).scale >= 0.8 - 1e-9);
        QCOMPARE(band->geometryFor(date, ReportRow()), date->geometry());
        QCOMPARE(band->flowFor(ReportRow()).height, band->height());
        band->rectangle(0, 18, 60, band->height() - 19);
        const ReportLabel::Fit squeezed = value->fitFor(ReportRow());
        QVERIFY(squeezed.whole);
        QVERIFY(squeezed.scale < 0.8 && squeezed.scale >= 0.4);
        // Still too tall, the band continues on the next page with its frame, nothing past the margins.
        const QVector<Report::Page> pages = r.paginate();
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages[1].first().from > 0 && pages[1].first().height > 1);
        const int top = qRound(r.margins().top() / 25.4 * 100), foot = qRound((r.paperSize().height() - r.margins().bottom()) / 25.4 * 100);
        for (int i = 0; i < 2; ++i) {
            const QImage page = r.renderPage(i, 100).convertToFormat(QImage::Format_Grayscale8);
            auto darkest = [&page](int y) { return *std::min_element(page.constScanLine(y), page.constScanLine(y) + page.width()); };
            for (int y = 0; y < page.height(); ++y)
                QVERIFY((y >= top - 1 && y <= foot + 1) || darkest(y) > 200);
            QVERIFY(darkest(top + 2) < 100);
        }
    }

    // The printer gets the layout's paper and orientation, and printing puts
    // every page on it.
    void printsOntoAPrinter()
    {
        auto rows = fill(60);
        ListReport l(rows.get());
        l.report.setPaper(Report::Paper::A4, QPageLayout::Landscape);
        l.report.setTitle(QStringLiteral("rows"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir.filePath(QStringLiteral("printer.pdf"));
        printer.setOutputFileName(pdf);
        l.report.preparePrinter(printer);
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(printer.docName(), QStringLiteral("rows"));
        l.report.print(printer);
        if (!havePoppler())
            QSKIP("pdfinfo is not installed");
        QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")).toInt(), l.report.pageCount());
        QVERIFY(pdfInfo(pdf, QStringLiteral("Page size")).startsWith(QStringLiteral("842 x 595")));
    }
};

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
