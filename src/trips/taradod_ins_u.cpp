#include "taradod_ins_u.h"
#include "common/EntryWindow.h"
#include "common/lookup.h"
#include "core/Controls.h"
#include "core/Dates.h"
#include "core/MonEdit.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/DataError.h"
#include "platform/Guard.h"
#include "platform/Letters.h"
#include "platform/MaskEdit.h"
#include "platform/Money.h"
#include "platform/Platform.h"
#include "platform/Query.h"
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTime>

namespace {

const QString DateMask = QStringLiteral("!9999/99/00;1;_");
const QString TimeMask = QStringLiteral("!90:00;1;_");
const QString BlankDate = QStringLiteral("    /  /  ");
const QString BlankTime = QStringLiteral("  :  ");

const QString InCity = QStringLiteral("درون شهر");
const QString OutOfCity = QStringLiteral("خارج شهر");
const QString DailyWork = QStringLiteral("کارکرد روزانه");
const QString Rental = QStringLiteral("استيجاري");
const QString DriverPost = QStringLiteral("راننده");
const QString StaffPost = QStringLiteral("پرسنل");
// The owner text of the organisation's own vehicles.
const QString OwnVehicles = QStringLiteral("کاروند ديسا استان");

// The two columns of the window: each field with its label on its right.
struct Column {
    int labelX;
    int labelWidth;
    int fieldX;
    int fieldWidth;
};
const Column Right{578, 165, 389, 183};
const Column Left{223, 160, 16, 200};
const int RowY[] = {11, 50, 89, 134, 171, 209, 249, 289, 330, 371, 416, 461};
const int FieldHeight = 27;

QFont fieldFont(bool bold = false)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(16);
    f.setBold(bold);
    return f;
}

// A field's background: red, yellow, or (an invalid colour) the window colour.
void paintField(QWidget *field, const QColor &colour)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour.isValid() ? colour : QApplication::palette(field).color(QPalette::Base));
    field->setPalette(palette);
}

void openLines(Query &query, const QStringList &lines)
{
    query.clear();
    for (const QString &line : lines)
        query.add(line);
    query.open();
}

QStringList columnTexts(const Query &query, const QString &column)
{
    QStringList out;
    const int c = query.columnIndex(column);
    for (int row = 0; row < query.recordCount(); ++row)
        out << query.textAt(row, c);
    return out;
}

// Only a move to another control of the window counts as entering or leaving
// a field; switching windows or opening a menu does not.
bool movedWithinWindow(QEvent *event)
{
    const auto reason = static_cast<QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

QString Ttaradod_ins::fullNameExpression(const Query &query)
{
    return query.connection()->dialect().concat({QStringLiteral("fname"), QStringLiteral("' '"), QStringLiteral("lname")});
}

Ttaradod_ins::Ttaradod_ins(QWidget *parent) : Page(parent, false)
{
    setObjectName(QStringLiteral("taradod_ins"));
    setWindowTitle(QStringLiteral("ثبت/ويرايش تردد"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setFixedSize(753, 573);

    // Places a field with its label on its right; row 1..12.
    auto place = [this](QWidget *field, const char *name, int row, const Column &column, const QString &caption,
                        ClickLabel *clickable = nullptr) {
        field->setObjectName(QLatin1String(name));
        field->setFont(fieldFont());
        field->setGeometry(column.fieldX, RowY[row - 1], column.fieldWidth, FieldHeight);
        QLabel *label = clickable ? clickable : new QLabel(caption, this);
        if (!clickable)
            label->setObjectName(QLatin1String(name) + QStringLiteral("_label"));
        label->setFont(fieldFont());
        label->setGeometry(column.labelX, RowY[row - 1], column.labelWidth, FieldHeight);
        label->setAlignment(Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter);
        label->setBuddy(field);
        m_fields << field;
    };
    auto combo = [&](const char *name, int row, const Column &column, const QString &caption) {
        auto *c = new ComboBox(true, this);
        place(c, name, row, column, caption);
        return c;
    };
    // Numbers read left to right; free text right to left.
    auto edit = [&](const char *name, int row, const Column &column, const QString &caption, bool rightToLeft = false) {
        auto *e = new QLineEdit(this);
        e->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        // Numbers stand at the right edge, like the dates and times.
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        place(e, name, row, column, caption);
        return e;
    };
    auto masked = [&](const char *name, int row, const Column &column, const char *labelName, const QString &caption,
                      const QString &mask, ClickLabel *&label) {
        auto *m = new MaskEdit(mask, this);
        label = named(new ClickLabel(caption, this), labelName);
        label->setCursor(Qt::PointingHandCursor);
        place(m, name, row, column, caption, label);
        return m;
    };
    auto money = [&](const char *name, int row, const Column &column, const QString &caption) {
        auto *m = new TMonEdit(this);
        m->setReadOnly(true);
        m->setLayoutDirection(Qt::LeftToRight);
        m->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        place(m, name, row, column, caption);
        return m;
    };

    // Created in the order the columns are written, which is also the tab
    // order: row by row, the right-hand field first.
    typ = combo("typ", 1, Right, QStringLiteral("نوع تردد"));
    nahve = combo("nahve", 1, Left, QStringLiteral("نحوه همکاري راننده"));
    ranande = combo("ranande", 2, Right, QStringLiteral("نام راننده"));
    mamor = combo("mamor", 2, Left, QStringLiteral("نام مامور"));
    loc = combo("loc", 3, Right, QStringLiteral("محل خدمت مامور"));
    mamor_cmt = combo("mamor_cmt", 3, Left, QStringLiteral("شرح ماموريت"));
    khodro = combo("khodro", 4, Right, QStringLiteral("نام خودرو"));
    pelak = combo("pelak", 4, Left, QStringLiteral("شماره پلاک"));
    ostan = combo("ostan", 5, Right, QStringLiteral("استان مقصد"));
    shahrestan = combo("shahrestan", 5, Left, QStringLiteral("شهرستان مقصد"));
    dat1 = masked("dat1", 6, Right, "Label8", QStringLiteral("از تاريخ"), DateMask, Label8);
    dat2 = masked("dat2", 6, Left, "Label9", QStringLiteral("تا تاريخ"), DateMask, Label9);
    saat1 = masked("saat1", 7, Right, "Label10", QStringLiteral("از ساعت"), TimeMask, Label10);
    saat2 = masked("saat2", 7, Left, "Label11", QStringLiteral("تا ساعت"), TimeMask, Label11);
    kilometr1 = edit("kilometr1", 8, Right, QStringLiteral("کيلومتر رفت"));
    kilometr2 = edit("kilometr2", 8, Left, QStringLiteral("کيلومتر برگشت"));
    taradod_cmt = edit("taradod_cmt", 9, Right, QStringLiteral("توضيحات و شرح تردد"), true);
    tavaghof = edit("tavaghof", 9, Left, QStringLiteral("ميزان ساعت توقف"));
    karkard_kilometr = edit("karkard_kilometr", 10, Right, QStringLiteral("جمع کيلومتر کارکرد"));
    karkard_saat = edit("karkard_saat", 10, Left, QStringLiteral("جمع ساعت کارکرد"));
    mablagh_kilometr = money("mablagh_kilometr", 11, Right, QStringLiteral("مبلغ هر کيلومتر"));
    mablagh_saat = money("mablagh_saat", 11, Left, QStringLiteral("مبلغ هر ساعت"));
    mablagh = edit("mablagh", 12, Right, QStringLiteral("مبلغ تردد"));
    mablagh->setReadOnly(true);

    auto button = [this](const char *name, const QString &caption, QStyle::StandardPixmap icon, int width) {
        auto *b = new QPushButton(style()->standardIcon(icon), caption, this);
        b->setObjectName(QLatin1String(name));
        b->setFont(fieldFont(true));
        b->setGeometry(Left.fieldX + 32, RowY[11], width, 45);
        // Enter in a field must not press a button behind the user's back.
        b->setAutoDefault(false);
        b->setDefault(false);
        return b;
    };
    ins_btn = button("ins_btn", QStringLiteral("ثبت"), QStyle::SP_DialogSaveButton, 133);
    edit_btn = button("edit_btn", QStringLiteral("ويرايش"), QStyle::SP_DialogApplyButton, 136);

    QList<QWidget *> tabOrder = m_fields;
    tabOrder << ins_btn << edit_btn;
    for (int i = 0; i + 1 < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);

    // The rates' own grouping gives way to the amount computation.
    mablagh_kilometr->OnChange = [this](TMonEdit *) { mablagh_kilometrChange(); };
    mablagh_saat->OnChange = [this](TMonEdit *) { mablagh_saatChange(); };
    karkard_kilometr->installEventFilter(this);
    karkard_saat->installEventFilter(this);
    mablagh->installEventFilter(this);

    connectGuarded(ostan, &ComboBox::changed, this, [this] { ostanChange(); });
    connectGuarded(nahve, &ComboBox::changed, this, [this] { nahveChange(); });
    connectGuarded(ranande, &ComboBox::changed, this, [this] { ranandeChange(); });
    connectGuarded(khodro, &ComboBox::changed, this, [this] { khodroChange(); });
    connectGuarded(mamor, &ComboBox::changed, this, [this] { mamorChange(); });
    connectGuarded(typ, &ComboBox::changed, this, [this] { typChange(); });
    // A plain edit's change runs on every change of its text, typed or set.
    connectGuarded(karkard_kilometr, &QLineEdit::textChanged, this, [this] { karkard_kilometrChange(); });
    connectGuarded(karkard_saat, &QLineEdit::textChanged, this, [this] { karkard_saatChange(); });
    connectGuarded(Label8, &ClickLabel::clicked, this, [this] { Label8Click(); });
    connectGuarded(Label9, &ClickLabel::clicked, this, [this] { Label9Click(); });
    connectGuarded(Label10, &ClickLabel::clicked, this, [this] { Label10Click(); });
    connectGuarded(Label11, &ClickLabel::clicked, this, [this] { Label11Click(); });
    connectGuarded(ins_btn, &QPushButton::clicked, this, [this] { ins_btnClick(); });
    connectGuarded(edit_btn, &QPushButton::clicked, this, [this] { edit_btnClick(); });
}

bool Ttaradod_ins::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && watched == mablagh && movedWithinWindow(event))
        runGuarded([this] { mablaghEnter(); });
    if (event->type() == QEvent::FocusOut && movedWithinWindow(event) && isVisible()) {
        if (watched == karkard_kilometr)
            runGuarded([this] { karkard_kilometrExit(); });
        else if (watched == karkard_saat)
            runGuarded([this] { karkard_saatExit(); });
    }
    return QDialog::eventFilter(watched, event);
}

void Ttaradod_ins::FormShow()
{
    // The lists only: the texts the trip list set stay as they are.
    Query &q = *app::dm->ADOQ_set;
    const QString persons = QStringLiteral("select ") + fullNameExpression(q) + QStringLiteral(" as n from personel where  ");
    const Dialect &dialect = q.connection()->dialect();
    fillComboFromList(QStringLiteral("نوع تردد"), typ);
    fillComboFromList(QStringLiteral("نحوه همکاري"), nahve);
    fillComboFromStatement(ranande, q, persons + dialect.equalsText(QStringLiteral("semat"), DriverPost), QStringLiteral("n"));
    fillComboFromStatement(mamor, q, persons + dialect.equalsText(QStringLiteral("semat"), StaffPost), QStringLiteral("n"));
    fillComboFromList(QStringLiteral("نام خودرو"), khodro);
    fillComboFromList(QStringLiteral("محل خدمت"), loc);
    fillComboFromList(QStringLiteral("شرح ماموريت"), mamor_cmt);
    fillComboFromStatement(ostan, q, QStringLiteral("select distinct ostan from abadiha "), QStringLiteral("ostan"));
}

void Ttaradod_ins::ostanChange()
{
    fillCounties(shahrestan, ostan->text());
}

void Ttaradod_ins::nahveChange()
{
    // Emptying the driver from code runs no cascade: vehicle and plate stay.
    ranande->setText(QString());
    ranande->clearItems();
    // The post and the cooperation mode, however their kaf and yeh are written.
    Query &q = *app::dm->ADOQuery1;
    const Dialect &dialect = q.connection()->dialect();
    openLines(q, {QStringLiteral("select * from personel where ") + dialect.equalsText(QStringLiteral("semat"), DriverPost)
                  + QStringLiteral(" and ") + dialect.equalsText(QStringLiteral("typ"), nahve->text())});
    QStringList drivers;
    const int fname = q.columnIndex(QStringLiteral("fname"));
    const int lname = q.columnIndex(QStringLiteral("lname"));
    for (int row = 0; row < q.recordCount(); ++row)
        drivers << q.textAt(row, fname) + QLatin1Char(' ') + q.textAt(row, lname);
    ranande->setItems(drivers);
}

QString Ttaradod_ins::vehicleOwner() const
{
    return sameLetters(nahve->text(), Rental) ? ranande->text() : OwnVehicles;
}

void Ttaradod_ins::ranandeChange()
{
    khodro->setText(QString());
    pelak->setText(QString());
    khodro->clearItems();
    pelak->clearItems();
    Query &q = *app::dm->ADOQuery1;
    openLines(q, {QStringLiteral("select * from khodro where ") + q.connection()->dialect().equalsText(QStringLiteral("lname"), vehicleOwner())});
    if (q.recordCount() == 1) {
        // The one vehicle of the driver: vehicle and plate at once.
        q.first();
        khodro->setText(q.field(QStringLiteral("khodro")).asString());
        pelak->setText(q.field(QStringLiteral("pelak")).asString());
        return;
    }
    khodro->setItems(columnTexts(q, QStringLiteral("khodro")));
}

void Ttaradod_ins::khodroChange()
{
    pelak->clearItems();
    pelak->setText(QString());
    Query &q = *app::dm->ADOQuery1;
    const Dialect &dialect = q.connection()->dialect();
    openLines(q, {QStringLiteral("select * from khodro where ") + dialect.equalsText(QStringLiteral("lname"), vehicleOwner())
                  + QStringLiteral(" and ") + dialect.equalsText(QStringLiteral("khodro"), khodro->text())});
    if (q.recordCount() == 1) {
        q.first();
        pelak->setText(q.field(QStringLiteral("pelak")).asString());
        return;
    }
    pelak->setItems(columnTexts(q, QStringLiteral("pelak")));
}

void Ttaradod_ins::mamorChange()
{
    Query &q = *app::dm->ADOQ_set;
    openLines(q, {QStringLiteral("select * from personel where ") + q.connection()->dialect().equalsText(fullNameExpression(q), mamor->text())});
    if (q.isEmpty()) {
        loc->setText(QString());
        return;
    }
    q.first();
    loc->setText(q.field(QStringLiteral("loc")).asString());
}

void Ttaradod_ins::typChange()
{
    const QColor red(Qt::red);
    const QColor yellow(Qt::yellow);
    const QColor window; // the window colour
    const QString type = typ->text();
    if (sameLetters(type, InCity)) {
        // Each preset of the two work fields recomputes the amount, which so
        // ends at "0".
        mablagh->setText(QStringLiteral("0"));
        karkard_kilometr->setText(QStringLiteral("0"));
        karkard_saat->setText(QStringLiteral("0"));
        karkard_kilometr->setReadOnly(true);
        karkard_saat->setReadOnly(true);
        for (QWidget *w : {mablagh, karkard_kilometr, karkard_saat})
            paintField(w, red);
        paintField(saat1, yellow);
        paintField(saat2, yellow);
    } else if (sameLetters(type, OutOfCity)) {
        karkard_kilometr->setReadOnly(false);
        karkard_saat->setReadOnly(false);
        for (QWidget *w : {mablagh, karkard_kilometr, karkard_saat})
            paintField(w, yellow);
        paintField(saat1, window);
        paintField(saat2, window);
    } else if (sameLetters(type, DailyWork)) {
        // The officer's place of service is not looked up for "---".
        mamor->setText(QStringLiteral("---"));
        saat1->setText(QStringLiteral("07:00"));
        saat2->setText(QStringLiteral("15:00"));
        karkard_kilometr->setReadOnly(true);
        karkard_saat->setReadOnly(false);
        karkard_saat->setText(QStringLiteral("8"));
        paintField(saat1, yellow);
        paintField(saat2, yellow);
        paintField(karkard_kilometr, red);
        paintField(karkard_saat, yellow);
        paintField(mablagh, yellow);
    } else {
        // The read-only state stays as the last type left it.
        for (QWidget *w : {static_cast<QWidget *>(saat1), static_cast<QWidget *>(saat2), static_cast<QWidget *>(karkard_kilometr),
                           static_cast<QWidget *>(karkard_saat), static_cast<QWidget *>(mablagh)})
            paintField(w, window);
    }
}

namespace {
const QString amountBeyondRange = QStringLiteral("خطا! مبلغ اين تردد از بزرگترين مبلغ قابل ثبت بيشتر است؛ کارکرد را اصلاح نماييد");
}

Money Ttaradod_ins::tripAmount(const QString &kilometres, const Money &kilometreRate, const QString &hours, const Money &hourRate)
{
    Decimal km;
    Decimal h;
    if (!Decimal::read(kilometres, &km))
        throw DataError(QStringLiteral("'%1' يك عدد معتبر نيست").arg(kilometres));
    if (!Decimal::read(hours, &h))
        throw DataError(QStringLiteral("'%1' يك عدد معتبر نيست").arg(hours));
    const Decimal amount = hourRate.toDecimal().times(h).plus(kilometreRate.toDecimal().times(km));
    Money m;
    if (!Money::fromDecimal(amount, Money::Rounding::HalfEven, &m))
        throw AmountBeyondRange(amountBeyondRange);
    return m;
}

std::optional<Money> Ttaradod_ins::rate(TMonEdit *field, const QString &listName)
{
    try {
        return field->amount();
    } catch (const DataError &) {
        // Named once for each text, not at every keystroke that counts again.
        QString &named = m_unreadableRates[listName];
        if (named != field->text()) {
            named = field->text();
            showMessage(QStringLiteral("مقدار «%1» در فهرست «%2» يك مبلغ نيست و مبلغ تردد با آن حساب نمي شود؛ آن را در تنظيمات اصلاح نماييد")
                            .arg(field->text(), listName));
        }
        return std::nullopt;
    }
}

void Ttaradod_ins::hideEvent(QHideEvent *event)
{
    m_unreadableRates.clear();
    Page::hideEvent(event);
}

void Ttaradod_ins::mablaghEnter()
{
    // Work texts that are no number give "0". A rate that is no amount is
    // named, since the save would refuse it; so is an amount beyond the
    // money range, left empty rather than shown (and stored) as 0.
    const std::optional<Money> kilometreRate = rate(mablagh_kilometr, KilometreRateList);
    const std::optional<Money> hourRate = rate(mablagh_saat, HourRateList);
    QString amount = QStringLiteral("0");
    bool beyondRange = false;
    if (kilometreRate && hourRate) {
        try {
            amount = tripAmount(karkard_kilometr->text(), *kilometreRate, karkard_saat->text(), *hourRate).toString();
        } catch (const AmountBeyondRange &) {
            amount.clear();
            beyondRange = true;
        } catch (const DataError &) {
        }
    }
    mablagh->setText(amount);
    const bool named = m_amountBeyondRange;
    m_amountBeyondRange = beyondRange;
    if (beyondRange && !named)
        showMessage(amountBeyondRange);
}

void Ttaradod_ins::karkard_kilometrExit()
{
    if (karkard_kilometr->text().isEmpty())
        karkard_kilometr->setText(QStringLiteral("0"));
}

void Ttaradod_ins::karkard_saatExit()
{
    if (karkard_saat->text().isEmpty())
        karkard_saat->setText(QStringLiteral("0"));
}

namespace {

// A click on a date label: today's date into a blank field, blank into a
// filled one. Today is taken at the click, so a window left open past
// midnight does not give yesterday's date.
void toggleDate(MaskEdit *field)
{
    if (field->text() != BlankDate) {
        field->setText(QString());
        return;
    }
    dates.Init();
    field->setText(dates.ToText());
}

// A click on a time label: the time now, as a 24-hour "hh:mm", into a blank
// field, blank into a filled one.
void toggleTime(MaskEdit *field)
{
    field->setText(field->text() == BlankTime ? QTime::currentTime().toString(QStringLiteral("HH:mm")) : QString());
}

} // namespace

void Ttaradod_ins::Label8Click() { toggleDate(dat1); }
void Ttaradod_ins::Label9Click() { toggleDate(dat2); }
void Ttaradod_ins::Label10Click() { toggleTime(saat1); }
void Ttaradod_ins::Label11Click() { toggleTime(saat2); }

bool Ttaradod_ins::requiredFieldsGiven()
{
    const QList<QPair<ComboBox *, QString>> required{
        {typ, QStringLiteral("خطا! نوع تردد نمي تواند خالي باشد")},
        {ranande, QStringLiteral("خطا! نام راننده   نمي تواند خالي باشد")},
        {mamor, QStringLiteral("خطا! نام مامور  نمي تواند خالي باشد")},
    };
    // A text of blanks only is as empty: a trip of no driver or officer
    // would escape the checks on them and be found by no search.
    for (const auto &[field, message] : required) {
        if (field->text().trimmed().isEmpty()) {
            showMessage(message);
            return false;
        }
    }
    if (m_amountBeyondRange) {
        showMessage(amountBeyondRange);
        return false;
    }
    return true;
}

// One driver has at most one trip other than in-city per start date. The
// trip being edited (exceptId) does not count against itself.
bool Ttaradod_ins::blockingCheckPassed(const QString &exceptId)
{
    Query &q = *app::dm->ADOQuery1;
    const Dialect &dialect = q.connection()->dialect();
    // The driver and the date however their letters and digits are written.
    QStringList lines{QStringLiteral("select * from taradod where "),
                      QStringLiteral("  ") + dialect.equalsText(QStringLiteral("dat1"), dat1->text()),
                      QStringLiteral(" and ") + dialect.equalsText(QStringLiteral("ranande"), ranande->text()),
                      QStringLiteral(" and typ<>") + quoted(InCity)};
    if (!exceptId.isEmpty())
        lines << QStringLiteral(" and id<>") + quoted(exceptId);
    openLines(q, lines);
    if (q.isEmpty())
        return true;
    showMessage(QStringLiteral("خطا! براي اين راننده در اين تاريخ يک تردد به غير از درون شهر قبلا ثبت شده است"));
    return false;
}

bool Ttaradod_ins::duplicateAllowedFor(const QString &exceptId)
{
    Query &q = *app::dm->ADOQuery1;
    const Dialect &dialect = q.connection()->dialect();
    return duplicateAllowed(q,
                            {QStringLiteral("select * from taradod where "), QStringLiteral(" ") + dialect.equalsText(QStringLiteral("ranande"), ranande->text()),
                             QStringLiteral(" and ") + dialect.equalsText(QStringLiteral("mamor"), mamor->text()),
                             QStringLiteral(" and ") + dialect.equalsText(QStringLiteral("dat1"), dat1->text())},
                            QStringLiteral(" هشدار! اين راننده و مامور قبلا ثبت شده است.آيا مي خواهيد ادامه دهيد؟"),
                            QStringLiteral("ranande"), exceptId);
}

void Ttaradod_ins::ins_btnClick()
{
    // The window stays open with its texts: a further click stores a further trip.
    storeControls(*app::dm->ADOQ_taradod, m_fields, RowMode::Append, [this] {
        return requiredFieldsGiven() && (sameLetters(typ->text(), InCity) || blockingCheckPassed(QString())) && duplicateAllowedFor(QString());
    });
}

void Ttaradod_ins::edit_btnClick()
{
    // A refused save leaves the window open with the typed changes, to be
    // put right or abandoned by closing the window.
    Query &rows = *app::dm->ADOQ_taradod;
    const auto checksPassed = [&] {
        if (!requiredFieldsGiven())
            return false;
        const QString id = rows.field(QStringLiteral("id")).asString();
        const bool driverChanged = !sameLetters(ranande->text(), rows.field(QStringLiteral("ranande")).asString());
        // A change of type, driver or start date may make the trip a second
        // one other than in-city for its driver and date.
        const bool moved = driverChanged || !sameLetters(typ->text(), rows.field(QStringLiteral("typ")).asString())
            || !sameLetters(dat1->text(), rows.field(QStringLiteral("dat1")).asString());
        if (moved && !sameLetters(typ->text(), InCity) && !blockingCheckPassed(id))
            return false;
        return !driverChanged || duplicateAllowedFor(id);
    };
    if (storeControls(rows, m_fields, RowMode::Edit, checksPassed))
        close();
}
