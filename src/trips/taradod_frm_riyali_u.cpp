#include "taradod_frm_riyali_u.h"
#include "taradod_frm_layout.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/Money.h"
#include "platform/Query.h"
#include "platform/Report.h"
#include <algorithm>

namespace {

const QString titr = QStringLiteral("Titr");
const QString zar = QStringLiteral("Zar");
const QString lotus = QStringLiteral("Lotus");
const QString tahoma = QStringLiteral("Tahoma");

// A value label in its box (mm from the band's left edge), read from the right.
ReportLabel *valueBox(ReportBand *band, const char *name, const QString &family, double size, bool bold, double top, double left,
                      double right, Qt::Alignment alignment = Qt::AlignRight)
{
    ReportLabel *l = band->valueLabel(QLatin1String(name), family, size, bold);
    l->placeBox(left, top, right - left, l->lineHeight(), alignment | Qt::AlignVCenter);
    l->setShrinkToFit(true);
    return l;
}

} // namespace

Ttaradod_frm_riyali::Ttaradod_frm_riyali(QWidget *parent) : PrintedForm(QStringLiteral("taradod_frm_riyali"), QStringLiteral("گزارش روزانه کارکرد - ريالي"), parent)
{
    Report &r = *QuickRep1;
    r.setPaper(Report::Paper::A4);
    r.setMargins(5);
    r.setDataSet(app::dm ? app::dm->ADOQ_taradod : nullptr);

    // Taller than the line it holds, so that a long driver's name has a second line.
    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 14.0);
    const double width = header->width();
    QRImage1 = header->image(logo(), 188.4, 0.8, 10.8, 8.7);
    QRImage1->setObjectName(QStringLiteral("QRImage1"));
    // Each value ends where the layout ends it, or short of a caption that
    // runs wider here.
    auto captioned = [&](const QString &caption, double captionRight, const QString &family, double size, const char *name,
                         const QString &valueFamily, bool bold, double top, double left, double right) {
        ReportLabel *c = header->label(caption, family, size)->placeRight(width - captionRight, top);
        valueBox(header, name, valueFamily, size, bold, top, left, std::min(right, c->geometry().left() - 1.0));
    };
    captioned(QStringLiteral("نام راننده:"), 187.3, zar, 10, "ranande", lotus, true, 1.6, 147.5, 176.5);
    // Vehicle and plate in two small lines.
    // The title stands left of the middle, in the room between the dates and
    // the vehicle, so that the vehicle's name and plate have the room they need.
    ReportLabel *title = header->label(QStringLiteral("گزارش کارکرد روزانه"), titr, 10, true)->placeCentre(1.6, (70.0 + 103.0) / 2);
    const double vehicleLeft = title->geometry().right() + 1.5;
    captioned(QStringLiteral("نام خودرو:"), 146.8, zar, 8, "khodro", lotus, false, 0.3, vehicleLeft, 133.6);
    captioned(QStringLiteral("شماره پلاک:"), 146.8, zar, 8, "pelak", lotus, false, 5.3, vehicleLeft, 133.6);
    captioned(QStringLiteral("از تاريخ:"), 67.7, zar, 10, "dat1", lotus, true, 1.6, 35.0, 67.7);
    captioned(QStringLiteral("تا تاريخ:"), 33.1, zar, 10, "dat2", lotus, true, 1.6, 0.0, 33.1);

    ReportBand *titles = r.addBand(ReportBand::Type::ColumnHeader, 6.6);
    ReportBand *detail = r.addBand(ReportBand::Type::Detail, 7.4);
    layOutColumns(titles, titr, 8, detail, lotus, 10,
                  {numberColumn(QStringLiteral("رديف"), 191.6, 198.7),
                   fieldColumn(QStringLiteral("نام راننده"), "ranande", 167.2, 190.8),
                   fieldColumn(QStringLiteral("نام مامور"), "mamor", 143.9, 165.4),
                   fieldColumn(QStringLiteral("مقصد"), "shahrestan", 122.8, 143.4),
                   fieldColumn(QStringLiteral("تاريخ رفت"), "dat1", 104.5, 122.0),
                   fieldColumn(QStringLiteral("تاريخ برگشت"), "dat2", 86.3, 103.7),
                   fieldColumn(QStringLiteral("از ساعت"), "saat1", 74.6, 85.2),
                   fieldColumn(QStringLiteral("تا ساعت"), "saat2", 63.5, 74.1),
                   fieldColumn(QStringLiteral("کارکرد کيلومتر"), "karkard_kilometr", 44.7, 61.4),
                   fieldColumn(QStringLiteral("کارکرد ساعت"), "karkard_saat", 25.7, 42.6),
                   fieldColumn(QStringLiteral("مبلغ"), "mablagh", 1.6, 23.8)},
                  {24.9, 43.4, 62.7, 166.2, 191.0});

    // The rates of the trip that was current and the totals of the list's
    // last search under their columns.
    // As tall as its 10-point texts, so that the rules run past their digits.
    ReportLabel probe(detail);
    probe.setFont(tahoma, 10);
    const double summaryHeight = std::max(5.8, 0.3 + probe.lineHeight() + 0.3);
    ReportBand *summary = r.addBand(ReportBand::Type::Summary, summaryHeight);
    for (double x : {24.9, 43.1, 62.7})
        summary->verticalRule(x, 0, summaryHeight);
    summary->label(QStringLiteral("مبلغ هر کيلومتر:"), tahoma, 10)->placeRight(width - 199.2, 0.3);
    valueBox(summary, "mablagh_kilometr", tahoma, 10, false, 0.3, 155.3, 174.1);
    summary->label(QStringLiteral("مبلغ هر ساعت:"), tahoma, 10)->placeRight(width - 153.5, 0.3);
    valueBox(summary, "mablagh_saat", tahoma, 10, false, 0.3, 108.0, 129.4);
    summary->label(QStringLiteral("جمــــــــــــع:"), QString(), 0)->placeRight(width - 96.0, 0.3);
    valueBox(summary, "karkard_kilometr_sum", QString(), 0, false, 0.3, 44.5, 61.6, Qt::AlignHCenter);
    valueBox(summary, "karkard_saat_sum", QString(), 0, false, 0.3, 25.9, 42.3, Qt::AlignHCenter);
    valueBox(summary, "mablagh_sum", QString(), 0, false, 0.3, 1.1, 23.8, Qt::AlignHCenter);
}

QString Ttaradod_frm_riyali::columnTotal(const Query &rows, const QString &field)
{
    const int column = rows.isOpen() ? rows.columnIndex(field) : -1;
    if (column < 0)
        return QString();
    // Every value adds up exactly as the decimal its row prints, and the
    // total prints whole, beyond the money range and a double's digits too.
    Decimal total;
    bool any = false;
    for (int row = 0; row < rows.recordCount(); ++row) {
        Decimal d;
        if (decimalOf(rows.valueAt(row, column), &d)) {
            total = total.plus(d);
            any = true;
        }
    }
    return any ? total.toString() : QString();
}
