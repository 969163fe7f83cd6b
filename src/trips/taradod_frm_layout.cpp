#include "taradod_frm_layout.h"
#include "platform/ReportElements.h"
#include <algorithm>

namespace {

constexpr double gap = 1.5;        // between neighbouring items
constexpr double leastRoom = 8.0;  // a value squeezed by its neighbours keeps this much
constexpr double smallest = 0.7;   // the least share of the size a band prints at

// The room a fixed text has from its left edge up to the item on its right.
double roomOf(const ReportBand *band, const QList<LineItem> &items, int i)
{
    if (items[i].width > 0)
        return items[i].width;
    return (i > 0 ? items[i - 1].x - gap : band->width()) - items[i].x;
}

void layOutLine(ReportBand *band, double top, const QList<LineItem> &items, const QString &family, double size, bool valuesBold,
                double leftmost, double rightmost)
{
    QList<ReportLabel *> labels;
    // The fixed texts first, so that the values know where their neighbours end.
    for (int i = 0; i < items.size(); ++i) {
        const LineItem &item = items[i];
        if (item.text.isEmpty()) {
            labels << band->valueLabel(item.name, family, size, valuesBold);
            continue;
        }
        ReportLabel *label = band->label(item.text, family, size, item.bold);
        const double room = roomOf(band, items, i);
        if (item.width > 0 || label->textWidth() > room) {
            label->placeBox(item.x, top, room, label->lineHeight(), item.alignment | Qt::AlignVCenter);
            label->setShrinkToFit(true, 0.5);
        } else {
            label->placeLeft(item.x, top);
        }
        labels << label;
    }
    for (int i = 0; i < items.size(); ++i) {
        const LineItem &item = items[i];
        if (!item.text.isEmpty())
            continue;
        ReportLabel *value = labels[i];
        double left = item.x;
        double width = item.width;
        if (width <= 0) {
            const double right = i > 0 ? labels[i - 1]->geometry().left() - gap : rightmost;
            if (i + 1 == items.size())
                left = leftmost;
            else if (items[i + 1].text.isEmpty())
                left = items[i + 1].x + items[i + 1].width + gap;
            else
                left = labels[i + 1]->geometry().right() + gap;
            width = right - left;
            if (width < leastRoom) {
                left = item.x;
                width = leastRoom;
            }
        }
        value->placeBox(left, top, width, value->lineHeight(), item.alignment | Qt::AlignVCenter);
        value->setShrinkToFit(true);
    }
    // A value longer than its room pushes the rest of its line to the left.
    band->addLine(labels, leftmost, gap);
}

} // namespace

void layOutLines(ReportBand *band, const QList<Line> &lines, const QString &family, double size, bool valuesBold, double leftmost)
{
    double scale = 1;
    for (const Line &line : lines) {
        for (int i = 0; i < line.items.size(); ++i) {
            const LineItem &item = line.items[i];
            if (item.text.isEmpty())
                continue;
            ReportLabel probe(band);
            probe.setFont(family, size, item.bold);
            scale = std::min(scale, roomOf(band, line.items, i) / probe.textWidth(item.text));
        }
    }
    scale = std::max(scale, smallest);
    // A value that starts a line ends where the texts that start the other
    // lines end, so that the lines keep one right edge.
    double rightmost = 0;
    for (const Line &line : lines)
        if (!line.items.isEmpty() && !line.items.first().text.isEmpty()) {
            ReportLabel probe(band);
            probe.setFont(family, size * scale, line.items.first().bold);
            const LineItem &first = line.items.first();
            rightmost = std::max(rightmost, first.width > 0 ? first.x + first.width : first.x + probe.textWidth(first.text));
        }
    rightmost = rightmost > 0 ? std::min(rightmost, band->width()) : band->width();
    for (const Line &line : lines)
        layOutLine(band, line.top, line.items, family, size * scale, valuesBold, leftmost, rightmost);
}

void layOutColumns(ReportBand *titles, const QString &titleFamily, double titleSize, ReportBand *detail, const QString &valueFamily,
                   double valueSize, const QList<ReportColumn> &columns, const QList<double> &rules)
{
    // The frames first, so that the rules and texts stand on them.
    for (ReportBand *band : {titles, detail})
        band->rectangle(0, 0, band->width(), band->height());
    // A rule between every two neighbouring columns, titles and values alike:
    // where the layout has one between them, else midway.
    for (int i = 0; i + 1 < columns.size(); ++i) {
        const double right = columns[i].left;
        const double left = columns[i + 1].right;
        double x = (left + right) / 2 - ReportShape::defaultOutline / 2;
        for (double rule : rules)
            if (rule >= left - 0.5 && rule <= right + 0.5)
                x = rule;
        for (ReportBand *band : {titles, detail})
            band->verticalRule(x, 0, band->height());
    }
    auto place = [](ReportLabel *l, const ReportColumn &c, const ReportBand *band) {
        l->placeBox(c.left, 0.2, c.right - c.left, band->height() - 0.4, Qt::AlignCenter);
        l->setWordWrap(true);
        l->setShrinkToFit(true);
    };
    for (const ReportColumn &c : columns) {
        place(titles->label(c.title, titleFamily, c.titleSize > 0 ? c.titleSize : titleSize, true), c, titles);
        ReportLabel *value = nullptr;
        switch (c.value) {
        case ReportColumn::Value::Field: value = detail->field(c.field); break;
        case ReportColumn::Value::RowNumber: value = detail->rowNumber(); break;
        case ReportColumn::Value::Computed: value = detail->computed(c.compute); break;
        case ReportColumn::Value::Blank: continue;
        }
        value->setFont(valueFamily, valueSize);
        place(value, c, detail);
    }
}

void layOutMissionOrder(ReportBand *d)
{
    layOutLines(
        d,
        {{2.1, {fixedText(QStringLiteral("بدينوسيله به برادر"), 103.5), valueAt("ranande", 87.3),
                fixedText(QStringLiteral("شماره گواهينامه"), 36.5), valueAt("govahiname_no", 6.6)}},
         {11.1, {fixedText(QStringLiteral("ماموريت داده مي شود که از تاريخ"), 81.2), valueAt("dat1", 72.0),
                 fixedText(QStringLiteral("لغايت"), 49.2), valueAt("dat2", 40.0)}},
         {20.9, {fixedText(QStringLiteral("به مقصد"), 114.0), valueAt("ostan", 102.9), fixedText(QStringLiteral("به منظور انجام"), 46.8),
                 valueAt("mamor_cmt", 23.8)}},
         {30.4, {fixedText(QStringLiteral("در معيت آقاي"), 106.6), valueAt("mamor", 92.3), fixedText(QStringLiteral("با خودرو"), 53.2),
                 valueAt("khodro", 39.4)}},
         {41.0, {fixedText(QStringLiteral("به شماره"), 114.0), valueAt("pelak", 103.2), fixedText(QStringLiteral("عزيمت نموده و"), 69.8),
                 fixedText(QStringLiteral("پس از مراجعت گزارش کار خود را فورا ارائه نمايد"), 3.7)}},
         // The signatory's name, centred over the title printed under it.
         {52.9, {valueIn("raeis", 10.1, 55.3, Qt::AlignHCenter)}},
         {61.4, {fixedText(QStringLiteral("رييس اداره تداركات و پشتيباني"), 13.8, true)}},
         // Departure and return, to be completed by hand.
         {84.1, {fixedText(QStringLiteral("ساعت حرکت"), 107.2), valueAt("saat1", 95.5), fixedText(QStringLiteral("روز"), 88.4),
                 valueAt("dat1_1", 73.6), fixedText(QStringLiteral("ساعت برگشت"), 47.1), valueAt("saat2", 36.0),
                 fixedText(QStringLiteral("روز"), 29.1), valueAt("dat2_2", 15.3)}},
         {93.4, {fixedText(QStringLiteral("شماره کيلومتر رفت"), 100.3), valueAt("kilometr1", 80.7),
                 fixedText(QStringLiteral("شماره کيلومتر برگشت"), 44.5), valueAt("kilometr2", 26.5)}},
         {102.7, {fixedText(QStringLiteral("مقدار کارکرد"), 107.4), valueAt("karkard", 92.9),
                  fixedText(QStringLiteral("انجام ماموريت به مدت"), 60.6), valueIn("modat", 43.4, 14.8),
                  fixedText(QStringLiteral("روز و با کارکرد"), 22.2), valueIn("karkard2", 2.4, 18.8)}},
         {111.4, {fixedText(QStringLiteral("کيلومتر مورد تاييد مي باشد."), 90.0)}},
         {129.1, {fixedText(QStringLiteral("امضاء مامور"), 94.5, true), fixedText(QStringLiteral("امضاء مسئول"), 25.1, true)}}},
        QStringLiteral("Zar"), 12, true);
}
