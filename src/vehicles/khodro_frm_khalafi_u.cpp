#include "khodro_frm_khalafi_u.h"
#include "khodro_frm_layout.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/Report.h"

Tkhodro_frm_khalafi::Tkhodro_frm_khalafi(QWidget *parent) : PrintedForm(QStringLiteral("khodro_frm_khalafi"), QStringLiteral("عدم خلافي"), parent)
{
    Report &r = *QuickRep1;
    r.setPaper(Report::Paper::A5);
    r.setMargins(10);
    const QString titr = QStringLiteral("Titr");
    const QString zar = QStringLiteral("Zar");

    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 66.4);
    header->image(logo(), 108.0, 2.1, 123.1 - 108.0, 19.3);
    header->label(QStringLiteral("بسمه تعالي"), zar, 14)->placeCentre(2.1, (56.6 + 73.0) / 2);
    // The date and the number are written in by hand, to the left of their captions.
    pieceLine(header, 4.2, zar, 14, false, {{QStringLiteral("تاريخ:"), {}, 29.4, 39.2}});
    pieceLine(header, 14.8, zar, 14, false, {{QStringLiteral("شماره:"), {}, 28.6, 39.2}});
    pieceLine(header, 33.9, titr, 14, true,
              {{organisationName() + QStringLiteral(" شهرستان"), {}, 63.2, 125.4}, {{}, QStringLiteral("shahrestan"), 27.3, 61.2}});
    pieceLine(header, 44.5, zar, 14, false, {{QStringLiteral("با سلام و احترام"), {}, 101.1, 124.9}});
    pieceLine(header, 55.0, zar, 14, false,
              {{QStringLiteral("به پيوست"), {}, 111.1, 125.7},
               {QStringLiteral("برگه عدم خلافي مربوطه به خودروهاي زير ارسال مي گردد."), {}, 5.8, 95.0}});

    ReportBand *titles = r.addBand(ReportBand::Type::ColumnHeader, 10.6);
    titles->rectangle(0.3, 0.3, 127.3 - 0.3, 9.8);
    inStretch(titles->label(QStringLiteral("رديف"), zar, 12, true), 1.3, 112.2, 121.5, Qt::AlignHCenter);
    inStretch(titles->label(QStringLiteral("نام خودرو"), zar, 12, true), 1.3, 67.7, 83.6, Qt::AlignHCenter);
    inStretch(titles->label(QStringLiteral("شماره پلاک"), zar, 12, true), 1.3, 12.7, 31.5, Qt::AlignHCenter);

    // One framed line per vehicle, the three texts centred in their columns.
    ReportBand *detail = r.addBand(ReportBand::Type::Detail, 11.4);
    detail->rectangle(0.3, 0.0, 127.3 - 0.3, 10.8);
    ReportLabel *number = detail->rowNumber();
    number->setFont(zar, 12);
    inStretch(number, 2.1, 108.0, 126.5, Qt::AlignHCenter);
    ReportField *vehicle = detail->field(QStringLiteral("khodro"));
    vehicle->setFont(zar, 12);
    inStretch(vehicle, 2.1, 50.8, 104.0, Qt::AlignHCenter);
    ReportField *plate = detail->field(QStringLiteral("pelak"));
    plate->setFont(zar, 12);
    inStretch(plate, 2.1, 2.1, 48.9, Qt::AlignHCenter);

    // The request, with a blank for the date by which to settle, and the
    // signature block.
    ReportBand *summary = r.addBand(ReportBand::Type::Summary, 56.4);
    paragraph(summary,
              {{2.1,
                {{QStringLiteral("مقتضي است راننده خودرو تا تاريخ"), {}, 72.5, 125.4},
                 {QStringLiteral("نسبت به تسويه حساب خلافي خودرو"), {}, 2.1, 57.7}}},
               {12.7, {{QStringLiteral("اقدام و نتيجه را اعلام نمايند."), {}, 82.5, 124.6}}}},
              zar, 14, false);
    inStretch(summary->valueLabel(QStringLiteral("moaven"), zar, 14, true), 31.8, 31.8, 99.8, Qt::AlignHCenter);
    pieceLine(summary, 44.5, zar, 14, true,
              {{QStringLiteral("معاون پشتيباني ") + organisationName() + QStringLiteral(" استان"), {}, 40.2, 112.2},
               {{}, QStringLiteral("ostan"), 27.3, 38.4}});

    // Every row of the vehicle list's result set, as the list holds it.
    if (app::dm)
        r.setDataSet(app::dm->ADOQ_khodro);
}
