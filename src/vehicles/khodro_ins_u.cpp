#include "khodro_ins_u.h"
#include "common/EntryWindow.h"
#include "common/lookup.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/Guard.h"
#include "platform/Letters.h"
#include "platform/MaskEdit.h"
#include "platform/Platform.h"
#include "platform/Query.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString DateMask = QStringLiteral("!9999/99/00;1;_");
const QString YearMask = QStringLiteral("0000;1;_");

// A person's full name as the owner list offers it and as trips look a
// driver's vehicles up: first name, one blank, last name.
QString fullNameExpression(const Query &query)
{
    return query.connection()->dialect().concat({QStringLiteral("fname"), quoted(QStringLiteral(" ")), QStringLiteral("lname")});
}

QStringList itemsOf(const ComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace

Tkhodro_ins::Tkhodro_ins(QWidget *parent) : Page(parent, false)
{
    setObjectName(QStringLiteral("khodro_ins"));
    setWindowTitle(QStringLiteral("ثبت/ويرايش خودرو"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(790, 491);

    // Three columns of a caption with its field beside it; the grid runs
    // right to left with the window, so column 0 is the right-hand caption.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(12);
    auto place = [&](QWidget *field, const char *name, int row, int column, const QString &caption) {
        field->setObjectName(QLatin1String(name));
        field->setMinimumWidth(110);
        auto *label = new QLabel(caption, this);
        label->setObjectName(QLatin1String(name) + QStringLiteral("_label"));
        label->setBuddy(field);
        grid->addWidget(label, row - 1, 2 * column);
        grid->addWidget(field, row - 1, 2 * column + 1);
        m_fields << field;
    };
    FieldMaker make(this, place);

    // Created in the order the columns are written; rows 1 to 9, columns 0
    // (right) to 2 (left).
    lname = make.combo("lname", 1, 0, QStringLiteral("مالک خودرو"));
    khodro = make.combo("khodro", 1, 1, QStringLiteral("نام خودرو"));
    model = make.masked("model", 1, 2, QStringLiteral("مدل/سال ساخت"), YearMask);
    pelak = make.edit("pelak", 2, 0, QStringLiteral("شماره پلاک"));
    hajm_motor = make.combo("hajm_motor", 2, 1, QStringLiteral("حجم موتور"));
    shasi = make.edit("shasi", 2, 2, QStringLiteral("شماره شاسي"));
    motor_no = make.edit("motor_no", 3, 0, QStringLiteral("شماره موتور"));
    rang = make.combo("rang", 3, 1, QStringLiteral("رنگ"));
    kilometr = make.edit("kilometr", 3, 2, QStringLiteral("کيلومتر کارکرد"));
    arzesh = make.edit("arzesh", 4, 0, QStringLiteral("ارزش خودرو"));
    ostan = make.combo("ostan", 4, 1, QStringLiteral("استان محل خدمت"));
    shahrestan = make.combo("shahrestan", 4, 2, QStringLiteral("شهرستان محل خدمت"));
    bime_no_sales = make.edit("bime_no_sales", 5, 1, QStringLiteral("شماره بيمه نامه شخص ثالث"));
    bime_dat_sales = make.masked("bime_dat_sales", 5, 2, QStringLiteral("تاريخ بيمه نامه شخص ثالث"), DateMask);
    bime_no_badane = make.edit("bime_no_badane", 6, 1, QStringLiteral("شماره بيمه نامه بدنه"));
    bime_dat_badane = make.masked("bime_dat_badane", 6, 2, QStringLiteral("تاريخ بيمه نامه بدنه"), DateMask);
    sokht_nam = make.combo("sokht_nam", 7, 0, QStringLiteral(" تحويل گيرنده کارت سوخت"));
    sokht_dat = make.masked("sokht_dat", 7, 1, QStringLiteral("تاريخ تحويل کارت سوخت"), DateMask);
    cmt = make.edit("cmt", 7, 2, QStringLiteral("ساير توضيحات"), true);
    madar_cod = make.edit("madar_cod", 8, 0, QStringLiteral("کد دارايي مادر"));
    madar_cmt = make.edit("madar_cmt", 8, 1, QStringLiteral("شرح دارايي مادر"), true);
    madarek = make.combo("madarek", 8, 2, QStringLiteral("مدارک خودرو"));
    fani = make.combo("fani", 9, 0, QStringLiteral("وضعيت فني و ظاهري"));
    abzar = make.combo("abzar", 9, 1, QStringLiteral("ابزار و تجهيزات همراه"));
    status = make.combo("status", 9, 2, QStringLiteral("وضعيت"));
    for (int column : {1, 3, 5})
        grid->setColumnStretch(column, 1);

    // The two buttons share one place; the list shows one of them.
    auto button = [this](const char *name, const QString &caption, QStyle::StandardPixmap icon) {
        auto *b = new QPushButton(style()->standardIcon(icon), caption, this);
        b->setObjectName(QLatin1String(name));
        b->setMinimumSize(133, 42);
        QFont bold = b->font();
        bold.setBold(true);
        b->setFont(bold);
        // Enter in a field must not press a button behind the user's back.
        b->setAutoDefault(false);
        b->setDefault(false);
        return b;
    };
    ins_btn = button("ins_btn", QStringLiteral("ثبت"), QStyle::SP_DialogSaveButton);
    edit_btn = button("edit_btn", QStringLiteral("ويرايش"), QStyle::SP_DialogApplyButton);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ins_btn);
    buttons->addWidget(edit_btn);
    buttons->addStretch(1);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 16, 10, 12);
    outer->addLayout(grid);
    outer->addStretch(1);
    outer->addLayout(buttons);

    const QList<QWidget *> tabOrder{lname, madarek, fani, abzar, status, ins_btn, edit_btn, khodro, model,
                                    pelak, hajm_motor, shasi, motor_no, rang, kilometr, arzesh, bime_no_sales,
                                    sokht_nam, bime_no_badane, cmt, madar_cod, madar_cmt, bime_dat_sales,
                                    bime_dat_badane, sokht_dat, shahrestan, ostan};
    for (int i = 0; i + 1 < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);

    connectGuarded(ostan, &ComboBox::changed, this, [this] { ostanChange(); });
    connectGuarded(lname, &ComboBox::changed, this, [this] { lnameChange(); });
    connectGuarded(ins_btn, &QPushButton::clicked, this, [this] { ins_btnClick(); });
    connectGuarded(edit_btn, &QPushButton::clicked, this, [this] { edit_btnClick(); });
}

void Tkhodro_ins::FormShow()
{
    Query &set = *app::dm->ADOQ_set;
    // The personnel's full names serve both the owner and the fuel-card receiver.
    fillComboFromStatement(lname, set, QStringLiteral("select ") + fullNameExpression(set) + QStringLiteral(" as n from personel "),
                           QStringLiteral("n"));
    sokht_nam->setItems(itemsOf(lname));
    fillComboFromList(QStringLiteral("نام خودرو"), khodro);
    fillComboFromList(QStringLiteral("رنگ خودرو"), rang);
    fillComboFromList(QStringLiteral("حجم موتور"), hajm_motor);
    fillComboFromList(QStringLiteral("مدارک خودرو"), madarek);
    fillComboFromList(QStringLiteral("وضعيت فني و ظاهري خودرو"), fani);
    fillComboFromList(QStringLiteral("ابزار و تجهيزات همراه خودرو"), abzar);
    fillComboFromList(QStringLiteral("وضعيت خودرو"), status);
    // Counties are listed only when the user changes the province.
    fillComboFromStatement(ostan, set, QStringLiteral("select distinct ostan from abadiha "), QStringLiteral("ostan"));
}

void Tkhodro_ins::ostanChange()
{
    fillCounties(shahrestan, ostan->text());
}

void Tkhodro_ins::lnameChange()
{
    // An owner who is one of the personnel brings the vehicle registered with
    // that person; any other text (a name being typed, the organisation's own
    // owner text) empties the three fields.
    Query &set = *app::dm->ADOQ_set;
    set.clear();
    set.add(QStringLiteral("select * from personel where ") + set.connection()->dialect().equalsText(fullNameExpression(set), lname->text()));
    set.open();
    set.first();
    setControlText(khodro, set.field(QStringLiteral("khodro")).asString());
    setControlText(model, set.field(QStringLiteral("model")).asString());
    setControlText(pelak, set.field(QStringLiteral("pelak")).asString());
}

namespace {

// An owner of blanks only is no owner: no list, search or trip finds the
// vehicle by it.
bool ownerGiven(const ComboBox *owner)
{
    if (!owner->text().trimmed().isEmpty())
        return true;
    showMessage(QStringLiteral("خطا! نام خانوادگي  نمي تواند خالي باشد"));
    return false;
}

// The pair of owner and vehicle name is asked about when another row has it,
// however their kaf, yeh and digits are written. An edit names its own row,
// which is no duplicate of itself.
bool pairNotTaken(const QString &owner, const QString &vehicle, const QString &exceptId = QString())
{
    Query &q = *app::dm->ADOQuery1;
    const Dialect &dialect = q.connection()->dialect();
    return duplicateAllowed(q,
                            {QStringLiteral("select * from khodro where "),
                             QStringLiteral(" ") + dialect.equalsText(QStringLiteral("lname"), owner) + QStringLiteral(" and ")
                                 + dialect.equalsText(QStringLiteral("khodro"), vehicle)},
                            QStringLiteral(" هشدار! اين مالک و خودرو قبلا ثبت شده است.آيا مي خواهيد ادامه دهيد؟"),
                            QStringLiteral("lname"), exceptId);
}

} // namespace

void Tkhodro_ins::ins_btnClick()
{
    // The window stays open with its texts: a second click stores a second row.
    storeControls(*app::dm->ADOQ_khodro, m_fields, RowMode::Append,
                  [this] { return ownerGiven(lname) && pairNotTaken(lname->text(), khodro->text()); });
}

void Tkhodro_ins::edit_btnClick()
{
    Query &rows = *app::dm->ADOQ_khodro;
    // Only a changed owner is asked about; a changed vehicle name alone is not.
    const auto checksPassed = [&] {
        return ownerGiven(lname)
            && (sameLetters(lname->text(), rows.field(QStringLiteral("lname")).asString())
                || pairNotTaken(lname->text(), khodro->text(), rows.field(QStringLiteral("id")).asString()));
    };
    if (storeControls(rows, m_fields, RowMode::Edit, checksPassed))
        close();
}
