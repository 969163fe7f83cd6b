#include "ReportPreview.h"
#include "Platform.h"
#include <QAbstractScrollArea>
#include <QAction>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

namespace {
constexpr int margin = 16;        // logical pixels around the pages
constexpr int gap = 16;           // between two pages
constexpr double zoomStep = 1.25;
constexpr double leastZoom = 0.1;
constexpr double mostZoom = 6.0;
constexpr int cachedPages = 8;
constexpr int layOutSlice = 30; // ms of laying out pages between two looks at the user's events
} // namespace

// The pages one under the other on a grey ground, each drawn from its
// picture. Pictures are made when a page comes into sight and kept for the
// last few pages seen at the present zoom.
class ReportPageView : public QAbstractScrollArea {
public:
    explicit ReportPageView(ReportPreview *preview) : QAbstractScrollArea(preview), m_preview(preview)
    {
        setObjectName(QStringLiteral("pages"));
        // The pages are pictures: they lie left to right whatever the text direction.
        setLayoutDirection(Qt::LeftToRight);
        viewport()->setAutoFillBackground(false);
        verticalScrollBar()->setSingleStep(40);
        horizontalScrollBar()->setSingleStep(40);
        connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
            // Only a move the user makes changes the page a change of zoom keeps;
            // ranges that shrink under a new size or zoom move the bar by themselves.
            if (!m_adjusting)
                m_preview->m_page = m_preview->currentPage();
            m_preview->updatePageNumber();
        });
    }

    // Logical pixels per inch of paper.
    double logicalDpi() const { return m_preview->m_zoom * viewport()->logicalDpiX(); }
    double devicePixelRatio() const { return viewport()->devicePixelRatioF(); }
    QSize pageSize() const
    {
        const QSizeF mm = m_preview->m_report.paperSize();
        return QSize(qRound(mm.width() / 25.4 * logicalDpi()), qRound(mm.height() / 25.4 * logicalDpi()));
    }
    int pageTop(int page) const { return margin + page * (pageSize().height() + gap); }
    QSize contentSize() const
    {
        const QSize p = pageSize();
        const int n = m_preview->pagesLaidOut();
        return QSize(p.width() + 2 * margin, n * p.height() + qMax(0, n - 1) * gap + 2 * margin);
    }

    void zoomChanged()
    {
        m_cache.clear();
        updateRanges();
        viewport()->update();
    }

    void updateRanges()
    {
        const QScopedValueRollback<bool> adjusting(m_adjusting, true);
        const QSize content = contentSize();
        const QSize view = viewport()->size();
        horizontalScrollBar()->setRange(0, qMax(0, content.width() - view.width()));
        horizontalScrollBar()->setPageStep(view.width());
        verticalScrollBar()->setRange(0, qMax(0, content.height() - view.height()));
        verticalScrollBar()->setPageStep(view.height());
    }

    QImage image(int page)
    {
        auto it = m_cache.find(page);
        if (it != m_cache.end())
            return it.value();
        if (m_cache.size() >= cachedPages)
            m_cache.erase(m_cache.begin());
        QImage picture = m_preview->pageImage(page);
        m_cache.insert(page, picture);
        return picture;
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QAbstractScrollArea::resizeEvent(event);
        updateRanges();
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(viewport());
        painter.fillRect(viewport()->rect(), QColor(0x80, 0x80, 0x80));
        const QSize p = pageSize();
        const QSize content = contentSize();
        // A page narrower than the view stands in its middle.
        const int left = content.width() <= viewport()->width() ? (viewport()->width() - p.width()) / 2
                                                                : margin - horizontalScrollBar()->value();
        const int scrolled = verticalScrollBar()->value();
        for (int i = 0; i < m_preview->pagesLaidOut(); ++i) {
            const QRect page(left, pageTop(i) - scrolled, p.width(), p.height());
            if (page.bottom() < 0)
                continue;
            if (page.top() > viewport()->height())
                break;
            painter.fillRect(page.translated(3, 3), QColor(0x40, 0x40, 0x40));
            painter.drawImage(page.topLeft(), image(i));
        }
    }

    void wheelEvent(QWheelEvent *event) override
    {
        if (event->modifiers() & Qt::ControlModifier) {
            if (event->angleDelta().y() > 0)
                m_preview->zoomIn();
            else if (event->angleDelta().y() < 0)
                m_preview->zoomOut();
            event->accept();
            return;
        }
        QAbstractScrollArea::wheelEvent(event);
    }

private:
    ReportPreview *m_preview;
    QHash<int, QImage> m_cache;
    bool m_adjusting = false;
};

ReportPreview::ReportPreview(Report &report, QWidget *parent)
    : QDialog(parent), m_report(report), m_pagination(std::make_unique<Report::Pagination>(report)), m_layOut(new QTimer(this))
{
    layOutPages(1);
    connect(m_layOut, &QTimer::timeout, this, &ReportPreview::layOutMore);
    if (!isLaidOut())
        m_layOut->start(0);
    setObjectName(QStringLiteral("ReportPreview"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(report.title());
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("toolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto action = [&](const char *name, const QString &text, const QKeySequence &key, auto slot) {
        QAction *a = bar->addAction(text);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty())
            a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    action("printAction", QStringLiteral("چاپ..."), QKeySequence::Print, [this] { print(); });
    bar->addSeparator();
    action("fitWidthAction", QStringLiteral("عرض صفحه"), QKeySequence(), [this] { fitToWidth(); });
    action("fitPageAction", QStringLiteral("تمام صفحه"), QKeySequence(), [this] { fitToPage(); });
    action("zoomInAction", QStringLiteral("بزرگ نمايي"), QKeySequence::ZoomIn, [this] { zoomIn(); });
    action("zoomOutAction", QStringLiteral("کوچک نمايي"), QKeySequence::ZoomOut, [this] { zoomOut(); });
    m_zoomLabel = new QLabel(bar);
    m_zoomLabel->setObjectName(QStringLiteral("zoomLabel"));
    bar->addWidget(m_zoomLabel);
    bar->addSeparator();
    action("firstPageAction", QStringLiteral("صفحه اول"), QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { goToPage(0); });
    action("previousPageAction", QStringLiteral("صفحه قبل"), QKeySequence(Qt::Key_PageUp), [this] { goToPage(currentPage() - 1); });
    m_pageBox = new QSpinBox(bar);
    m_pageBox->setObjectName(QStringLiteral("pageBox"));
    m_pageBox->setKeyboardTracking(false);
    bar->addWidget(m_pageBox);
    m_pageCountLabel = new QLabel(bar);
    m_pageCountLabel->setObjectName(QStringLiteral("pageCountLabel"));
    bar->addWidget(m_pageCountLabel);
    action("nextPageAction", QStringLiteral("صفحه بعد"), QKeySequence(Qt::Key_PageDown), [this] { goToPage(currentPage() + 1); });
    action("lastPageAction", QStringLiteral("صفحه آخر"), QKeySequence(Qt::CTRL | Qt::Key_End), [this] { goToPage(pageCount() - 1); });
    bar->addSeparator();
    action("closeAction", QStringLiteral("بستن"), QKeySequence(), [this] { reject(); });
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int page) {
        if (page - 1 != currentPage())
            goToPage(page - 1);
    });

    m_view = new ReportPageView(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_view, 1);

    // The whole screen, also where no window manager maximises windows.
    if (QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    showPageCount();
    applyFit();
}

ReportPreview::~ReportPreview() = default;

int ReportPreview::pageCount()
{
    layOutPages(INT_MAX);
    return pagesLaidOut();
}

void ReportPreview::layOutPages(int pages)
{
    const int before = pagesLaidOut();
    while (pagesLaidOut() < pages && m_pagination->layOutMore(1)) {
    }
    if (pagesLaidOut() != before && m_view)
        showPageCount();
}

void ReportPreview::layOutMore()
{
    QElapsedTimer slice;
    slice.start();
    const int before = pagesLaidOut();
    while (m_pagination->layOutMore(1) && slice.elapsed() < layOutSlice) {
    }
    if (pagesLaidOut() != before || isLaidOut())
        showPageCount();
}

void ReportPreview::showPageCount()
{
    if (isLaidOut())
        m_layOut->stop();
    // While the rest is laid out, the count says it is not whole yet.
    m_pageCountLabel->setText((isLaidOut() ? QStringLiteral(" از %1 ") : QStringLiteral(" از %1… ")).arg(pagesLaidOut()));
    {
        const QSignalBlocker block(m_pageBox);
        m_pageBox->setRange(1, qMax(1, pagesLaidOut()));
    }
    m_view->updateRanges();
    m_view->viewport()->update();
    updatePageNumber();
}

int ReportPreview::currentPage() const
{
    const int step = m_view->pageSize().height() + gap;
    // The page that holds the line a third down the view.
    const int y = m_view->verticalScrollBar()->value() + m_view->viewport()->height() / 3 - margin;
    return qBound(0, step > 0 ? y / step : 0, qMax(0, pagesLaidOut() - 1));
}

void ReportPreview::goToPage(int page)
{
    layOutPages(page + 1);
    page = qBound(0, page, qMax(0, pagesLaidOut() - 1));
    m_view->verticalScrollBar()->setValue(m_view->pageTop(page) - margin);
    m_page = page;
    updatePageNumber();
}

void ReportPreview::updatePageNumber()
{
    const QSignalBlocker block(m_pageBox);
    m_pageBox->setValue(currentPage() + 1);
}

void ReportPreview::setZoom(double zoom)
{
    // The page the user was at, not the one a third down the view at the old
    // zoom: before the window has its size, pages of a tiny zoom stand
    // several to the view.
    const int page = m_page;
    m_zoom = qBound(leastZoom, zoom, mostZoom);
    m_zoomLabel->setText(QStringLiteral(" %1٪ ").arg(qRound(m_zoom * 100)));
    m_view->zoomChanged();
    goToPage(page);
}

void ReportPreview::zoomIn()
{
    m_fit = Fit::None;
    setZoom(m_zoom * zoomStep);
}

void ReportPreview::zoomOut()
{
    m_fit = Fit::None;
    setZoom(m_zoom / zoomStep);
}

void ReportPreview::fitToWidth()
{
    m_fit = Fit::Width;
    applyFit();
}

void ReportPreview::fitToPage()
{
    m_fit = Fit::Page;
    applyFit();
}

void ReportPreview::applyFit()
{
    if (m_fit == Fit::None)
        return;
    const QSizeF paper = m_report.paperSize() / 25.4 * m_view->viewport()->logicalDpiX(); // at zoom 1
    // The vertical scroll bar takes room from the width whether or not it shows now.
    const int scrollBar = m_view->verticalScrollBar()->sizeHint().width();
    const double width = qMax(50, m_view->viewport()->width() - (m_view->verticalScrollBar()->isVisible() ? 0 : scrollBar) - 2 * margin);
    const double height = qMax(50, m_view->viewport()->height() - 2 * margin);
    double zoom = width / paper.width();
    if (m_fit == Fit::Page)
        zoom = std::min(zoom, height / paper.height());
    setZoom(zoom);
}

double ReportPreview::dotsPerInch() const { return m_view->logicalDpi() * m_view->devicePixelRatio(); }

QImage ReportPreview::pageImage(int page) const
{
    if (page < 0 || page >= pagesLaidOut())
        return QImage();
    QImage picture = m_report.renderPage(m_pagination->pages()[page], dotsPerInch());
    picture.setDevicePixelRatio(m_view->devicePixelRatio());
    return picture;
}

void ReportPreview::print()
{
    QPrinter printer(QPrinter::HighResolution);
    m_report.preparePrinter(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, qMax(1, pageCount()));
    if (dialog.exec() == QDialog::Accepted)
        printTo(printer);
}

bool ReportPreview::printTo(QPrinter &printer)
{
    if (m_report.print(printer))
        return true;
    const bool toFile = !printer.outputFileName().isEmpty();
    showDefaultError(toFile ? QStringLiteral("چاپ انجام نشد: پرونده \"%1\" نوشته نشد").arg(leftToRightPath(printer.outputFileName()))
                            : QStringLiteral("چاپ انجام نشد: چاپگر \"%1\" در دسترس نيست").arg(printer.printerName()));
    return false;
}

void ReportPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    applyFit();
}

void ReportPreview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    applyFit();
}
