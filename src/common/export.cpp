#include "export.h"
#include "core/Dates.h"
#include "platform/DataError.h"
#include "platform/Platform.h"
#include "platform/Query.h"
#include "platform/Workbook.h"
#include <QDir>
#include <QHash>
#include <QFile>

namespace {

// The title row is bold from column A to AA and framed with slanted dash-dot
// lines from A to M; the data rows are framed with thin lines from A to M.
// The ranges are fixed, whatever the number of fields.
constexpr int boldColumns = 27;
constexpr int framedColumns = 13;
constexpr double columnWidth = 10;

// Leading and trailing blanks and control characters go; inner ones stay.
QString trimmedText(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return (begin == 0 && end == text.size()) ? text : text.mid(begin, end - begin);
}

// A closed query is opened only when its statement returns rows: running it
// again must never repeat a command (an insert or delete) it last held.
bool returnsRows(const Query &query)
{
    return query.text().trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive);
}

// A new file in the temporary folder named after the list and today's
// Jalali date. It is created here, exclusively and with the permissions of
// any new file of the user's, and the workbook is written over it.
QString newWorkbookPath(const QString &listName)
{
    TJalaliDate today;
    today.Init();
    const QString stem = listName + QLatin1Char(' ') + today.ToText().replace(QLatin1Char('/'), QLatin1Char('-'));
    const QDir folder(QDir::tempPath());
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? stem : stem + QStringLiteral(" (%1)").arg(n);
        QFile file(folder.filePath(name + QStringLiteral(".xlsx")));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file.fileName();
        if (!file.exists())
            throw DataError(QStringLiteral("فايل اکسل در پوشه %1 ساخته نشد: %2")
                                .arg(QDir::tempPath(), file.errorString()));
    }
}

} // namespace

void exportToSpreadsheet(Query &query, const QList<QPair<QString, QString>> &titles, const QString &listName)
{
    if (!query.isOpen() && returnsRows(query))
        query.open();
    const bool open = query.isOpen();
    const int fields = open ? query.columnCount() : 0;
    const int records = open ? query.recordCount() : 0;
    if (records + 1 > Workbook::maxRows || fields > Workbook::maxColumns)
        throw DataError(QStringLiteral("%1 رديف با %2 ستون در يك برگه اکسل جا نمي شود")
                            .arg(records).arg(fields));

    // The first pair that names a field gives its title.
    QHash<QString, QString> titleOf;
    for (const auto &pair : titles)
        if (!titleOf.contains(pair.first))
            titleOf.insert(pair.first, pair.second);

    const QString path = newWorkbookPath(listName);
    Workbook book(path);
    book.addSheet(QStringLiteral("Sheet1"));
    const Workbook::Format bold = book.addFormat(true);
    const Workbook::Format boldFramed = book.addFormat(true, Workbook::SlantDashDot);
    const Workbook::Format framed = book.addFormat(false, Workbook::Thin);
    if (fields > 0)
        book.setColumnWidth(0, fields - 1, columnWidth);

    for (int c = 0; c < qMax(fields, boldColumns); ++c) {
        const Workbook::Format format = c < framedColumns ? boldFramed : c < boldColumns ? bold : 0;
        if (c < fields) {
            const QString name = query.columnName(c);
            book.writeText(0, c, titleOf.value(name, name), format);
        } else {
            book.writeBlank(0, c, format);
        }
    }
    for (int r = 0; r < records; ++r) {
        for (int c = 0; c < qMax(fields, framedColumns); ++c) {
            const Workbook::Format format = c < framedColumns ? framed : 0;
            if (c < fields)
                book.writeText(r + 1, c, trimmedText(query.textAt(r, c)), format);
            else
                book.writeBlank(r + 1, c, format);
        }
    }
    // The walk through the records leaves the last one current.
    if (open)
        query.last();
    book.close();
    if (!platform().openSpreadsheet(path))
        showFileLeftAt(QStringLiteral("برنامه اي براي باز کردن فايل اکسل پيدا نشد."), path);
}

const QList<QPair<QString, QString>> &personnelTitles()
{
    static const QList<QPair<QString, QString>> table = {
        {QStringLiteral("id"), QStringLiteral("شناسه")},
        {QStringLiteral("ostan"), QStringLiteral("استان")},
        {QStringLiteral("shahrestan"), QStringLiteral("شهرستان")},
        {QStringLiteral("shahr"), QStringLiteral("شهر")},
        {QStringLiteral("prj_name"), QStringLiteral("نام پروژه")},
        {QStringLiteral("prj_typ"), QStringLiteral("نوع پروژه")},
        {QStringLiteral("karbari"), QStringLiteral("کاربري")},
        {QStringLiteral("bolok"), QStringLiteral("بلوک")},
        {QStringLiteral("tabaghe"), QStringLiteral("طبقه")},
        {QStringLiteral("vahed_no"), QStringLiteral("شماره واحد")},
        {QStringLiteral("shenase"), QStringLiteral("شناسه واحد")},
        {QStringLiteral("jahat"), QStringLiteral("جهت")},
        {QStringLiteral("metraj"), QStringLiteral("متراژ")},
        {QStringLiteral("parking"), QStringLiteral("پارکينگ")},
        {QStringLiteral("anbari"), QStringLiteral("انباري")},
        {QStringLiteral("mablagh"), QStringLiteral("مبلغ واحد")},
        {QStringLiteral("vam"), QStringLiteral("وام")},
        {QStringLiteral("pardakht_sum"), QStringLiteral("جمع پرداختي")},
        {QStringLiteral("fname"), QStringLiteral("نام")},
        {QStringLiteral("lname"), QStringLiteral("نام خانوادگي")},
        {QStringLiteral("father"), QStringLiteral("نام پدر")},
        {QStringLiteral("nation"), QStringLiteral("کد ملي")},
        {QStringLiteral("sh_no"), QStringLiteral("شماره شناسنامه")},
        {QStringLiteral("birthday"), QStringLiteral("تاريخ تولد")},
        {QStringLiteral("sodor"), QStringLiteral("محل صدور")},
        {QStringLiteral("tavalod_loc"), QStringLiteral("محل تولد")},
        {QStringLiteral("mobile"), QStringLiteral("موبايل")},
        {QStringLiteral("phone"), QStringLiteral("تلفن ثابت")},
        {QStringLiteral("taahol"), QStringLiteral("تاهل")},
        {QStringLiteral("gender"), QStringLiteral("جنسيت")},
        {QStringLiteral("cmt"), QStringLiteral("توضيحات")},
        {QStringLiteral("sabeghe"), QStringLiteral("سابقه")},
        {QStringLiteral("adr"), QStringLiteral("آدرس")},
        {QStringLiteral("job"), QStringLiteral("شغل")},
        {QStringLiteral("job_adr"), QStringLiteral("آدرس محل کار")},
        {QStringLiteral("moaref"), QStringLiteral("معرف")},
        {QStringLiteral("reg_dat"), QStringLiteral("تاريخ ثبت نام")},
        {QStringLiteral("reg_no"), QStringLiteral("شماره ثبت نام")},
        {QStringLiteral("prot_no"), QStringLiteral("شماره قرارداد")},
        {QStringLiteral("prot_dat"), QStringLiteral("تاريخ قرارداد")},
        {QStringLiteral("reg_user"), QStringLiteral("کاربر ثبت کننده")},
        {QStringLiteral("vajed"), QStringLiteral("واجد شرايط")},
        {QStringLiteral("taeed"), QStringLiteral("تاييد")},
        {QStringLiteral("emtiyaz"), QStringLiteral("امتياز")},
        {QStringLiteral("status"), QStringLiteral("وضعيت")},
        {QStringLiteral("kavrin_no"), QStringLiteral("شماره کاورين")},
        {QStringLiteral("kavrin_dat"), QStringLiteral("تاريخ کاورين")},
        {QStringLiteral("bank_no"), QStringLiteral("شماره بانک")},
        {QStringLiteral("bank_dat"), QStringLiteral("تاريخ بانک")},
        {QStringLiteral("mali_no"), QStringLiteral("شماره مالي")},
        {QStringLiteral("mali_dat"), QStringLiteral("تاريخ مالي")},
        {QStringLiteral("tahvil_no"), QStringLiteral("شماره تحويل")},
        {QStringLiteral("tahvil_dat"), QStringLiteral("تاريخ تحويل")},
        {QStringLiteral("daftar_no"), QStringLiteral("شماره دفترخانه")},
        {QStringLiteral("daftar_dat"), QStringLiteral("تاريخ دفترخانه")},
        {QStringLiteral("sanad_no"), QStringLiteral("شماره سند")},
        {QStringLiteral("sanad_dat"), QStringLiteral("تاريخ سند")},
    };
    return table;
}
