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
    using Flow = std::shared_ptr<const ReportFlow>;
    auto flowOf = [](const ReportBand *b, const ReportRow &row, double most = -1) {
        return std::make_shared<const ReportFlow>(b->flowFor(row, most));
    };
    const Flow footerFlow = footer ? flowOf(footer, ReportRow()) : nullptr;
    const double footerHeight = footer ? footerFlow->height : 0;
    // Bands without a row lay out alike on every page.
    QHash<const ReportBand *, Flow> fixed;
    auto fixedFlow = [&](const ReportBand *b) {
        Flow &f = fixed[b];
        if (!f)
            f = flowOf(b, ReportRow());
        return f;
    };
    const double limit = bottom - footerHeight + 1e-6;

    QVector<Page> pages;
    double y = top;
    int bodyBands = 0; // detail and summary bands on the open page
    auto openPage = [&] {
        pages.append(Page());
        y = top;
        bodyBands = 0;
        const bool first = pages.size() == 1;
        for (const ReportBand *header : {pageHeader, columnHeader})
            if (header && header->printsOn(first, false)) {
                const Flow flow = fixedFlow(header);
                pages.last().append(Placement{header, y, -1, 0, flow->height, flow});
                y += flow->height;
            }
    };
    auto put = [&](const ReportBand *b, int row, int number, const Flow &flow) {
        if (bodyBands > 0 && y + flow->height > limit)
            openPage();
        // A band taller than an empty page continues on the next pages, cut
        // between its lines.
        for (double from = 0; flow->height - from > limit - y + 1e-6;) {
            const ReportRow at(row >= 0 ? m_dataSet : nullptr, row, number);
            const double part = qMax(1.0, b->cutAt(at, *flow, from + limit - y) - from);
            pages.last().append(Placement{b, y, row, number, part, flow, from});
            from += part;
            openPage();
            if (flow->height - from <= limit - y + 1e-6) {
                pages.last().append(Placement{b, y, row, number, flow->height - from, flow, from});
                y += flow->height - from;
                ++bodyBands;
                return;
            }
        }
        pages.last().append(Placement{b, y, row, number, flow->height, flow});
        y += flow->height;
        ++bodyBands;
    };

    // A row may take an empty page less the other bands as they print
    // (a header whose values flow takes more than its height).
    double most = bottom - top;
    for (const ReportBand *b : m_bands)
        if (b != detail)
            most -= fixedFlow(b)->height;
    openPage();
    if (detail) {
        if (m_dataSet) {
            const int rows = m_dataSet->isOpen() ? m_dataSet->recordCount() : 0;
            for (int r = 0; r < rows; ++r)
                put(detail, r, r + 1, flowOf(detail, ReportRow(m_dataSet, r, r + 1), most));
        } else {
            put(detail, -1, 1, flowOf(detail, ReportRow(), most));
        }
    }
    if (summary) {
        const Flow flow = fixedFlow(summary);
        const double height = flow->height;
        // The summary (the closing text, the signatures) does not stand alone
        // on a page of its own: the last row goes over with it.
        // A row printed in parts stays where it is.
        if (bodyBands > 1 && y + height > limit && pages.last().last().band == detail && pages.last().last().from == 0) {
            const Placement last = pages.last().takeLast();
            openPage();
            put(detail, last.row, last.number, last.flow);
        }
        put(summary, -1, 0, flow);
    }
    if (footer)
        for (int i = 0; i < pages.size(); ++i)
            if (footer->printsOn(i == 0, i == pages.size() - 1))
                pages[i].append(Placement{footer, bottom - footerHeight, -1, 0, footerHeight, footerFlow});
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
