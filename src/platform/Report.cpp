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
    Pagination pagination(*this);
    pagination.layOutMore();
    return pagination.pages();
}

namespace {
std::shared_ptr<const ReportFlow> flowOf(const ReportBand *band, const ReportRow &row, double most = -1)
{
    return std::make_shared<const ReportFlow>(band->flowFor(row, most));
}
} // namespace

Report::Pagination::Pagination(const Report &report)
    : m_report(report), m_pageHeader(report.band(ReportBand::Type::PageHeader)), m_columnHeader(report.band(ReportBand::Type::ColumnHeader)),
      m_detail(report.band(ReportBand::Type::Detail)), m_summary(report.band(ReportBand::Type::Summary)),
      m_footer(report.band(ReportBand::Type::PageFooter))
{
    m_top = report.m_margins.top();
    m_bottom = report.paperSize().height() - report.m_margins.bottom();
    // Room for the footer is kept on every page: whether a page is the last
    // is known only when the rows have run out.
    m_footerFlow = m_footer ? flowOf(m_footer, ReportRow()) : nullptr;
    m_limit = m_bottom - (m_footer ? m_footerFlow->height : 0) + 1e-6;
    // A row may take an empty page less the other bands as they print
    // (a header whose values flow takes more than its height).
    m_most = m_bottom - m_top;
    for (const ReportBand *b : report.m_bands)
        if (b != m_detail)
            m_most -= fixedFlow(b)->height;
    const Query *data = report.m_dataSet;
    m_rows = m_detail && data && data->isOpen() ? data->recordCount() : 0;
    openPage();
}

Report::Pagination::Flow Report::Pagination::fixedFlow(const ReportBand *band)
{
    Flow &f = m_fixed[band];
    if (!f)
        f = flowOf(band, ReportRow());
    return f;
}

void Report::Pagination::openPage()
{
    // The page before is settled: it is not the last.
    if (m_footer && !m_pages.isEmpty() && m_footer->printsOn(m_pages.size() == 1, false))
        m_pages.last().append(Placement{m_footer, m_bottom - m_footerFlow->height, -1, 0, m_footerFlow->height, m_footerFlow});
    m_pages.append(Page());
    m_y = m_top;
    m_bodyBands = 0;
    const bool first = m_pages.size() == 1;
    for (const ReportBand *header : {m_pageHeader, m_columnHeader})
        if (header && header->printsOn(first, false)) {
            const Flow flow = fixedFlow(header);
            m_pages.last().append(Placement{header, m_y, -1, 0, flow->height, flow});
            m_y += flow->height;
        }
}

void Report::Pagination::put(const ReportBand *b, int row, int number, const Flow &flow)
{
    if (m_bodyBands > 0 && m_y + flow->height > m_limit)
        openPage();
    // A band taller than an empty page continues on the next pages, cut
    // between its lines.
    for (double from = 0; flow->height - from > m_limit - m_y + 1e-6;) {
        const ReportRow at(row >= 0 ? m_report.m_dataSet : nullptr, row, number);
        const double part = qMax(1.0, b->cutAt(at, *flow, from + m_limit - m_y) - from);
        m_pages.last().append(Placement{b, m_y, row, number, part, flow, from});
        from += part;
        openPage();
        if (flow->height - from <= m_limit - m_y + 1e-6) {
            m_pages.last().append(Placement{b, m_y, row, number, flow->height - from, flow, from});
            m_y += flow->height - from;
            ++m_bodyBands;
            return;
        }
    }
    m_pages.last().append(Placement{b, m_y, row, number, flow->height, flow});
    m_y += flow->height;
    ++m_bodyBands;
}

bool Report::Pagination::layOutMore(int rows)
{
    if (m_done)
        return false;
    const Query *data = m_report.m_dataSet;
    for (; m_next < m_rows && rows != 0; ++m_next, --rows)
        put(m_detail, m_next, m_next + 1, flowOf(m_detail, ReportRow(data, m_next, m_next + 1), m_most));
    if (m_next < m_rows)
        return true;
    finish();
    return false;
}

void Report::Pagination::finish()
{
    if (m_detail && !m_report.m_dataSet)
        put(m_detail, -1, 1, flowOf(m_detail, ReportRow(), m_most));
    if (m_summary) {
        const Flow flow = fixedFlow(m_summary);
        // The summary (the closing text, the signatures) does not stand alone
        // on a page of its own: the last row goes over with it.
        // A row printed in parts stays where it is.
        if (m_bodyBands > 1 && m_y + flow->height > m_limit && m_pages.last().last().band == m_detail && m_pages.last().last().from == 0) {
            const Placement last = m_pages.last().takeLast();
            openPage();
            put(m_detail, last.row, last.number, last.flow);
        }
        put(m_summary, -1, 0, flow);
    }
    if (m_footer && m_footer->printsOn(m_pages.size() == 1, true))
        m_pages.last().append(Placement{m_footer, m_bottom - m_footerFlow->height, -1, 0, m_footerFlow->height, m_footerFlow});
    m_done = true;
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
        const ReportRow row(p.row >= 0 ? m_dataSet : nullptr, p.row, p.number);
        const ReportFlow flow = p.flow ? *p.flow : p.band->flowFor(row);
        if (p.from > 0 || p.height < flow.height - 1e-6)
            p.band->paintPart(painter, row, flow, p.from, p.height);
        else
            p.band->paint(painter, row, flow);
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

bool Report::print(QPrinter &printer)
{
    printer.setFullPage(true);
    const bool range = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
    return render(printer, range ? printer.fromPage() : 1, range ? printer.toPage() : 0) > 0;
}

int Report::render(QPagedPaintDevice &device, int first, int last) const
{
    const QVector<Page> pages = paginate();
    const int from = qMax(1, first);
    const int to = last <= 0 ? int(pages.size()) : qMin(last, int(pages.size()));
    if (from > to)
        return 0;
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const double dpiX = device.logicalDpiX();
    const double dpiY = device.logicalDpiY();
    for (int i = from; i <= to; ++i) {
        if (i > from)
            device.newPage();
        paintPage(painter, pages[i - 1], dpiX, dpiY);
    }
    // Ending hands the pages over (a print job, the file's last bytes).
    if (!painter.end())
        return 0;
    return to - from + 1;
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
    return renderPage(pages[page], dpi);
}

QImage Report::renderPage(const Page &page, double dpi) const
{
    const QSizeF mm = paperSize();
    QImage image(qRound(mm.width() / 25.4 * dpi), qRound(mm.height() / 25.4 * dpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, page, dpi, dpi);
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
