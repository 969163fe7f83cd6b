#include "Report.h"
#include "Fonts.h"
#include "Query.h"
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

using reportunit::fromMm;

Report::Report(QObject *parent) : QObject(parent)
{
    // The layouts name the families they were designed with; the mapping onto
    // the installed faces must be in place before any text is measured.
    static const bool fontsReady = (installFontSubstitutions(), true);
    Q_UNUSED(fontsReady)
}

void Report::setPaper(Paper paper, QPageLayout::Orientation orientation)
{
    m_paper = paper;
    m_orientation = orientation;
}

QPageSize Report::pageSize() const
{
    return QPageSize(m_paper == Paper::A5 ? QPageSize::A5 : QPageSize::A4);
}

QSizeF Report::paperSize() const
{
    const QSizeF portrait = pageSize().size(QPageSize::Millimeter);
    return m_orientation == QPageLayout::Landscape ? portrait.transposed() : portrait;
}

double Report::bandWidth() const
{
    return paperSize().width() - m_margins.left() - m_margins.right();
}

void Report::setDefaultFont(const QString &family, double pointSize)
{
    m_defaultFamily = family;
    m_defaultPointSize = pointSize;
}

ReportBand *Report::addBand(ReportBand::Type type, double height)
{
    if (ReportBand *existing = band(type)) {
        existing->setHeight(height);
        return existing;
    }
    auto *b = new ReportBand(this, type, height);
    m_bands.append(b);
    return b;
}

ReportBand *Report::band(ReportBand::Type type) const
{
    for (ReportBand *b : m_bands)
        if (b->type() == type)
            return b;
    return nullptr;
}

QList<ReportBand *> Report::bands() const { return QList<ReportBand *>(m_bands.begin(), m_bands.end()); }

ReportLabel *Report::label(const QString &name) const
{
    return findChild<ReportLabel *>(name);
}

QList<ReportLabel *> Report::valueLabels() const
{
    QList<ReportLabel *> out;
    for (const ReportBand *b : m_bands)
        for (ReportElement *e : b->elements())
            if (auto *l = qobject_cast<ReportLabel *>(e); l && l->isValueLabel())
                out << l;
    return out;
}

QVector<Report::Page> Report::paginate() const
{
    using Type = ReportBand::Type;
    const ReportBand *pageHeader = band(Type::PageHeader);
    const ReportBand *columnHeader = band(Type::ColumnHeader);
    const ReportBand *detail = band(Type::Detail);
    const ReportBand *summary = band(Type::Summary);
    const ReportBand *footer = band(Type::PageFooter);

    const double top = m_margins.top();
    const double bottom = paperSize().height() - m_margins.bottom();
    // Room for the footer is kept on every page: whether a page is the last
    // is known only when the rows have run out.
    const double limit = bottom - (footer ? footer->height() : 0) + 1e-6;

    QVector<Page> pages;
    double y = top;
    bool pageHasBody = false;
    auto openPage = [&] {
        pages.append(Page());
        y = top;
        pageHasBody = false;
        const bool first = pages.size() == 1;
        for (const ReportBand *header : {pageHeader, columnHeader})
            if (header && header->printsOn(first, false)) {
                pages.last().append(Placement{header, y, -1, 0});
                y += header->height();
            }
    };
    auto put = [&](const ReportBand *b, int row, int number) {
        // A band taller than an empty page still goes on it, so printing ends.
        if (pageHasBody && y + b->height() > limit)
            openPage();
        pages.last().append(Placement{b, y, row, number});
        y += b->height();
        pageHasBody = true;
    };

    openPage();
    if (detail) {
        if (m_dataSet) {
            const int rows = m_dataSet->isOpen() ? m_dataSet->recordCount() : 0;
            for (int r = 0; r < rows; ++r)
                put(detail, r, r + 1);
        } else {
            put(detail, -1, 1);
        }
    }
    if (summary)
        put(summary, -1, 0);
    if (footer)
        for (int i = 0; i < pages.size(); ++i)
            if (footer->printsOn(i == 0, i == pages.size() - 1))
                pages[i].append(Placement{footer, bottom - footer->height(), -1, 0});
    return pages;
}

void Report::paintPage(QPainter &painter, const Page &page, double dpiX, double dpiY) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double unitsPerInch = 25.4 * reportunit::perMm;
    painter.scale(dpiX / unitsPerInch, dpiY / unitsPerInch);
    for (const Placement &p : page) {
        painter.save();
        painter.translate(fromMm(m_margins.left()), fromMm(p.top));
        p.band->paint(painter, ReportRow(p.row >= 0 ? m_dataSet : nullptr, p.row, p.number));
        painter.restore();
    }
    painter.restore();
}

void Report::setUpDevice(QPagedPaintDevice &device) const
{
    // The device draws from the paper's corner; the report places its own margins.
    device.setPageLayout(QPageLayout(pageSize(), m_orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

void Report::preparePrinter(QPrinter &printer) const
{
    printer.setFullPage(true);
    const QPageLayout layout(pageSize(), m_orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    if (!printer.setPageLayout(layout)) {
        // A printer that cannot print to the paper's edge keeps its own margins;
        // with the full page the drawing still starts at the paper's corner.
        printer.setPageSize(pageSize());
        printer.setPageOrientation(m_orientation);
    }
    if (!m_title.isEmpty())
        printer.setDocName(m_title);
}

void Report::print(QPrinter &printer)
{
    printer.setFullPage(true);
    render(printer);
}

int Report::render(QPagedPaintDevice &device) const
{
    const QVector<Page> pages = paginate();
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const double dpiX = device.logicalDpiX();
    const double dpiY = device.logicalDpiY();
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        paintPage(painter, pages[i], dpiX, dpiY);
    }
    painter.end();
    return int(pages.size());
}

bool Report::exportPdf(const QString &path) const
{
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("kavrin"));
    writer.setTitle(m_title);
    setUpDevice(writer);
    return render(writer) > 0;
}

QImage Report::renderPage(int page, double dpi) const
{
    const QVector<Page> pages = paginate();
    if (page < 0 || page >= pages.size())
        return QImage();
    const QSizeF mm = paperSize();
    QImage image(qRound(mm.width() / 25.4 * dpi), qRound(mm.height() / 25.4 * dpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, pages[page], dpi, dpi);
    return image;
}

QList<QImage> Report::renderImages(double dpi) const
{
    QList<QImage> out;
    const int n = pageCount();
    for (int i = 0; i < n; ++i)
        out << renderPage(i, dpi);
    return out;
}
