#include "personel_ins_u.h"
#include "common/EntryWindow.h"
#include "common/lookup.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/Digits.h"
#include "platform/Guard.h"
#include "platform/Letters.h"
#include "platform/MaskEdit.h"
#include "platform/Platform.h"
#include "platform/Query.h"
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace {

const QString DateMask = QStringLiteral("!9999/99/00;1;_");
const QString YearMask = QStringLiteral("0000;1;_");

// The hand-mirrored layout: three columns of fields, each label at its right.
const int FieldX[] = {500, 251, 21};
const int LabelX[] = {633, 385, 146};
const int LabelWidth[] = {140, 110, 100};
const int RowY[] = {24, 62, 98, 132, 169, 205, 242, 279, 315, 351, 389, 427};
const int FieldWidth = 125;
const int FieldHeight = 21;

} // namespace

Tpersonel_ins::Tpersonel_ins(QWidget *parent) : Page(parent, false)
{
    setObjectName(QStringLiteral("personel_ins"));
    setWindowTitle(QStringLiteral("ثبت/ويرايش پرسنل"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setFixedSize(780, 532);

    // Places a field with its label; row 1..12, column 0 (right) to 2 (left).
    auto place = [this](QWidget *field, const char *name, int row, int column, const QString &caption) {
        field->setObjectName(QLatin1String(name));
        field->setGeometry(FieldX[column], RowY[row - 1], FieldWidth, FieldHeight);
        auto *label = new QLabel(caption, this);
        label->setObjectName(QLatin1String(name) + QStringLiteral("_label"));
        label->setGeometry(LabelX[column], RowY[row - 1], LabelWidth[column], FieldHeight);
        label->setAlignment(Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter);
        label->setBuddy(field);
        m_fields << field;
    };
    FieldMaker make(this, place);

    // Created in the order the columns are written.
    semat = make.combo("semat", 1, 0, QStringLiteral("سمت"));
    loc = make.combo("loc", 1, 1, QStringLiteral("محل خدمت"));
    typ = make.combo("typ", 2, 0, QStringLiteral("نحوه همکاري"));
    fname = make.edit("fname", 2, 1, QStringLiteral("نام"), true);
    lname = make.edit("lname", 2, 2, QStringLiteral("نام خانوادگي"), true);
    father = make.edit("father", 3, 0, QStringLiteral("نام پدر"), true);
    nation = make.edit("nation", 3, 1, QStringLiteral("کد ملي"));
    sh_no = make.edit("sh_no", 3, 2, QStringLiteral("شماره شناسنامه"));
    birthday = make.masked("birthday", 4, 0, QStringLiteral("تاريخ تولد"), DateMask);
    sodor = make.edit("sodor", 4, 1, QStringLiteral("محل صدور"), true);
    mazhab = make.combo("mazhab", 4, 2, QStringLiteral("مذهب"));
    farzand = make.edit("farzand", 5, 0, QStringLiteral("تعداد فرزند"));
    taahol = make.combo("taahol", 5, 1, QStringLiteral("وضعيت تاهل"));
    phone = make.edit("phone", 5, 2, QStringLiteral("تلفن ثابت"));
    mobile = make.edit("mobile", 6, 0, QStringLiteral("تلفن همراه"));
    zipcode = make.edit("zipcode", 6, 1, QStringLiteral("کدپستي"));
    adr = make.edit("adr", 6, 2, QStringLiteral("آدرس"), true);
    govahiname_dat = make.masked("govahiname_dat", 7, 0, QStringLiteral("تاريخ گواهينامه"), DateMask);
    govahiname_nomre = make.edit("govahiname_nomre", 7, 1, QStringLiteral("نمره منفي گواهينامه"));
    govahiname_no = make.edit("govahiname_no", 7, 2, QStringLiteral("شماره گواهينامه"));
    cmt = make.edit("cmt", 8, 0, QStringLiteral("ساير توضيحات و سابقه کار"), true);
    ostan = make.combo("ostan", 8, 1, QStringLiteral("استان محل خدمت"));
    shahrestan = make.combo("shahrestan", 8, 2, QStringLiteral("شهرستان محل خدمت"));
    reg_dat = make.masked("reg_dat", 11, 2, QStringLiteral("تاريخ ثبت نام"), DateMask);
    prot_no = make.edit("prot_no", 9, 0, QStringLiteral("شماره قرارداد با کاروند"));
    prot_dat = make.masked("prot_dat", 9, 1, QStringLiteral("تاريخ قرارداد با کاروند"), DateMask);
    salamat_dat = make.masked("salamat_dat", 9, 2, QStringLiteral("تاريخ کارت سلامت"), DateMask);
    khodro = make.combo("khodro", 10, 0, QStringLiteral("نام خودرو"));
    model = make.masked("model", 10, 1, QStringLiteral("سال ساخت"), YearMask);
    pelak = make.edit("pelak", 10, 2, QStringLiteral("شماره پلاک خودرو"));
    kilometr = make.edit("kilometr", 11, 0, QStringLiteral("کيلومتر خودرو"));
    bime = make.masked("bime", 11, 1, QStringLiteral("تاريخ بيمه"), DateMask);
    fani = make.combo("fani", 12, 0, QStringLiteral("فني و آشنايي با قطعات"));
    maharat = make.combo("maharat", 12, 1, QStringLiteral("مهارت رانندگي"));
    status = make.combo("status", 12, 2, QStringLiteral("وضعيت"));

    auto button = [this](const char *name, const QString &caption, QStyle::StandardPixmap icon, int x, int width) {
        auto *b = new QPushButton(style()->standardIcon(icon), caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(x, 464, width, 42);
        QFont bold = b->font();
        bold.setBold(true);
        b->setFont(bold);
        // Enter in a field must not press a button behind the user's back.
        b->setAutoDefault(false);
        b->setDefault(false);
        return b;
    };
    ins_btn = button("ins_btn", QStringLiteral("ثبت"), QStyle::SP_DialogSaveButton, 304, 133);
    edit_btn = button("edit_btn", QStringLiteral("ويرايش"), QStyle::SP_DialogApplyButton, 317, 136);

    // Tab order: rows 2 to 12, right to left within a row, the buttons, then
    // the two fields of row 1.
    const QList<QWidget *> tabOrder{typ, fname, lname, father, nation, sh_no, birthday, sodor, mazhab, farzand,
                                    taahol, phone, mobile, zipcode, adr, govahiname_dat, govahiname_nomre,
                                    govahiname_no, cmt, ostan, shahrestan, prot_no, prot_dat, salamat_dat, khodro,
                                    model, pelak, kilometr, bime, reg_dat, fani, maharat, status, ins_btn,
                                    edit_btn, semat, loc};
    for (int i = 0; i + 1 < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);

    nation->installEventFilter(this);
    farzand->installEventFilter(this);
    // Persian and Arabic-Indic digits reach the digit filters as ASCII ones.
    takeLocalDigits(nation);
    takeLocalDigits(farzand);
    connectGuarded(ostan, &ComboBox::changed, this, [this] { ostanChange(); });
    connectGuarded(ins_btn, &QPushButton::clicked, this, [this] { ins_btnClick(); });
    connectGuarded(edit_btn, &QPushButton::clicked, this, [this] { edit_btnClick(); });
}

bool Tpersonel_ins::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == nation && event->type() == QEvent::FocusOut) {
        // Only a move to another control of this window counts as leaving the
        // field; switching to another window or opening a menu does not.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible())
            QMetaObject::invokeMethod(this, [this] { runGuarded([this] { nationExit(); }); }, Qt::QueuedConnection);
    }
    if ((watched == nation || watched == farzand) && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Ctrl with a letter is a control character (the clipboard keys among them).
        const bool controlLetter = (key->modifiers() & Qt::ControlModifier) && !(key->modifiers() & Qt::AltModifier)
            && key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z;
        QChar c;
        if (controlLetter)
            c = QChar(ushort(key->key() - Qt::Key_A + 1));
        else if (!key->text().isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab
                 && key->key() != Qt::Key_Delete && key->key() != Qt::Key_Escape)
            c = key->text().at(0);
        else
            return QDialog::eventFilter(watched, event); // keys without a character
        if (watched == nation)
            nationKeyPress(c);
        else
            farzandKeyPress(c);
        if (c.isNull())
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

QChar Tpersonel_ins::FilterDigitKey(QChar key)
{
    const ushort code = key.unicode();
    if (code == 8 || code == 13 || (code >= '0' && code <= '9'))
        return key;
    return QChar();
}

void Tpersonel_ins::FormShow()
{
    fillComboFromList(QStringLiteral("محل خدمت"), loc);
    fillComboFromList(QStringLiteral("سمت پرسنل"), semat);
    fillComboFromList(QStringLiteral("نحوه همکاري"), typ);
    fillComboFromList(QStringLiteral("مذهب"), mazhab);
    fillComboFromList(QStringLiteral("نام خودرو"), khodro);
    fillComboFromList(QStringLiteral("فني و آشنايي با قطعات"), fani);
    fillComboFromList(QStringLiteral("مهارت رانندگي"), maharat);
    fillComboFromList(QStringLiteral("وضعيت پرسنل"), status);
    fillComboFromList(QStringLiteral("تاهل"), taahol);
    // Counties are listed only when the user changes the province.
    fillComboFromStatement(ostan, *app::dm->ADOQ_set, QStringLiteral("select distinct ostan from abadiha "), QStringLiteral("ostan"));
}

void Tpersonel_ins::ostanChange()
{
    fillCounties(shahrestan, ostan->text());
}

bool Tpersonel_ins::nationalCodeValid(const QString &typed)
{
    // A code with anything but a digit among its first nine characters
    // (pasted, or stored so) fails the check like any other wrong code; the
    // digits count in any of their forms.
    const QString code = asciiDigits(typed);
    int sum = 0;
    for (int i = 0; i < 9; ++i) {
        const QChar c = i < code.size() ? code.at(i) : QChar();
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        sum += (c.unicode() - '0') * (10 - i);
    }
    const int r = sum % 11;
    const int expected = r < 2 ? r : 11 - r;
    return QString::number(expected) == code.mid(9, 1);
}

void Tpersonel_ins::nationExit()
{
    const QString code = nation->text();
    if (code.isEmpty())
        return;
    if (code.size() == 10) {
        if (!nationalCodeValid(code))
            showMessage(QStringLiteral("کد ملي صحيح نيست"));
        return;
    }
    showMessage(QStringLiteral("كد ملي مي بايست 10 رقم باشد"));
    nation->setFocus(Qt::OtherFocusReason);
}

namespace {

// A last name of blanks only is no last name: the row could not be found
// or told apart by it.
bool lastNameGiven(const QLineEdit *lname)
{
    if (!lname->text().trimmed().isEmpty())
        return true;
    showMessage(QStringLiteral("خطا! نام خانوادگي  نمي تواند خالي باشد"));
    return false;
}

// The code's digits in any of their forms: a code stored with Persian
// digits by another program is the same code typed on the number pad. An
// edit names its own row, which is no duplicate of itself.
bool nationalCodeNotTaken(const QString &code, const QString &exceptId = QString())
{
    Query &q = *app::dm->ADOQuery1;
    return duplicateAllowed(q,
                            {QStringLiteral("select * from personel where "),
                             QStringLiteral(" ") + q.connection()->dialect().equalsText(QStringLiteral("nation"), code)},
                            QStringLiteral(" هشدار! اين کد ملي قبلا ثبت شده است.آيا مي خواهيد ادامه دهيد؟"),
                            QStringLiteral("nation"), exceptId);
}

} // namespace

void Tpersonel_ins::ins_btnClick()
{
    // The window stays open with its texts: a second click stores a second row.
    storeControls(*app::dm->ADOQ_personel, m_fields, RowMode::Append,
                  [this] { return lastNameGiven(lname) && nationalCodeNotTaken(nation->text()); });
}

void Tpersonel_ins::edit_btnClick()
{
    Query &rows = *app::dm->ADOQ_personel;
    const auto checksPassed = [&] {
        return lastNameGiven(lname)
            && (sameLetters(nation->text(), rows.field(QStringLiteral("nation")).asString())
                || nationalCodeNotTaken(nation->text(), rows.field(QStringLiteral("id")).asString()));
    };
    if (storeControls(rows, m_fields, RowMode::Edit, checksPassed))
        close();
}
