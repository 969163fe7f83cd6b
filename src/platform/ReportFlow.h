#pragma once
#include <QHash>
#include <QRectF>
#include <QVector>
#include <algorithm>

class ReportElement;
class ReportLabel;

// How a band lays out for one row: where each element stands, how much room
// a value that does not fit its box takes under it, and the least share of
// its size it may print at. It is computed once for a band and a row (when
// the pages are laid out) and kept with the band's place on its page, so
// that painting looks everything up.
struct ReportFlow {
    // Room made under a value's box: what stands from `at` down moves down
    // `by` mm, frames and rules reaching below `from` (the box's foot) grow.
    struct Push {
        double from, at, by;
    };
    // A blank strip across the band: from `top` down, `room` mm that what
    // moves down may take.
    struct Strip {
        double top, room;
    };
    QHash<const ReportElement *, QRectF> rects; // mm from the band's top-left corner
    QHash<const ReportLabel *, double> extra;   // mm taken under a value's box
    QHash<const ReportLabel *, double> floors;  // least share a value prints at; none: its own
    QVector<Push> pushes;
    QVector<Strip> strips; // taken only where the band would not fit otherwise
    double grow = 0;   // what wrapping labels at the band's foot add
    double height = 0; // mm the band takes

    QRectF rect(const ReportElement *element) const;
};

namespace reportflow {
// The largest share on a grid of hundredths from `hi` down to `lo` for which
// `fits` holds, taking a text that fits at one size to fit at every smaller
// one; 0 when it fits at none. `hi` is tried first. Then, without a guess,
// `lo` and halving between them: about seven tries where steps of a
// twentieth took up to seventeen. With a guess near the answer (`near`),
// steps of one, two, four hundredths from it and halving the last step:
// two to four tries.
template <class Fits> double largestFitting(double hi, double lo, Fits fits, double near = -1)
{
    int high = int(hi * 100 + 0.5), low = int(lo * 100 + 0.5);
    if (fits(high / 100.0))
        return high / 100.0;
    if (low >= high)
        return 0;
    if (near < 0) {
        if (!fits(low / 100.0))
            return 0;
    } else {
        const int from = std::clamp(int(near * 100 + 0.5), low, high - 1);
        if (fits(from / 100.0)) {
            low = from;
            for (int step = 1; low + step < high; step *= 2) {
                if (!fits((low + step) / 100.0)) {
                    high = low + step;
                    break;
                }
                low += step;
            }
        } else {
            high = from;
            for (int step = 1;; step *= 2) {
                if (high <= low)
                    return 0;
                const int next = std::max(low, high - step);
                if (fits(next / 100.0)) {
                    low = next;
                    break;
                }
                if (next == low)
                    return 0;
                high = next;
            }
        }
    }
    while (high - low > 1) {
        const int middle = (high + low) / 2;
        (fits(middle / 100.0) ? low : high) = middle;
    }
    return low / 100.0;
}
} // namespace reportflow
