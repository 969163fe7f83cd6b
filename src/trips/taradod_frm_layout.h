#pragma once
#include <QList>
#include <QString>
#include <Qt>
#include <functional>

class ReportBand;
class ReportLabel;
class ReportRow;

// How the trip forms place their lines. A line is given as its items in
// reading order, right to left: fixed texts and value labels, each with the
// left edge the layout gives it (mm from the band's left edge).
struct LineItem {
    QString text;          // a fixed text; empty for a value label
    QString name;          // the value label's name
    double x = 0;          // left edge in the layout
    double width = 0;      // a fixed width; 0: as wide as the line leaves it
    bool bold = false;     // a fixed text in bold
    Qt::Alignment alignment = Qt::AlignRight;
};

inline LineItem fixedText(const QString &text, double x, bool bold = false) { return {text, QString(), x, 0, bold}; }
inline LineItem fixedText(const QString &text, double x, double width, bool bold = false) { return {text, QString(), x, width, bold}; }
inline LineItem valueAt(const char *name, double x) { return {QString(), QLatin1String(name), x}; }
inline LineItem valueIn(const char *name, double x, double width, Qt::Alignment alignment = Qt::AlignRight)
{
    return {QString(), QLatin1String(name), x, width, false, alignment};
}

// One line of a band: its top and its items.
struct Line {
    double top;
    QList<LineItem> items;
};

// Lays out lines in `family` at `size` points (values bold when
// `valuesBold`). A fixed text stands at its left edge, or in its fixed width.
// A value without a fixed width takes the room between the text on its right
// and the item on its left (down to `leftmost` for the last one),
// right-aligned, so that it follows the text it belongs to however long it
// is, and prints smaller rather than run into its neighbour. When a fixed
// text runs wider here than the room the layout leaves it up to the item on
// its right, all the lines print smaller alike, down to seven tenths.
void layOutLines(ReportBand *band, const QList<Line> &lines, const QString &family, double size, bool valuesBold,
                 double leftmost = 0);

// The detail band the two out-of-city mission orders share: the order's
// texts and values at the same places on both papers.
void layOutMissionOrder(ReportBand *detail);

// A column of a report that walks the trip list's rows: its title, what its
// detail prints, and the box both stand in (mm from the band's left edge).
struct ReportColumn {
    enum class Value { Field, RowNumber, Computed, Blank };
    QString title;
    Value value;
    QString field;                                   // Field
    std::function<QString(const ReportRow &)> compute; // Computed
    double left;
    double right;
    double titleSize = 0; // 0: the size the titles are given
};

inline ReportColumn fieldColumn(const QString &title, const char *field, double left, double right, double titleSize = 0)
{
    return {title, ReportColumn::Value::Field, QLatin1String(field), {}, left, right, titleSize};
}
inline ReportColumn numberColumn(const QString &title, double left, double right)
{
    return {title, ReportColumn::Value::RowNumber, QString(), {}, left, right};
}

// Puts each column's title centred in its box on `titles` and its value
// centred in its box on `detail` (columns listed right to left), smaller or
// wrapped when they do not fit, the detail row growing for wrapped values.
// Each band gets a frame its width and, over it, a rule between every two
// columns: at the position `rules` lists between them, else midway.
void layOutColumns(ReportBand *titles, const QString &titleFamily, double titleSize, ReportBand *detail, const QString &valueFamily,
                   double valueSize, const QList<ReportColumn> &columns, const QList<double> &rules);
