#include "taradod_frm_dakhel_u.h"
#include "taradod_frm_layout.h"
#include "platform/Report.h"

Ttaradod_frm_dakhel::Ttaradod_frm_dakhel(QWidget *parent) : PrintedForm(QStringLiteral("taradod_frm_dakhel"), QStringLiteral("برگ ماموريت خودروي سبک داخل شهر و حومه"), parent)
{
    const QString zar = QStringLiteral("Zar");
    const QString titr = QStringLiteral("Titr");
    Report &r = *QuickRep1;
    r.setPaper(Report::Paper::A5);
    r.setMargins(10);

    // The logo at the right, the title framed beside it, the date at the left.
    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 26.2);
    header->setPrintOn(ReportBand::FirstPage);
    header->image(logo(), 110.1, 2.1, 15.1, 21.4);
    header->rectangle(31.8, 2.1, 63.8, 21.4);
    header->label(QStringLiteral("برگ ماموريت خودروي سبک"), titr, 12, true)->placeLeft(42.3, 4.2);
    layOutLines(header, {{8.5, {fixedText(QStringLiteral("تاريخ:"), 20.4)}}}, zar, 12, false);
    layOutLines(header, {{12.7, {fixedText(QStringLiteral("داخل شهر و حومه"), 66.9, true), valueAt("shahrestan", 34.7)}}}, titr, 12, true,
                32.8);

    ReportBand *d = r.addBand(ReportBand::Type::Detail, 160.9);
    layOutLines(
        d,
        {{2.1, {fixedText(QStringLiteral("بدينوسيله به برادر"), 104.0), valueAt("mamor", 89.2), fixedText(QStringLiteral("از واحد"), 57.4),
                valueAt("loc", 50.8), fixedText(QStringLiteral("ماموريت"), 5.0)}},
         {12.7, {fixedText(QStringLiteral("داده مي شود که با خودروي کاروند به مقصد"), 73.3, 52.1), valueAt("ostan", 62.4)}},
         {23.3, {fixedText(QStringLiteral("در معيت"), 114.0), valueAt("ranande", 96.8), fixedText(QStringLiteral("عزيمت نمايند."), 56.1)}},
         {36.0, {fixedText(QStringLiteral("امضاي مسئول قسمت"), 17.2, true)}},
         {50.8, {fixedText(QStringLiteral("اتومبيل"), 116.2), valueAt("khodro", 101.9), fixedText(QStringLiteral("به شماره"), 65.6),
                 valueAt("pelak", 54.0), fixedText(QStringLiteral("جهت انجام"), 13.2)}},
         {60.6, {valueAt("mamor_cmt", 103.5), fixedText(QStringLiteral("در اختيار برادر"), 68.8), valueAt("ranande2", 51.3),
                 fixedText(QStringLiteral("قرار گرفت"), 13.5)}},
         {69.8, {fixedText(QStringLiteral("ساعت عزيمت"), 106.9), valueAt("saat1", 95.8), fixedText(QStringLiteral("ساعت مراجعت"), 61.1),
                 valueAt("saat2", 50.3)}},
         {93.1, {fixedText(QStringLiteral("مسئول دايره خدمات عمومي و نقليه سبک"), 5.0, true)}},
         // Room for the driver's handwritten report under its caption.
         {108.0, {fixedText(QStringLiteral("گزارش انجام ماموريت:"), 92.9)}},
         {131.2, {fixedText(QStringLiteral("امضاء راننده"), 21.7, true)}}},
        zar, 12, false);
    d->rectangle(4.2, 46.6, 120.9, 1.1);
    d->rectangle(4.8, 103.7, 119.1, 1.1);
    d->rectangle(33.6, 150.8, 59.5, 8.7);
    ReportLabel *copies = d->label(QStringLiteral("نسخه اول: راننده  -  نسخه دوم: خدمات"), zar, 12);
    copies->placeBox(34.1, 150.8, 58.5, 8.7, Qt::AlignCenter);
    copies->setShrinkToFit(true);
}
