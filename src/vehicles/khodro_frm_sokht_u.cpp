#include "khodro_frm_sokht_u.h"
#include "khodro_frm_layout.h"
#include "platform/Report.h"

Tkhodro_frm_sokht::Tkhodro_frm_sokht(QWidget *parent) : PrintedForm(QStringLiteral("khodro_frm_sokht"), QStringLiteral("تحويل کارت سوخت"), parent)
{
    Report &r = *QuickRep1;
    r.setPaper(Report::Paper::A5);
    r.setMargins(10);
    const QString titr = QStringLiteral("Titr");
    const QString zar = QStringLiteral("Zar");

    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 17.7);
    pieceLine(header, 2.1, titr, 14, true,
              {{organisationName() + QStringLiteral(" استان"), {}, 60.9, 106.4}, {{}, QStringLiteral("ostan"), 42.1, 59.0}});

    // The sentence, read from the right: the texts and, in their blanks, the
    // vehicle's values; then the two signatures.
    ReportBand *detail = r.addBand(ReportBand::Type::Detail, 72.8);
    pieceLine(detail, 10.6, zar, 14, false, {{QStringLiteral("کارت سوخت خودرو"), {}, 86.3, 119.6}, {{}, QStringLiteral("khodro"), 70.1, 85.2}});
    pieceLine(detail, 23.3, zar, 14, false, {{QStringLiteral("به شماره انتظامي"), {}, 94.5, 119.6}, {{}, QStringLiteral("pelak"), 81.8, 93.2}});
    pieceLine(detail, 36.0, zar, 14, false,
              {{QStringLiteral("در تاريخ"), {}, 106.1, 119.6},
               {{}, QStringLiteral("sokht_dat"), 83.6, 104.2},
               {QStringLiteral("تحويل آقاي"), {}, 53.2, 72.0},
               {{}, QStringLiteral("sokht_nam"), 28.0, 51.0},
               {QStringLiteral("گرديد."), {}, 6.9, 17.7}});
    pieceLine(detail, 61.4, zar, 14, false,
              {{QStringLiteral("امضاء تحويل دهنده"), {}, 81.0, 110.9}, {QStringLiteral("امضاء تحويل گيرنده"), {}, 19.3, 50.5}});
}
