#include "taradod_frm_rozane_dakhel_u.h"
#include "taradod_frm_layout.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/Report.h"

Ttaradod_frm_rozane_dakhel::Ttaradod_frm_rozane_dakhel(QWidget *parent)
    : PrintedForm(QStringLiteral("taradod_frm_rozane_dakhel"), QStringLiteral("ماموريت شهري روزانه خودروهاي استيجاري - داخل شهر"), parent)
{
    const QString titr = QStringLiteral("Titr");
    Report &r = *QuickRep1;
    r.setPaper(Report::Paper::A4);
    r.setMargins(10);
    r.setDataSet(app::dm ? app::dm->ADOQ_taradod : nullptr);

    // The title and, after it, the start and end dates of the current trip.
    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 10.6);
    ReportLabel *title = header->label(QStringLiteral("ماموريت شهري روزانه خودروهاي استيجاري در مورخ"), titr, 10, true);
    title->placeBox(69.8, 1.6, 135.7 - 69.8, title->lineHeight(), Qt::AlignRight | Qt::AlignVCenter);
    title->setShrinkToFit(true);
    for (const auto &[name, left, right] : QList<std::tuple<const char *, double, double>>{{"dat1", 34.0, 68.3}, {"dat2", 0.0, 32.3}}) {
        ReportLabel *value = header->valueLabel(QLatin1String(name), titr, 10, true);
        value->placeBox(left, 1.6, right - left, value->lineHeight(), Qt::AlignRight | Qt::AlignVCenter);
    }

    const double rowHeight = 10.6;
    ReportBand *titles = r.addBand(ReportBand::Type::ColumnHeader, rowHeight);
    ReportBand *detail = r.addBand(ReportBand::Type::Detail, rowHeight);
    layOutColumns(titles, titr, 10, detail, QStringLiteral("Zar"), 10,
                  {numberColumn(QStringLiteral("رديف"), 179.9, 188.9),
                   fieldColumn(QStringLiteral("نام راننده"), "ranande", 141.8, 178.1),
                   fieldColumn(QStringLiteral("نام مامور"), "mamor", 101.6, 140.0),
                   fieldColumn(QStringLiteral("ساعت خروج"), "saat1", 83.9, 98.2),
                   fieldColumn(QStringLiteral("ساعت ورود"), "saat2", 68.0, 82.0),
                   fieldColumn(QStringLiteral("محل ماموريت"), "mamor_cmt", 2.1, 66.7)},
                  {67.2, 82.5, 99.0, 140.8, 179.1});
}
