// The thirteen printed forms filled with full-length values: the preview
// shows every page dot for dot as the PDF prints it, long values print whole
// and no smaller than their least size, the trip reports rule every column,
// and a long letter keeps its signature with its last rows.
#include "TestSupport.h"
#include "common/PrintedForm.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "personnel/personel_frm_arzyabi_u.h"
#include "personnel/personel_frm_darkhastkar_u.h"
#include "personnel/personel_frm_madarek_u.h"
#include "personnel/personel_frm_morakhasi_u.h"
#include "platform/Fonts.h"
#include "platform/Query.h"
#include "platform/Report.h"
#include "platform/ReportPreview.h"
#include "trips/taradod_frm_dakhel_u.h"
#include "trips/taradod_frm_kharej_new_u.h"
#include "trips/taradod_frm_kharej_u.h"
#include "trips/taradod_frm_riyali_u.h"
#include "trips/taradod_frm_rozane_dakhel_u.h"
#include "trips/taradod_frm_rozane_kharej_u.h"
#include "vehicles/khodro_frm_arzyabi_u.h"
#include "vehicles/khodro_frm_khalafi_u.h"
#include "vehicles/khodro_frm_sokht_u.h"
#include <QAbstractScrollArea>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <numeric>
#include <QSet>
#include <QRegularExpression>
#include <QPainter>
#include <QPaintEngine>
#include <QPicture>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <memory>

namespace {

constexpr double dpi = 150;

// Realistic long values: a name of 50 letters, two officers, a vehicle of 100.
const QString longDriver = QStringLiteral("سید محمدحسین موسوی‌نژاد خراسانی اصفهانی‌پور تهرانی");
const QString longOfficer = QStringLiteral("غلامرضا عبدالحسین‌زاده اصفهانی و محمدحسین موسوی‌نژاد");
const QString longVehicle = QStringLiteral("سواری پژو ۴۰۵ جی‌ال‌ایکس دوگانه‌سوز بنزین و سی‌ان‌جی مدل ۱۳۹۹ رنگ سفید روغنی با سیستم ترمز ضدقفل ABS");

// The values the forms are filled with.
enum Values { Realistic, Declared, LineBreaks };

// Each value label the forms have: a realistic full-length value, and its
// column's declared length, filled with words for names and places, with an
// unbroken code for numbers written as text, with digits for numbers.
enum Kind { Words, Code, Digits };
struct Sample {
    QString value;
    Kind kind = Words;
    int length = 0;
};
const QHash<QString, Sample> samples{
    {"ranande", {longDriver, Words, 50}}, {"ranande2", {longDriver, Words, 50}}, {"sokht_nam", {longDriver, Words, 50}},
    {"fname", {"محمدحسین", Words, 40}}, {"lname", {"موسوی‌نژاد خراسانی", Words, 50}}, {"mamor", {longOfficer, Words, 500}},
    {"raeis", {"عبدالرضا حسین‌پور قزوینی", Words, 50}}, {"moaven", {"عبدالرضا حسین‌پور قزوینی", Words, 50}},
    {"khodro", {longVehicle, Words, 100}}, {"pelak", {"۱۲ ب ۳۴۵ ایران ۶۷", Words, 50}}, {"rang", {"سفید روغنی", Words, 20}},
    {"ostan", {"چهارمحال و بختیاری", Words, 50}}, {"shahrestan", {"فریدونشهر", Words, 50}}, {"sodor", {"فریدونشهر", Words, 40}},
    {"loc", {"اداره کل امور مالی و پشتیبانی", Words, 50}}, {"mamor_cmt", {"بازدید از پروژه‌های عمرانی", Words, 50}},
    {"adr", {"شهرکرد، خیابان کاشانی، کوچه شهید مطهری، پلاک ۲۴", Words, 350}},
    {"cmt", {"دوازده سال رانندگی خودروی سواری در شرکت حمل و نقل", Words, 350}},
    {"nation", {"4621234567", Code, 10}}, {"phone", {"038-33334444", Code, 50}}, {"mobile", {"09131234567", Code, 50}},
    {"govahiname_no", {"9812345678", Code, 150}}, {"shasi", {"NAAP13FE9KJ123456", Code, 50}},
    {"motor_no", {"12487654321", Code, 30}}, {"model", {"1399", Code, 4}}, {"hajm_motor", {"1650", Digits, 10}},
    {"kilometr", {"1234567", Digits, 10}}, {"kilometr1", {"1234567", Digits, 10}}, {"kilometr2", {"1235678", Digits, 10}},
    {"karkard", {"1111", Digits, 10}}, {"karkard2", {"1111", Digits, 10}}, {"modat", {"12", Digits, 10}}, {"roz", {"12", Digits, 10}},
    {"karkard_kilometr_sum", {"123456", Digits, 15}}, {"karkard_saat_sum", {"12345", Digits, 15}},
    {"mablagh_sum", {"1234567890", Digits, 15}}, {"mablagh_kilometr", {"12500000", Digits, 15}}, {"mablagh_saat", {"3500000", Digits, 15}},
};

// A value holding line breaks (written by another program) in place of
// each name or place; the forms must print each of its lines.
const QString threeLines = QStringLiteral("خط اول\nخط دوم\nخط سوم");
const QString lastLine = QStringLiteral("خط سوم");

// Dates and times, at their one length.
QString dateOrTime(const QString &name)
{
    if (name.contains(QLatin1String("dat")) || name == QLatin1String("birthday") || name == QLatin1String("bime"))
        return QStringLiteral("1402/12/29");
    return name.startsWith(QLatin1String("saat")) ? QStringLiteral("23:45") : QString();
}

QString longValue(const QString &name)
{
    return samples.contains(name) ? samples.value(name).value : dateOrTime(name);
}

QString withLineBreaks(const QString &name)
{
    return samples.contains(name) && samples.value(name).kind == Words ? threeLines : longValue(name);
}

// A value at its column's declared length; dates and times as they are.
QString declaredLength(const QString &name)
{
    if (!samples.contains(name) || !dateOrTime(name).isEmpty())
        return dateOrTime(name);
    const Sample s = samples.value(name);
    const QString pattern = s.kind == Words  ? QStringLiteral("پژو ۴۰۵ جی‌ال‌ایکس دوگانه‌سوز سفید روغنی ")
                            : s.kind == Code ? QStringLiteral("NAAP13FE9KJ123456")
                                             : QStringLiteral("9876543210");
    return filledTo(s.length, pattern);
}

// Values the lists compose from two columns: the form, its label, the columns and what joins them.
struct Composed {
    const char *form, *label, *first, *joint, *second;
};
constexpr Composed composed[]{{"taradod_frm_dakhel", "ostan", "ostan", " ", "shahrestan"},
                              {"taradod_frm_kharej", "ostan", "ostan", " - ", "shahrestan"},
                              {"taradod_frm_kharej_new", "ostan", "ostan", " - ", "shahrestan"}};

// A form's value as its list fills it.
QString formValue(const PrintedForm *form, const QString &name, QString (*valueOf)(const QString &))
{
    for (const Composed &c : composed)
        if (form->objectName() == QLatin1String(c.form) && name == QLatin1String(c.label))
            return valueOf(QLatin1String(c.first)) + QLatin1String(c.joint) + valueOf(QLatin1String(c.second));
    return valueOf(name);
}

QList<PrintedForm *> allForms()
{
    return {app::personel_frm_darkhastkar, app::personel_frm_morakhasi, app::personel_frm_madarek, app::personel_frm_arzyabi,
            app::khodro_frm_sokht,         app::khodro_frm_khalafi,     app::khodro_frm_arzyabi,   app::taradod_frm_dakhel,
            app::taradod_frm_kharej,       app::taradod_frm_kharej_new, app::taradod_frm_rozane_kharej,
            app::taradod_frm_rozane_dakhel, app::taradod_frm_riyali};
}

void reopen(Query &q, const QString &sql)
{
    q.close();
    q.clear();
    q.add(sql);
    q.open();
}

// Every form filled: its value labels with full-length values, the trip
// reports over 30 trips and the letter over 25 vehicles (or `rows` of each),
// all with long names (or the values `valueOf` gives).
void fillForms(AppFixture &fx, QString (*valueOf)(const QString &) = longValue, int rows = 0)
{
    const auto longValue = valueOf;
    const QString longDriver = valueOf("ranande"), longOfficer = valueOf("mamor"), longVehicle = valueOf("khodro");
    for (int i = 1; i <= (rows ? rows : 30); ++i)
        fx.exec(QStringLiteral("insert into taradod (ranande,mamor,loc,mamor_cmt,khodro,pelak,ostan,shahrestan,dat1,dat2,saat1,saat2,"
                               "kilometr1,kilometr2,tavaghof,karkard_kilometr,karkard_saat,mablagh_kilometr,mablagh_saat,mablagh) values "
                               "('%1','%2','%3','%4','%5','%6','%7','%8','1402/12/%9','1402/12/29','07:30','23:45',%10)")
                    .arg(longDriver, longOfficer, longValue("loc"), longValue("mamor_cmt"), longVehicle, longValue("pelak"),
                         longValue("ostan"), longValue("shahrestan"))
                    .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                    .arg(valueOf != declaredLength ? QStringLiteral("1234567,1235678,12.5,1111,16.5,12500000,3500000,1234567890")
                                                : QStringLiteral("1234567890,2147483647,1234567.5,1234567890,1234567.5,"
                                                                 "123456789012345,123456789012345,123456789012345")));
    for (int i = 1; i <= (rows ? rows : 25); ++i)
        fx.exec(QStringLiteral("insert into khodro (lname,khodro,model,pelak,ostan,shahrestan) values ('%1','%2',1399,'%4','%5','%6')")
                    .arg(longDriver, QStringLiteral("%1 %2").arg(longVehicle).arg(i).left(100))
                    .arg(longValue("pelak"), longValue("ostan"), longValue("shahrestan")));
    reopen(*app::dm->ADOQ_taradod, QStringLiteral("select * from taradod order by id"));
    reopen(*app::dm->ADOQ_khodro, QStringLiteral("select * from khodro order by id"));
    for (PrintedForm *form : allForms()) {
        // The leave sheet's and the documents checklist's blanks are filled
        // in by hand: nothing sets them.
        if (form == app::personel_frm_morakhasi || form == app::personel_frm_madarek)
            continue;
        for (const QString &name : form->valueNames()) {
            QVERIFY2(!longValue(name).isEmpty(), qPrintable(QStringLiteral("no value for %1 of %2").arg(name, form->objectName())));
            form->setValue(name, formValue(form, name, valueOf));
        }
    }
}

bool havePoppler() { return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty(); }

// The pages of a PDF file (or its page `only`, from 1) as pictures at a
// resolution, drawn by the PDF reader.
QList<QImage> pdfPages(const QString &pdf, double resolution, int only = 0)
{
    const QString prefix = pdf + QStringLiteral("-page") + (only > 0 ? QString::number(only) + QLatin1Char('-') : QString());
    QStringList range;
    if (only > 0)
        range << QStringLiteral("-f") << QString::number(only) << QStringLiteral("-l") << QString::number(only);
    QProcess p;
    // Grey maps: writing PNG files would take most of the comparison's time.
    p.start(QStringLiteral("pdftoppm"), range + QStringList{QStringLiteral("-r"), QString::number(resolution), QStringLiteral("-gray"), pdf, prefix});
    p.waitForFinished(120000);
    QList<QImage> out;
    const QFileInfo info(prefix);
    QStringList files = QDir(info.path()).entryList({info.fileName() + QStringLiteral("*.pgm")}, QDir::Files, QDir::Name);
    for (const QString &f : files)
        out << QImage(info.path() + QLatin1Char('/') + f).convertToFormat(QImage::Format_Grayscale8);
    return out;
}

// Dots inked (darker than mid-grey) in one picture with no inked dot at or
// beside the same place in the other, counted both ways where they form a
// stroke: the two rasterisers' anti-aliasing differs at the edges by a dot
// or two at most, while a letter or sign out of its place leaves whole
// strokes unmatched.
// Pictures are resampled by each reader in its own way; their boxes are left
// out (`ignored`, in dots). `marks`, when given, receives the first picture
// with the unmatched dots in red.
int unmatchedInk(const QImage &first, const QImage &second, QImage *marks = nullptr, const QList<QRect> &ignored = {})
{
    const QImage a = first.convertToFormat(QImage::Format_Grayscale8);
    const QImage b = second.convertToFormat(QImage::Format_Grayscale8);
    const int w = qMin(a.width(), b.width());
    const int h = qMin(a.height(), b.height());
    // How many of the dots around (x, y), and the dot itself when `self`, pass `test`.
    auto around = [w, h](int x, int y, bool self, auto test) {
        int n = 0;
        for (int yy = y - 1; yy <= y + 1; ++yy)
            for (int xx = x - 1; xx <= x + 1; ++xx)
                n += (self || xx != x || yy != y) && xx >= 0 && yy >= 0 && xx < w && yy < h && test(xx, yy);
        return n;
    };
    auto inked = [](const QImage &img, int x, int y) { return img.constScanLine(y)[x] < 128; };
    auto near = [&](const QImage &img, int x, int y) { return around(x, y, true, [&](int xx, int yy) { return inked(img, xx, yy); }) > 0; };
    QVector<bool> unmatched(w * h, false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            unmatched[y * w + x] = ((inked(a, x, y) && !near(b, x, y)) || (inked(b, x, y) && !near(a, x, y)))
                                   && std::none_of(ignored.begin(), ignored.end(), [&](const QRect &r) { return r.contains(x, y); });
    // A lone dot or a pair is a corner or an end rounded differently; a
    // stroke is thicker: each of its dots has two such neighbours or more.
    auto stroke = [&](int x, int y) { return around(x, y, false, [&](int xx, int yy) { return unmatched[yy * w + xx]; }) >= 2; };
    if (marks)
        *marks = a.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (unmatched[y * w + x] && stroke(x, y)) {
                ++count;
                if (marks)
                    marks->setPixel(x, y, qRgb(255, 0, 0));
            }
    return count;
}

// The boxes of the pictures a page prints, in dots at a resolution.
QList<QRect> pictureBoxes(const Report &report, const Report::Page &page, double resolution)
{
    QList<QRect> out;
    const double dots = resolution / 25.4;
    for (const Report::Placement &p : page)
        for (const ReportElement *e : p.band->elements())
            if (qobject_cast<const ReportImage *>(e)) {
                const QRectF mm = e->geometry().translated(report.margins().left(), p.top);
                out << QRectF(mm.topLeft() * dots, mm.size() * dots).toAlignedRect().adjusted(-2, -2, 2, 2);
            }
    return out;
}

// A text as the PDF reader gives it back, compared letter by letter: no
// blanks or direction marks, one yeh and one kaf, and without lam-alef,
// which the reader gives back as a ligature of no letters, and without
// digits, whose Persian forms (۴ ۵ ۶) it does not always give back.
QString letters(const QString &text)
{
    QString out;
    for (QChar c : text.normalized(QString::NormalizationForm_KC))
        if (c.category() != QChar::Other_Format && !c.isSpace() && !c.isDigit())
            out += c == QChar(0x06CC) ? QChar(0x064A) : c == QChar(0x0643) ? QChar(0x06A9) : c;
    return out.remove(QStringLiteral("\u0644\u0627"));
}

// The text the PDF holds in a box of a page (mm from the paper's corner).
QString pdfTextIn(const QString &pdf, int page, const QRectF &mm)
{
    const QRectF pt(mm.topLeft() * 72 / 25.4, mm.size() * 72 / 25.4);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
                                          QStringLiteral("-x"), QString::number(qFloor(pt.x())), QStringLiteral("-y"),
                                          QString::number(qFloor(pt.y())), QStringLiteral("-W"), QString::number(qCeil(pt.width())),
                                          QStringLiteral("-H"), QString::number(qCeil(pt.height())), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Words of a page (from 1) of a PDF file lying on words of another line:
// the boxes of two words cross (neither within the other's height, as words
// of one line are, whatever their size) and the paper is inked where they
// do, so that a letter of one stands in the box of the other. Lines set
// close may cross their boxes where no letter reaches.
QStringList wordsOnWords(const QString &pdf, int page, QList<Word> words)
{
    auto within = [](const QRectF &a, const QRectF &b) { return a.top() >= b.top() - 0.05 && a.bottom() <= b.bottom() + 0.05; };
    std::sort(words.begin(), words.end(), [](const Word &a, const Word &b) { return a.box.top() < b.box.top(); });
    constexpr double resolution = 100;
    const double dots = resolution / 25.4;
    QImage paper;
    QStringList faults;
    for (int i = 0; i < words.size(); ++i)
        for (int j = i + 1; j < words.size() && words[j].box.top() < words[i].box.bottom(); ++j) {
            const QRectF &a = words[i].box, &b = words[j].box;
            if (!a.intersects(b) || within(a, b) || within(b, a))
                continue;
            if (paper.isNull())
                paper = pdfPages(pdf, resolution, page).value(0);
            const QRect both = QRectF((a & b).topLeft() * dots, (a & b).size() * dots).toRect() & paper.rect();
            int ink = 0;
            for (int y = both.top(); y <= both.bottom(); ++y)
                for (int x = both.left(); x <= both.right(); ++x)
                    ink += paper.constScanLine(y)[x] < 128;
            if (ink > 0)
                faults << QStringLiteral("\"%1\" at %2 mm lies on \"%3\" at %4 mm: %5 dots")
                              .arg(words[i].text)
                              .arg(a.top(), 0, 'f', 1)
                              .arg(words[j].text)
                              .arg(b.top(), 0, 'f', 1)
                              .arg(ink);
        }
    return faults;
}

// What a comparison allows: a few stray dots of anti-aliasing per page.
constexpr int allowedUnmatched = 12;

// A device that notes where the glyphs painted on it stand on the page
// (dots) and the pixel size of the smallest font among them.
class TextRecorder : public QPaintDevice {
public:
    QRect area;
    int smallest = INT_MAX;
    explicit TextRecorder(const QSize &dots) : m_dots(dots) {}
    QPaintEngine *paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return m_dots.width();
        case PdmHeight: return m_dots.height();
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return int(dpi);
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 1000;
        }
    }

private:
    struct Engine : QPaintEngine {
        TextRecorder *device;
        explicit Engine(TextRecorder *d) : QPaintEngine(AllFeatures), device(d) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        Type type() const override { return User; }
        void drawTextItem(const QPointF &p, const QTextItem &item) override
        {
            const QRectF box(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent());
            device->area |= painter()->transform().mapRect(box).toAlignedRect().adjusted(-8, -8, 8, 8);
            device->smallest = qMin(device->smallest, item.font().pixelSize());
        }
    };
    QSize m_dots;
    mutable Engine m_engine{this};
};

// A label of a placed band painted alone, as the page paints it.
void paintAlone(QPainter &painter, const Report &report, const Report::Placement &p, const ReportLabel *label)
{
    painter.save();
    const double scale = dpi / (25.4 * reportunit::perMm);
    painter.scale(scale, scale);
    painter.translate(reportunit::fromMm(report.margins().left()), reportunit::fromMm(p.top - p.from));
    label->paint(painter, ReportRow(p.row >= 0 ? report.dataSet() : nullptr, p.row, p.number), *p.flow);
    painter.restore();
}

// The texts a placed band shows: of a band continued over pages, those of
// the part from `from` down.
QList<const ReportLabel *> shownLabels(const Report &report, const Report::Placement &p)
{
    const bool whole = p.from <= 0 && p.height >= p.flow->height - 0.01;
    QList<const ReportLabel *> out;
    for (const ReportElement *e : p.band->elements())
        if (auto *l = qobject_cast<const ReportLabel *>(e)) {
            const QRectF at = whole ? QRectF() : l->fitFor(ReportRow(report.dataSet(), p.row, p.number), *p.flow).rect;
            if (whole || (at.bottom() > p.from && at.top() < p.from + p.height))
                out << l;
        }
    return out;
}

// Long names read back whole from the PDF of a form filled with realistic
// values, each from its own box: the amounts statement's, the daily
// reports' and the job application's. The detail cells grow for their
// second line, the header's values flow onto theirs. A name "field:x" is
// the detail band's field x.
const QList<std::tuple<QString, QString, QString>> namesReadBack{
    {"taradod_frm_riyali", "ranande", longDriver},
    {"taradod_frm_riyali", "khodro", longVehicle},
    {"taradod_frm_riyali", "field:ranande", longDriver},
    {"taradod_frm_riyali", "field:mamor", longOfficer},
    {"taradod_frm_rozane_kharej", "field:mamor", longOfficer},
    {"taradod_frm_rozane_dakhel", "field:ranande", longDriver},
    {"personel_frm_darkhastkar", "khodro", longVehicle},
    {"khodro_frm_sokht", "sokht_nam", longDriver},
};

// Where the first placement of a label (or field) on a page prints, grown
// as it prints, in mm from the paper's corner; null when the page has none.
QRectF printedBox(const Report &report, const Report::Page &page, const QString &name)
{
    for (const Report::Placement &p : page)
        for (const ReportElement *e : p.band->elements()) {
            const auto *field = qobject_cast<const ReportField *>(e);
            if (name.startsWith(QLatin1String("field:")) ? field && p.row >= 0 && field->field() == name.mid(6) : e->objectName() == name) {
                auto *l = qobject_cast<const ReportLabel *>(e);
                const ReportRow row(report.dataSet(), p.row, p.number);
                QRectF g = p.flow->rect(e);
                g.setHeight(qMax(g.height(), l->fitFor(row, *p.flow).rect.bottom() - g.top()));
                return g.translated(report.margins().left(), p.top);
            }
        }
    return QRectF();
}

// What the paper shows of every text of a page: each text laid out whole,
// then painted alone and compared with the whole page. Its glyphs add ink
// there (no box filled later paints over them), no two texts ink the same
// dots, the ink stays inside the paper's margins, and no glyph is smaller
// than `least` of the text's designed size (values; fixed texts half their size).
QStringList paperFaults(const Report &report, const Report::Page &page, double least)
{
    QStringList faults;
    const QImage whole = report.renderPage(page, dpi).convertToFormat(QImage::Format_Grayscale8);
    const double dots = dpi / 25.4;
    const QMarginsF m = report.margins();
    const QRect inside = QRectF(m.left() * dots, m.top() * dots, whole.width() - (m.left() + m.right()) * dots,
                                whole.height() - (m.top() + m.bottom()) * dots).toAlignedRect().adjusted(-1, -1, 1, 1);
    QVector<const ReportLabel *> owner(whole.width() * whole.height(), nullptr);
    QImage alone(whole.size(), QImage::Format_Grayscale8);
    for (const Report::Placement &p : page)
        for (const ReportLabel *l : shownLabels(report, p)) {
            const ReportRow row(report.dataSet(), p.row, p.number);
            if (!l->fitFor(row, *p.flow).whole)
                faults << l->objectName() + QStringLiteral(" is cut");
            TextRecorder recorder(whole.size());
            QPainter record(&recorder);
            paintAlone(record, report, p, l);
            record.end();
            const QRect area = recorder.area & alone.rect();
            if (area.isEmpty())
                continue;
            const QString what = QStringLiteral("%1 \"%2\"").arg(l->objectName(), l->textFor(row).left(40));
            const double share = double(recorder.smallest) / l->font().pixelSize();
            if (share < (l->isValue() ? least : 0.5) - 0.005)
                faults << what + QStringLiteral(" prints at %1 %").arg(qRound(share * 100));
            for (int y = area.top(); y <= area.bottom(); ++y)
                memset(alone.scanLine(y) + area.left(), 255, area.width());
            QPainter painter(&alone);
            painter.setClipRect(area);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            paintAlone(painter, report, p, l);
            painter.end();
            int ink = 0, covered = 0, outside = 0, shared = 0;
            const ReportLabel *other = nullptr;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x) {
                    if (alone.constScanLine(y)[x] >= 96)
                        continue;
                    ++ink;
                    covered += whole.constScanLine(y)[x] > 160;
                    outside += !inside.contains(x, y);
                    const ReportLabel *&o = owner[y * whole.width() + x];
                    if (o && o != l) {
                        ++shared;
                        other = o;
                    }
                    o = l;
                }
            if (covered > ink / 50 + 2)
                faults << what + QStringLiteral(" painted over: %1 of %2 dots").arg(covered).arg(ink);
            if (outside > 2)
                faults << what + QStringLiteral(" past the margin: %1 dots").arg(outside);
            if (shared > 6)
                faults << what + QStringLiteral(" on \"%1\": %2 dots").arg(other->textFor(row).left(40)).arg(shared);
        }
    return faults;
}

} // namespace

class PrintedFormsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase()
    {
        installFontSubstitutions();
        // To look at the pages: KAVRIN_KEEP_PRINTS=1 keeps the PDF files and their pictures.
        if (qEnvironmentVariableIsSet("KAVRIN_KEEP_PRINTS")) {
            dir.setAutoRemove(false);
            qInfo("pages kept in %s", qPrintable(dir.path()));
        }
    }

    // The way a preview that records texts and replays them as plain
    // strings draws a right-to-left caption (its colon at the wrong end, its
    // letters apart) is caught by the comparison; the same text drawn twice
    // the same way passes it.
    void comparisonCatchesAMisplacedColon()
    {
        Report report;
        report.setPaper(Report::Paper::A5);
        ReportBand *band = report.addBand(ReportBand::Type::Detail, 20);
        band->label(QStringLiteral("نام راننده: پژو ۴۰۵"), QStringLiteral("Zar"), 14)->placeRight(10, 5);
        const QImage drawn = report.renderPage(0, dpi);
        QCOMPARE(unmatchedInk(drawn, report.renderPage(0, dpi)), 0);

        QPicture recorded;
        QPainter recorder(&recorded);
        report.paintPage(recorder, report.paginate().first(), dpi, dpi);
        recorder.end();
        QImage replayed(drawn.size(), QImage::Format_RGB32);
        replayed.fill(Qt::white);
        QPainter player(&replayed);
        recorded.play(&player);
        player.end();
        QVERIFY2(unmatchedInk(drawn, replayed) > 10 * allowedUnmatched, qPrintable(QString::number(unmatchedInk(drawn, replayed))));
    }

    // The preview window: the form's Persian name as its caption, the whole
    // screen without a window manager, the page as wide as the view, and
    // pages to move between.
    void previewWindow()
    {
        AppFixture fx(Engine::Sqlite);
        fillForms(fx);
        Report &report = *app::taradod_frm_rozane_kharej->QuickRep1;
        ReportPreview preview(report);
        QCOMPARE(preview.windowTitle(), QStringLiteral("گزارش روزانه کارکرد خودرو استيجاري - خارج شهر"));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QCOMPARE(preview.frameGeometry(), QGuiApplication::primaryScreen()->availableGeometry());
        QVERIFY(preview.fitsWidth());
        QVERIFY(preview.pageCount() > 2);
        QCOMPARE(preview.currentPage(), 0);
        auto *view = preview.findChild<QAbstractScrollArea *>(QStringLiteral("pages"));
        QVERIFY(view);
        const double pageWidth = preview.pageImage(0).deviceIndependentSize().width();
        QVERIFY2(pageWidth > view->viewport()->width() - 60 && pageWidth <= view->viewport()->width(),
                 qPrintable(QStringLiteral("%1 in %2").arg(pageWidth).arg(view->viewport()->width())));
        preview.goToPage(2);
        QCOMPARE(preview.currentPage(), 2);
        preview.findChild<QAction *>(QStringLiteral("lastPageAction"))->trigger();
        QCOMPARE(preview.currentPage(), preview.pageCount() - 1);
        preview.findChild<QAction *>(QStringLiteral("zoomInAction"))->trigger();
        QVERIFY(!preview.fitsWidth());
        QCOMPARE(preview.currentPage(), preview.pageCount() - 1);
        preview.findChild<QAction *>(QStringLiteral("fitPageAction"))->trigger();
        QVERIFY(preview.pageImage(0).deviceIndependentSize().height() <= view->viewport()->height());
        for (PrintedForm *form : allForms())
            QVERIFY2(form->QuickRep1->title().contains(QRegularExpression(QStringLiteral("^[\\x{0600}-\\x{06FF} \\-]+$"))),
                     qPrintable(form->objectName()));
    }

    // Printing from the preview to a printer or file that takes nothing is
    // said so, with the file's path; a file that can be written gets the pages.
    void printingThatTakesNothingIsReported()
    {
        AppFixture fx(Engine::Sqlite);
        fillForms(fx);
        ReportPreview preview(*app::khodro_frm_khalafi->QuickRep1);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString nowhere = dir.filePath(QStringLiteral("no-such-folder/letter.pdf"));
        printer.setOutputFileName(nowhere);
        QVERIFY(!preview.printTo(printer));
        QCOMPARE(fx.ui.calls.size(), 1);
        QCOMPARE(fx.ui.calls[0].kind, Platform::BoxKind::Error);
        QVERIFY2(fx.ui.calls[0].text.contains(leftToRightPath(nowhere)), qPrintable(fx.ui.calls[0].text));

        fx.ui.reset();
        const QString written = dir.filePath(QStringLiteral("letter.pdf"));
        printer.setOutputFileName(written);
        QVERIFY(preview.printTo(printer));
        QCOMPARE(fx.ui.calls.size(), 0);
        QVERIFY(QFileInfo(written).size() > 0);
    }

    // The trip reports' column titles and rows are divided by rules standing
    // over the frames, the signature columns included: each rule's dots are
    // dark halfway down the title row and the first row.
    void tripReportsRuleEveryColumn()
    {
        AppFixture fx(Engine::Sqlite);
        fillForms(fx);
        const QList<QPair<PrintedForm *, QList<double>>> reports{
            {app::taradod_frm_rozane_kharej, {23.3, 40.7, 64.3, 90.0, 109.8, 141.3, 158.5, 175.4, 194.2, 207.4, 240.5, 264.6}},
            {app::taradod_frm_rozane_dakhel, {67.2, 82.5, 99.0, 140.8, 179.1}},
            // Where the layout has no rule between two columns, one stands midway.
            {app::taradod_frm_riyali, {24.9, 43.4, 62.7, 74.25, 85.65, 104.0, 122.3, 143.55, 166.2, 191.0}}};
        for (const auto &[form, rules] : reports) {
            const Report &report = *form->QuickRep1;
            const Report::Page page = report.paginate().first();
            const QImage image = report.renderPage(page, dpi).convertToFormat(QImage::Format_Grayscale8);
            const double dots = dpi / 25.4;
            for (const Report::Placement &p : page) {
                if (p.band->type() != ReportBand::Type::ColumnHeader && !(p.band->type() == ReportBand::Type::Detail && p.number == 1))
                    continue;
                const int y = qRound((p.top + p.height / 2) * dots);
                for (double rule : rules) {
                    const int x = qRound((report.margins().left() + rule + ReportShape::defaultOutline / 2) * dots);
                    int darkest = 255;
                    for (int dx = -2; dx <= 2; ++dx)
                        darkest = qMin<int>(darkest, image.constScanLine(y)[x + dx]);
                    QVERIFY2(darkest < 160, qPrintable(QStringLiteral("%1: no rule at %2 mm in the %3 band")
                                                           .arg(form->objectName())
                                                           .arg(rule)
                                                           .arg(p.band->type() == ReportBand::Type::Detail ? "detail" : "title")));
                }
            }
        }
    }

    void valuesFitWhole_data()
    {
        QTest::addColumn<int>("values");
        QTest::addRow("long names") << int(Realistic);
        // Every value at its column's declared length (a vehicle name of 100 letters).
        QTest::addRow("declared lengths") << int(Declared);
        QTest::addRow("line breaks") << int(LineBreaks);
    }

    // On the paper of the first, second and last page of every form, filled
    // with full-length values, with values at their columns' declared
    // lengths or with values of three lines, every text prints whole:
    // nothing painted over it, no word on a word of another line, nothing
    // past the margins, every line of every value; values at no less than
    // four fifths of their size (half at declared lengths, two fifths with
    // line breaks). With realistic values, the preview shows those pages dot
    // for dot as the PDF, and long names read back whole from their boxes.
    void valuesFitWhole()
    {
        if (!havePoppler())
            QSKIP("pdftotext is not installed");
        QFETCH(int, values);
        QString (*const valueOf)(const QString &) = values == Declared ? declaredLength : values == LineBreaks ? withLineBreaks : longValue;
        AppFixture fx(Engine::Sqlite);
        // Long values make a page of a row or two: three rows make the pages
        // a report repeats.
        fillForms(fx, valueOf, values == Realistic ? 0 : 3);
        QStringList faults;
        for (PrintedForm *form : allForms()) {
            Report &report = *form->QuickRep1;
            const QVector<Report::Page> pages = report.paginate();
            const QString pdf = dir.filePath(QStringLiteral("%1-%2.pdf").arg(form->objectName(), QLatin1String(QTest::currentDataTag())));
            QVERIFY(report.exportPdf(pdf));
            const QList<QList<Word>> words = pdfWords(pdf);
            QCOMPARE(words.size(), pages.size());
            // With realistic values the preview shows the paper: each page
            // checked, drawn by the preview at its zoom and by the PDF reader
            // from the file at the same resolution, matches.
            std::unique_ptr<ReportPreview> preview;
            if (values == Realistic) {
                preview = std::make_unique<ReportPreview>(report);
                preview->setZoom(preview->zoom() * dpi / preview->dotsPerInch());
                QCOMPARE(preview->dotsPerInch(), dpi);
                QCOMPARE(preview->pageCount(), int(pages.size()));
            }
            // The pages between the second and the last repeat the second;
            // of long values, the last repeats the second but for the summary.
            for (int i : QSet<int>{0, values == Realistic ? qMin(1, int(pages.size()) - 1) : 0, int(pages.size()) - 1}) {
                const double least = values == Realistic ? 0.8 : values == Declared ? 0.5 : 0.4;
                QStringList found = paperFaults(report, pages[i], least) + wordsOnWords(pdf, i + 1, words[i]);
                // As many last lines on the paper as the texts of the page hold.
                int held = 0;
                for (const Report::Placement &p : values == LineBreaks ? pages[i] : Report::Page())
                    for (const ReportLabel *l : shownLabels(report, p))
                        held += letters(l->textFor(ReportRow(report.dataSet(), p.row, p.number))).count(letters(lastLine));
                const int printed = held ? letters(pdfTextIn(pdf, i + 1, QRectF(QPointF(), report.paperSize()))).count(letters(lastLine)) : 0;
                if (printed != held)
                    found << QStringLiteral("%1 of %2 last lines printed").arg(printed).arg(held);
                for (const auto &[formName, name, expected] : namesReadBack)
                    if (values == Realistic && i == 0 && formName == form->objectName()) {
                        const QRectF box = printedBox(report, pages[i], name);
                        const QString printed = box.isNull() ? QString() : pdfTextIn(pdf, 1, box.adjusted(-0.3, -0.3, 0.3, 0.3));
                        if (letters(printed) != letters(expected))
                            found << QStringLiteral("%1 reads \"%2\"").arg(name, printed.simplified());
                    }
                if (preview) {
                    const QImage screen = preview->pageImage(i);
                    const QImage paper = pdfPages(pdf, dpi, i + 1).value(0);
                    QVERIFY(qAbs(screen.width() - paper.width()) <= 1 && qAbs(screen.height() - paper.height()) <= 1);
                    QImage marks;
                    if (const int unmatched = unmatchedInk(screen, paper, &marks, pictureBoxes(report, pages[i], dpi));
                        unmatched > allowedUnmatched) {
                        marks.save(dir.filePath(form->objectName() + QStringLiteral("-differences.png")));
                        dir.setAutoRemove(false);
                        found << QStringLiteral("%1 dots differ from the preview (pictures in %2)").arg(unmatched).arg(dir.path());
                    }
                }
                for (const QString &fault : found)
                    faults << QStringLiteral("%1 page %2: %3").arg(form->objectName()).arg(i + 1).arg(fault);
            }
        }
        for (const QString &fault : faults)
            qWarning("%s", qPrintable(fault));
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 texts do not print whole").arg(faults.size())));
    }

    // The no-fines letter for 25 vehicles: every page carries rows under its
    // column titles, and the closing request (its lines at one size) and
    // signature stand under the last rows, not alone on a page of their own.
    void letterKeepsItsSignatureWithItsRows()
    {
        AppFixture fx(Engine::Sqlite);
        fillForms(fx);
        const Report &letter = *app::khodro_frm_khalafi->QuickRep1;
        const QVector<Report::Page> pages = letter.paginate();
        QList<int> rowsPerPage;
        for (const Report::Page &page : pages) {
            int rows = 0;
            for (const Report::Placement &p : page)
                rows += p.band->type() == ReportBand::Type::Detail;
            rowsPerPage << rows;
        }
        QCOMPARE(pages.size(), 7);
        QCOMPARE(std::accumulate(rowsPerPage.begin(), rowsPerPage.end(), 0), 25);
        QVERIFY(!rowsPerPage.contains(0));
        QCOMPARE(pages.last().last().band->type(), ReportBand::Type::Summary);
        QCOMPARE(pages.last()[pages.last().size() - 2].number, 25);
        // The request's two lines are one paragraph, set at one size.
        QSet<double> sizes;
        for (const ReportElement *e : letter.band(ReportBand::Type::Summary)->elements())
            if (auto *l = qobject_cast<const ReportLabel *>(e); l && !l->isValueLabel() && !l->isBold())
                sizes << l->fitFor(ReportRow()).scale * l->pointSize();
        QCOMPARE(sizes.size(), 1);
    }
};

QTEST_MAIN(PrintedFormsTest)
#include "tst_printed_forms.moc"
