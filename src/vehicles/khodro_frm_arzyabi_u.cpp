#include "khodro_frm_arzyabi_u.h"
#include "khodro_frm_layout.h"
#include "platform/Report.h"

namespace {

const QString zar = QStringLiteral("Zar");
const QString arial = QStringLiteral("Arial");

// The right-hand caption column of the ruled sections and the full width of
// the lines that span the page, in mm from the band's left edge.
constexpr double captionLeft = 175.2;
constexpr double captionRight = 189.0;
constexpr double fullLeft = 0.8;
constexpr double fullWidth = 188.1;
constexpr double remarksWidth = 173.8;

struct Group {
    double left;
    double right;
};

// A ruled cell with a text centred in it; long texts wrap and print smaller
// rather than leave their cell.
void cell(ReportBand *band, double left, double top, double width, double height, const QString &text = QString(),
          double size = 10, bool bold = false)
{
    band->rectangle(left, top, width, height);
    if (text.isEmpty())
        return;
    ReportLabel *l = band->label(text, zar, size, bold)->placeBox(left + 0.5, top, width - 1.0, height, Qt::AlignCenter);
    l->setWordWrap(true);
    l->setShrinkToFit(true);
}

// The caption cell that opens a section at the right edge.
void sectionCaption(ReportBand *band, double top, double bottom, const QString &caption)
{
    band->rectangle(captionLeft, top, captionRight - captionLeft, bottom - top);
    ReportLabel *l = band->label(caption, QStringLiteral("Lotus"), 10, true)
                         ->placeBox(captionLeft + 0.5, top, captionRight - captionLeft - 1.0, bottom - top, Qt::AlignCenter);
    l->setWordWrap(true);
    l->setShrinkToFit(true);
}

// A text on a full-width line, centred in its frame.
void noteLine(ReportBand *band, double top, double height, const QString &text)
{
    cell(band, fullLeft, top, fullWidth, height, text);
}

// A section of three column groups, each an item column and two tick
// columns running right to left, under a header row; `rows` are the items
// of each group, one list per row. With `merged` texts, the two tick cells
// of the last row are one cell per group holding its text.
void tickTable(ReportBand *band, double top, double bottom, const QVector<Group> &groups, const QStringList &header,
               bool boldHeader, const QVector<QStringList> &rows, double itemSize, const QStringList &merged = {})
{
    const double rowHeight = (bottom - top) / (rows.size() + 1);
    for (int g = 0; g < groups.size(); ++g) {
        const double width = (groups[g].right - groups[g].left) / 3;
        for (int column = 0; column < 3; ++column)
            cell(band, groups[g].right - (column + 1) * width, top, width, rowHeight, header[column], 10, boldHeader);
        for (int r = 0; r < rows.size(); ++r) {
            const double rowTop = top + (r + 1) * rowHeight;
            cell(band, groups[g].right - width, rowTop, width, rowHeight, rows[r].value(g), itemSize);
            if (!merged.isEmpty() && r == rows.size() - 1) {
                band->rectangle(groups[g].left, rowTop, 2 * width, rowHeight);
                ReportLabel *l = band->label(merged.value(g), zar, 10);
                inStretch(l, rowTop + (rowHeight - l->lineHeight()) / 2, groups[g].left + 1.0, groups[g].left + 2 * width - 1.0);
                continue;
            }
            for (int column = 1; column < 3; ++column)
                cell(band, groups[g].right - (column + 1) * width, rowTop, width, rowHeight);
        }
    }
}

// A remarks box beside its section caption, its heading at the top right.
void remarks(ReportBand *band, double top, double bottom, const QString &caption, const QString &heading)
{
    sectionCaption(band, top, bottom, caption);
    band->rectangle(captionLeft - 0.6 - remarksWidth, top, remarksWidth, bottom - top);
    inStretch(band->label(heading, zar, 10), top + 1.0, captionLeft - remarksWidth, captionLeft - 2.0);
}

} // namespace

Tkhodro_frm_arzyabi::Tkhodro_frm_arzyabi(QWidget *parent) : PrintedForm(QStringLiteral("khodro_frm_arzyabi"), QStringLiteral("چک ليست ارزيابي فني خودرو سبک"), parent)
{
    Report &r = *QuickRep1;
    r.setPaper(Report::Paper::A4);
    r.setMargins(10);
    r.setDefaultFont(arial, 10);

    // The header: framed, the logo in its own cell at the right, the visit
    // date in one at the left, the form's number and title between them.
    ReportBand *header = r.addBand(ReportBand::Type::PageHeader, 26.2);
    const double frameTop = 0.6;
    const double frameHeight = 24.9;
    header->rectangle(fullLeft, frameTop, 188.4, frameHeight);
    header->verticalRule(163.0, frameTop, frameHeight);
    header->verticalRule(31.8, frameTop, frameHeight);
    header->image(logo(), 167.2, frameTop + (frameHeight - 23.0) / 2, 185.5 - 167.2, 23.0);
    inStretch(header->label(QStringLiteral("فرم شماره 1"), zar, 12, true), 1.9, 85.5, 104.3, Qt::AlignHCenter);
    inStretch(header->label(QStringLiteral("چک ليست ارزيابي فني خودرو سبک (استيجاري - کاروندي)"), QStringLiteral("Titr"), 10, true), 10.6,
              35.0, 160.0, Qt::AlignHCenter);
    inStretch(header->label(QStringLiteral("تاريخ بازديد"), arial, 10), 4.2, 2.0, 30.5);

    ReportBand *detail = r.addBand(ReportBand::Type::Detail, 249.8);

    // 1. Identification: two rows of four boxes, each with its caption at
    // the top right and the vehicle's value lower down at the left, and the
    // province in a tall box at the far left.
    struct Box {
        double left, right, valueFrom;
        const char16_t *caption[2];
        const char *value[2];
    };
    const Box boxes[] = {
        {150.3, 189.2, 152.4, {u"نام خودرو:", u"شماره شاسي:"}, {"khodro", "shasi"}},
        {111.7, 150.6, 114.3, {u"پلاک انتظامي:", u"شماره موتور:"}, {"pelak", "motor_no"}},
        {72.2, 111.9, 74.1, {u"کيلومتر کارکرد (کمتر از 200 هزار)", u"رنگ:"}, {"kilometr", "rang"}},
        {31.8, 72.5, 33.9, {u"حجم موتور (بيش از 1550 سي سي)", u"سال ساخت:"}, {"hajm_motor", "model"}},
    };
    const double boxTop[] = {0.8, 13.8};
    const double valueTop[] = {8.7, 21.2};
    const double boxHeight = 13.2;
    for (const Box &b : boxes) {
        for (int row = 0; row < 2; ++row) {
            detail->rectangle(b.left, boxTop[row], b.right - b.left, boxHeight);
            inStretch(detail->label(QString::fromUtf16(b.caption[row]), zar, 10), boxTop[row] + 0.8, b.left + 1.0, b.right - 1.0);
            inStretch(detail->valueLabel(QLatin1String(b.value[row]), arial, 10), valueTop[row], b.valueFrom, b.right - 1.0, Qt::AlignLeft);
        }
    }
    detail->rectangle(fullLeft, 0.8, 31.5 - fullLeft, 27.0 - 0.8);
    inStretch(detail->label(QStringLiteral("نام استان:"), zar, 10), 1.6, 1.8, 30.5);
    inStretch(detail->valueLabel(QStringLiteral("ostan"), arial, 10), 12.7, 2.1, 30.5, Qt::AlignLeft);

    // 2. Records and documents; the second document of each group has one
    // cell for its end date in place of the two ticks.
    const QVector<Group> groups{{119.6, 174.6}, {60.3, 115.3}, {fullLeft, 55.8}};
    sectionCaption(detail, 31.8, 52.6, QStringLiteral("سوابق و مدارک"));
    tickTable(detail, 31.8, 52.6, groups, {QStringLiteral("مدرک"), QStringLiteral("موجود"), QStringLiteral("ناموجود")}, true,
              {{QStringLiteral("کارت خودرو"), QStringLiteral("شناسنامه مالکيت"), QStringLiteral("کارت سوخت")},
               {QStringLiteral("معاينه فني"), QStringLiteral("بيمه نامه ثالث"), QStringLiteral("بيمه نامه بدنه")}},
              10,
              {QStringLiteral("تاريخ پايان معاينه فني:"), QStringLiteral("تاريخ پايان بيمه نامه"), QStringLiteral("تاريخ پايان بيمه نامه")});

    // 3. Technical and outward state, then the tyres: four positions, each
    // with its tread and its production date, and the refusal to tick.
    sectionCaption(detail, 57.4, 98.4, QStringLiteral("وضعيت فني و ظاهري"));
    tickTable(detail, 57.4, 84.9, groups, {QStringLiteral("اجزاء"), QStringLiteral("سالم"), QStringLiteral("معيوب")}, true,
              {{QStringLiteral("موتور"), QStringLiteral("بدنه"), QStringLiteral("برق و روشنايي")},
               {QStringLiteral("گيربکس"), QStringLiteral("ترمز و abs"), QStringLiteral("داخل کابين")},
               {QStringLiteral("سيستم سرمايش"), QStringLiteral("سيستم گرمايش"), QStringLiteral("جلوبندي/تعليق")}},
              10);
    const double itemWidth = (groups[0].right - groups[0].left) / 3;
    const double tyresTop = 84.9;
    const double tyresHeight = 13.5;
    cell(detail, groups[0].right - itemWidth, tyresTop, itemWidth, tyresHeight, QStringLiteral("لاستيک ها"));
    detail->rectangle(fullLeft, tyresTop, groups[0].right - itemWidth - fullLeft, tyresHeight);
    const QString rearRight = QStringLiteral("درصد لاستيک عقب راست:");
    const std::pair<QString, double> tyres[] = {{QStringLiteral("درصد لاستيک جلو راست:"), 154.7},
                                                {QStringLiteral("درصد لاستيک جلو چپ:"), 120.9},
                                                {rearRight, 87.1},
                                                {QString(rearRight).replace(QStringLiteral("راست"), QStringLiteral("چپ")), 55.3}};
    for (const auto &[caption, end] : tyres) {
        inStretch(detail->label(caption, zar, 9), tyresTop + 1.5, end - 31.0, end);
        inStretch(detail->label(QStringLiteral("تاريخ توليد:"), zar, 9), tyresTop + 7.0, end - 31.0, end);
    }
    const double circle = 4.5;
    detail->circle(fullLeft + 1.0, tyresTop + 7.0 + 0.6, circle, circle);
    const double circleRight = fullLeft + 1.0 + circle;
    inStretch(detail->label(QStringLiteral("مورد تاييد نميباشد"), zar, 9), tyresTop + 7.0, circleRight + 1.0, circleRight + 30.0, Qt::AlignLeft);

    // 4. What the approval of the state requires.
    noteLine(detail, 98.2, 7.1,
             QStringLiteral("سلامت تمامي موارد فوق الزاميست + تا رفع عيوب موارد فوق تاييد اين بخش صادر نشود + درصد حداقل مجاز مورد تاييد لاستيک 60 درصد و بدون آپارات مي باشد."));

    // 5. Remarks.
    const QString remarksHeading = QStringLiteral("اطلاعات و توضيحات تکميلي مربوط به ابزار و تجهيزات همراه:");
    remarks(detail, 105.0, 127.8, QStringLiteral("توضيحات"), remarksHeading);

    // 6. Tools and equipment carried; the last row of the left group is left
    // for an item written in by hand.
    sectionCaption(detail, 132.6, 158.2, QStringLiteral("ابزار و تجهيزات همراه"));
    tickTable(detail, 132.6, 158.2, {{121.4, 175.4}, {61.1, 115.1}, {fullLeft, 54.5}},
              {QStringLiteral("متعلقات"), QStringLiteral("موجود"), QStringLiteral("ناموجود")}, false,
              {{QStringLiteral("جک"), QStringLiteral("زنجير چرخ"), QStringLiteral("علائم هشدار")},
               {QStringLiteral("آچار چرخ"), QStringLiteral("زاپاس"), QStringLiteral("کپسول اتش نشاني")},
               {QStringLiteral("کيسه يا جعبه ابزار"), QStringLiteral("ايربگ"), QString()}},
              9);

    // 7. What the approval of the equipment requires.
    noteLine(detail, 158.8, 7.9,
             QStringLiteral("سلامت سيستم ايربگ با دياگ بررسي شود + موجود و سلامت هر يک از تجهيزات فوق جهت تاييد الزاميست + تا تهيه تجهيزات فوق تاييد اين بخش صادر نشود."));

    // 8. Remarks.
    remarks(detail, 166.4, 188.6, QStringLiteral("توضيحات"), remarksHeading);

    // 9. Final approval: the sentence with a blank for the date, then the two
    // signatories over the boxes for their signatures.
    const double approvalTop = 200.3;
    const double approvalLine = 8.2;
    const double approvalBottom = 238.1;
    sectionCaption(detail, approvalTop, approvalBottom, QStringLiteral("تاييد نهايي"));
    const double approvalLeft = captionLeft - 0.6 - remarksWidth;
    detail->rectangle(approvalLeft, approvalTop, remarksWidth, approvalLine);
    pieceLine(detail, approvalTop + 1.4, zar, 10, false,
              {{QStringLiteral("خودرو فوق به لحاظ مدارکُ شرايط فني و ظاهري و تجهيزات همراه در تاريخ"), {}, 91.0, 171.7},
               {QStringLiteral("مورد تاييد است."), {}, 46.6, 63.8}});
    const double signTop = approvalTop + approvalLine;
    const double signHeight = (approvalBottom - signTop) / 2;
    const double signRightWidth = 86.8;
    const double signSplit = captionLeft - 0.6 - signRightWidth;
    cell(detail, signSplit, signTop, signRightWidth, signHeight, QStringLiteral("رئيس گروه يا مسئول نگهداري و تعميرات"));
    cell(detail, approvalLeft, signTop, signSplit - approvalLeft, signHeight, QStringLiteral("مدير اجرايي و ماشين آلات عمراني"));
    cell(detail, signSplit, signTop + signHeight, signRightWidth, signHeight);
    cell(detail, approvalLeft, signTop + signHeight, signSplit - approvalLeft, signHeight);

    // 10. Distribution of the copies: four numbers, each with a blank after it.
    const double distributionTop = 238.9;
    const double distributionHeight = 9.0;
    detail->rectangle(fullLeft, distributionTop, fullWidth, distributionHeight);
    const double lineTop = distributionTop + 2.0;
    inStretch(detail->label(QStringLiteral("توزيع نسخ:"), zar, 10), lineTop, 160.0, 187.0);
    const std::pair<const char *, double> copies[] = {{"1-", 147.4}, {"2-", 107.2}, {"3-", 71.2}, {"4-", 33.1}};
    for (const auto &[number, left] : copies)
        detail->label(QLatin1String(number), zar, 10)->placeLeft(left, lineTop);
}
