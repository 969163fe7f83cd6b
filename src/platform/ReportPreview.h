#pragma once
#include "Report.h"
#include <QDialog>
#include <memory>

class QLabel;
class QPrinter;
class QSpinBox;
class QTimer;
class ReportPageView;

// The print preview of a report. Each page is drawn into a picture at the
// preview's zoom by the same code that draws the printer's and the PDF's
// pages (Report::paintPage), so the screen shows the paper dot for dot:
// right-to-left shaping, punctuation and spacing included. Only the pages in
// sight are drawn, and the window opens once its first page is laid out: the
// rest are laid out a few rows at a time while the window waits for the
// user, the page count growing until it is whole. So a long report shows its
// first page at once.
//
// The window takes the report's title as its caption, fills the screen (also
// where no window manager maximises it) and fits the page to its width. Its
// tool bar zooms, fits to width or to the whole page, moves between pages
// and prints through the system's print dialog (which also prints to PDF).
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(Report &report, QWidget *parent = nullptr);
    ~ReportPreview() override;

    // The report's pages; asking lays out those not laid out yet.
    int pageCount();
    // The pages laid out so far (all of them once the count is whole).
    int pagesLaidOut() const { return m_pagination->settledPages(); }
    bool isLaidOut() const { return m_pagination->isDone(); }
    // The page at the top of the view, from 0.
    int currentPage() const;
    void goToPage(int page);

    // 1 shows the paper at its own size on the screen.
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    // Zooms so that the page fills the view's width, or shows whole; the
    // choice holds while the window changes size, until the user zooms.
    void fitToWidth();
    void fitToPage();
    bool fitsWidth() const { return m_fit == Fit::Width; }

    // Device pixels per inch of paper at the present zoom.
    double dotsPerInch() const;
    // A page as the preview shows it now, in device pixels.
    QImage pageImage(int page) const;

    // Asks the system's print dialog for a printer and prints to it.
    void print();
    // Prints to the printer chosen; when it (or the file it prints to) takes
    // nothing, the user is told so rather than left thinking it printed.
    bool printTo(QPrinter &printer);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    enum class Fit { None, Width, Page };
    friend class ReportPageView;
    void applyFit();
    void updatePageNumber();
    // Lays out rows until `pages` pages are settled or the report ends.
    void layOutPages(int pages);
    // Lays out rows for a moment and shows the pages that adds.
    void layOutMore();
    void showPageCount();

    Report &m_report;
    std::unique_ptr<Report::Pagination> m_pagination;
    QTimer *m_layOut;
    double m_zoom = 1;
    int m_page = 0; // the page a change of zoom keeps in sight
    Fit m_fit = Fit::Width;
    ReportPageView *m_view = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QLabel *m_pageCountLabel = nullptr;
    QLabel *m_zoomLabel = nullptr;
};
