// The band's flow: where the elements of a band stand for one row, once its
// values that do not fit their boxes have taken the room they need.
#include "ReportFlow.h"
#include "Report.h"
#include "ReportElements.h"
#include <QPainter>
#include <algorithm>
#include <cmath>

QRectF ReportFlow::rect(const ReportElement *element) const { return rects.value(element, element->geometry()); }

double ReportLabel::roomBelow() const
{
    // Down to the first element under the box that shares some of its width,
    // or to the band's foot. What starts above the box's middle stands beside
    // or around it (the texts of its own line, a frame) and does not count.
    // A frame the box stands in ends the room at its foot. A value of a line
    // may take room to its left, over anything standing there below. A box
    // drawn taller than its room (its foot over the next box's top) has
    // less than none: its lines must end higher than the box does.
    double floor = m_band->height();
    const double left = m_inLine && m_valueLabel ? 0 : m_geometry.left();
    for (const ReportElement *e : m_band->elements()) {
        const QRectF g = e->geometry();
        if (e == this || g.right() <= left || g.left() >= m_geometry.right())
            continue;
        if (g.top() > m_geometry.center().y())
            floor = qMin(floor, g.top());
        else if (auto *frame = qobject_cast<const ReportShape *>(e); frame && frame->kind() == ReportShape::Kind::Rectangle
                 && g.bottom() > m_geometry.center().y())
            floor = qMin(floor, g.bottom());
    }
    return floor - m_geometry.bottom() - 0.5;
}

double ReportBand::mostHeight() const
{
    if (!m_report)
        return 1e9;
    const QMarginsF margins = m_report->margins();
    double room = m_report->paperSize().height() - margins.top() - margins.bottom();
    for (const ReportBand *b : m_report->bands())
        if (b != this)
            room -= b->height();
    return room;
}

struct ReportBand::Measures {
    QHash<const ReportElement *, QRectF> lines;
    QHash<const ReportLabel *, QString> texts;
    QHash<QPair<const ReportLabel *, double>, double> room;  // by the floor it was measured at, or the share of a row's values
    QHash<const ReportLabel *, double> shares;               // where a growing value's fewest lines took it alone
    QHash<QPair<const ReportLabel *, double>, double> below; // how far its lines reach under its box, by floor
    QVector<ReportFlow::Strip> strips;                       // between the elements as designed, once absorbing
};

ReportBand::Flow ReportBand::flowFor(const ReportRow &row, double most) const
{
    if (most < 0)
        most = mostHeight();
    Measures lines{lineGeometries(row), {}, {}, {}, {}, {}};
    // Values print at no less than their own smallest share first. While the
    // band is taller than the room allows, they may print smaller, all down
    // to one common share: the largest that lets the band fit. A value that
    // fits its room at a larger size keeps it.
    // Before that, blank strips across the band (between its sections) give
    // up their room to what moves down.
    Flow flow = flowAt(row, lines, 1, false);
    if (flow.height <= most + 1e-6 || (flow.extra.isEmpty() && flow.grow <= 0))
        return flow;
    lines.strips = blankStrips();
    if ((flow = flowAt(row, lines, 1, true)).height <= most + 1e-6)
        return flow;
    // Below two fifths no one reads a value; a band that still does not fit
    // continues on the next page (Report::paginate).
    constexpr double least = 0.4;
    // A value's lines take room about as the square of its share (fewer
    // letters to a line, lower lines): the share that fits is looked for
    // from there.
    double own = least;
    for (const ReportElement *e : m_elements)
        if (auto *l = qobject_cast<const ReportLabel *>(e); l && !l->autoSize() && (l->isValue() || l->grows()))
            own = qMax(own, l->shrinkToFit() ? l->smallestShare() : 1.0);
    const double near = own * std::sqrt(most / flow.height);
    double tried = -1;
    const double cap = reportflow::largestFitting(
        0.99, least,
        [&](double c) {
            flow = flowAt(row, lines, tried = c, true);
            return flow.height <= most + 1e-6;
        },
        near);
    // Where even the least share does not fit, that share stands as the least bad.
    const double chosen = cap > 0 ? cap : least;
    if (tried != chosen)
        flow = flowAt(row, lines, chosen, true);
    return flow;
}

QVector<ReportFlow::Strip> ReportBand::blankStrips(const QHash<const ReportElement *, double> &feet) const
{
    // Keep a millimetre of each strip, so that sections do not touch.
    constexpr double keep = 1.0;
    QVector<QPair<double, double>> spans;
    for (const ReportElement *e : m_elements)
        spans.append({e->geometry().top(), qMax(e->geometry().bottom(), feet.value(e))});
    std::sort(spans.begin(), spans.end());
    QVector<ReportFlow::Strip> out;
    double reached = spans.isEmpty() ? 0 : spans.first().second;
    for (const auto &[top, bottom] : spans) {
        if (top - reached > keep)
            out.append({reached, top - reached - keep});
        reached = qMax(reached, bottom);
    }
    return out;
}

ReportBand::Flow ReportBand::flowAt(const ReportRow &row, Measures &measures, double cap, bool absorb) const
{
    Flow flow;
    // Where a value's lines take the room under its box, that room is not blank.
    QHash<const ReportElement *, double> feet;
    struct Grown {
        const ReportLabel *label;
        double room, share; // share: where its fewest lines took it alone; 0 where it does not grow or is shrunk
    };
    QVector<Grown> grown;
    auto lineGeometry = [&](const ReportElement *e) { return measures.lines.value(e, e->geometry()); };
    for (const ReportElement *e : m_elements) {
        auto *l = qobject_cast<const ReportLabel *>(e);
        if (!l || l->autoSize() || !(l->isValue() || l->grows()))
            continue;
        auto text = measures.texts.find(l);
        if (text == measures.texts.end())
            text = measures.texts.insert(l, l->textFor(row));
        if (text->isEmpty())
            continue;
        const double own = l->shrinkToFit() ? l->smallestShare() : 1.0;
        const double floor = cap < own - 1e-9 ? cap : 0;
        if (floor > 0)
            flow.floors.insert(l, floor);
        auto room = measures.room.find({l, floor});
        if (room == measures.room.end()) {
            double share = 0;
            room = measures.room.insert({l, floor}, l->grows() ? l->neededHeight(*text, floor, &share) - l->geometry().height()
                                                               : l->extraRoom(*text, lineGeometry(l), floor));
            if (l->grows() && floor == 0 && *room > 0)
                measures.shares.insert(l, share);
        }
        if (l->grows()) {
            grown.append({l, *room, floor == 0 ? measures.shares.value(l) : 0});
            continue;
        }
        const QRectF g = lineGeometry(l);
        if (absorb) {
            // Lines under the box reach no further than the room there (all
            // of it when they need more); only a blank strip of the design
            // in that room is worth measuring them for.
            const double under = l->roomBelow();
            if (std::any_of(measures.strips.begin(), measures.strips.end(),
                            [&](const Flow::Strip &s) { return s.top < g.bottom() + under && s.top + s.room + 1 > g.bottom(); })) {
                auto below = measures.below.find({l, floor});
                if (below == measures.below.end())
                    below = measures.below.insert({l, floor}, *room > 0 ? under : l->linesBelow(*text, g, floor));
                feet.insert(l, g.bottom() + *below);
            }
        }
        if (const double extra = *room) {
            flow.extra.insert(l, extra);
            // Values of one line share the room made under it.
            const double from = g.center().y();
            const double at = g.bottom() + l->roomBelow();
            auto same = std::find_if(flow.pushes.begin(), flow.pushes.end(), [&](const Flow::Push &p) { return qAbs(p.at - at) < 0.6; });
            if (same != flow.pushes.end()) {
                same->by = qMax(same->by, extra);
                same->from = qMin(same->from, from);
            } else {
                flow.pushes.append({from, at, extra});
            }
        }
    }
    // Values that make the row grow share one size: the largest at which
    // each has its fewest lines (the least of the sizes they took alone),
    // none below its own smallest share. The row is as tall as their lines
    // at that size; each prints at the largest size its room then allows.
    double common = 1;
    int sharing = 0;
    for (const Grown &g : grown)
        if (g.share > 0) {
            common = qMin(common, g.share);
            ++sharing;
        }
    for (const Grown &g : grown) {
        const double at = qMax(common, g.label->shrinkToFit() ? g.label->smallestShare() : 1.0);
        double room = g.room;
        if (sharing > 1 && g.share > at + 1e-9) {
            auto lower = measures.room.find({g.label, at});
            if (lower == measures.room.end())
                lower = measures.room.insert({g.label, at}, g.label->neededHeight(measures.texts.value(g.label), at) - g.label->geometry().height());
            room = *lower;
        }
        flow.grow = qMax(flow.grow, room);
    }
    if (absorb)
        flow.strips = blankStrips(feet);
    // What moves down takes the empty foot of the band first; only what
    // runs past the band's height makes it taller.
    flow.height = m_height + flow.grow;
    for (const ReportElement *e : m_elements) {
        const QRectF at = placed(e, lineGeometry(e), flow);
        if (at != e->geometry())
            flow.rects.insert(e, at);
        QRectF g = at;
        if (auto *l = qobject_cast<const ReportLabel *>(e); l && flow.extra.contains(l))
            g.setHeight(g.height() + l->roomBelow() + flow.extra.value(l));
        // What stands on the band's foot keeps standing on it; the rest keeps half a millimetre clear.
        flow.height = qMax(flow.height, g.bottom() + (e->geometry().bottom() >= m_height - 0.5 ? m_height - e->geometry().bottom() : 0.5));
    }
    return flow;
}

void ReportBand::addLine(const QList<ReportLabel *> &items, double leftEdge, double gap)
{
    for (ReportLabel *l : items)
        l->m_inLine = true;
    m_lines.append(Line{items, leftEdge, gap});
}

QVector<QRectF> ReportBand::placeLine(const Line &line, const ReportRow &row) const
{
    const int n = int(line.items.size());
    // What each item needs at the least, and what the items after it need together.
    QVector<double> natural(n), floor(n + 1, line.leftEdge);
    for (int i = 0; i < n; ++i) {
        const ReportLabel *l = line.items[i];
        natural[i] = l->isValueLabel() ? l->textWidth(l->textFor(row)) : l->geometry().width();
    }
    for (int i = n - 1; i >= 0; --i) {
        const double need = line.items[i]->isValueLabel() ? std::min(line.items[i]->geometry().width(), natural[i])
                                                          : line.items[i]->geometry().width();
        floor[i] = floor[i + 1] + need + (i + 1 < n ? line.gap : 0);
    }
    QVector<QRectF> out(n);
    double cursor = 0;
    for (int i = 0; i < n; ++i) {
        const ReportLabel *l = line.items[i];
        const QRectF g = l->geometry();
        const double right = i == 0 ? g.right() : std::min(g.right(), cursor - line.gap);
        double left = right - g.width();
        // A value takes the room its text needs, but leaves the items after it
        // theirs: what it cannot have it takes on further lines under its box.
        if (l->isValueLabel())
            left = std::min(right - 1, std::max(std::min(left, right - natural[i]), floor[i + 1] + (i + 1 < n ? line.gap : 0)));
        out[i] = QRectF(left, g.top(), right - left, g.height());
        cursor = left;
    }
    return out;
}

QHash<const ReportElement *, QRectF> ReportBand::lineGeometries(const ReportRow &row) const
{
    QHash<const ReportElement *, QRectF> out;
    for (const Line &line : m_lines) {
        const QVector<QRectF> rects = placeLine(line, row);
        for (int i = 0; i < line.items.size(); ++i)
            out.insert(line.items[i], rects[i]);
    }
    return out;
}

QRectF ReportBand::placed(const ReportElement *element, const QRectF &at, const Flow &flow) const
{
    // What stands lower moves down by the pushes above it, less what blank
    // strips between them and it give up.
    struct Step {
        double y, by; // a push adds, a strip takes away
    };
    QVector<Step> steps;
    double longer = 0;
    const bool shape = qobject_cast<const ReportShape *>(element);
    for (const Flow::Push &p : flow.pushes) {
        if (p.at <= at.top() + 0.01)
            steps.append({p.at, p.by});
        else if (shape && p.from < at.bottom() - 0.01)
            longer += p.by;
    }
    for (const Flow::Strip &s : flow.strips)
        if (s.top + s.room <= at.top() + 0.01)
            steps.append({s.top, -s.room});
    std::sort(steps.begin(), steps.end(), [](const Step &a, const Step &b) { return a.y < b.y || (a.y == b.y && a.by > b.by); });
    double down = 0;
    for (const Step &step : steps)
        down = qMax(0.0, down + step.by);
    // What reaches within half a millimetre of the band's foot stands on it.
    if (element->geometry().bottom() >= m_height - 0.5)
        longer += flow.grow;
    return at.adjusted(0, down, 0, down + longer);
}

double ReportBand::cutAt(const ReportRow &row, const ReportFlow &flow, double room) const
{
    QVector<QPair<double, double>> spans;
    for (const ReportElement *e : m_elements)
        if (auto *l = qobject_cast<const ReportLabel *>(e))
            spans += l->lineSpans(row, flow);
    // Up over every line the cut would run through, as long as that leaves
    // the part some room; a line taller than the room is cut where it must.
    double cut = room;
    for (bool moved = true; moved;) {
        moved = false;
        for (const auto &[top, foot] : spans)
            if (top < cut - 0.01 && foot > cut + 0.01 && top > room / 4) {
                cut = top;
                moved = true;
            }
    }
    return cut;
}

void ReportBand::paintPart(QPainter &painter, const ReportRow &row, const ReportFlow &flow, double from, double height) const
{
    ReportFlow part = flow;
    // A frame across the cut is drawn closed on each side of it, its edges inside the part.
    const QRectF window(-1e6, from + 0.1, 2e6, height - 0.2);
    for (const ReportElement *e : m_elements)
        if (auto *s = qobject_cast<const ReportShape *>(e); s && s->kind() == ReportShape::Kind::Rectangle && flow.rect(e).intersects(window))
            part.rects.insert(e, flow.rect(e) & window);
    painter.save();
    painter.translate(0, reportunit::fromMm(-from));
    painter.setClipRect(QRectF(reportunit::fromMm(-1), reportunit::fromMm(from), reportunit::fromMm(width() + 2), reportunit::fromMm(height)),
                        Qt::IntersectClip);
    paint(painter, row, part);
    painter.restore();
}
