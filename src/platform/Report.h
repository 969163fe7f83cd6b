#pragma once
#include "ReportElements.h"
#include <QMarginsF>
#include <QObject>
#include <QPageLayout>
#include <QSizeF>
#include <memory>

class QPagedPaintDevice;
class QPrinter;
class Query;

// The banded report: a layout in millimetres on A4 or A5 paper, bands with
// their elements, bound to a query or to none, rendered page by page with
// QPainter onto a printer (the print preview), a PDF file or images.
//
// Bound to no query it prints its page header, column header, detail band
// once, summary and page footer, on one page when they fit. Bound to a query
// it prints one detail band per row of the query in the query's current
// order (the query's current row is left alone), starts a new page when the
// next band does not fit (a band taller than a page continues on the next,
// cut between its lines), repeats the page header and the column header at
// the top of each page their flags name, prints the summary after the last
// row and the page footer at the foot of its pages. A closed or empty query
// prints the headers and the summary only.
//
//     Report r;
//     r.setPaper(Report::Paper::A5);
//     r.setMargins(10);
//     ReportBand *head = r.addBand(ReportBand::Type::PageHeader, 20);
//     head->label(title, QStringLiteral("Titr"), 14, true)->placeCentre(2.1);
//     head->valueLabel(QStringLiteral("ostan"), QStringLiteral("Titr"), 14, true)->placeRight(100.6, 2.1);
//     ReportBand *detail = r.addBand(ReportBand::Type::Detail, 11.4);
//     detail->rectangle(0.3, 0, 127, 10.8);
//     detail->rowNumber()->placeBox(108, 2.1, 18.5, 7, Qt::AlignCenter);
//     detail->field(QStringLiteral("khodro"))->placeBox(50.8, 2.1, 53.2, 7, Qt::AlignCenter);
//     r.setDataSet(query);
//     r.exportPdf(path);
class Report : public QObject {
    Q_OBJECT
public:
    enum class Paper { A4, A5 };

    // One band printed on a page, at its distance from the page's top edge.
    struct Placement {
        const ReportBand *band;
        double top;   // mm from the top of the paper
        int row;      // row of the query, -1 for none
        int number;   // running number of the detail row, 0 for other bands
        double height = 0; // mm the band takes here: its height, or more for a row that grows
        // How the band lays out here, computed once when the pages are laid out.
        std::shared_ptr<const ReportFlow> flow;
        // A band too tall for a page prints in parts: the part on this page
        // starts `from` mm down the band and takes `height` mm.
        double from = 0;
    };
    using Page = QVector<Placement>;

    explicit Report(QObject *parent = nullptr);

    // Paper, orientation and margins; set them before the bands, since
    // elements placed from the right edge keep the distance they got then.
    void setPaper(Paper paper, QPageLayout::Orientation orientation = QPageLayout::Portrait);
    Paper paper() const { return m_paper; }
    QPageLayout::Orientation orientation() const { return m_orientation; }
    QSizeF paperSize() const; // mm, oriented
    void setMargins(double mm) { m_margins = QMarginsF(mm, mm, mm, mm); }
    void setMargins(const QMarginsF &mm) { m_margins = mm; }
    QMarginsF margins() const { return m_margins; }
    double bandWidth() const; // mm between the left and right margins

    // The font of labels without a font of their own (Arial 10 unless set).
    void setDefaultFont(const QString &family, double pointSize);
    QString defaultFamily() const { return m_defaultFamily; }
    double defaultPointSize() const { return m_defaultPointSize; }

    // The name of the document in the print queue.
    void setTitle(const QString &title) { m_title = title; }
    QString title() const { return m_title; }

    // Adds a band, or returns the band of that type already there with the new height.
    ReportBand *addBand(ReportBand::Type type, double height);
    ReportBand *band(ReportBand::Type type) const;
    QList<ReportBand *> bands() const;

    // The query whose rows the detail band walks; nullptr for none. Not owned.
    void setDataSet(const Query *query) { m_dataSet = query; }
    const Query *dataSet() const { return m_dataSet; }

    // A label of the layout by its object name; nullptr when none.
    ReportLabel *label(const QString &name) const;
    // The labels code fills, in the order they were added.
    QList<ReportLabel *> valueLabels() const;

    // The pages as they would print now.
    QVector<Page> paginate() const;
    int pageCount() const { return int(paginate().size()); }
    class Pagination;

    // Paper size and orientation on the printer; the report places its own margins.
    virtual void preparePrinter(QPrinter &printer) const;
    // Renders the pages the printer's range names (every page when it names
    // none). False when the printer (or the file it prints to) took nothing.
    virtual bool print(QPrinter &printer);
    // Renders pages first..last (1-based, inclusive; 0 for the last page) onto a
    // paged device; returns the number of pages rendered.
    int render(QPagedPaintDevice &device, int first = 1, int last = 0) const;
    // Writes a PDF file; false when the file cannot be written.
    bool exportPdf(const QString &path) const;
    // One page as a picture at a resolution in dots per inch; null past the last page.
    QImage renderPage(int page, double dpi = 150) const;
    // A page of paginate() as a picture, drawn by the same code as the PDF and the printer.
    QImage renderPage(const Page &page, double dpi) const;
    QList<QImage> renderImages(double dpi = 150) const;

    // Paints one page with the painter's origin at the paper's top-left
    // corner and dpi device dots per inch.
    void paintPage(QPainter &painter, const Page &page, double dpiX, double dpiY) const;

private:
    QPageSize pageSize() const;
    void setUpDevice(QPagedPaintDevice &device) const;

    friend class Pagination;
    Paper m_paper = Paper::A4;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QMarginsF m_margins{10, 10, 10, 10};
    QString m_defaultFamily = QStringLiteral("Arial");
    double m_defaultPointSize = 10;
    QString m_title;
    QVector<ReportBand *> m_bands;
    const Query *m_dataSet = nullptr;
};

// The pages of a report laid out a few rows at a time, so that a preview can
// show the first pages while the rest are still being laid out. A page is
// settled once a later page has been opened: no later row changes it (only
// the open page takes the summary, and may hand its last row over to a new
// page with it). Report::paginate() lays out all of it at once.
class Report::Pagination {
public:
    explicit Pagination(const Report &report);
    // Lays out up to `rows` more rows, the whole report when negative; false
    // once every page is laid out.
    bool layOutMore(int rows = -1);
    bool isDone() const { return m_done; }
    // The pages laid out so far; the last is still open until isDone().
    const QVector<Page> &pages() const { return m_pages; }
    int settledPages() const { return m_done ? int(m_pages.size()) : qMax(0, int(m_pages.size()) - 1); }

private:
    using Flow = std::shared_ptr<const ReportFlow>;
    Flow fixedFlow(const ReportBand *band);
    void openPage();
    void put(const ReportBand *band, int row, int number, const Flow &flow);
    void finish();

    const Report &m_report;
    const ReportBand *m_pageHeader, *m_columnHeader, *m_detail, *m_summary, *m_footer;
    QHash<const ReportBand *, Flow> m_fixed; // bands without a row lay out alike on every page
    Flow m_footerFlow;
    double m_top, m_bottom, m_limit;
    double m_most; // what a row may take: an empty page less the other bands as they print
    int m_rows = 0, m_next = 0; // rows of the query, the next to lay out
    QVector<Page> m_pages;
    double m_y = 0;
    int m_bodyBands = 0; // detail and summary bands on the open page
    bool m_done = false;
};
