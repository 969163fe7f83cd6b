// Printing a long list report: 2,000 trips walked by a banded report laid out
// like the daily out-of-city trip report (A4 landscape, page header, column
// header with thirteen titles, one framed and ruled detail line per trip with
// its row number, eleven values and a computed kilometre difference, a
// summary), rendered to a PDF file and onto a printer, and shown in the
// print preview up to its first page on the screen. Detail rows grow where a
// long name takes a second line.
//
//   build/bench/bench_report [rows] [keep.pdf]
//
// Last it times a band whose values are far longer than their boxes.
#include "core/schema.h"
#include "platform/Connection.h"
#include "platform/Query.h"
#include "platform/Report.h"
#include "platform/ReportPreview.h"
#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QTextStream out(stdout);

void fill(Connection &c, int rows)
{
    Query schema(&c, QStringLiteral("schema"));
    runSchemaBlocks(schema);
    // One officer in five has a long name that takes a second line and makes his row grow.
    const QStringList drivers{QStringLiteral("علي رضايي"), QStringLiteral("حسن احمدي"), QStringLiteral("مهدي كريمي"), QStringLiteral("رضا محمدي"),
                              QStringLiteral("سید محمدحسین موسوی‌نژاد خراسانی")};
    const QStringList places{QStringLiteral("اراک"), QStringLiteral("خمين"), QStringLiteral("ساوه"), QStringLiteral("تفرش")};
    QSqlDatabase db = c.database();
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("insert into taradod (ranande,mamor,mamor_cmt,ostan,shahrestan,dat1,saat1,saat2,kilometr1,kilometr2,tavaghof) "
                             "values (?,?,?,?,?,?,?,?,?,?,?)"));
    for (int i = 0; i < rows; ++i) {
        const int km = 10000 + (i * 37) % 90000;
        for (const QVariant &v : QVariantList{drivers[i % 4], drivers[i % 5], QStringLiteral("بازديد پروژه %1").arg(i),
                                              QStringLiteral("مرکزي"), places[i % 4],
                                              QStringLiteral("1403/%1/%2").arg(1 + i % 12, 2, 10, QLatin1Char('0')).arg(1 + i % 29, 2, 10, QLatin1Char('0')),
                                              QStringLiteral("08:00"), QStringLiteral("14:30"), km, km + 50 + i % 300, 2.5})
            q.addBindValue(v);
        q.exec();
    }
    db.commit();
}

// The layout, in the manner of the trip and vehicle list reports.
void layOut(Report &r)
{
    r.setPaper(Report::Paper::A4, QPageLayout::Landscape);
    r.setMargins(10);
    const QString titr = QStringLiteral("Titr"), zar = QStringLiteral("Zar"), lotus = QStringLiteral("Lotus");

    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 25.4);
    header->label(QStringLiteral("بسمه تعالي"))->placeCentre(1.6);
    header->label(QStringLiteral("فرم گزارش روزانه کارکرد خودرو استيجاري"), titr, 12, true)->placeCentre(10.6);
    ReportLabel *caption = header->label(QStringLiteral("نام و نام خانوادگي راننده:"), lotus, 12)->placeRight(4.5, 1.1);
    header->valueLabel(QStringLiteral("ranande"), zar, 12)->placeRight(header->width() - caption->geometry().left() + 1.5, 1.1);

    struct Column {
        double left, right; // value box, mm from the band's left edge
        const char16_t *title;
        QString field;
    };
    const QVector<Column> columns = {
        {266.2, 275.2, u"رديف", {}},
        {241.3, 262.7, u"تاريخ", QStringLiteral("dat1")},
        {208.0, 240.0, u"مقصد ماموريت", {}},
        {194.7, 207.2, u"ساعت رفت", QStringLiteral("saat1")},
        {176.7, 193.1, u"کيلومتر رفت", QStringLiteral("kilometr1")},
        {161.1, 173.6, u"ساعت برگشت", QStringLiteral("saat2")},
        {141.8, 157.4, u"کيلومتر برگشت", QStringLiteral("kilometr2")},
        {110.6, 140.2, u"شرح تردد", QStringLiteral("mamor_cmt")},
        {94.7, 107.2, u"ساعت کارکرد", QStringLiteral("tavaghof")},
        {65.6, 87.0, u"جمع کيلومتر", {}},
        {41.5, 63.5, u"نام مامور", QStringLiteral("mamor")},
        {23.5, 40.7, u"امضا مامور", {}},
        {0.8, 23.3, u"امضا مدير حوزه", {}},
    };
    ReportBand *titles = r.addBand(ReportBand::Type::ColumnHeader, 10.6);
    titles->rectangle(0, 0, titles->width(), 10.6);
    ReportBand *detail = r.addBand(ReportBand::Type::Detail, 10.6);
    detail->rectangle(0, 0, detail->width(), 10.6);
    for (double x : {23.3, 40.7, 64.3, 90.0, 109.8, 141.3, 158.5, 175.4, 194.2, 207.4, 240.5, 264.6})
        detail->verticalRule(x, 0, 10.6);
    for (int i = 0; i < columns.size(); ++i) {
        const Column &c = columns[i];
        ReportLabel *title = titles->label(QString::fromUtf16(c.title), titr, 8, true)->placeBox(c.left, 0.5, c.right - c.left, 9.6, Qt::AlignCenter);
        title->setWordWrap(true);
        title->setShrinkToFit(true);
        ReportLabel *value = nullptr;
        if (i == 0)
            value = detail->rowNumber();
        else if (i == 2)
            value = detail->computed([](const ReportRow &row) { return row.text(QStringLiteral("ostan")) + QLatin1Char('*') + row.text(QStringLiteral("shahrestan")); });
        else if (i == 9)
            value = detail->computed([](const ReportRow &row) {
                return QString::number(row.number(QStringLiteral("kilometr2")) - row.number(QStringLiteral("kilometr1")));
            });
        else if (!c.field.isEmpty())
            value = detail->field(c.field);
        if (!value)
            continue;
        value->setFont(zar, 10);
        value->placeBox(c.left, 0.5, c.right - c.left, 9.6, Qt::AlignCenter);
        value->setWordWrap(true);
    }
    ReportBand *summary = r.addBand(ReportBand::Type::Summary, 7.7);
    summary->label(QStringLiteral("امضاء راننده"), lotus, 10, true)->placeRight(19.8, 1);
    summary->label(QStringLiteral("محل امضاء خدمات"), lotus, 10, true)->placeRight(110.3, 1);
    summary->label(QStringLiteral("تاييد اداره تدارکات و پشتيباني"), lotus, 10, true)->placeRight(197.4, 1);
}

// A band of A4 with values far longer than their boxes: the time to lay it
// out on its pages and draw its first page.
double longValues(const QStringList &values)
{
    Report r;
    r.setPaper(Report::Paper::A4);
    r.setMargins(10);
    ReportBand *band = r.addBand(ReportBand::Type::Detail, 60);
    for (int i = 0; i < values.size(); ++i) {
        band->label(QStringLiteral("مقدار:"))->placeRight(2, 2 + i * 12);
        band->rectangle(0, 1 + i * 12, band->width(), 10);
        band->valueLabel(QStringLiteral("v%1").arg(i), QStringLiteral("Zar"), 12)->placeBox(20, 2 + i * 12, band->width() - 40, 7, Qt::AlignRight);
        r.label(QStringLiteral("v%1").arg(i))->setText(values[i]);
    }
    QElapsedTimer t;
    t.start();
    r.renderPage(0, 150);
    return t.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 2000;

    QTemporaryDir dir;
    Connection c;
    ConnectionSettings s;
    s.engine = Engine::Sqlite;
    s.database = dir.filePath(QStringLiteral("bench.sqlite"));
    {
        // The connection opens existing files only.
        QSqlDatabase create = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("create"));
        create.setDatabaseName(s.database);
        create.open();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("create"));
    c.setSettings(s);
    c.open();
    fill(c, rows);
    Query trips(&c, QStringLiteral("ADOQ_taradod"));
    trips.add(QStringLiteral("select * from taradod order by id"));
    trips.open();

    Report report;
    layOut(report);
    report.setDataSet(&trips);
    report.label(QStringLiteral("ranande"))->setText(trips.field(QStringLiteral("ranande")).asString());

    QElapsedTimer t;
    t.start();
    const int pages = report.pageCount();
    const double paginate = t.nsecsElapsed() / 1e9;

    const QString pdf = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("report.pdf"));
    t.restart();
    report.exportPdf(pdf);
    const double pdfTime = t.nsecsElapsed() / 1e9;

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printer.pdf")));
    report.preparePrinter(printer);
    t.restart();
    report.print(printer);
    const double printTime = t.nsecsElapsed() / 1e9;

    // The preview of the same report: from opening it to its first page on the screen.
    t.restart();
    double firstPage = 0;
    {
        ReportPreview preview(report);
        preview.show();
        preview.findChild<QAbstractScrollArea *>(QStringLiteral("pages"))->viewport()->grab();
        firstPage = t.nsecsElapsed() / 1e9;
    }

    int grown = 0;
    for (const Report::Page &page : report.paginate())
        for (const Report::Placement &p : page)
            grown += p.height > p.band->height() + 1e-9;
    out << "rows: " << trips.recordCount() << ", pages: " << pages << ", rows grown for a second line: " << grown << Qt::endl;
    out << "paginate: " << QString::number(paginate * 1000, 'f', 1) << " ms" << Qt::endl;
    out << "PDF file: " << QString::number(pdfTime, 'f', 2) << " s, " << QFileInfo(pdf).size() / 1024 << " KiB" << Qt::endl;
    out << "printer (as the preview prints): " << QString::number(printTime, 'f', 2) << " s" << Qt::endl;
    out << "preview, first page on the screen: " << QString::number(firstPage, 'f', 2) << " s" << Qt::endl;
    const QString word = QString(10000, QLatin1Char('7'));
    QString words;
    while (words.size() < 2000)
        words += QStringLiteral("پژو ۴۰۵ جی‌ال‌ایکس دوگانه‌سوز ");
    words.truncate(2000);
    out << "one value of 10,000 characters in one word: " << QString::number(longValues({word}), 'f', 2) << " s" << Qt::endl;
    out << "four values of 2,000 characters: " << QString::number(longValues({words, words, words, words}), 'f', 2) << " s" << Qt::endl;
    return 0;
}
