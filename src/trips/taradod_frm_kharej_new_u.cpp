#include "taradod_frm_kharej_new_u.h"
#include "taradod_frm_kharej_u.h"
#include "taradod_frm_layout.h"
#include "platform/Report.h"

QString Ttaradod_frm_kharej_new::addressLine()
{
    return QStringLiteral("نشاني: استان مرکزي، اراک، خيابان امام خميني، ساختمان مرکزي شرکت کاروند ديسا");
}

QString Ttaradod_frm_kharej_new::contactLine()
{
    return QStringLiteral("تلفن: 08633400000      دورنگار: 08633400001      کد پستي: 3813000000");
}

Ttaradod_frm_kharej_new::Ttaradod_frm_kharej_new(QWidget *parent) : PrintedForm(QStringLiteral("taradod_frm_kharej_new"), QStringLiteral("حکم ماموريت خودرو خارج از شهر - برگ سفيد"), parent)
{
    const QString zar = QStringLiteral("Zar");
    Report &r = *QuickRep1;
    r.setPaper(Report::Paper::A5);
    r.setMargins(10);

    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 27.5);
    header->setPrintOn(ReportBand::FirstPage);
    Ttaradod_frm_kharej::layOutOrganisationName(header);
    header->image(logo(), 110.1, 2.1, 15.1, 21.4);
    layOutLines(header, {{6.6, {fixedText(QStringLiteral("تاريخ:"), 18.8)}}}, zar, 12, false);
    header->rectangle(61.4, 10.6, 44.7, 15.1);
    Ttaradod_frm_kharej::layOutDocumentControl(header, 31.8);
    // The number is written by hand: its label is never filled.
    layOutLines(header, {{13.0, {fixedText(QStringLiteral("شماره:"), 18.8), valueAt("shahrestan", 0)}}}, zar, 12, false);
    // The title in its frame, smaller if the face here runs wider.
    ReportLabel *title = header->label(QStringLiteral("حکم ماموريت خودرو خارج از شهر"), QStringLiteral("Titr"), 10, true);
    title->placeBox(62.4, 14.8, 42.7, title->lineHeight(), Qt::AlignCenter);
    title->setShrinkToFit(true);

    ReportBand *detail = r.addBand(ReportBand::Type::Detail, 161.7);
    layOutMissionOrder(detail);
    detail->rectangle(1.3, 145.8, 125.1, 0.8);
    // The two lines under the rule, the second clear of the band's foot.
    for (const auto &[text, top] : {std::pair{addressLine(), 147.4}, std::pair{contactLine(), 154.6}}) {
        ReportLabel *l = detail->label(text, QStringLiteral("Tahoma"), 9);
        l->placeBox(1.3, top, 125.1, l->lineHeight(), Qt::AlignCenter);
        l->setShrinkToFit(true);
    }
}
