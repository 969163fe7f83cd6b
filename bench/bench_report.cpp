// Printing a long list report: 2,000 trips walked by a banded report laid out
// like the daily out-of-city trip report (A4 landscape, page header, column
// header with thirteen titles, one framed and ruled detail line per trip with
// its row number, eleven values and a computed kilometre difference, a
// summary), rendered to a PDF file and onto a printer, and shown in the
// print preview up to its first page on the screen. Detail rows grow where a
// long name takes a second line.
//
//   build/bench/bench_report [rows] [keep.pdf] [--officer-length N]
//
// With --officer-length every officer's name is N characters long; the same
// rows with the ordinary names are measured after them in the same run, and
// the costs per page compared.
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

// An officer's name of `length` characters, made of short words as the
// forms' tests fill a column to its declared length.
QString officerOfLength(int length)
{
    QString out;
    while (out.size() < length)
        out += QStringLiteral("پژو ۴۰۵ جی‌ال‌ایکس دوگانه‌سوز سفید روغنی ");
    out.truncate(length);
    return out.endsWith(QLatin1Char(' ')) ? out.left(length - 1) + QStringLiteral("ی") : out;
}

// `rows` trips, each officer's name `officerLength` characters long when given.
void fill(Connection &c, int rows, int officerLength = 0)
{
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
        const QString officer = officerLength > 0 ? officerOfLength(officerLength) : drivers[i % 5];
        for (const QVariant &v : QVariantList{drivers[i % 4], officer, QStringLiteral("بازديد پروژه %1").arg(i),
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

// What printing the trips a statement selects costs.
struct Costs {
    int rows = 0, pages = 0, grown = 0;
    double paginate = 0, pdf = 0, printer = 0, firstPage = 0;
    qint64 pdfKiB = 0;
};

Costs measure(Connection &c, const QString &statement, const QString &pdf, const QString &printed)
{
    Costs costs;
    Query trips(&c, QStringLiteral("ADOQ_taradod"));
    trips.add(statement);
    trips.open();
    costs.rows = trips.recordCount();

    Report report;
    layOut(report);
    report.setDataSet(&trips);
    report.label(QStringLiteral("ranande"))->setText(trips.field(QStringLiteral("ranande")).asString());

    QElapsedTimer t;
    t.start();
    costs.pages = report.pageCount();
    costs.paginate = t.nsecsElapsed() / 1e9;

    t.restart();
    report.exportPdf(pdf);
    costs.pdf = t.nsecsElapsed() / 1e9;
    costs.pdfKiB = QFileInfo(pdf).size() / 1024;

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    report.preparePrinter(printer);
    t.restart();
    report.print(printer);
    costs.printer = t.nsecsElapsed() / 1e9;

    // The preview of the same report: from opening it to its first page on the screen.
    t.restart();
    {
        ReportPreview preview(report);
        preview.show();
        preview.findChild<QAbstractScrollArea *>(QStringLiteral("pages"))->viewport()->grab();
        costs.firstPage = t.nsecsElapsed() / 1e9;
    }

    for (const Report::Page &page : report.paginate())
        for (const Report::Placement &p : page)
            costs.grown += p.height > p.band->height() + 1e-9;
    return costs;
}

void report(const Costs &c)
{
    out << "rows: " << c.rows << ", pages: " << c.pages << ", rows grown for a second line: " << c.grown << Qt::endl;
    out << "paginate: " << QString::number(c.paginate * 1000, 'f', 1) << " ms" << Qt::endl;
    out << "PDF file: " << QString::number(c.pdf, 'f', 2) << " s, " << c.pdfKiB << " KiB" << Qt::endl;
    out << "printer (as the preview prints): " << QString::number(c.printer, 'f', 2) << " s" << Qt::endl;
    out << "preview, first page on the screen: " << QString::number(c.firstPage, 'f', 2) << " s" << Qt::endl;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int officerLength = 0;
    if (const qsizetype at = args.indexOf(QStringLiteral("--officer-length")); at >= 0 && at + 1 < args.size()) {
        officerLength = args[at + 1].toInt();
        args.remove(at, 2);
    }
    const int rows = args.size() > 0 ? args[0].toInt() : 2000;

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
    Query schema(&c, QStringLiteral("schema"));
    runSchemaBlocks(schema);
    // The ordinary trips first, those with officers of the given length after them.
    fill(c, rows);
    if (officerLength > 0)
        fill(c, rows, officerLength);
    auto trips = [rows](bool longOfficers) {
        return QStringLiteral("select * from taradod where id %1 %2 order by id").arg(longOfficers ? ">" : "<=").arg(rows);
    };

    const QString pdf = args.size() > 1 ? args[1] : dir.filePath(QStringLiteral("report.pdf"));
    const Costs measured = measure(c, trips(officerLength > 0), pdf, dir.filePath(QStringLiteral("printer.pdf")));
    report(measured);
    if (officerLength > 0) {
        // The ordinary report in the same run, and the costs per page beside its own.
        const Costs ordinary = measure(c, trips(false), dir.filePath(QStringLiteral("ordinary.pdf")), dir.filePath(QStringLiteral("ordinary-printer.pdf")));
        out << "every officer " << officerLength << " characters long; the ordinary report in the same run:" << Qt::endl;
        report(ordinary);
        auto perPage = [](double seconds, int pages) { return seconds / qMax(1, pages); };
        out << "PDF per page: " << QString::number(perPage(measured.pdf, measured.pages) * 1000, 'f', 2) << " ms, ordinary "
            << QString::number(perPage(ordinary.pdf, ordinary.pages) * 1000, 'f', 2) << " ms, "
            << QString::number(perPage(measured.pdf, measured.pages) / perPage(ordinary.pdf, ordinary.pages), 'f', 2) << "x" << Qt::endl;
        out << "preview's first page: " << QString::number(measured.firstPage / ordinary.firstPage, 'f', 2) << "x the ordinary report's" << Qt::endl;
    }
    const QString word = QString(10000, QLatin1Char('7'));
    QString words;
    while (words.size() < 2000)
        words += QStringLiteral("پژو ۴۰۵ جی‌ال‌ایکس دوگانه‌سوز ");
    words.truncate(2000);
    out << "one value of 10,000 characters in one word: " << QString::number(longValues({word}), 'f', 2) << " s" << Qt::endl;
    out << "four values of 2,000 characters: " << QString::number(longValues({words, words, words, words}), 'f', 2) << " s" << Qt::endl;
    return 0;
}
