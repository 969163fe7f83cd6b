#include "khodro_src_u.h"
#include "khodro_frm_arzyabi_u.h"
#include "khodro_frm_khalafi_u.h"
#include "khodro_frm_sokht_u.h"
#include "khodro_ins_u.h"
#include "common/EntryWindow.h"
#include "common/FilterToggle.h"
#include "common/ListDeletion.h"
#include "common/ListSearch.h"
#include "common/MenuItems.h"
#include "common/PrintedForm.h"
#include "common/export.h"
#include "common/lookup.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/Query.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString CountLine = QStringLiteral("select count(*) as c from khodro where id<>-1 ");
const QString RowLine = QStringLiteral("select * from khodro where id<>-1 ");

const DeletionSpec &vehicleDeletion()
{
    static const DeletionSpec deletion{QStringLiteral("khodro"), QStringLiteral("khodro_pic"), QStringLiteral("khodro_id"),
                                   QStringLiteral(" حذف اطلاعات خودرو "), {QStringLiteral("lname"), QStringLiteral("khodro")}};
    return deletion;
}

// Fills a printed form's value labels from the columns of the same names of
// the list's current row (empty texts when the result set is empty).
void fillFromCurrentRow(PrintedForm *form, const QStringList &columns)
{
    Query &rows = *app::dm->ADOQ_khodro;
    for (const QString &column : columns)
        form->setValue(column, rows.field(column).asString());
}

} // namespace

const QList<GridColumn> &Tkhodro_src::gridColumns()
{
    static const QList<GridColumn> columns{
        {QStringLiteral("id"), QString(), 64, true},
        {QStringLiteral("ostan"), QStringLiteral("استان محل خدمت"), 100, false},
        {QStringLiteral("shahrestan"), QStringLiteral("شهرستان محل خدمت"), 110, false},
        {QStringLiteral("lname"), QStringLiteral("نام مالک"), 120, false},
        {QStringLiteral("khodro"), QStringLiteral("نام خودرو"), 80, false},
        {QStringLiteral("model"), QStringLiteral("مدل/سال ساخت"), 80, false},
        {QStringLiteral("pelak"), QStringLiteral("ش پلاک"), 100, false},
        {QStringLiteral("hajm_motor"), QStringLiteral("حجم موتور"), 80, false},
        {QStringLiteral("shasi"), QStringLiteral("شماره شاسي"), 80, false},
        {QStringLiteral("motor_no"), QStringLiteral("ش موتور"), 80, false},
        {QStringLiteral("rang"), QStringLiteral("رنگ"), 80, false},
        {QStringLiteral("kilometr"), QStringLiteral("کيلومتر"), 80, false},
        {QStringLiteral("arzesh"), QStringLiteral("ارزش"), 80, false},
        {QStringLiteral("bime_no_sales"), QStringLiteral("ش بيمه ثالث"), 80, false},
        {QStringLiteral("bime_dat_sales"), QStringLiteral("ت بيمه ثالث"), 80, false},
        {QStringLiteral("bime_no_badane"), QStringLiteral("ش بيمه بدنه"), 80, false},
        {QStringLiteral("bime_dat_badane"), QStringLiteral("ت بيمه بدنه"), 80, false},
        {QStringLiteral("sokht_nam"), QStringLiteral("تحويل گيرنده سوخت"), 80, false},
        {QStringLiteral("sokht_dat"), QStringLiteral("تاريخ ت سوخت"), 80, false},
        {QStringLiteral("cmt"), QStringLiteral("توضيحات"), 80, false},
        {QStringLiteral("madar_cod"), QStringLiteral("کد دارايي مادر"), 80, false},
        {QStringLiteral("madar_cmt"), QStringLiteral("شرح دارايي مادر"), 80, false},
        {QStringLiteral("madarek"), QStringLiteral("مدارک"), 80, false},
        {QStringLiteral("fani"), QStringLiteral("وضعيت فني و ظاهري"), 80, false},
        {QStringLiteral("abzar"), QStringLiteral("ابزار و تجهيزات همراه"), 80, false},
        {QStringLiteral("status"), QStringLiteral("وضعيت"), 80, false},
    };
    return columns;
}

const QList<QPair<QString, QString>> &Tkhodro_src::exportTitles()
{
    static const QList<QPair<QString, QString>> table = [] {
        QList<QPair<QString, QString>> titles = personnelTitles();
        for (auto &pair : titles)
            if (pair.first == QLatin1String("nation"))
                pair = {QStringLiteral("khodro"), QStringLiteral("نام خودرو")};
        return titles;
    }();
    return table;
}

Tkhodro_src::Tkhodro_src(QWidget *parent) : Page(parent, false)
{
    setObjectName(QStringLiteral("khodro_src"));
    setWindowTitle(QStringLiteral("ليست خودروها"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(859, 607);

    auto named = [](auto *object, const char *name) {
        object->setObjectName(QLatin1String(name));
        return object;
    };
    // A filter: its check box and its field, disabled until the box is ticked.
    auto filterBox = [&](const char *name, const QString &caption) { return named(new QCheckBox(caption, this), name); };
    CheckBox1 = filterBox("CheckBox1", QStringLiteral("نام خانوادگي"));
    lname = named(new QLineEdit(this), "lname");
    lname->setLayoutDirection(Qt::RightToLeft);
    CheckBox11 = filterBox("CheckBox11", QStringLiteral("شهرستان"));
    shahrestan = named(new ComboBox(true, this), "shahrestan");
    CheckBox2 = filterBox("CheckBox2", QStringLiteral("وضعيت"));
    status = named(new ComboBox(true, this), "status");
    CheckBox12 = filterBox("CheckBox12", QStringLiteral("خودرو"));
    khodro = named(new ComboBox(true, this), "khodro");
    for (QWidget *field : {static_cast<QWidget *>(lname), static_cast<QWidget *>(shahrestan),
                           static_cast<QWidget *>(status), static_cast<QWidget *>(khodro)}) {
        field->setEnabled(false);
        field->setFixedWidth(130);
    }

    src_btn = named(new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("جستجو"), this), "src_btn");
    src_btn->setAutoDefault(false);
    src_btn->setMinimumSize(75, 34);
    cnt = named(new QLabel(this), "cnt");
    cnt->setAlignment(Qt::AlignCenter);

    DBGrid1 = named(new DbGrid(this), "DBGrid1");
    DBGrid1->setLayoutDirection(Qt::RightToLeft);
    DBGrid1->setQuery(app::dm->ADOQ_khodro);
    DBGrid1->setColumns(gridColumns());

    // The menu, right to left with the window; the first three items are the
    // commands the main window's rights gate enables.
    MainMenu1 = named(new QMenuBar(this), "MainMenu1");
    MainMenu1->setLayoutDirection(Qt::RightToLeft);
    const auto item = addMenuItem;
    const auto submenu = [this](const char *name, const QString &caption) { return addSubMenu(MainMenu1, name, caption); };
    N1 = item(MainMenu1, "N1", QStringLiteral("ثبت"));
    N2 = item(MainMenu1, "N2", QStringLiteral("ويرايش"));
    N3 = item(MainMenu1, "N3", QStringLiteral("حذف"));
    N4 = item(MainMenu1, "N4", QStringLiteral("پرونده الکترونيک"));
    N5 = submenu("N5", QStringLiteral("فرم ها"));
    N8 = item(N5, "N8", QStringLiteral("چک ليست ارزيابي فني خودرو سبک"));
    N9 = item(N5, "N9", QStringLiteral("تحويل کارت سوخت"));
    N10 = item(N5, "N10", QStringLiteral("عدم خلافي"));
    N6 = submenu("N6", QStringLiteral("گزارشات"));
    N11 = item(N6, "N11", QStringLiteral("اکسل"));
    N7 = item(MainMenu1, "N7", QStringLiteral("بستن"));

    // Filters at the top right (owner and county; status and vehicle name
    // below), the search button with the count at the top left, the grid
    // filling the rest.
    auto *filtersGrid = new QGridLayout;
    filtersGrid->setHorizontalSpacing(6);
    filtersGrid->addWidget(CheckBox1, 0, 0);
    filtersGrid->addWidget(lname, 0, 1);
    filtersGrid->addWidget(CheckBox11, 0, 2);
    filtersGrid->addWidget(shahrestan, 0, 3);
    filtersGrid->addWidget(CheckBox2, 1, 0);
    filtersGrid->addWidget(status, 1, 1);
    filtersGrid->addWidget(CheckBox12, 1, 2);
    filtersGrid->addWidget(khodro, 1, 3);
    auto *searchColumn = new QVBoxLayout;
    searchColumn->addWidget(src_btn);
    searchColumn->addWidget(cnt);
    auto *top = new QHBoxLayout;
    top->addSpacing(8);
    top->addLayout(filtersGrid);
    top->addStretch(1);
    top->addLayout(searchColumn);
    auto *outer = new QVBoxLayout(this);
    outer->setMenuBar(MainMenu1);
    outer->addLayout(top);
    outer->addWidget(DBGrid1, 1);

    const QList<QWidget *> tabOrder{DBGrid1, src_btn, CheckBox12, CheckBox11, shahrestan, CheckBox1, lname, CheckBox2, status, khodro};
    for (int i = 0; i + 1 < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);

    connectGuarded(src_btn, &QPushButton::clicked, this, [this] { src_btnClick(); });
    connectGuarded(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connectGuarded(CheckBox11, &QCheckBox::toggled, this, [this] { CheckBox11Click(); });
    connectGuarded(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    connectGuarded(CheckBox12, &QCheckBox::toggled, this, [this] { CheckBox12Click(); });
    connectGuarded(DBGrid1, &DbGrid::titleClicked, this, [this](int column, const QString &) { DBGrid1TitleClick(column); });
    connectGuarded(N1, &QAction::triggered, this, [this] { N1Click(); });
    connectGuarded(N2, &QAction::triggered, this, [this] { N2Click(); });
    connectGuarded(N3, &QAction::triggered, this, [this] { N3Click(); });
    connectGuarded(N8, &QAction::triggered, this, [this] { N8Click(); });
    connectGuarded(N9, &QAction::triggered, this, [this] { N9Click(); });
    connectGuarded(N10, &QAction::triggered, this, [this] { N10Click(); });
    connectGuarded(N11, &QAction::triggered, this, [this] { N11Click(); });
    connectGuarded(N7, &QAction::triggered, this, [this] { N7Click(); });
}

QList<TextFilter> Tkhodro_src::filters() const
{
    // The order in which the filters' conditions are added.
    return {{QStringLiteral("shahrestan"), shahrestan},
            {QStringLiteral("khodro"), khodro},
            {QStringLiteral("lname"), lname},
            {QStringLiteral("status"), status}};
}

void Tkhodro_src::src_btnClick()
{
    ListSearch{CountLine, RowLine, restrictedFilterConditions(filters()), {}}.run(*app::dm->ADOQuery1, cnt, *app::dm->ADOQ_khodro);
}

void Tkhodro_src::CheckBox1Click() { toggleFilter(CheckBox1, {lname}); }
void Tkhodro_src::CheckBox11Click() { toggleFilter(CheckBox11, {shahrestan}); }
void Tkhodro_src::CheckBox2Click() { toggleFilter(CheckBox2, {status}); }
void Tkhodro_src::CheckBox12Click() { toggleFilter(CheckBox12, {khodro}); }

void Tkhodro_src::DBGrid1TitleClick(int column)
{
    m_titleSort.click(DBGrid1, column);
}

void Tkhodro_src::FormShow()
{
    fillComboFromList(QStringLiteral("نام خودرو"), khodro);
}

void Tkhodro_src::N1Click()
{
    Tkhodro_ins *entry = app::khodro_ins;
    for (QWidget *field : entry->fields())
        setControlText(field, QString());
    entry->ins_btn->setVisible(true);
    entry->edit_btn->setVisible(false);
    platform().showModal(entry);
}

void Tkhodro_src::N2Click()
{
    // Without a current vehicle there is nothing to edit: the window's save
    // would otherwise have no row to write to.
    Query &rows = *app::dm->ADOQ_khodro;
    if (!rows.isOpen() || rows.isEmpty())
        return;
    Tkhodro_ins *entry = app::khodro_ins;
    loadControlsFromRow(entry->fields(), rows);
    entry->ins_btn->setVisible(false);
    entry->edit_btn->setVisible(true);
    platform().showModal(entry);
}

void Tkhodro_src::N3Click()
{
    deleteCurrentRow(*app::dm->ADOQ_khodro, vehicleDeletion());
}

void Tkhodro_src::N8Click()
{
    Tkhodro_frm_arzyabi *form = app::khodro_frm_arzyabi;
    fillFromCurrentRow(form, {QStringLiteral("khodro"), QStringLiteral("pelak"), QStringLiteral("kilometr"), QStringLiteral("hajm_motor"),
                              QStringLiteral("shasi"), QStringLiteral("motor_no"), QStringLiteral("rang"), QStringLiteral("model"),
                              QStringLiteral("ostan")});
    form->preview();
}

void Tkhodro_src::N9Click()
{
    Tkhodro_frm_sokht *form = app::khodro_frm_sokht;
    fillFromCurrentRow(form, {QStringLiteral("ostan"), QStringLiteral("khodro"), QStringLiteral("pelak"), QStringLiteral("sokht_dat"),
                              QStringLiteral("sokht_nam")});
    form->preview();
}

void Tkhodro_src::N10Click()
{
    // The letter names the county and province of the current vehicle and
    // lists every vehicle of the result set, in the list's current order.
    Tkhodro_frm_khalafi *form = app::khodro_frm_khalafi;
    fillFromCurrentRow(form, {QStringLiteral("ostan"), QStringLiteral("shahrestan")});
    form->setValue(QStringLiteral("moaven"), singleValue(QStringLiteral("معاون پشتيباني"), *app::dm->ADOQuery1));
    form->preview();
}

void Tkhodro_src::N11Click()
{
    exportToSpreadsheet(*app::dm->ADOQ_khodro, exportTitles(), windowTitle());
}

void Tkhodro_src::N7Click()
{
    close();
}
