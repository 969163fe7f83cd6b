#include "personel_frm_madarek_u.h"
#include "platform/Report.h"

namespace {

struct Row {
    double top;
    const char16_t *right; // item of the right column
    const char16_t *left;  // item of the left column, or nullptr
};

// The texts of a column end on their left this far from the band's right
// edge; the tick box stands 3.5 mm further left, level with the text's top.
constexpr double rightColumnEnd = 24.6;
constexpr double leftColumnEnd = 89.7;
constexpr double boxGap = 3.5;
constexpr double boxWidth = 4.5;
constexpr double boxHeight = 4.0;

} // namespace

Tpersonel_frm_madarek::Tpersonel_frm_madarek(QWidget *parent) : PrintedForm(QStringLiteral("personel_frm_madarek"), QStringLiteral("مشخصات و مدارک مورد نياز راننده هاي استيجاري"), parent)
{
    Report &r = *QuickRep1;
    r.setPaper(Report::Paper::A5);
    r.setMargins(10);
    const QString zar = QStringLiteral("Zar");

    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 36.8);
    header->image(logo(), header->fromRight(0.5, 18.3), 0.5, 18.3, 23.0);
    header->label(QStringLiteral("مشخصات و مدارک مورد نياز راننده هاي استيجاري"), QStringLiteral("Titr"), 10, true)->placeRight(32.5, 2.1);
    ReportLabel *name = header->label(QStringLiteral("نام و نام خانوادگي"), zar, 12, true)->placeRight(40.7, 10.3);
    const double nameRight = name->geometry().left() - 1.5;
    header->valueLabel(QStringLiteral("lname"), zar, 12, true)
        ->placeBox(nameRight - 45.0, 10.3, 45.0, name->lineHeight(), Qt::AlignRight | Qt::AlignTop)
        ->setShrinkToFit(true);

    ReportBand *detail = r.addBand(ReportBand::Type::Detail, 135.5);
    const double width = detail->width();
    const Row rows[] = {
        {6.3, u"شناسنامه", u"کارت ماشين"},
        {15.1, u"کارت ملي", u"بيمه شخص ثالث"},
        {23.3, u"پايان خدمت", u"بيمه بدنه"},
        {31.8, u"گواهينامه", u"معاينه فني"},
        {40.0, u"عدم اعتياد", u"خلافي خودرو"},
        {48.4, u"سوء پيشينه", u"برگ سبز"},
        {57.9, u"آزمايش بدو استخدام", u"علائم هشدار"},
        {68.5, u"قرارداد کار", u"کپسول آتشنشاني"},
        {76.5, u"قول نامه/سند", nullptr},
        {84.4, u"کيلومتر", nullptr},
        {93.4, u"نوع خودرو", nullptr},
        {103.5, u"ايربگ", nullptr},
    };
    for (const Row &row : rows) {
        for (const auto &[item, end] : {std::pair{row.right, rightColumnEnd}, std::pair{row.left, leftColumnEnd}}) {
            if (!item)
                continue;
            // A text starts at its box and keeps to its column: up to the band's
            // right edge, or short of the right column's box; it prints smaller
            // rather than run past them.
            const double room = end == rightColumnEnd ? end : end - rightColumnEnd - boxGap - boxWidth - 1.5;
            ReportLabel *text = detail->label(QString::fromUtf16(item), zar, 10);
            text->placeBox(width - end, row.top, room, text->lineHeight(), Qt::AlignLeft | Qt::AlignTop);
            text->setShrinkToFit(true, 0.5);
            detail->rectangle(width - end - boxGap - boxWidth, row.top, boxWidth, boxHeight);
        }
    }
}
