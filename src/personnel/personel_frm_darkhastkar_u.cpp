#include "personel_frm_darkhastkar_u.h"
#include "platform/Report.h"

namespace {

// A caption and the value label that follows it on its left.
struct Item {
    const char16_t *caption;
    const char *name;
    double right; // mm from the band's right edge to the caption's right end
};

struct Line {
    double top;
    QVector<Item> items;
    double height; // room for the values under the line's top: two lines, up to the next line
};

constexpr double gap = 1.5; // between a caption and its value, and a value and the next caption

} // namespace

Tpersonel_frm_darkhastkar::Tpersonel_frm_darkhastkar(QWidget *parent) : PrintedForm(QStringLiteral("personel_frm_darkhastkar"), QStringLiteral("درخواست کار راننده استيجاري"), parent)
{
    Report &r = *QuickRep1;
    r.setPaper(Report::Paper::A5);
    r.setMargins(10);

    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 10.6);
    header->label(QStringLiteral("فرم درخواست کار راننده استيجاري"), QStringLiteral("Titr"), 10, true)->placeCentre(2.1);

    ReportBand *detail = r.addBand(ReportBand::Type::Detail, 151.1);
    const QVector<Line> lines = {
        {6.3, {{u"نام", "fname", 2.9}, {u"نام خانوادگي", "lname", 41.0}, {u"کد ملي", "nation", 87.6}}, 12.6},
        {19.1, {{u"تاريخ تولد", "birthday", 2.9}, {u"صادره از", "sodor", 49.7}, {u"نوع خودرو", "khodro", 84.0}}, 12.6},
        {31.8, {{u"سال ساخت", "model", 3.2}, {u"تاريخ گواهينامه", "govahiname_dat", 39.2}, {u"تاريخ بيمه", "bime", 92.1}}, 9.5},
        // The address may take two lines before the telephones.
        {42.3, {{u"آدرس", "adr", 3.2}}, 12.6},
        {55.0, {{u"تلفن ثابت", "phone", 3.7}, {u"همراه", "mobile", 54.0}}, 12.6},
        // Remarks fill the room down to the signature.
        {67.7, {{u"سابقه کار قبلي", "cmt", 4.5}}, 38.0},
    };
    const double width = detail->width();
    for (const Line &line : lines) {
        for (int i = 0; i < line.items.size(); ++i) {
            const Item &item = line.items[i];
            ReportLabel *caption = detail->label(QString::fromUtf16(item.caption), QStringLiteral("Zar"), 12)->placeRight(item.right, line.top);

            // The value takes the room between its caption and the next one.
            const double valueRight = caption->geometry().left() - gap;
            const double valueLeft = i + 1 < line.items.size() ? width - line.items[i + 1].right + gap : 0;
            ReportLabel *value = detail->valueLabel(QString::fromLatin1(item.name), QStringLiteral("Zar"), 12, true);
            value->placeBox(valueLeft, line.top, valueRight - valueLeft, line.height, Qt::AlignRight | Qt::AlignTop);
            // Every box is about two lines high: a long value takes the second.
            value->setWordWrap(true);
            value->setShrinkToFit(true);
        }
    }
    detail->label(QStringLiteral("امضاء و تاريخ"), QStringLiteral("Zar"), 12)->placeRight(49.7, 108.0);
}
