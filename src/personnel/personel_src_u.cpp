#include "personel_src_u.h"
#include "PERSONEL_PIC_u.h"
#include "personel_frm_arzyabi_u.h"
#include "personel_frm_darkhastkar_u.h"
#include "personel_frm_madarek_u.h"
#include "personel_frm_morakhasi_u.h"
#include "personel_ins_u.h"
#include "common/EntryWindow.h"
#include "common/FilterToggle.h"
#include "common/ListDeletion.h"
#include "common/ListSearch.h"
#include "common/export.h"
#include "common/lookup.h"
#include "admin/users_u.h"
#include "core/Dates.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Digits.h"
#include "platform/Guard.h"
#include "platform/MaskEdit.h"
#include "platform/Platform.h"
#include "platform/Query.h"
#include "platform/Shape.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString CountLine = QStringLiteral("select count(*) as c from personel where id<>-1 ");
const QString RowLine = QStringLiteral("select * from personel where id<>-1 ");

const DeletionSpec &personDeletion()
{
    static const DeletionSpec deletion{QStringLiteral("personel"), QStringLiteral("personel_pic"), QStringLiteral("personel_id"),
                                   QStringLiteral(" حذف اطلاعات پرسنل "), {QStringLiteral("fname"), QStringLiteral("lname")}};
    return deletion;
}

// The columns of the current person that the job application form shows.
const QStringList &applicationFormFields()
{
    static const QStringList fields{QStringLiteral("fname"), QStringLiteral("lname"), QStringLiteral("nation"),
                                    QStringLiteral("birthday"), QStringLiteral("sodor"), QStringLiteral("phone"),
                                    QStringLiteral("mobile"), QStringLiteral("adr"), QStringLiteral("govahiname_dat"),
                                    QStringLiteral("cmt"), QStringLiteral("khodro"), QStringLiteral("model"),
                                    QStringLiteral("bime")};
    return fields;
}

} // namespace

const QList<GridColumn> &Tpersonel_src::gridColumns()
{
    static const QList<GridColumn> columns{
        {QStringLiteral("id"), QString(), 64, true},
        {QStringLiteral("semat"), QStringLiteral("سمت"), 60, false},
        {QStringLiteral("typ"), QStringLiteral("نحوه همکاري"), 80, false},
        {QStringLiteral("loc"), QStringLiteral("محل خدمت"), 80, false},
        {QStringLiteral("fname"), QStringLiteral("نام"), 80, false},
        {QStringLiteral("lname"), QStringLiteral("نام خانوادگي"), 80, false},
        {QStringLiteral("father"), QStringLiteral("نام پدر"), 80, false},
        {QStringLiteral("nation"), QStringLiteral("کد ملي"), 80, false},
        {QStringLiteral("khodro"), QStringLiteral("نام خودرو"), 80, false},
        {QStringLiteral("model"), QStringLiteral("مدل"), 80, false},
        {QStringLiteral("pelak"), QStringLiteral("شماره پلاک"), 80, false},
        {QStringLiteral("bime"), QStringLiteral("بيمه"), 80, false},
        {QStringLiteral("sh_no"), QStringLiteral("شماره شناسنامه"), 80, false},
        {QStringLiteral("birthday"), QStringLiteral("ت تولد"), 80, false},
        {QStringLiteral("sodor"), QStringLiteral("محل صدور"), 80, false},
        {QStringLiteral("mazhab"), QStringLiteral("مذهب"), 80, false},
        {QStringLiteral("farzand"), QStringLiteral("ت فرزند"), 80, false},
        {QStringLiteral("taahol"), QStringLiteral("تاهل"), 80, false},
        {QStringLiteral("phone"), QStringLiteral("تلفن"), 80, false},
        {QStringLiteral("mobile"), QStringLiteral("موبايل"), 80, false},
        {QStringLiteral("zipcode"), QStringLiteral("کد پستي"), 80, false},
        {QStringLiteral("adr"), QStringLiteral("آدرس"), 80, false},
        {QStringLiteral("govahiname_dat"), QStringLiteral("تاريخ گواهينامه"), 80, false},
        {QStringLiteral("govahiname_nomre"), QStringLiteral("نمره منفي گواهينامه"), 80, false},
        {QStringLiteral("govahiname_no"), QStringLiteral("شماره گواهينامه"), 80, false},
        {QStringLiteral("cmt"), QStringLiteral("توضيحات"), 80, false},
        {QStringLiteral("shahrestan"), QStringLiteral("شهرستان محل خدمت"), 80, false},
        {QStringLiteral("reg_dat"), QStringLiteral("تاريخ ثبت نام"), 80, false},
        {QStringLiteral("prot_no"), QStringLiteral("شماره قرارداد"), 80, false},
        {QStringLiteral("prot_dat"), QStringLiteral("تاريخ قرارداد"), 80, false},
        {QStringLiteral("salamat_dat"), QStringLiteral("تاريخ سلامت"), 80, false},
        {QStringLiteral("kilometr"), QStringLiteral("کيلومتر"), 80, false},
        {QStringLiteral("fani"), QStringLiteral("فني و آشنايي با قطعات"), 80, false},
        {QStringLiteral("maharat"), QStringLiteral("مهارت رانندگي"), 80, false},
        {QStringLiteral("status"), QStringLiteral("وضعيت"), 80, false},
        {QStringLiteral("ostan"), QStringLiteral("استان محل خدمت"), 64, false},
    };
    return columns;
}

Tpersonel_src::Tpersonel_src(QWidget *parent) : Page(parent, false)
{
    setObjectName(QStringLiteral("personel_src"));
    setWindowTitle(QStringLiteral("ليست پرسنل"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(1030, 548);

    auto named = [](auto *object, const char *name) {
        object->setObjectName(QLatin1String(name));
        return object;
    };
    // A filter: its check box and its field, disabled until the box is ticked.
    auto filterBox = [&](const char *name, const QString &caption) { return named(new QCheckBox(caption, this), name); };
    CheckBox1 = filterBox("CheckBox1", QStringLiteral("نام خانوادگي"));
    lname = named(new QLineEdit(this), "lname");
    CheckBox11 = filterBox("CheckBox11", QStringLiteral("شهرستان"));
    shahrestan = named(new ComboBox(true, this), "shahrestan");
    CheckBox12 = filterBox("CheckBox12", QStringLiteral("کد ملي"));
    nation = named(new QLineEdit(this), "nation");
    CheckBox2 = filterBox("CheckBox2", QStringLiteral("وضعيت"));
    status = named(new ComboBox(true, this), "status");
    // Codes are stored in ASCII digits: one typed on a Persian keyboard is
    // searched as the ASCII digits it stands for.
    takeLocalDigits(nation);
    for (QWidget *field : {static_cast<QWidget *>(lname), static_cast<QWidget *>(shahrestan),
                           static_cast<QWidget *>(nation), static_cast<QWidget *>(status)}) {
        field->setEnabled(false);
        field->setFixedWidth(130);
    }

    src_btn = named(new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("جستجو"), this), "src_btn");
    src_btn->setAutoDefault(false);
    src_btn->setMinimumSize(75, 34);
    cnt = named(new QLabel(this), "cnt");
    cnt->setFont(QFont(QStringLiteral("Tahoma"), 12));
    cnt->setAlignment(Qt::AlignCenter);

    DBGrid1 = named(new DbGrid(this), "DBGrid1");
    DBGrid1->setQuery(app::dm->ADOQ_personel);
    DBGrid1->setColumns(gridColumns());

    // The menu, right to left with the window.
    MainMenu1 = named(new QMenuBar(this), "MainMenu1");
    auto item = [&](QWidget *menu, const char *name, const QString &caption) {
        auto *action = named(new QAction(caption, menu), name);
        menu->addAction(action);
        return action;
    };
    auto submenu = [&](const char *name, const QString &caption) {
        auto *menu = named(new QMenu(caption, MainMenu1), name);
        menu->menuAction()->setObjectName(QLatin1String(name));
        MainMenu1->addMenu(menu);
        return menu;
    };
    N1 = item(MainMenu1, "N1", QStringLiteral("ثبت"));
    N2 = item(MainMenu1, "N2", QStringLiteral("ويرايش"));
    N3 = item(MainMenu1, "N3", QStringLiteral("حذف"));
    N7 = item(MainMenu1, "N7", QStringLiteral("پرونده الکترونيک"));
    N4 = submenu("N4", QStringLiteral("فرم ها"));
    N5 = item(N4, "N5", QStringLiteral("درخواست کار راننده استيجاري"));
    N10 = item(N4, "N10", QStringLiteral("مرخصي روزانه"));
    N11 = item(N4, "N11", QStringLiteral("مشخصات و مدارک مورد نياز راننده هاي استيجاري"));
    N12 = item(N4, "N12", QStringLiteral("چک ليست ارزيابي جذب راننده سبک"));
    N6 = submenu("N6", QStringLiteral("گزارشات"));
    N9 = item(N6, "N9", QStringLiteral("اکسل"));
    N8 = item(MainMenu1, "N8", QStringLiteral("بستن"));

    // Filters at the top right (last name, county, national code; status
    // below), the search button with the count at the top left, the grid
    // filling the rest.
    auto *filtersGrid = new QGridLayout;
    filtersGrid->setHorizontalSpacing(6);
    filtersGrid->addWidget(CheckBox1, 0, 0);
    filtersGrid->addWidget(lname, 0, 1);
    filtersGrid->addWidget(CheckBox11, 0, 2);
    filtersGrid->addWidget(shahrestan, 0, 3);
    filtersGrid->addWidget(CheckBox12, 0, 4);
    filtersGrid->addWidget(nation, 0, 5);
    filtersGrid->addWidget(CheckBox2, 1, 0);
    filtersGrid->addWidget(status, 1, 1);
    auto *searchColumn = new QVBoxLayout;
    searchColumn->addWidget(src_btn);
    searchColumn->addWidget(cnt);
    auto *top = new QHBoxLayout;
    top->addLayout(filtersGrid);
    top->addStretch(1);
    top->addLayout(searchColumn);
    auto *outer = new QVBoxLayout(this);
    outer->setMenuBar(MainMenu1);
    outer->addLayout(top);
    outer->addWidget(DBGrid1, 1);

    connectGuarded(src_btn, &QPushButton::clicked, this, [this] { src_btnClick(); });
    connectGuarded(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connectGuarded(CheckBox11, &QCheckBox::toggled, this, [this] { CheckBox11Click(); });
    connectGuarded(CheckBox12, &QCheckBox::toggled, this, [this] { CheckBox12Click(); });
    connectGuarded(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    connectGuarded(DBGrid1, &DbGrid::titleClicked, this, [this](int column, const QString &) { DBGrid1TitleClick(column); });
    connectGuarded(N1, &QAction::triggered, this, [this] { N1Click(); });
    connectGuarded(N2, &QAction::triggered, this, [this] { N2Click(); });
    connectGuarded(N3, &QAction::triggered, this, [this] { N3Click(); });
    connectGuarded(N7, &QAction::triggered, this, [this] { N7Click(); });
    connectGuarded(N5, &QAction::triggered, this, [this] { N5Click(); });
    connectGuarded(N10, &QAction::triggered, this, [this] { N10Click(); });
    connectGuarded(N11, &QAction::triggered, this, [this] { N11Click(); });
    connectGuarded(N12, &QAction::triggered, this, [this] { N12Click(); });
    connectGuarded(N9, &QAction::triggered, this, [this] { N9Click(); });
    connectGuarded(N8, &QAction::triggered, this, [this] { N8Click(); });
}

QList<TextFilter> Tpersonel_src::filters() const
{
    // The order in which the filters' conditions are added.
    return {{QStringLiteral("shahrestan"), shahrestan},
            {QStringLiteral("nation"), nation},
            {QStringLiteral("lname"), lname},
            {QStringLiteral("status"), status}};
}

void Tpersonel_src::src_btnClick()
{
    ListSearch{CountLine, RowLine, restrictedFilterConditions(filters()), {}}.run(*app::dm->ADOQuery1, cnt, *app::dm->ADOQ_personel);
}

void Tpersonel_src::CheckBox1Click() { toggleFilter(CheckBox1, {lname}); }
void Tpersonel_src::CheckBox11Click() { toggleFilter(CheckBox11, {shahrestan}); }
void Tpersonel_src::CheckBox12Click() { toggleFilter(CheckBox12, {nation}); }
void Tpersonel_src::CheckBox2Click() { toggleFilter(CheckBox2, {status}); }

void Tpersonel_src::DBGrid1TitleClick(int column)
{
    m_titleSort.click(DBGrid1, column);
}

void Tpersonel_src::FormShow()
{
    fillComboFromList(QStringLiteral("وضعيت پرسنل"), status);
}

void Tpersonel_src::N1Click()
{
    Tpersonel_ins *entry = app::personel_ins;
    for (QWidget *field : entry->fields())
        setControlText(field, QString());
    setControlText(entry->farzand, QStringLiteral("0"));
    dates.Init();
    setControlText(entry->reg_dat, dates.ToText());
    setControlText(entry->status, QStringLiteral("فعال"));
    entry->ins_btn->setVisible(true);
    entry->edit_btn->setVisible(false);
    platform().showModal(entry);
}

void Tpersonel_src::N2Click()
{
    // Without a current person there is nothing to edit.
    Query &rows = *app::dm->ADOQ_personel;
    if (!rows.isOpen() || rows.isEmpty())
        return;
    Tpersonel_ins *entry = app::personel_ins;
    loadControlsFromRow(entry->fields(), rows);
    entry->ins_btn->setVisible(false);
    entry->edit_btn->setVisible(true);
    platform().showModal(entry);
}

void Tpersonel_src::N3Click()
{
    deleteCurrentRow(*app::dm->ADOQ_personel, personDeletion());
}

void Tpersonel_src::N7Click()
{
    // The electronic file's own rights check: the user id stands bare in the
    // statement, and only the insert, delete and view rights are read.
    // With no current person there is no file to open: nothing happens,
    // rather than a file window for nobody.
    Query &person = *app::dm->ADOQ_personel;
    if (!person.isOpen() || person.isEmpty())
        return;
    const QString noAccess = QStringLiteral("شما دسترسي به اين صفحه را نداريد");
    TPERSONEL_PIC *file = app::PERSONEL_PIC;
    Query &rights = *app::dm->ADOQ_dastrasi;
    rights.clear();
    rights.add(QStringLiteral("select * from dastrasi where prs_id=") + app::users->prs_id->text() + QStringLiteral(" and page_name=")
               + quoted(QStringLiteral("personel_pic")));
    rights.open();
    if (rights.isEmpty()) {
        showMessage(noAccess);
        return;
    }
    rights.first();
    file->ins_btn->setEnabled(rights.field(QStringLiteral("darj")).asBoolean());
    file->N1->setEnabled(rights.field(QStringLiteral("hazf")).asBoolean());
    if (!rights.field(QStringLiteral("namayesh")).asBoolean()) {
        showMessage(noAccess);
        return;
    }

    file->ostan->setText(person.field(QStringLiteral("ostan")).asString());
    file->shahrestan->setText(person.field(QStringLiteral("shahrestan")).asString());
    file->flname->setText(person.field(QStringLiteral("fname")).asString() + QLatin1Char(' ')
                          + person.field(QStringLiteral("lname")).asString());
    Query &documents = *app::dm->ADOQ_personel_pic;
    documents.clear();
    documents.add(QStringLiteral("select * from personel_pic where id<>-1 "));
    documents.add(QStringLiteral(" and personel_id=") + quoted(person.field(QStringLiteral("id")).asString()));
    documents.open();
    file->cmt->setFocus(Qt::OtherFocusReason);
    file->cmt->setText(QString());
    file->Shape1->setBrushColor(Qt::red);
    platform().showModal(file);
}

void Tpersonel_src::N5Click()
{
    Query &rows = *app::dm->ADOQ_personel;
    Tpersonel_frm_darkhastkar *form = app::personel_frm_darkhastkar;
    for (const QString &field : applicationFormFields())
        form->setValue(field, rows.field(field).asString());
    form->preview();
}

void Tpersonel_src::N10Click() { app::personel_frm_morakhasi->preview(); }
void Tpersonel_src::N11Click() { app::personel_frm_madarek->preview(); }
void Tpersonel_src::N12Click() { app::personel_frm_arzyabi->preview(); }

void Tpersonel_src::N9Click()
{
    exportToSpreadsheet(*app::dm->ADOQ_personel, personnelTitles(), windowTitle());
}

void Tpersonel_src::N8Click()
{
    close();
}
