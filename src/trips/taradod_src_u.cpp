#include "taradod_src_u.h"
#include "taradod_frm_dakhel_u.h"
#include "taradod_frm_kharej_new_u.h"
#include "taradod_frm_kharej_u.h"
#include "taradod_frm_riyali_u.h"
#include "taradod_frm_rozane_dakhel_u.h"
#include "taradod_frm_rozane_kharej_u.h"
#include "taradod_ins_u.h"
#include "common/EntryWindow.h"
#include "common/FilterToggle.h"
#include "common/ListDeletion.h"
#include "common/ListSearch.h"
#include "common/MenuItems.h"
#include "common/export.h"
#include "common/lookup.h"
#include "core/Dates.h"
#include "core/MonEdit.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Guard.h"
#include "platform/MaskEdit.h"
#include "platform/Platform.h"
#include "platform/Query.h"
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString CountLine =
    QStringLiteral("select count(*) as c,sum(mablagh) as m,sum(karkard_kilometr) as k,sum(karkard_saat) as s from taradod where id<>-1 ");
const QString RowLine = QStringLiteral("select * from taradod where id<>-1 ");
const QString DateMask = QStringLiteral("!9999/99/00;1;_");
const QString BlankDate = QStringLiteral("    /  /  ");

// The client area the controls are placed in; the filters keep their
// distance from its right edge, the grid grows with it.
const QSize DesignedClient(950, 616);
const QRect DesignedGrid(32, 152, 889, 433);

const DeletionSpec &tripDeletion()
{
    static const DeletionSpec deletion{QStringLiteral("taradod"), QString(), QString(), QStringLiteral(" حذف اطلاعات تردد "),
                                   {QStringLiteral("ranande"), QStringLiteral("mamor")}};
    return deletion;
}

Query &trips() { return *app::dm->ADOQ_taradod; }

// A column of the current trip as text; the empty text without one.
QString current(const QString &field)
{
    Query &rows = trips();
    return rows.isOpen() ? rows.field(field).asString() : QString();
}

} // namespace

const QList<GridColumn> &Ttaradod_src::gridColumns()
{
    static const QList<GridColumn> columns{
        {QStringLiteral("id"), QString(), 64, true},
        {QStringLiteral("typ"), QStringLiteral("نوع تردد"), 70, false},
        {QStringLiteral("ranande"), QStringLiteral("راننده"), 120, false},
        {QStringLiteral("mamor"), QStringLiteral("مامور"), 120, false},
        {QStringLiteral("loc"), QStringLiteral("محل خدمت مامور"), 90, false},
        {QStringLiteral("mamor_cmt"), QStringLiteral("شرح ماموريت"), 80, false},
        {QStringLiteral("khodro"), QStringLiteral("خودرو"), 80, false},
        {QStringLiteral("pelak"), QStringLiteral("پلاک"), 80, false},
        {QStringLiteral("ostan"), QStringLiteral("استان"), 80, false},
        {QStringLiteral("shahrestan"), QStringLiteral("شهرستان"), 80, false},
        {QStringLiteral("dat1"), QStringLiteral("از تاريخ"), 80, false},
        {QStringLiteral("dat2"), QStringLiteral("تا تاريخ"), 80, false},
        {QStringLiteral("saat1"), QStringLiteral("از ساعت"), 80, false},
        {QStringLiteral("saat2"), QStringLiteral("تا ساعت"), 80, false},
        {QStringLiteral("kilometr1"), QStringLiteral("کيلومتر رفت"), 80, false},
        {QStringLiteral("kilometr2"), QStringLiteral("کيلومتر برگشت"), 80, false},
        {QStringLiteral("taradod_cmt"), QStringLiteral("شرح تردد"), 80, false},
        {QStringLiteral("tavaghof"), QStringLiteral("ميزان توقف"), 80, false},
        {QStringLiteral("nahve"), QStringLiteral("نحوه همکاري راننده"), 90, false},
        {QStringLiteral("karkard_kilometr"), QStringLiteral("جمع کيلومتر کارکرد"), 90, false},
        {QStringLiteral("karkard_saat"), QStringLiteral("جمع ساعت کارکرد"), 85, false},
        {QStringLiteral("mablagh_kilometr"), QStringLiteral("مبلغ هر کيلومتر"), 80, false},
        {QStringLiteral("mablagh_saat"), QStringLiteral("مبلغ هر ساعت"), 80, false},
        {QStringLiteral("mablagh"), QStringLiteral("مبلغ تردد"), 100, false},
    };
    return columns;
}

const QList<QPair<QString, QString>> &Ttaradod_src::exportTitles()
{
    static const QList<QPair<QString, QString>> table = [] {
        QList<QPair<QString, QString>> t = personnelTitles();
        for (auto &pair : t) {
            if (pair.first == QLatin1String("lname"))
                pair = {QStringLiteral("ranande"), QStringLiteral("راننده")};
            else if (pair.first == QLatin1String("nation"))
                pair = {QStringLiteral("mamor"), QStringLiteral("مامور")};
        }
        return t;
    }();
    return table;
}

QString Ttaradod_src::defaultProvince() { return QStringLiteral("مرکزی"); }
QString Ttaradod_src::defaultCounty() { return QStringLiteral("اراک"); }

Ttaradod_src::Ttaradod_src(QWidget *parent) : Page(parent, false)
{
    setObjectName(QStringLiteral("taradod_src"));
    setWindowTitle(QStringLiteral("ليست تردد"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    auto named = [](auto *object, const char *name) {
        object->setObjectName(QLatin1String(name));
        return object;
    };
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    // A control at its designed place; those on the right keep their distance
    // from the right edge when the window is resized.
    auto at = [&](QWidget *w, int x, int y, int width, int height, bool right = true) {
        w->setGeometry(x, y, width, height);
        if (right)
            m_rightAnchored.append({w, QRect(x, y, width, height)});
        return w;
    };

    src_btn = named(new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("جستجو"), m_client), "src_btn");
    src_btn->setAutoDefault(false);
    // At least as wide as its picture and caption need in the installed face.
    at(src_btn, 64, 8, qMax(75, src_btn->sizeHint().width()), 41, false);
    cnt = named(new QLabel(m_client), "cnt");
    QFont countFont(QStringLiteral("Tahoma"));
    countFont.setPixelSize(19);
    cnt->setFont(countFont);
    cnt->setAlignment(Qt::AlignCenter);
    at(cnt, 52, 56, 131, 30, false);

    auto box = [&](const char *name, const QString &caption, int x, int y, int width) {
        auto *b = named(new QCheckBox(caption, m_client), name);
        at(b, x, y, width, 21);
        return b;
    };
    auto field = [&](QWidget *w, const char *name, int x, int y, int width) {
        named(w, name);
        w->setEnabled(false);
        at(w, x, y, width, 21);
    };
    CheckBox1 = box("CheckBox1", QStringLiteral("نام راننده"), 835, 16, 107);
    field(ranande = new QLineEdit(m_client), "ranande", 710, 16, 121);
    CheckBox11 = box("CheckBox11", QStringLiteral("شهرستان"), 584, 16, 116);
    field(shahrestan = new ComboBox(true, m_client), "shahrestan", 448, 16, 121);
    CheckBox12 = box("CheckBox12", QStringLiteral("نام مامور"), 336, 16, 100);
    field(mamor = new QLineEdit(m_client), "mamor", 216, 16, 117);
    CheckBox2 = box("CheckBox2", QStringLiteral("وضعيت"), 861, 48, 81);
    field(status = new ComboBox(true, m_client), "status", 712, 48, 121);
    // Trips carry no status, so its filter is kept out of sight and out of
    // the search.
    CheckBox2->hide();
    status->hide();
    CheckBox3 = box("CheckBox3", QStringLiteral("از تاريخ"), 608, 48, 92);
    field(dat1_1 = new MaskEdit(DateMask, m_client), "dat1_1", 448, 48, 121);
    Label1 = named(new QLabel(QStringLiteral("تا تاريخ"), m_client), "Label1");
    Label1->setAlignment(Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter);
    at(Label1, 368, 48, 72, 21);
    field(dat1_2 = new MaskEdit(DateMask, m_client), "dat1_2", 216, 48, 121);
    dat1_1->setMaxLength(10);
    dat1_2->setMaxLength(10);
    CheckBox4 = box("CheckBox4", QStringLiteral("نوع تردد"), 854, 81, 88);
    field(typ = new ComboBox(true, m_client), "typ", 712, 81, 121);
    add_loc = named(new QToolButton(m_client), "add_loc");
    add_loc->setText(QStringLiteral("+"));
    add_loc->setAutoRaise(true);
    add_loc->setEnabled(false);
    at(add_loc, 690, 82, 17, 17);
    show_list_loc = named(new QCheckBox(m_client), "show_list_loc");
    show_list_loc->setEnabled(false);
    at(show_list_loc, 670, 82, 17, 17);
    list_loc = named(new QListWidget(m_client), "list_loc");
    list_loc->setFrameShape(QFrame::NoFrame);
    list_loc->setContextMenuPolicy(Qt::CustomContextMenu);
    list_loc->hide();
    at(list_loc, 671, 106, 105, 40);
    PopupMenu1 = named(new QMenu(list_loc), "PopupMenu1");
    N13 = named(new QAction(QStringLiteral("حذف"), PopupMenu1), "N13");
    PopupMenu1->addAction(N13);

    DBGrid1 = named(new DbGrid(m_client), "DBGrid1");
    DBGrid1->setQuery(app::dm->ADOQ_taradod);
    DBGrid1->setColumns(gridColumns());
    DBGrid1->setGeometry(DesignedGrid);
    list_loc->raise();

    // The menu, right to left with the window.
    MainMenu1 = named(new QMenuBar(this), "MainMenu1");
    MainMenu1->setLayoutDirection(Qt::RightToLeft);
    const auto item = addMenuItem;
    const auto submenu = [this](const char *name, const QString &caption) { return addSubMenu(MainMenu1, name, caption); };
    N1 = item(MainMenu1, "N1", QStringLiteral("ثبت"));
    N2 = item(MainMenu1, "N2", QStringLiteral("ويرايش"));
    N3 = item(MainMenu1, "N3", QStringLiteral("حذف"));
    N4 = submenu("N4", QStringLiteral("فرم ها"));
    N12 = item(N4, "N12", QStringLiteral("حکم ماموريت خودرو خارج از شهر - برگ سفيد"));
    N8 = item(N4, "N8", QStringLiteral("حکم ماموريت خودرو خارج از شهر - برگ آرم دار"));
    N7 = item(N4, "N7", QStringLiteral("برگ ماموريت خودروي سبک داخل شهر و حومه"));
    N9 = item(N4, "N9", QStringLiteral("گزارش روزانه کارکرد خودرو استيجاري - خارج شهر"));
    N10 = item(N4, "N10", QStringLiteral("ماموريت شهري روزانه خودروهاي استيجاري - داخل شهر"));
    N14 = item(N4, "N14", QStringLiteral("گزارش روزانه کارکرد - ريالي"));
    N5 = submenu("N5", QStringLiteral("گزارشات"));
    N11 = item(N5, "N11", QStringLiteral("اکسل"));
    N6 = item(MainMenu1, "N6", QStringLiteral("بستن"));

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setMenuBar(MainMenu1);
    outer->addWidget(m_client, 1);
    m_client->setMinimumSize(400, 300);
    m_client->installEventFilter(this);
    resize(DesignedClient.width(), DesignedClient.height() + MainMenu1->sizeHint().height());

    connectGuarded(src_btn, &QPushButton::clicked, this, [this] { src_btnClick(); });
    connectGuarded(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connectGuarded(CheckBox11, &QCheckBox::toggled, this, [this] { CheckBox11Click(); });
    connectGuarded(CheckBox12, &QCheckBox::toggled, this, [this] { CheckBox12Click(); });
    connectGuarded(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    connectGuarded(CheckBox3, &QCheckBox::toggled, this, [this] { CheckBox3Click(); });
    connectGuarded(CheckBox4, &QCheckBox::toggled, this, [this] { CheckBox4Click(); });
    connectGuarded(add_loc, &QToolButton::clicked, this, [this] { add_locClick(); });
    connectGuarded(show_list_loc, &QCheckBox::toggled, this, [this] { show_list_locClick(); });
    connectGuarded(list_loc, &QWidget::customContextMenuRequested, this,
                   [this](const QPoint &pos) { PopupMenu1->popup(list_loc->viewport()->mapToGlobal(pos)); });
    connectGuarded(N13, &QAction::triggered, this, [this] { N13Click(); });
    connectGuarded(DBGrid1, &DbGrid::titleClicked, this, [this](int column, const QString &) { DBGrid1TitleClick(column); });
    const QList<QPair<QAction *, void (Ttaradod_src::*)()>> commands{
        {N1, &Ttaradod_src::N1Click}, {N2, &Ttaradod_src::N2Click}, {N3, &Ttaradod_src::N3Click},
        {N12, &Ttaradod_src::N12Click}, {N8, &Ttaradod_src::N8Click}, {N7, &Ttaradod_src::N7Click},
        {N9, &Ttaradod_src::N9Click}, {N10, &Ttaradod_src::N10Click}, {N14, &Ttaradod_src::N14Click},
        {N11, &Ttaradod_src::N11Click}, {N6, &Ttaradod_src::N6Click}};
    for (const auto &[action, handler] : commands)
        connectGuarded(action, &QAction::triggered, this, [this, handler = handler] { (this->*handler)(); });
}

bool Ttaradod_src::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        followResize();
    return QDialog::eventFilter(watched, event);
}

void Ttaradod_src::followResize()
{
    const int dx = m_client->width() - DesignedClient.width();
    const int dy = m_client->height() - DesignedClient.height();
    for (const auto &[widget, designed] : m_rightAnchored)
        widget->setGeometry(designed.translated(dx, 0));
    DBGrid1->setGeometry(DesignedGrid.adjusted(0, 0, dx, dy));
}

void Ttaradod_src::FormShow()
{
    fillComboFromList(QStringLiteral("نوع تردد"), typ);
}

QStringList Ttaradod_src::conditions() const
{
    QStringList lines = restrictedFilterConditions({{QStringLiteral("shahrestan"), shahrestan}, {QStringLiteral("mamor"), mamor},
                                                    {QStringLiteral("ranande"), ranande}});
    if (dat1_1->isEnabled())
        lines << rangeCondition(QStringLiteral("dat1"), dat1_1->text(), dat1_2->text());
    if (typ->isEnabled()) {
        // The types of list_loc, each as a part of the type; the text of
        // `typ` itself only feeds the list. "???" opens the chain of "or"s.
        lines << QStringLiteral(" and  ( typ=") + quoted(QStringLiteral("???"));
        for (int i = 0; i < list_loc->count(); ++i)
            lines << QStringLiteral(" or ") + app::dm->ADOConnection1->dialect().containsText(QStringLiteral("typ"), list_loc->item(i)->text());
        lines << QStringLiteral(" ) ");
    }
    return lines;
}

void Ttaradod_src::src_btnClick()
{
    const ListSearch search{CountLine, RowLine, conditions(), {}};
    Query &sums = *app::dm->ADOQuery1;
    search.count(sums, cnt);
    m_totals = {sums.field(QStringLiteral("c")).asString(), sums.field(QStringLiteral("m")).asString(),
                sums.field(QStringLiteral("k")).asString(), sums.field(QStringLiteral("s")).asString()};
    search.rows(trips());
}

void Ttaradod_src::CheckBox1Click() { toggleFilter(CheckBox1, {ranande}); }
void Ttaradod_src::CheckBox11Click() { toggleFilter(CheckBox11, {shahrestan}); }
void Ttaradod_src::CheckBox12Click() { toggleFilter(CheckBox12, {mamor}); }
void Ttaradod_src::CheckBox2Click() { toggleFilter(CheckBox2, {status}); }
void Ttaradod_src::CheckBox3Click() { toggleFilter(CheckBox3, {dat1_1, dat1_2}, dat1_1); }

void Ttaradod_src::CheckBox4Click()
{
    const bool on = CheckBox4->isChecked();
    add_loc->setEnabled(on);
    show_list_loc->setEnabled(on);
    list_loc->hide();
    list_loc->clear();
    toggleFilter(CheckBox4, {typ});
}

void Ttaradod_src::add_locClick()
{
    // Added as it stands: an empty text and a repeated one too.
    list_loc->addItem(typ->text());
}

void Ttaradod_src::show_list_locClick()
{
    list_loc->setVisible(show_list_loc->isChecked());
}

void Ttaradod_src::N13Click()
{
    const QList<QListWidgetItem *> selected = list_loc->selectedItems();
    if (!selected.isEmpty())
        delete selected.first();
}

void Ttaradod_src::DBGrid1TitleClick(int column)
{
    m_titleSort.click(DBGrid1, column);
}

void Ttaradod_src::N1Click()
{
    Ttaradod_ins *entry = app::taradod_ins;
    setControlText(entry->typ, QString());
    entry->typChange();
    for (QWidget *w : QList<QWidget *>{entry->nahve, entry->ranande, entry->mamor, entry->loc, entry->mamor_cmt, entry->khodro,
                                       entry->pelak})
        setControlText(w, QString());
    setControlText(entry->ostan, defaultProvince());
    entry->ostanChange();
    setControlText(entry->shahrestan, defaultCounty());
    dates.Init();
    setControlText(entry->dat1, dates.ToText());
    setControlText(entry->dat2, controlText(entry->dat1));
    for (QWidget *w : QList<QWidget *>{entry->saat1, entry->saat2, entry->taradod_cmt})
        setControlText(w, QString());
    for (QWidget *w : QList<QWidget *>{entry->kilometr1, entry->kilometr2, entry->tavaghof, entry->karkard_kilometr,
                                       entry->karkard_saat})
        setControlText(w, QStringLiteral("0"));
    Query &settings = *app::dm->ADOQ_set;
    setControlText(entry->mablagh_kilometr, singleValue(KilometreRateList, settings));
    setControlText(entry->mablagh_saat, singleValue(HourRateList, settings));
    // Last, so the window opens with "0" whatever the fields above computed.
    setControlText(entry->mablagh, QStringLiteral("0"));
    entry->ins_btn->setVisible(true);
    entry->edit_btn->setVisible(false);
    platform().showModal(entry);
}

void Ttaradod_src::N2Click()
{
    // The fields in their order; the type's presets and the province's
    // counties come right after their own field, so the stored values that
    // follow overwrite the presets. Without a current trip there is nothing
    // to edit: the window's save would have no row to write to.
    Query &rows = trips();
    if (!rows.isOpen() || rows.isEmpty())
        return;
    Ttaradod_ins *entry = app::taradod_ins;
    const QList<QWidget *> &fields = entry->fields();
    const int provinceAt = int(fields.indexOf(entry->ostan));
    loadControlsFromRow(fields.mid(0, 1), rows);
    entry->typChange();
    loadControlsFromRow(fields.mid(1, provinceAt), rows);
    entry->ostanChange();
    loadControlsFromRow(fields.mid(provinceAt + 1), rows);
    entry->ins_btn->setVisible(false);
    entry->edit_btn->setVisible(true);
    platform().showModal(entry);
}

void Ttaradod_src::N3Click()
{
    deleteCurrentRow(trips(), tripDeletion());
}

void Ttaradod_src::N7Click()
{
    Ttaradod_frm_dakhel *form = app::taradod_frm_dakhel;
    form->setValue(QStringLiteral("shahrestan"), current(QStringLiteral("shahrestan")));
    form->setValue(QStringLiteral("mamor"), current(QStringLiteral("mamor")));
    form->setValue(QStringLiteral("loc"), current(QStringLiteral("loc")));
    form->setValue(QStringLiteral("ostan"), current(QStringLiteral("ostan")) + QLatin1Char(' ') + current(QStringLiteral("shahrestan")));
    for (const char *name : {"ranande", "khodro", "pelak", "mamor_cmt"})
        form->setValue(QLatin1String(name), current(QLatin1String(name)));
    form->setValue(QStringLiteral("ranande2"), current(QStringLiteral("ranande")));
    form->setValue(QStringLiteral("saat1"), current(QStringLiteral("saat1")));
    form->setValue(QStringLiteral("saat2"), current(QStringLiteral("saat2")));
    form->preview();
}

void Ttaradod_src::printMissionOrder(PrintedForm *form)
{
    const QString driver = current(QStringLiteral("ranande"));
    form->setValue(QStringLiteral("ranande"), driver);
    form->setValue(QStringLiteral("mamor"), current(QStringLiteral("mamor")));

    // The driver's licence number, from the person of that full name
    // (however its letters and digits are written).
    Query &person = *app::dm->ADOQuery1;
    person.clear();
    person.add(QStringLiteral("select * from personel where ")
               + person.connection()->dialect().equalsText(Ttaradod_ins::fullNameExpression(person), driver));
    person.open();
    QString licence;
    if (!person.isEmpty()) {
        person.first();
        licence = person.field(QStringLiteral("govahiname_no")).asString();
    }
    form->setValue(QStringLiteral("govahiname_no"), licence);

    form->setValue(QStringLiteral("dat1"), current(QStringLiteral("dat1")));
    form->setValue(QStringLiteral("dat2"), current(QStringLiteral("dat2")));
    form->setValue(QStringLiteral("ostan"), current(QStringLiteral("ostan")) + QStringLiteral(" - ") + current(QStringLiteral("shahrestan")));
    for (const char *name : {"mamor_cmt", "khodro", "pelak", "saat1", "saat2", "kilometr1", "kilometr2"})
        form->setValue(QLatin1String(name), current(QLatin1String(name)));
    // Completed by hand on the printed order.
    form->setValue(QStringLiteral("dat1_1"), BlankDate);
    form->setValue(QStringLiteral("dat2_2"), BlankDate);
    form->setValue(QStringLiteral("karkard"), QString());
    form->setValue(QStringLiteral("modat"), QString());
    form->setValue(QStringLiteral("karkard2"), QString());
    form->setValue(QStringLiteral("raeis"), singleValue(QStringLiteral("رئيس اداره تدارکات و پشتيباني"), *app::dm->ADOQ_set));
    form->preview();
}

void Ttaradod_src::N8Click() { printMissionOrder(app::taradod_frm_kharej); }
void Ttaradod_src::N12Click() { printMissionOrder(app::taradod_frm_kharej_new); }

void Ttaradod_src::N9Click()
{
    Ttaradod_frm_rozane_kharej *form = app::taradod_frm_rozane_kharej;
    for (const char *name : {"ranande", "khodro", "pelak"})
        form->setValue(QLatin1String(name), current(QLatin1String(name)));
    form->preview();
}

void Ttaradod_src::N10Click()
{
    Ttaradod_frm_rozane_dakhel *form = app::taradod_frm_rozane_dakhel;
    form->setValue(QStringLiteral("dat1"), current(QStringLiteral("dat1")));
    form->setValue(QStringLiteral("dat2"), current(QStringLiteral("dat2")));
    form->preview();
}

void Ttaradod_src::N14Click()
{
    Ttaradod_frm_riyali *form = app::taradod_frm_riyali;
    // The header names the driver and the dates only while their filter
    // limits the rows; the vehicle and the rates are those of the current
    // trip, and only while the driver filter is on.
    const bool oneDriver = ranande->isEnabled();
    form->setValue(QStringLiteral("ranande"), oneDriver ? ranande->text() : QString());
    for (const char *name : {"khodro", "pelak", "mablagh_kilometr", "mablagh_saat"})
        form->setValue(QLatin1String(name), oneDriver ? current(QLatin1String(name)) : QString());
    const bool dateRange = dat1_1->isEnabled();
    form->setValue(QStringLiteral("dat1"), dateRange ? dat1_1->text() : QString());
    form->setValue(QStringLiteral("dat2"), dateRange ? dat1_2->text() : QString());
    // The totals add up the rows printed, as they are now: a trip added,
    // edited or deleted since the last search counts as it stands.
    const Query &printed = trips();
    form->setValue(QStringLiteral("karkard_kilometr_sum"), Ttaradod_frm_riyali::columnTotal(printed, QStringLiteral("karkard_kilometr")));
    form->setValue(QStringLiteral("karkard_saat_sum"), Ttaradod_frm_riyali::columnTotal(printed, QStringLiteral("karkard_saat")));
    form->setValue(QStringLiteral("mablagh_sum"), Ttaradod_frm_riyali::columnTotal(printed, QStringLiteral("mablagh")));
    form->preview();
}

void Ttaradod_src::N11Click()
{
    exportToSpreadsheet(trips(), exportTitles(), windowTitle());
}

void Ttaradod_src::N6Click()
{
    close();
}
