#include "personel_frm_arzyabi_u.h"
#include "platform/Report.h"

namespace {

// The table's columns, in mm from the band's left edge: the sections' cells
// between cellsLeft and cellsRight, the section captions on their right.
constexpr double cellsLeft = 0.8;
constexpr double cellsRight = 174.6;
constexpr double cellsWidth = cellsRight - cellsLeft;
constexpr double captionLeft = 175.2;
constexpr double captionWidth = 13.8;

const QString zar = QStringLiteral("Zar");

// A framed cell with a text centred in it.
void cell(ReportBand *band, double left, double top, double width, double height, const QString &text = QString())
{
    band->rectangle(left, top, width, height);
    if (!text.isEmpty()) {
        ReportLabel *l = band->label(text, zar, 10)->placeBox(left + 0.5, top, width - 1.0, height, Qt::AlignCenter);
        l->setWordWrap(true);
        l->setShrinkToFit(true);
    }
}

// The caption cell of a section along the right edge.
void sectionCaption(ReportBand *band, double top, double bottom, const QString &caption)
{
    band->rectangle(captionLeft, top, captionWidth, bottom - top);
    ReportLabel *l = band->label(caption, QStringLiteral("Lotus"), 10, true)
                         ->placeBox(captionLeft + 0.5, top, captionWidth - 1.0, bottom - top, Qt::AlignCenter);
    l->setWordWrap(true);
    l->setShrinkToFit(true);
}

// Texts on one line inside a frame, each at its distance from the band's right edge.
void line(ReportBand *band, double top, const QVector<std::pair<const char16_t *, double>> &texts)
{
    for (const auto &[text, right] : texts)
        band->label(QString::fromUtf16(text), zar, 10)->placeRight(right, top);
}

} // namespace

Tpersonel_frm_arzyabi::Tpersonel_frm_arzyabi(QWidget *parent) : PrintedForm(QStringLiteral("personel_frm_arzyabi"), QStringLiteral("چک ليست ارزيابي جذب راننده سبک"), parent)
{
    Report &r = *QuickRep1;
    r.setPaper(Report::Paper::A4);
    r.setMargins(10);
    r.setDefaultFont(QStringLiteral("Arial"), 10);

    // The header: framed, the logo in its own compartment at the right, the
    // review date in one at the left.
    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 26.2);
    const double headerWidth = header->width();
    header->rectangle(0.8, 0.8, headerWidth - 1.6, 26.2 - 1.6);
    header->image(logo(), header->fromRight(4.5, 18.3), 1.6, 18.3, 23.0);
    header->verticalRule(headerWidth - 26.7, (26.2 - 19.3) / 2, 19.3);
    header->label(QStringLiteral("فرم شماره 2"), zar, 12, true)->placeCentre(1.9);
    header->label(QStringLiteral("چک ليست ارزيابي جذب راننده سبک (مشخصات راننده)"), QStringLiteral("Titr"), 10, true)->placeCentre(10.6);
    header->verticalRule(headerWidth - 158.0, (26.2 - 19.3) / 2, 19.3);
    header->label(QStringLiteral("تاريخ بررسي:"), QStringLiteral("Arial"), 10)->placeRight(158.0 + 1.5, 4.2);

    ReportBand *detail = r.addBand(ReportBand::Type::Detail, 210.3);

    // 1. The driver's particulars.
    sectionCaption(detail, 1.1, 51.9, QStringLiteral("مشخصات فردي راننده"));
    cell(detail, cellsLeft, 1.1, cellsWidth, 38.9 - 1.1);
    line(detail, 4.2, {{u"نام و نام خانوادگي:", 17.5}, {u"نام پدر:", 59.3}, {u"شماره شناسنامه:", 78.3}, {u"شماره ملي:", 108.5}, {u"صادره:", 136.0}, {u"مذهب:", 163.5}});
    line(detail, 16.9, {{u"سال تولد (حداکثر سن مورد تاييد 55 سال)", 17.5}, {u"متاهل/مجرد:", 92.9}, {u"تعداد فرزندان:", 136.0}});
    line(detail, 29.6, {{u"شماره تلفن همراه:", 17.7}, {u"شماره تلفن منزل:", 55.6}, {u"شماره تلفن ضروري:", 92.3}, {u"کدپستي محله سکونت:", 134.1}});
    cell(detail, cellsLeft, 38.9, cellsWidth, 51.9 - 38.9);
    line(detail, 42.3, {{u"آدرس محل سکونت:", 18.5}});

    // 2. Records and documents: the licence with five headed cells, the health card.
    sectionCaption(detail, 52.9, 87.0, QStringLiteral("سوابق و مدارک"));
    const double firstCell = 23.0;
    const double fiveLeft = cellsRight - firstCell;
    const double fiveWidth = (fiveLeft - cellsLeft) / 5;
    cell(detail, fiveLeft, 52.9, firstCell, 70.1 - 52.9, QStringLiteral("گواهي نامه"));
    const char16_t *headings[] = {u"تاريخ اولين صدور پايه سوم", u"تاريخ اولين صدور پايه سوم", u"تاريخ اولين صدور پايه سوم", u"مدت اعتبار", u"ميزان نمره منفي"};
    for (int i = 0; i < 5; ++i) {
        const double left = fiveLeft - (i + 1) * fiveWidth;
        detail->rectangle(left, 52.9, fiveWidth, 70.1 - 52.9);
        ReportLabel *h = detail->label(QString::fromUtf16(headings[i]), zar, 10)->placeBox(left + 0.5, 55.0, fiveWidth - 1.0, 62.2 - 55.0 - 0.3, Qt::AlignHCenter | Qt::AlignTop);
        h->setShrinkToFit(true);
    }
    detail->horizontalRule(cellsLeft, 62.2, fiveLeft - cellsLeft);
    cell(detail, fiveLeft, 69.8, firstCell, 87.0 - 69.8, QStringLiteral("کارت سلامت"));
    cell(detail, cellsLeft, 69.8, fiveLeft - cellsLeft, 87.0 - 69.8);
    line(detail, 75.4, {{u"تاريخ اخذ کارت سلامت:", 50.0}, {u"تاريخ پايان اعتبار کارت سلامت:", 109.3}});

    // 3. Technical and driving skill, rated in four grades.
    sectionCaption(detail, 88.9, 140.8, QStringLiteral("مهارت فني و رانندگي"));
    const double gradeWidth = 34.0;
    const char16_t *grades[] = {u"خيلي خوب", u"خوب", u"ضعيف", u"متوسط"};
    const double itemLeft = cellsLeft + 4 * gradeWidth;
    for (int i = 0; i < 4; ++i)
        cell(detail, itemLeft - (i + 1) * gradeWidth, 88.9, gradeWidth, 99.0 - 88.9, QString::fromUtf16(grades[i]));
    const std::pair<double, const char16_t *> rated[] = {{98.7, u"فني و آشنايي با قطعات"}, {109.0, u"مهارت رانندگي"}};
    for (const auto &[top, item] : rated) {
        cell(detail, itemLeft, top, cellsRight - itemLeft, 10.6, QString::fromUtf16(item));
        for (int i = 0; i < 4; ++i)
            detail->rectangle(itemLeft - (i + 1) * gradeWidth, top, gradeWidth, 10.6);
    }
    cell(detail, cellsLeft, 119.3, cellsWidth, 140.7 - 119.3);
    line(detail, 120.6, {{u"نتيجه آزمون فني راننده:", 190.0 - cellsRight + 2.0}});

    // 4. Final approval: the sentence to complete and the two signatures.
    sectionCaption(detail, 143.9, 188.9, QStringLiteral("تاييد نهايي"));
    cell(detail, cellsLeft, 143.9, cellsWidth, 159.2 - 143.9);
    line(detail, 148.5, {{u"بکارگيري آقاي", 18.3}, {u"جهت رانندکي نقليه سواري از تاريخ", 52.7}, {u"مورد تاييد است.", 115.6}});
    const double rightSignWidth = 86.8;
    const double rightSignLeft = cellsRight - rightSignWidth;
    cell(detail, rightSignLeft, 159.0, rightSignWidth, 174.1 - 159.0, QStringLiteral("رئيس گروه يا مسئول نگهداري و تعميرات"));
    cell(detail, rightSignLeft, 173.8, rightSignWidth, 188.9 - 173.8);
    cell(detail, cellsLeft, 159.0, rightSignLeft - cellsLeft, 174.1 - 159.0, QStringLiteral("مدير اجرايي و ماشين آلات عمراني"));
    cell(detail, cellsLeft, 173.8, rightSignLeft - cellsLeft, 188.9 - 173.8);

    // 5. Distribution of the copies, across the full width.
    cell(detail, cellsLeft, 190.5, captionLeft + captionWidth - cellsLeft, 203.5 - 190.5);
    line(detail, 194.0, {{u"توزيع نسخ:", 10.1}, {u"1-", 39.7}, {u"2-", 79.9}, {u"3-", 115.9}, {u"4-", 154.0}});
}
