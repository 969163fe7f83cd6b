#pragma once
#include <QFont>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QRectF>
#include <QVariant>
#include <QVector>
#include "ReportFlow.h"
#include <functional>

class QPainter;
class Query;
class Report;
class ReportBand;

// Everything of a layout is given in millimetres. Painting happens in
// hundredths of a millimetre, so that text measured once prints the same on
// every device (printer, PDF, image).
namespace reportunit {
constexpr double perMm = 100.0;
inline double fromMm(double mm) { return mm * perMm; }
inline double toMm(double units) { return units / perMm; }
} // namespace reportunit

// The row a band prints for: one row of the report's query, walked in the
// query's current order, or none (a report without data, a header, the
// summary). Reading never moves the query's current row.
class ReportRow {
public:
    ReportRow() = default;
    ReportRow(const Query *query, int index, int number) : m_query(query), m_index(index), m_number(number) {}

    bool isValid() const;
    int index() const { return m_index; }    // 0-based position in the query, -1 for none
    int number() const { return m_number; }  // running number of the printed row, 1 for the first
    const Query *query() const { return m_query; }

    // The field of the row as the data layer gives it as text (a NULL reads
    // as the empty text); the empty text without a row or such a field.
    QString text(const QString &field) const;
    QVariant value(const QString &field) const;
    // The field as a number; 0 for NULL, an empty text or no number.
    double number(const QString &field) const;

private:
    const Query *m_query = nullptr;
    int m_index = -1;
    int m_number = 0;
};

// One element of a band. Its geometry is in millimetres from the band's
// top-left corner; elements paint in the order they were added, so frames
// that are filled come before what stands in them.
class ReportElement : public QObject {
    Q_OBJECT
public:
    explicit ReportElement(ReportBand *band);

    ReportBand *band() const { return m_band; }
    Report *report() const;

    QRectF geometry() const { return m_geometry; }
    void setGeometry(const QRectF &mm) { m_geometry = mm; }
    void setGeometry(double left, double top, double width, double height) { m_geometry = QRectF(left, top, width, height); }

    // Paints the element for a row where the band's flow for that row puts
    // it; the painter stands at the band's top-left corner and counts in
    // hundredths of a millimetre.
    virtual void paint(QPainter &painter, const ReportRow &row, const ReportFlow &flow) const = 0;

protected:
    ReportBand *m_band;
    QRectF m_geometry;
};

// A text. By default it sizes itself to its text (autoSize): its width
// follows the text and the edge its alignment names stays where it was put
// (the right edge of a right-aligned label, the centre of a centred one).
// With a fixed box the text is aligned and kept inside it: a text too wide
// for one line prints smaller when allowed (down to its smallest share), and
// when that is not enough wraps onto further lines if wrapping is on, at the
// largest size whose lines fit the box. A wrapping label reaching the foot of
// a band lets the band grow for its lines (see ReportBand::flowFor).
// Alignments are absolute: AlignRight is the right side of the paper also for
// right-to-left text. Texts run right to left unless told otherwise.
class ReportLabel : public ReportElement {
    Q_OBJECT
public:
    explicit ReportLabel(ReportBand *band, const QString &text = QString());

    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }

    // An empty family stands for the report's default font.
    void setFont(const QString &family, double pointSize, bool bold = false);
    QString family() const { return m_family; }
    double pointSize() const { return m_pointSize; }
    bool isBold() const { return m_bold; }
    // The font the label prints with (the report's default filled in), sized
    // in painting units.
    QFont font() const;

    void setAlignment(Qt::Alignment alignment) { m_alignment = alignment; }
    Qt::Alignment alignment() const { return m_alignment; }
    void setRightToLeft(bool rtl) { m_rightToLeft = rtl; }
    bool isRightToLeft() const { return m_rightToLeft; }
    void setAutoSize(bool on) { m_autoSize = on; }
    bool autoSize() const { return m_autoSize; }
    void setWordWrap(bool on) { m_wordWrap = on; }
    bool wordWrap() const { return m_wordWrap; }
    // A text too large for its fixed box prints smaller, down to a share of
    // its size (80 % unless told). Only a text that fits in no other way
    // (one word wider than the box) goes below that share, to half its
    // size, and what is still too wide is cut at the box. Values are never
    // cut: see isValue().
    void setShrinkToFit(bool on, double smallest = 0.8)
    {
        m_shrinkToFit = on;
        m_smallest = smallest;
    }
    bool shrinkToFit() const { return m_shrinkToFit; }
    // A one-line box whose text does not fit even at its smallest share
    // continues on further lines under the box, as far down as the band
    // leaves room (to the first element below it, the foot of a frame it
    // stands in, or the band's foot).
    void setFlowDown(bool on) { m_flowDown = on; }
    bool flowsDown() const { return m_flowDown; }
    // The room under the box that such lines may take, in millimetres;
    // less than none where the box reaches over what stands below it.
    double roomBelow() const;
    double smallestShare() const { return m_smallest; }
    // A label that code fills (a printed form lists these by name).
    void setValueLabel(bool on) { m_valueLabel = on; }
    bool isValueLabel() const { return m_valueLabel; }
    // A value (a label code fills, or one that prints from the row) in a
    // fixed box is never cut: what does not fit its box continues on lines
    // under it, in the room the band leaves there and, where that is not
    // enough, in room the band makes by moving what stands below it down
    // (see ReportBand::flowFor). It prints smaller than its smallest share
    // only where the page has no room for the band to grow, and never below
    // two fifths of its size. A value holding line breaks prints every line
    // in the same way.
    bool isValue() const { return m_valueLabel || metaObject() != &ReportLabel::staticMetaObject; }

    // Width of a text (of the label's own by default) in the label's font,
    // and the height of one line, in millimetres.
    double textWidth(const QString &text) const;
    double textWidth() const { return textWidth(m_text); }
    double lineHeight() const;
    // Height of the font above its baseline, in millimetres: labels of
    // different sizes on one line share a baseline when their tops differ by
    // the difference of their ascents.
    double ascent() const;

    // Placement; each but placeBox makes the label one line high and sized
    // to its text.
    // The right end of the text rightMm from the band's right edge.
    ReportLabel *placeRight(double rightMm, double topMm);
    // The left end of the text leftMm from the band's left edge.
    ReportLabel *placeLeft(double leftMm, double topMm);
    // Centred on centreMm from the band's left edge; on the band's middle when negative.
    ReportLabel *placeCentre(double topMm, double centreMm = -1);
    // A fixed box (from the band's left edge); vertical alignment counts in it.
    ReportLabel *placeBox(double left, double top, double width, double height, Qt::Alignment alignment);

    // The text that prints for a row.
    virtual QString textFor(const ReportRow &row) const;
    // Where a text prints, in millimetres from the band's top-left corner.
    QRectF printedRect(const QString &text) const;
    // How a text prints in the label: at what share of its size (1 when it
    // fits as designed), on how many lines, and whether all of it shows
    // (no line left out, nothing cut at the box).
    struct Fit {
        double scale = 1;
        int lines = 0;
        bool whole = true;
        QRectF rect; // what the lines take, mm from the band's top-left corner
    };
    Fit fitFor(const QString &text) const;
    // How the label's text prints for a row, where the band's lines place it.
    Fit fitFor(const ReportRow &row) const;
    Fit fitFor(const ReportRow &row, const ReportFlow &flow) const;
    // The height (mm) the label's box needs for a text: its own height, or
    // more for a wrapping label whose lines need more; `share` receives the
    // share of its size they were laid out at. A `floor` at or above its own
    // smallest share lays the lines out at that share.
    double neededHeight(const QString &text, double floor = 0, double *share = nullptr) const;
    // Whether the label can make its band grow: a wrapping box reaching the band's foot.
    bool grows() const;

    void paint(QPainter &painter, const ReportRow &row, const ReportFlow &flow) const override;
    // Where the printed lines stand for a row, top and foot in millimetres
    // from the band's top.
    QVector<QPair<double, double>> lineSpans(const ReportRow &row, const ReportFlow &flow) const;

private:
    friend class ReportBand;
    struct Layout;
    // Lays out the text for a row as it paints; the top of its first line
    // (units), negative for no text.
    double layOutFor(const ReportRow &row, const ReportFlow &flow, Layout &layout) const;
    Fit fitIn(const QString &text, const QRectF &geometry, double extra, double floor) const;
    QFont scaledFont(double scale) const;
    // Lays out a text in the box; maxHeight (units) bounds the lines of a
    // wrapping label, negative for no bound.
    // `extra` (units) is room the band made under the box, `floor` the least
    // share a value may print at (0: its own smallest).
    void layOut(const QString &text, const QRectF &box, double maxHeight, Layout &out, double extra, double floor) const;
    bool layOutAt(const QString &text, double scale, bool wrap, double width, double maxHeight, Layout &out,
                  bool anywhere = false) const;
    // The least share a text tries in its box: its own smallest, or `floor`
    // when that is below it (0 for none).
    double leastScale(double floor) const;
    // The ways a text wraps, tried in turn: at whole words down to its
    // smallest share; for a value whose word is wider than its box even
    // then, at whole words down to half its size, and last inside the word.
    // Each pass tries the shares from `largest` down to `least`.
    struct WrapPass {
        bool anywhere;
        double largest, least;
    };
    // The fewest lines a pass gives the text on a width, at the largest
    // share that gives them; false when no share of the pass fits the width.
    bool fewestLines(const QString &printable, double width, const WrapPass &pass, Layout &out) const;
    QVector<WrapPass> wrapPasses(const QString &printable, double width, double floor) const;
    // The lines a value takes where the band makes room for it: the fewest
    // lines, at the largest size that gives them, so that the band grows
    // least; given a `floor` (a share below its own smallest where the page
    // has no more room, or the size the values of a row share), its lines at
    // that share. False when no share fits the width.
    bool linesForRoom(const QString &printable, double width, double floor, Layout &out) const;
    // For a value that does not fit its box and the room under it: the room
    // (mm) its lines need beyond them at no less than `floor` of its size; 0
    // when it fits.
    double extraRoom(const QString &text, const QRectF &geometry, double floor) const;
    // How far (mm) the lines of a value that fits its box and the room
    // under it reach below the box; 0 when it prints on its own line.
    double linesBelow(const QString &text, const QRectF &geometry, double floor) const;

    QString m_text;
    QString m_family;
    double m_pointSize = 0; // 0: the report's default size
    bool m_bold = false;
    Qt::Alignment m_alignment = Qt::AlignRight | Qt::AlignTop;
    bool m_rightToLeft = true;
    bool m_autoSize = true;
    bool m_wordWrap = false;
    bool m_shrinkToFit = false;
    double m_smallest = 0.8;
    bool m_flowDown = false;
    bool m_inLine = false; // placed by a line of its band (ReportBand::addLine)
    bool m_valueLabel = false;
};

// The value of a field of the current row, as the data layer gives it as text.
class ReportField : public ReportLabel {
    Q_OBJECT
public:
    ReportField(ReportBand *band, const QString &field);
    QString field() const { return m_field; }
    QString textFor(const ReportRow &row) const override;

private:
    QString m_field;
};

// A value computed from the row (the difference of two columns, a joined text).
class ReportComputed : public ReportLabel {
    Q_OBJECT
public:
    using Function = std::function<QString(const ReportRow &)>;
    ReportComputed(ReportBand *band, Function function);
    QString textFor(const ReportRow &row) const override;

private:
    Function m_function;
};

// The running number of the printed detail row, from 1.
class ReportRowNumber : public ReportLabel {
    Q_OBJECT
public:
    explicit ReportRowNumber(ReportBand *band);
    QString textFor(const ReportRow &row) const override;
};

// A rectangle, circle or rule. Rectangles and circles have a thin black
// outline and a white fill unless told otherwise; a rule is a solid bar of
// its thickness (the geometry's height for a horizontal rule, its width for
// a vertical one).
class ReportShape : public ReportElement {
    Q_OBJECT
public:
    enum class Kind { Rectangle, Circle, HorizontalRule, VerticalRule };
    static constexpr double defaultOutline = 0.2; // mm

    ReportShape(ReportBand *band, Kind kind);
    Kind kind() const { return m_kind; }
    void setOutlineWidth(double mm) { m_outline = mm; }
    double outlineWidth() const { return m_outline; }
    void setFill(const QColor &colour) { m_fill = colour; }   // Qt::transparent: no fill
    QColor fill() const { return m_fill; }

    void paint(QPainter &painter, const ReportRow &row, const ReportFlow &flow) const override;

private:
    Kind m_kind;
    double m_outline = defaultOutline;
    QColor m_fill = Qt::white;
};

// A picture stretched to its box.
class ReportImage : public ReportElement {
    Q_OBJECT
public:
    ReportImage(ReportBand *band, const QImage &image);
    QImage image() const { return m_image; }
    void setImage(const QImage &image) { m_image = image; }
    void paint(QPainter &painter, const ReportRow &row, const ReportFlow &flow) const override;

private:
    QImage m_image;
};

// A horizontal strip of the page. A report has at most one band of each type.
// Page and column headers print at the top of the pages their flags name, the
// detail band once per row (once when the report has no data), the summary
// once after the last row and the page footer at the foot of its pages.
class ReportBand : public QObject {
    Q_OBJECT
public:
    enum class Type { PageHeader, ColumnHeader, Detail, Summary, PageFooter };
    // Pages a header or footer prints on. A header cannot know whether the
    // page it opens will be the last, so for headers LastPage and
    // MiddlePages both mean "every page after the first".
    enum PageFlag { FirstPage = 1, MiddlePages = 2, LastPage = 4, EveryPage = 7 };
    Q_DECLARE_FLAGS(Pages, PageFlag)

    ReportBand(Report *report, Type type, double height);

    Report *report() const { return m_report; }
    Type type() const { return m_type; }
    // The designed height: the least the band takes.
    double height() const { return m_height; }
    void setHeight(double mm) { m_height = mm; }
    double width() const;  // the width between the report's margins
    Pages printOn() const { return m_pages; }
    void setPrintOn(Pages pages) { m_pages = pages; }
    bool printsOn(bool firstPage, bool lastPage) const;

    const QVector<ReportElement *> &elements() const { return m_elements; }

    // Left edge of a box whose right edge stands rightMm from the band's right edge.
    double fromRight(double rightMm, double widthMm) const { return width() - rightMm - widthMm; }

    // Elements, owned by the band; place labels with their place* functions.
    ReportLabel *label(const QString &text);
    ReportLabel *label(const QString &text, const QString &family, double pointSize, bool bold = false);
    // A named label that code fills; it starts empty and prints nothing until
    // set, and flows down when it does not fit its line (setFlowDown).
    ReportLabel *valueLabel(const QString &name);
    ReportLabel *valueLabel(const QString &name, const QString &family, double pointSize, bool bold = false);
    ReportField *field(const QString &field);
    ReportComputed *computed(ReportComputed::Function function);
    ReportRowNumber *rowNumber();
    ReportShape *rectangle(double left, double top, double width, double height);
    ReportShape *circle(double left, double top, double width, double height);
    ReportShape *horizontalRule(double left, double top, double length, double thickness = ReportShape::defaultOutline);
    ReportShape *verticalRule(double left, double top, double length, double thickness = ReportShape::defaultOutline);
    ReportImage *image(const QImage &image, double left, double top, double width, double height);

    // Paints the band for a row as its flow for the row lays it out.
    void paint(QPainter &painter, const ReportRow &row, const ReportFlow &flow) const;

    // How the band makes room for a row's values that do not fit their
    // boxes: each such value takes `extra` mm more under its box, and what
    // stands lower in the band moves down by that much (frames across grow).
    // The values keep at least their smallest share while the band still
    // fits in `most` mm (an empty page less the other bands when negative);
    // where it does not, blank strips across the band give up their room
    // first (the room under a box that a value's lines take is not blank),
    // and only then do the values print smaller, as far as needed down to
    // two fifths of their size.
    using Flow = ReportFlow;
    Flow flowFor(const ReportRow &row, double most = -1) const;
    // The most the band may take: an empty page less the other bands.
    double mostHeight() const;
    // Where a band too tall for the room left on its page is cut: at `room`
    // mm from its top, or higher so that no printed line is cut in two.
    double cutAt(const ReportRow &row, const ReportFlow &flow, double room) const;
    // Paints the part of a band from `from` mm down, `height` mm of it, at
    // the painter's origin; frames are closed at the cut.
    void paintPart(QPainter &painter, const ReportRow &row, const ReportFlow &flow, double from, double height) const;

    // A line of texts and value labels read from the right (`items` in
    // reading order, placed where the layout puts them). A value longer
    // than its box takes the room its line leaves free: the items after it
    // move to the left, as far as the room the later items need (a fixed
    // text its width, a value its box or its shorter text) down to `leftEdge`
    // allows, keeping `gap` between them; what a value cannot have on its
    // line it takes on lines under its box, so that no fixed text leaves the
    // band. Items never move to the right, so lines whose values fit keep the
    // layout's columns.
    void addLine(const QList<ReportLabel *> &items, double leftEdge, double gap);
    // Where an element prints for a row: its geometry, or the place its
    // line gives it, moved down and grown as the band makes room for values.
    QRectF geometryFor(const ReportElement *element, const ReportRow &row) const { return flowFor(row).rect(element); }

private:
    ReportShape *shape(ReportShape::Kind kind, const QRectF &geometry);
    template <class T> T *adopt(T *element)
    {
        m_elements.append(element);
        return element;
    }

    struct Line {
        QList<ReportLabel *> items;
        double leftEdge;
        double gap;
    };
    QVector<QRectF> placeLine(const Line &line, const ReportRow &row) const;
    // Where each element of a line stands for a row.
    QHash<const ReportElement *, QRectF> lineGeometries(const ReportRow &row) const;
    // The flow with each value printing at no less than `cap` of its size
    // (its own smallest share where that is less).
    // What one row's flow measures once however often it is tried: where
    // the elements of lines stand, the texts, the room values need at a floor.
    struct Measures;
    // `absorb`: blank strips across the band give up their room.
    Flow flowAt(const ReportRow &row, Measures &measures, double cap, bool absorb) const;
    // The blank strips across the band between its elements, an element
    // reaching down to its foot in `feet` where it has one there (a value
    // whose lines take the room under its box).
    QVector<ReportFlow::Strip> blankStrips(const QHash<const ReportElement *, double> &feet = {}) const;
    QRectF placed(const ReportElement *element, const QRectF &at, const Flow &flow) const;

    Report *m_report;
    Type m_type;
    double m_height;
    QVector<Line> m_lines;
    Pages m_pages = EveryPage;
    QVector<ReportElement *> m_elements;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ReportBand::Pages)
