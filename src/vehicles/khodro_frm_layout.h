#pragma once
#include "platform/Report.h"
#include <QVector>
#include <algorithm>

// How the vehicle forms place their texts. The layouts give each text the
// stretch of its line that it takes, from `from` to `to` in millimetres from
// the band's left edge; the faces installed here do not run as wide as the
// ones the layouts were drawn with, so the texts are fitted to the room
// they have rather than to those numbers.

// A text in its stretch at `top`, one line high, at the side it reads from
// (the right, unless told otherwise); it prints smaller when it runs wider
// than the stretch, so that it never runs into its neighbour.
inline ReportLabel *inStretch(ReportLabel *label, double top, double from, double to,
                              Qt::Alignment alignment = Qt::AlignRight)
{
    label->placeBox(from, top, to - from, label->lineHeight(), alignment | Qt::AlignVCenter);
    label->setShrinkToFit(true);
    return label;
}

// One piece of a line: a fixed text, or a value label (named after the
// column that fills it) when `text` is empty.
struct LinePiece {
    QString text;
    QString value;
    double from;
    double to;
};

// The size a line of pieces prints at: its own, or smaller (down to six
// tenths) when its texts, values and blanks do not fit the band, so that the
// line prints smaller as a whole rather than one of its texts alone.
inline double fittedSize(ReportBand *band, const QString &family, double size, bool bold, const QVector<LinePiece> &pieces)
{
    constexpr double gap = 2.0;
    double needed = 0;
    for (int i = 0; i < pieces.size(); ++i) {
        const LinePiece &p = pieces[i];
        if (p.text.isEmpty()) {
            needed += p.to - p.from;
        } else {
            ReportLabel probe(band);
            probe.setFont(family, size, bold);
            needed += probe.textWidth(p.text);
        }
        if (i > 0)
            needed += !p.text.isEmpty() && !pieces[i - 1].text.isEmpty() ? std::max(gap, pieces[i - 1].from - p.to) : gap;
    }
    return needed > pieces.value(0).to ? size * std::max(0.6, pieces.value(0).to / needed) : size;
}

// Lays out a line at the size given, without fitting it.
inline void pieceLineAt(ReportBand *band, double top, const QString &family, double size, bool bold, const QVector<LinePiece> &pieces)
{
    constexpr double gap = 2.0;
    constexpr double leastRoom = 5.0;
    const auto floorOf = [&](int i) { return i + 1 < pieces.size() ? pieces[i + 1].to + gap : 0.0; };
    double previousLeft = band->width();
    QList<ReportLabel *> placed;
    for (int i = 0; i < pieces.size(); ++i) {
        const LinePiece &p = pieces[i];
        const bool afterText = i > 0 && !pieces[i - 1].text.isEmpty();
        double floor = floorOf(i);
        double right = p.to;
        if (p.text.isEmpty()) {
            if (i > 0)
                right = previousLeft - gap;
            right = std::max(right, floor + leastRoom);
            placed << inStretch(band->valueLabel(p.value, family, size, bold), top, floor, right);
            previousLeft = placed.last()->geometry().left();
            continue;
        }
        if (afterText)
            right = std::min(previousLeft - (pieces[i - 1].from - p.to), previousLeft - gap);
        else if (i > 0)
            right = std::min(p.to, previousLeft - gap);
        if (i + 1 < pieces.size() && pieces[i + 1].text.isEmpty())
            floor = floorOf(i + 1) + (pieces[i + 1].to - pieces[i + 1].from) + gap;
        right = std::max(right, floor + leastRoom);
        ReportLabel *label = band->label(p.text, family, size, bold);
        if (right - label->textWidth() >= floor)
            label->placeRight(band->width() - right, top);
        else
            inStretch(label, top, floor, right);
        previousLeft = label->geometry().left();
        placed << label;
    }
    // A value longer than its room pushes the rest of its line to the left.
    band->addLine(placed, 0, gap);
}

// A line read from the right, its pieces in reading order. The first piece
// stands at its right end. A value follows the piece before it and, since
// it may be longer than the layout foresaw, takes all the room up to the
// right end of the piece after it (the last one up to the band's left
// edge). A fixed text after a value stands at its own right end; after
// another fixed text it keeps the blank the layout leaves between them (a
// blank to write in). A fixed text may run on to the left as far as the next
// fixed text, or as the next value leaves it its own width; only when it
// does not fit that room does it print smaller.
inline void pieceLine(ReportBand *band, double top, const QString &family, double size, bool bold,
                      const QVector<LinePiece> &pieces)
{
    pieceLineAt(band, top, family, fittedSize(band, family, size, bold, pieces), bold, pieces);
}

// The lines of one paragraph (their tops and pieces): all at one size, the
// size of the line that needs the smallest.
inline void paragraph(ReportBand *band, const QVector<QPair<double, QVector<LinePiece>>> &lines, const QString &family, double size,
                      bool bold)
{
    double common = size;
    for (const auto &[top, pieces] : lines)
        common = std::min(common, fittedSize(band, family, size, bold, pieces));
    // A text that still does not fit its room at that size would print
    // smaller than the others: try the lines on a scratch band and take the
    // size down by what the tightest text needs.
    Report scratch;
    scratch.setPaper(band->report()->paper(), band->report()->orientation());
    scratch.setMargins(band->report()->margins());
    for (int attempt = 0; attempt < 3; ++attempt) {
        double least = 1;
        for (const auto &[top, pieces] : lines) {
            ReportBand *one = new ReportBand(&scratch, band->type(), band->height());
            pieceLineAt(one, top, family, common, bold, pieces);
            for (const ReportElement *e : one->elements())
                if (auto *l = qobject_cast<const ReportLabel *>(e); l && !l->isValueLabel())
                    least = std::min(least, l->fitFor(l->text()).scale);
            delete one;
        }
        if (least >= 1)
            break;
        common *= least;
    }
    for (const auto &[top, pieces] : lines)
        pieceLineAt(band, top, family, common, bold, pieces);
}
