#include "ReportElements.h"
#include "Fonts.h"
#include "Money.h"
#include "Query.h"
#include "Report.h"
#include "ReportFlow.h"
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <memory>

using reportunit::fromMm;
using reportunit::toMm;

// ---------------------------------------------------------------- ReportRow

bool ReportRow::isValid() const
{
    return m_query && m_index >= 0 && m_index < m_query->recordCount();
}

QString ReportRow::text(const QString &field) const
{
    if (!isValid())
        return QString();
    return m_query->textAt(m_index, m_query->columnIndex(field));
}

QVariant ReportRow::value(const QString &field) const
{
    if (!isValid())
        return QVariant();
    return m_query->valueAt(m_index, m_query->columnIndex(field));
}

double ReportRow::number(const QString &field) const
{
    return numberOf(value(field));
}

// ------------------------------------------------------------ ReportElement

ReportElement::ReportElement(ReportBand *band) : QObject(band), m_band(band) {}

Report *ReportElement::report() const { return m_band->report(); }
// -------------------------------------------------------------- ReportLabel

namespace {

// A text can be wider than any band; laid out on this width it never wraps.
constexpr double unboundedWidth = 1e7;

QFont printFont(const QString &family, double pointSize, bool bold, double scale = 1.0)
{
    QFont font;
    font.setFamilies(printFamilies(family));
    // Points to hundredths of a millimetre: 1 pt = 25.4 / 72 mm.
    font.setPixelSize(qMax(1, qRound(pointSize * scale * 25.4 / 72.0 * reportunit::perMm)));
    font.setBold(bold);
    // Unhinted outlines scale linearly: a text measures the same on every device.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}

QRectF unitsOf(const QRectF &mm)
{
    return QRectF(fromMm(mm.x()), fromMm(mm.y()), fromMm(mm.width()), fromMm(mm.height()));
}

QString printableText(QString text)
{
    // Line breaks of a text set by code start new lines.
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

} // namespace

struct ReportLabel::Layout {
    std::unique_ptr<QTextLayout> text;
    QRectF box;       // units, band coordinates: where the text prints
    int lines = 0;    // lines that fit the box
    double textHeight = 0;
    double naturalWidth = 0; // of the widest line
    double scale = 1;        // share of the designed size
    bool flowed = false;     // continued on lines below the box
    double baselineShift = 0; // a shrunk line keeps the baseline of the full size
    bool clip = false;
    bool fitted = false;      // all of the text in the box and the room given it
};

ReportLabel::ReportLabel(ReportBand *band, const QString &text) : ReportElement(band), m_text(text) {}

void ReportLabel::setFont(const QString &family, double pointSize, bool bold)
{
    m_family = family;
    m_pointSize = pointSize;
    m_bold = bold;
}

QFont ReportLabel::font() const { return scaledFont(1.0); }

QFont ReportLabel::scaledFont(double scale) const
{
    const Report *r = report();
    const QString family = m_family.isEmpty() && r ? r->defaultFamily() : m_family;
    const double size = m_pointSize <= 0 && r ? r->defaultPointSize() : m_pointSize;
    return printFont(family, size > 0 ? size : 10, m_bold, scale);
}

double ReportLabel::textWidth(const QString &text) const
{
    QTextLayout layout(printableText(text), font());
    QTextOption option;
    option.setTextDirection(m_rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.beginLayout();
    double width = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(unboundedWidth);
        width = qMax(width, line.naturalTextWidth());
    }
    layout.endLayout();
    return toMm(width);
}

namespace {
// One line of the label's font (Latin and Persian letters, as the texts mix them).
QTextLine sampleLine(QTextLayout &layout)
{
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(unboundedWidth);
    layout.endLayout();
    return line;
}
} // namespace

double ReportLabel::lineHeight() const
{
    QTextLayout layout(QStringLiteral("Xب"), font());
    return toMm(sampleLine(layout).height());
}

double ReportLabel::ascent() const
{
    QTextLayout layout(QStringLiteral("Xب"), font());
    return toMm(sampleLine(layout).ascent());
}

ReportLabel *ReportLabel::placeRight(double rightMm, double topMm)
{
    m_autoSize = true;
    m_alignment = Qt::AlignRight | Qt::AlignTop;
    const double w = textWidth();
    m_geometry = QRectF(m_band->width() - rightMm - w, topMm, w, lineHeight());
    return this;
}

ReportLabel *ReportLabel::placeLeft(double leftMm, double topMm)
{
    m_autoSize = true;
    m_alignment = Qt::AlignLeft | Qt::AlignTop;
    m_geometry = QRectF(leftMm, topMm, textWidth(), lineHeight());
    return this;
}

ReportLabel *ReportLabel::placeCentre(double topMm, double centreMm)
{
    m_autoSize = true;
    m_alignment = Qt::AlignHCenter | Qt::AlignTop;
    const double centre = centreMm < 0 ? m_band->width() / 2 : centreMm;
    const double w = textWidth();
    m_geometry = QRectF(centre - w / 2, topMm, w, lineHeight());
    return this;
}

ReportLabel *ReportLabel::placeBox(double left, double top, double width, double height, Qt::Alignment alignment)
{
    m_autoSize = false;
    m_alignment = alignment;
    m_geometry = QRectF(left, top, width, height);
    return this;
}

QString ReportLabel::textFor(const ReportRow &) const { return m_text; }

bool ReportLabel::layOutAt(const QString &text, double scale, bool wrap, double width, double maxHeight, Layout &out,
                           bool anywhere) const
{
    QTextOption option;
    option.setTextDirection(m_rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setUseDesignMetrics(true);
    option.setWrapMode(!wrap ? QTextOption::NoWrap : anywhere ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::WordWrap);
    // Sized to its text the label holds the text exactly: lay out from its left end.
    const Qt::Alignment horizontal = m_alignment & Qt::AlignHorizontal_Mask;
    option.setAlignment(m_autoSize ? (Qt::AlignLeft | Qt::AlignAbsolute) : (horizontal | Qt::AlignAbsolute));

    out.text = std::make_unique<QTextLayout>(text, scaledFont(scale));
    out.text->setTextOption(option);
    out.text->setCacheEnabled(true);
    out.text->beginLayout();
    double y = 0;
    out.naturalWidth = 0;
    for (QTextLine line = out.text->createLine(); line.isValid(); line = out.text->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
        out.naturalWidth = qMax(out.naturalWidth, line.naturalTextWidth());
    }
    out.text->endLayout();
    out.textHeight = y;
    out.scale = scale;
    // A word longer than the box overflows its line as well.
    return out.naturalWidth <= width + 1 && (maxHeight < 0 || y <= maxHeight + 1);
}

double ReportLabel::leastScale(double floor) const
{
    const double least = m_shrinkToFit ? m_smallest : 1.0;
    return floor > 0 && floor < least ? floor : least;
}

QVector<ReportLabel::WrapPass> ReportLabel::wrapPasses(const QString &printable, double width, double floor) const
{
    const double least = leastScale(floor);
    QVector<WrapPass> out{{false, 1.0, least}};
    Layout probe;
    if (!isValue() || layOutAt(printable, least, true, width, -1, probe))
        return out;
    // A value's word wider than its box even at the smallest share (a long
    // number or code) prints smaller, down to half its size, before it
    // breaks where it must: a number broken over two lines misreads.
    if (least > 0.51)
        out << WrapPass{false, least - 0.01, 0.5};
    out << WrapPass{true, 1.0, least};
    return out;
}

bool ReportLabel::fewestLines(const QString &printable, double width, const WrapPass &pass, Layout &out) const
{
    // The smallest share gives the fewest lines; the largest that gives as few is wanted.
    if (!layOutAt(printable, pass.least, true, width, -1, out, pass.anywhere))
        return false;
    const int fewest = out.text->lineCount();
    const double best = reportflow::largestFitting(pass.largest, pass.least, [&](double s) {
        return layOutAt(printable, s, true, width, -1, out, pass.anywhere) && out.text->lineCount() <= fewest;
    });
    if (out.scale != best)
        layOutAt(printable, best, true, width, -1, out, pass.anywhere);
    return true;
}

bool ReportLabel::linesForRoom(const QString &printable, double width, double floor, Layout &out) const
{
    // Given a share, the lines at that share itself: the room asked then
    // follows the share, not steps of a line, so that the band's common
    // share comes out the largest that fits.
    if (floor > 0 && layOutAt(printable, floor, true, width, -1, out))
        return true;
    for (const WrapPass &pass : wrapPasses(printable, width, floor))
        if (fewestLines(printable, width, pass, out))
            return true;
    return false;
}

void ReportLabel::layOut(const QString &text, const QRectF &design, double maxHeight, Layout &out, double extra, double floor) const
{
    const Qt::Alignment horizontal = m_alignment & Qt::AlignHorizontal_Mask;
    const QString printable = printableText(text);

    if (m_autoSize) {
        layOutAt(printable, 1.0, false, unboundedWidth, -1, out);
        double left = design.left();
        if (horizontal & Qt::AlignRight)
            left = design.right() - out.naturalWidth;
        else if (horizontal & Qt::AlignHCenter)
            left = design.center().x() - out.naturalWidth / 2;
        out.box = QRectF(left, design.top(), out.naturalWidth, out.textHeight);
        out.lines = out.text->lineCount();
        return;
    }

    // First one line at the designed size, then smaller down to the smallest
    // share, then wrapped at the largest size whose lines fit; a text that
    // fits in none of these ways (a word wider than the box) shrinks further.
    const double width = design.width();
    const double oneLine = design.height();
    const bool value = isValue() && !grows();
    // Lines flow down under the box into the room below it and what the band made there.
    const double room = value || (m_flowDown && !m_wordWrap) ? fromMm(roomBelow()) : 0;
    const bool flows = room > 0 || extra > 0;
    const double below = flows ? room + extra : 0;
    const bool wrap = m_wordWrap || flows;
    const double bound = flows ? oneLine + below : maxHeight < 0 ? -1 : qMax(maxHeight, oneLine);
    // Lines flowing down keep the first line's baseline on the line's own,
    // which lowers smaller text by the difference of the ascents.
    const double fullAscent = flows ? fromMm(ascent()) : 0;
    // Widths follow the size: a share at which the text is wider than its box
    // by more than a twentieth is not tried on one line. A text of several
    // lines (line breaks set by code) fits this way only where all its lines
    // have room.
    double wide = 0;
    const double single = reportflow::largestFitting(1.0, leastScale(floor), [&](double s) {
        if (s * wide > 1.05 * width + 1)
            return false;
        const bool fits = layOutAt(printable, s, false, width, -1, out);
        wide = qMax(wide, out.naturalWidth / s);
        return fits && (out.text->lineCount() == 1 || bound < 0 || out.textHeight <= bound - fullAscent * (1 - s) + 1);
    });
    bool fitted = single > 0;
    if (fitted && out.scale != single)
        layOutAt(printable, single, false, width, -1, out);
    if (wrap && !fitted && bound < 0) {
        // Lines without a bound: those a growing row makes room for.
        fitted = linesForRoom(printable, width, floor, out);
    } else if (wrap && !fitted) {
        for (const WrapPass &pass : wrapPasses(printable, width, floor)) {
            // Shrunk below its own smallest share, the value's lines were
            // found to fit at `floor`: the largest share is looked for from there.
            const double s = reportflow::largestFitting(
                pass.largest, pass.least,
                [&](double s) { return layOutAt(printable, s, true, width, bound - fullAscent * (1 - s), out, pass.anywhere); },
                floor > 0 ? floor : -1);
            if ((fitted = s > 0)) {
                if (out.scale != s)
                    layOutAt(printable, s, true, width, bound - fullAscent * (1 - s), out, pass.anywhere);
                break;
            }
        }
    }
    out.fitted = fitted;
    if (!fitted && m_shrinkToFit && !value) {
        const double s = reportflow::largestFitting(qMin(m_smallest, 0.95) - 0.01, 0.5,
                                                    [&](double s) { return layOutAt(printable, s, wrap, width, bound, out); });
        if ((fitted = s > 0) && out.scale != s)
            layOutAt(printable, s, wrap, width, bound, out);
    }
    // When nothing fits, the last try stands as the least bad.

    // The lines that fit (at least one), aligned in the box vertically; lines
    // that flow down stand from the box's top.
    out.flowed = flows && out.text->lineCount() > 1;
    out.box = out.flowed ? design.adjusted(0, 0, 0, below) : design;
    out.lines = 0;
    double used = 0;
    const double height = bound < 0 ? 1e12 : bound;
    for (int i = 0; i < out.text->lineCount(); ++i) {
        const double h = out.text->lineAt(i).height();
        if (i > 0 && used + h > height + 1)
            break;
        used += h;
        ++out.lines;
    }
    out.textHeight = used;
    out.clip = out.naturalWidth > width + 1;
    const bool fromTop = out.flowed || !(m_alignment & (Qt::AlignVCenter | Qt::AlignBottom));
    if (out.scale < 1.0 && fromTop && (out.flowed || out.text->lineCount() == 1))
        out.baselineShift = fromMm(ascent()) - out.text->lineAt(0).ascent();
}

double ReportLabel::extraRoom(const QString &text, const QRectF &geometry, double floor) const
{
    Layout out;
    const QRectF box = unitsOf(geometry);
    layOut(text, box, box.height(), out, 0, floor);
    if (out.fitted)
        return 0;
    const double fullAscent = fromMm(ascent());
    const double need = linesForRoom(printableText(text), box.width(), floor, out) ? out.textHeight + fullAscent * (1 - out.scale) : 0;
    return qMax(0.0, toMm(need - box.height()) - roomBelow()) + 0.05;
}

double ReportLabel::linesBelow(const QString &text, const QRectF &geometry, double floor) const
{
    Layout out;
    const QRectF box = unitsOf(geometry);
    layOut(text, box, box.height(), out, 0, floor);
    return out.flowed ? qMax(0.0, toMm(out.baselineShift + out.textHeight - box.height())) : 0;
}

QRectF ReportLabel::printedRect(const QString &text) const
{
    Layout layout;
    const QRectF box = unitsOf(m_geometry);
    layOut(text, box, box.height(), layout, 0, 0);
    const QRectF &b = layout.box;
    return QRectF(toMm(b.x()), toMm(b.y()), toMm(b.width()), toMm(layout.textHeight));
}

ReportLabel::Fit ReportLabel::fitFor(const QString &text) const { return fitIn(text, m_geometry, 0, 0); }

ReportLabel::Fit ReportLabel::fitFor(const ReportRow &row) const { return fitFor(row, m_band->flowFor(row)); }

ReportLabel::Fit ReportLabel::fitFor(const ReportRow &row, const ReportFlow &flow) const
{
    return fitIn(textFor(row), flow.rect(this), flow.extra.value(this), flow.floors.value(this));
}

ReportLabel::Fit ReportLabel::fitIn(const QString &text, const QRectF &geometry, double extra, double floor) const
{
    Layout layout;
    const QRectF box = unitsOf(geometry);
    layOut(text, box, grows() ? -1 : box.height(), layout, fromMm(extra), floor);
    const Qt::Alignment horizontal = m_alignment & Qt::AlignHorizontal_Mask;
    const double width = qMin(layout.naturalWidth, layout.box.width());
    double left = layout.box.left();
    if (horizontal & Qt::AlignRight)
        left = layout.box.right() - width;
    else if (horizontal & Qt::AlignHCenter)
        left = layout.box.center().x() - width / 2;
    double top = layout.box.top() + layout.baselineShift;
    if (!m_autoSize && !layout.flowed && (m_alignment & Qt::AlignVCenter))
        top += (layout.box.height() - layout.textHeight) / 2;
    else if (!m_autoSize && !layout.flowed && (m_alignment & Qt::AlignBottom))
        top += layout.box.height() - layout.textHeight;
    return Fit{layout.scale, layout.lines, layout.lines == layout.text->lineCount() && !layout.clip,
               QRectF(toMm(left), toMm(top), toMm(width), toMm(layout.textHeight))};
}

bool ReportLabel::grows() const
{
    return m_wordWrap && !m_autoSize && m_geometry.bottom() >= m_band->height() - 0.5;
}

double ReportLabel::neededHeight(const QString &text, double floor, double *share) const
{
    if (!grows() || text.isEmpty())
        return m_geometry.height();
    Layout layout;
    layOut(text, unitsOf(m_geometry), -1, layout, 0, floor);
    if (share)
        *share = layout.scale;
    return qMax(m_geometry.height(), toMm(layout.textHeight));
}

double ReportLabel::layOutFor(const ReportRow &row, const ReportFlow &flow, Layout &layout) const
{
    const QString text = textFor(row);
    if (text.isEmpty())
        return -1;
    const QRectF box = unitsOf(flow.rect(this));
    layOut(text, box, box.height(), layout, fromMm(flow.extra.value(this)), flow.floors.value(this));
    double top = layout.box.top() + layout.baselineShift;
    if (!m_autoSize && !layout.flowed) {
        if (m_alignment & Qt::AlignVCenter)
            top += (layout.box.height() - layout.textHeight) / 2;
        else if (m_alignment & Qt::AlignBottom)
            top += layout.box.height() - layout.textHeight;
    }
    return top;
}

QVector<QPair<double, double>> ReportLabel::lineSpans(const ReportRow &row, const ReportFlow &flow) const
{
    Layout layout;
    const double top = layOutFor(row, flow, layout);
    QVector<QPair<double, double>> out;
    for (int i = 0; top >= 0 && i < layout.lines; ++i) {
        const QTextLine line = layout.text->lineAt(i);
        out.append({toMm(top + line.y()), toMm(top + line.y() + line.height())});
    }
    return out;
}

void ReportLabel::paint(QPainter &painter, const ReportRow &row, const ReportFlow &flow) const
{
    Layout layout;
    const double top = layOutFor(row, flow, layout);
    if (top < 0)
        return;
    painter.save();
    painter.setPen(Qt::black);
    if (layout.clip)
        painter.setClipRect(QRectF(layout.box.left(), layout.box.top() - layout.box.height(), layout.box.width(), layout.box.height() * 3),
                            Qt::IntersectClip);
    const QPointF origin(layout.box.left(), top);
    if (layout.lines == layout.text->lineCount()) {
        layout.text->draw(&painter, origin);
    } else {
        for (int i = 0; i < layout.lines; ++i)
            layout.text->lineAt(i).draw(&painter, origin);
    }
    painter.restore();
}

// ------------------------------------------------- field, computed, number

ReportField::ReportField(ReportBand *band, const QString &field) : ReportLabel(band), m_field(field) {}

QString ReportField::textFor(const ReportRow &row) const { return row.text(m_field); }

ReportComputed::ReportComputed(ReportBand *band, Function function) : ReportLabel(band), m_function(std::move(function)) {}

QString ReportComputed::textFor(const ReportRow &row) const { return m_function ? m_function(row) : QString(); }

ReportRowNumber::ReportRowNumber(ReportBand *band) : ReportLabel(band) {}

QString ReportRowNumber::textFor(const ReportRow &row) const
{
    return row.number() > 0 ? QString::number(row.number()) : QString();
}

// -------------------------------------------------------------- ReportShape

ReportShape::ReportShape(ReportBand *band, Kind kind) : ReportElement(band), m_kind(kind)
{
    if (kind == Kind::HorizontalRule || kind == Kind::VerticalRule)
        m_fill = Qt::black;
}

void ReportShape::paint(QPainter &painter, const ReportRow &, const ReportFlow &flow) const
{
    const QRectF r = unitsOf(flow.rect(this));
    painter.save();
    switch (m_kind) {
    case Kind::HorizontalRule:
    case Kind::VerticalRule:
        painter.fillRect(r, m_fill);
        break;
    case Kind::Rectangle:
    case Kind::Circle: {
        // The outline runs along the box's edge, so that frames side by side
        // share one line.
        painter.setPen(m_outline > 0 ? QPen(Qt::black, fromMm(m_outline), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin) : QPen(Qt::NoPen));
        painter.setBrush(m_fill.alpha() == 0 ? QBrush(Qt::NoBrush) : QBrush(m_fill));
        if (m_kind == Kind::Rectangle)
            painter.drawRect(r);
        else
            painter.drawEllipse(r);
        break;
    }
    }
    painter.restore();
}

// -------------------------------------------------------------- ReportImage

ReportImage::ReportImage(ReportBand *band, const QImage &image) : ReportElement(band), m_image(image) {}

void ReportImage::paint(QPainter &painter, const ReportRow &, const ReportFlow &flow) const
{
    if (m_image.isNull())
        return;
    const QRectF r = unitsOf(flow.rect(this));
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(r, m_image);
    painter.restore();
}

// --------------------------------------------------------------- ReportBand

ReportBand::ReportBand(Report *report, Type type, double height) : QObject(report), m_report(report), m_type(type), m_height(height) {}

double ReportBand::width() const { return m_report ? m_report->bandWidth() : 0; }

bool ReportBand::printsOn(bool firstPage, bool lastPage) const
{
    if (firstPage)
        return m_pages.testFlag(FirstPage) || (lastPage && m_pages.testFlag(LastPage) && m_type == Type::PageFooter);
    if (m_type == Type::PageHeader || m_type == Type::ColumnHeader)
        return m_pages & (MiddlePages | LastPage);
    return lastPage ? m_pages.testFlag(LastPage) : m_pages.testFlag(MiddlePages);
}

ReportLabel *ReportBand::label(const QString &text) { return adopt(new ReportLabel(this, text)); }

ReportLabel *ReportBand::label(const QString &text, const QString &family, double pointSize, bool bold)
{
    ReportLabel *l = label(text);
    l->setFont(family, pointSize, bold);
    return l;
}

ReportLabel *ReportBand::valueLabel(const QString &name)
{
    ReportLabel *l = adopt(new ReportLabel(this));
    l->setObjectName(name);
    l->setValueLabel(true);
    // A value longer than the layout foresaw continues under its line rather than get small or cut.
    l->setFlowDown(true);
    return l;
}

ReportLabel *ReportBand::valueLabel(const QString &name, const QString &family, double pointSize, bool bold)
{
    ReportLabel *l = valueLabel(name);
    l->setFont(family, pointSize, bold);
    return l;
}

ReportField *ReportBand::field(const QString &field) { return adopt(new ReportField(this, field)); }

ReportComputed *ReportBand::computed(ReportComputed::Function function) { return adopt(new ReportComputed(this, std::move(function))); }

ReportRowNumber *ReportBand::rowNumber() { return adopt(new ReportRowNumber(this)); }

ReportShape *ReportBand::shape(ReportShape::Kind kind, const QRectF &geometry)
{
    ReportShape *s = adopt(new ReportShape(this, kind));
    s->setGeometry(geometry);
    return s;
}

ReportShape *ReportBand::rectangle(double left, double top, double width, double height)
{
    return shape(ReportShape::Kind::Rectangle, QRectF(left, top, width, height));
}

ReportShape *ReportBand::circle(double left, double top, double width, double height)
{
    return shape(ReportShape::Kind::Circle, QRectF(left, top, width, height));
}

ReportShape *ReportBand::horizontalRule(double left, double top, double length, double thickness)
{
    return shape(ReportShape::Kind::HorizontalRule, QRectF(left, top, length, thickness));
}

ReportShape *ReportBand::verticalRule(double left, double top, double length, double thickness)
{
    return shape(ReportShape::Kind::VerticalRule, QRectF(left, top, thickness, length));
}

ReportImage *ReportBand::image(const QImage &picture, double left, double top, double width, double height)
{
    ReportImage *i = adopt(new ReportImage(this, picture));
    i->setGeometry(left, top, width, height);
    return i;
}
void ReportBand::paint(QPainter &painter, const ReportRow &row, const ReportFlow &flow) const
{
    for (const ReportElement *e : m_elements)
        e->paint(painter, row, flow);
}
