#include "taradod_frm_rozane_kharej_u.h"
#include "taradod_frm_layout.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/Money.h"
#include "platform/Report.h"
#include <algorithm>

namespace {

const QString titr = QStringLiteral("Titr");
const QString zar = QStringLiteral("Zar");
const QString lotus = QStringLiteral("Lotus");

} // namespace

QString Ttaradod_frm_rozane_kharej::odometerDifference(const ReportRow &row)
{
    // Without both readings there is no distance to print.
    if (row.text(QStringLiteral("kilometr1")).isEmpty() || row.text(QStringLiteral("kilometr2")).isEmpty())
        return QString();
    return plainNumberText(row.number(QStringLiteral("kilometr2")) - row.number(QStringLiteral("kilometr1")));
}

Ttaradod_frm_rozane_kharej::Ttaradod_frm_rozane_kharej(QWidget *parent)
    : PrintedForm(QStringLiteral("taradod_frm_rozane_kharej"), QStringLiteral("گزارش روزانه کارکرد خودرو استيجاري - خارج شهر"), parent)
{
    Report &r = *QuickRep1;
    r.setPaper(Report::Paper::A4, QPageLayout::Landscape);
    r.setMargins(10);
    r.setDataSet(app::dm ? app::dm->ADOQ_taradod : nullptr);

    // The driver, vehicle and plate of the trip that was current, at the right.
    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 25.4);
    header->label(QStringLiteral("بسمه تعالي"))->placeCentre(1.6, (132.0 + 144.5) / 2);
    header->label(QStringLiteral("فرم گزارش روزانه کارکرد خودرو استيجاري"), titr, 12, true)->placeCentre(10.6, (105.6 + 172.0) / 2);
    const double width = header->width();
    const QList<std::tuple<const char16_t *, const char *, double>> captions{
        {u"نام و نام خانوادگي راننده:", "ranande", 1.1}, {u"نوع خودرو:", "khodro", 9.3}, {u"شماره انتظامي خودرو:", "pelak", 17.2}};
    for (const auto &[caption, name, top] : captions) {
        ReportLabel *c = header->label(QString::fromUtf16(caption), lotus, 12)->placeRight(width - 272.5, top);
        // The value ends where the layout ends it, or short of a caption that runs wider here.
        const double right = std::min(236.8, c->geometry().left() - 1.5);
        ReportLabel *value = header->valueLabel(QLatin1String(name), zar, 12);
        value->placeBox(175.0, top, right - 175.0, value->lineHeight(), Qt::AlignRight | Qt::AlignVCenter);
        value->setShrinkToFit(true);
    }

    const double rowHeight = 10.6;
    ReportBand *titles = r.addBand(ReportBand::Type::ColumnHeader, rowHeight);
    ReportBand *detail = r.addBand(ReportBand::Type::Detail, rowHeight);
    const auto destination = [](const ReportRow &row) {
        return row.text(QStringLiteral("ostan")) + QLatin1Char('*') + row.text(QStringLiteral("shahrestan"));
    };
    // The stop hours stand in the hours column and the odometer difference
    // in the kilometres column; the last two columns are left for signatures.
    layOutColumns(titles, titr, 10, detail, zar, 10,
                  {numberColumn(QStringLiteral("رديف"), 266.2, 275.2),
                   fieldColumn(QStringLiteral("تاريخ"), "dat1", 241.3, 262.7),
                   {QStringLiteral("مقصد ماموريت"), ReportColumn::Value::Computed, QString(), destination, 208.0, 240.0},
                   fieldColumn(QStringLiteral("ساعت رفت"), "saat1", 194.7, 207.2, 8),
                   fieldColumn(QStringLiteral("کيلومتر رفت"), "kilometr1", 176.7, 193.1),
                   fieldColumn(QStringLiteral("ساعت برگشت"), "saat2", 161.1, 173.6, 8),
                   fieldColumn(QStringLiteral("کيلومتر برگشت"), "kilometr2", 141.8, 157.4),
                   fieldColumn(QStringLiteral("شرح تردد"), "mamor_cmt", 110.6, 140.2),
                   fieldColumn(QStringLiteral("ساعت کارکرد"), "tavaghof", 94.7, 107.2, 8),
                   {QStringLiteral("جمع کيلومتر رفت و برگشت"), ReportColumn::Value::Computed, QString(),
                    &Ttaradod_frm_rozane_kharej::odometerDifference, 65.6, 87.0, 8},
                   fieldColumn(QStringLiteral("نام مامور"), "mamor", 41.5, 63.5),
                   {QStringLiteral("امضا مامور"), ReportColumn::Value::Blank, QString(), {}, 23.5, 40.7},
                   {QStringLiteral("امضا مدير حوزه"), ReportColumn::Value::Blank, QString(), {}, 0.8, 23.3}},
                  {23.3, 40.7, 64.3, 90.0, 109.8, 141.3, 158.5, 175.4, 194.2, 207.4, 240.5, 264.6});

    ReportBand *summary = r.addBand(ReportBand::Type::Summary, 7.7);
    for (const auto &[text, left, right] : QList<std::tuple<const char16_t *, double, double>>{
             {u"امضاء راننده", 241.3, 257.2}, {u"محل امضاء خدمات", 141.8, 166.7}, {u"تاييد اداره تدارکات و پشتيباني", 40.2, 79.6}}) {
        ReportLabel *l = summary->label(QString::fromUtf16(text), lotus, 10, true);
        l->placeBox(left, 0.5, right - left, l->lineHeight(), Qt::AlignCenter);
        l->setShrinkToFit(true);
    }
}
