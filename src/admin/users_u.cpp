#include "users_u.h"
#include "common/ListDeletion.h"
#include "common/Page.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/DbGrid.h"
#include "platform/FieldRefusal.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString Admin = QStringLiteral("admin");
const QString AdminOwnPage = QStringLiteral("karbaran");
const char *const BitFields[4] = {"darj", "virayesh", "hazf", "namayesh"};

QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QPushButton *pictureButton(const char *name, QWidget *parent)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(parent->style()->standardIcon(QStyle::SP_DialogSaveButton));
    b->setIconSize(QSize(20, 20));
    b->setFixedSize(36, 28);
    return b;
}

} // namespace

Tusers::Tusers(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("users"));
    // Its opener clears what is typed here; Esc must not throw that away.
    ignoreEscape(this);
    setWindowTitle(QStringLiteral("کاربران سيستم"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(680, 472);

    prs_id = namedLabel(QStringLiteral("prs_id"), QStringLiteral("prs_id"), this);
    prs_id->hide();
    karbar = namedLabel(QStringLiteral("karbar"), QStringLiteral("karbar"), this);
    karbar->setLayoutDirection(Qt::RightToLeft);
    level = namedLabel(QStringLiteral("level"), QStringLiteral("level"), this);
    level->hide();

    // The add row and the accounts.
    Label1 = namedLabel(QStringLiteral("Label1"), QStringLiteral("نام كاربري"), this);
    us = new QLineEdit(this);
    us->setObjectName(QStringLiteral("us"));
    us->setLayoutDirection(Qt::RightToLeft);
    Label2 = namedLabel(QStringLiteral("Label2"), QStringLiteral("رمز"), this);
    ps = new QLineEdit(this);
    ps->setObjectName(QStringLiteral("ps"));
    Label1->setBuddy(us);
    Label2->setBuddy(ps);
    ins_btn = pictureButton("ins_btn", this);

    DBGrid1 = new DbGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setQuery(app::dm->adoq_user);
    DBGrid1->setColumns({
        {QStringLiteral("us"), QStringLiteral("نام كاربري"), 100},
        {QStringLiteral("ps"), QStringLiteral("كلمه عبور"), 70},
        {QStringLiteral("ver"), QStringLiteral("نسخه"), 40},
    });
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setLayoutDirection(Qt::RightToLeft);
    N1 = PopupMenu1->addAction(QStringLiteral("حذف"));
    N1->setObjectName(QStringLiteral("N1"));
    DBGrid1->setPopupMenu(PopupMenu1);

    Label3 = namedLabel(QStringLiteral("Label3"), QStringLiteral("كاربر جاري"), this);

    // The rights panel: a row label at the right, then one column per right.
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Label4 = namedLabel(QStringLiteral("Label4"), QStringLiteral("تعيين سطوح دسترسي به صفحات مختلف برنامه"), Bevel1);
    QFont titleFont(QStringLiteral("Titr"));
    titleFont.setPixelSize(13);
    titleFont.setBold(true);
    Label4->setFont(titleFont);
    // The title face reports a line height smaller than its letters reach
    // below the line; a taller label keeps them from being cut off.
    Label4->setMinimumHeight(2 * titleFont.pixelSize() + 4);
    Label4->setAlignment(Qt::AlignCenter);

    auto *panel = new QGridLayout(Bevel1);
    panel->setHorizontalSpacing(12);
    panel->setVerticalSpacing(2);
    panel->addWidget(Label4, 0, 0, 1, 5);
    const QString rightCaptions[4] = {QStringLiteral("ثبت"), QStringLiteral("ويرايش"), QStringLiteral("حذف"),
                                      QStringLiteral("مشاهده")};
    const char *const rightSuffixes[4] = {"_ins", "_edit", "_del", "_show"};
    for (int r = 0; r < 4; ++r) {
        QLabel *caption = namedLabel(QStringLiteral("right") + QLatin1String(rightSuffixes[r]), rightCaptions[r], Bevel1);
        caption->setAlignment(Qt::AlignCenter);
        panel->addWidget(caption, 1, r + 1);
    }

    const QColor maroon(128, 0, 0), blue(0, 0, 255);
    struct PageDef {
        const char *pageName;
        const char *boxPrefix;
        QString caption;
        QColor colour;
        QCheckBox **members[4];
    };
    const PageDef defs[8] = {
        {"personel", "personel", QStringLiteral("صفحه پرسنل"), maroon,
         {&personel_ins, &personel_edit, &personel_del, &personel_show}},
        {"personel_pic", "pers_pic", QStringLiteral("صفحه پرونده الکترونيک"), blue,
         {&pers_pic_ins, &pers_pic_edit, &pers_pic_del, &pers_pic_show}},
        {"khodro", "khodro", QStringLiteral("صفحه خودروها"), blue, {&khodro_ins, &khodro_edit, &khodro_del, &khodro_show}},
        {"taradod", "taradod", QStringLiteral("صفحه تردد"), maroon,
         {&taradod_ins, &taradod_edit, &taradod_del, &taradod_show}},
        {"setting", "set", QStringLiteral("تنظيمات"), blue, {&set_ins, &set_edit, &set_del, &set_show}},
        {"phone", "phone", QStringLiteral("دفترچه تلفن"), maroon, {&phone_ins, &phone_edit, &phone_del, &phone_show}},
        {"zamaem", "zamaem", QStringLiteral("ضمائم"), blue, {&zamaem_ins, &zamaem_edit, &zamaem_del, &zamaem_show}},
        {"karbaran", "karbaran", QStringLiteral("کاربران"), maroon,
         {&karbaran_ins, &karbaran_edit, &karbaran_del, &karbaran_show}},
    };
    QFont rowFont(QStringLiteral("Tahoma"), 8);
    rowFont.setBold(true);
    for (int p = 0; p < 8; ++p) {
        const PageDef &d = defs[p];
        QLabel *rowLabel = namedLabel(QLatin1String(d.boxPrefix) + QStringLiteral("_lbl"), d.caption, Bevel1);
        rowLabel->setFont(rowFont);
        QPalette pal = rowLabel->palette();
        pal.setColor(QPalette::WindowText, d.colour);
        rowLabel->setPalette(pal);
        panel->addWidget(rowLabel, p + 2, 0);
        PageRights page{QLatin1String(d.pageName), {}};
        for (int r = 0; r < 4; ++r) {
            auto *box = new QCheckBox(Bevel1);
            box->setObjectName(QLatin1String(d.boxPrefix) + QLatin1String(rightSuffixes[r]));
            box->setLayoutDirection(Qt::RightToLeft);
            panel->addWidget(box, p + 2, r + 1, Qt::AlignCenter);
            *d.members[r] = box;
            page.boxes[r] = box;
        }
        m_pages << page;
    }
    ins_btn2 = pictureButton("ins_btn2", Bevel1);
    panel->addWidget(ins_btn2, 10, 0, 1, 5, Qt::AlignCenter);
    panel->setColumnStretch(0, 1);

    DBGrid2 = new DbGrid(this);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setQuery(app::dm->ADOQ_dastrasi);
    DBGrid2->setColumns({
        {QStringLiteral("id"), QString(), 0, true},
        {QStringLiteral("prs_id"), QString(), 0, true},
        {QStringLiteral("page_name"), QStringLiteral("نام صفحه"), 90},
        {QStringLiteral("darj"), QStringLiteral("دسترسي ثبت"), 90},
        {QStringLiteral("virayesh"), QStringLiteral("دسترسي ويرايش"), 90},
        {QStringLiteral("hazf"), QStringLiteral("دسترسي حذف"), 90},
        {QStringLiteral("namayesh"), QStringLiteral("دسترسي نمايش"), 90},
    });
    DBGrid2->queryModel()->setTextColour([this](int column, const QString &text) {
        return DBGrid2DrawColumnCell(column, text);
    });

    auto *addRow = new QHBoxLayout;
    addRow->addWidget(Label1);
    addRow->addWidget(us, 1);
    addRow->addWidget(Label2);
    addRow->addWidget(ps, 1);
    addRow->addWidget(ins_btn);
    auto *userRow = new QHBoxLayout;
    userRow->addWidget(Label3);
    userRow->addWidget(karbar);
    userRow->addStretch(1);
    auto *accounts = new QVBoxLayout;
    accounts->addLayout(addRow);
    accounts->addWidget(DBGrid1, 1);
    accounts->addLayout(userRow);
    auto *top = new QHBoxLayout;
    top->addLayout(accounts, 1);
    top->addWidget(Bevel1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(DBGrid2, 1);

    connectGuarded(ins_btn, &QPushButton::clicked, this, [this] { ins_btnClick(); });
    connectGuarded(N1, &QAction::triggered, this, [this] { N1Click(); });
    connectGuarded(DBGrid1, &DbGrid::cellClicked, this, [this] { DBGrid1CellClick(); });
    // The boxes always show the rights of the current account: whatever moves
    // it (a click, the keyboard, reopening the accounts) loads them anew, so a
    // save can never write one account's ticks onto another.
    connectGuarded(app::dm->adoq_user, &Query::currentChanged, this, [this] {
        if (isVisible())
            loadCurrentAccount();
    });
    connectGuarded(app::dm->adoq_user, &Query::reset, this, [this] {
        if (isVisible())
            loadCurrentAccount();
    });
    connectGuarded(ins_btn2, &QPushButton::clicked, this, [this] { ins_btn2Click(); });
}

QList<Tusers::PageRights> Tusers::pages() const { return m_pages; }

void Tusers::reopenUsers()
{
    Query &q = *app::dm->adoq_user;
    q.clear();
    q.add(QStringLiteral("select * from users"));
    q.open();
}

void Tusers::ins_btnClick()
{
    // An account needs a name: one without could be signed into with two
    // empty fields. An empty password stays allowed.
    if (us->text().trimmed().isEmpty()) {
        showMessage(QStringLiteral("خطا، نام كاربري را وارد نماييد"));
        return;
    }
    Query &q = *app::dm->ADOQuery1;
    q.clear();
    // A name that differs only in the form of its kaf or yeh, or in Latin
    // case, is the same name to whoever picks it from the login list.
    q.add(QStringLiteral("select * from users where ") + q.connection()->dialect().equalsText(QStringLiteral("us"), us->text()));
    q.open();
    if (!q.isEmpty()) {
        showMessage(QStringLiteral("خطا، نام كاربري تكراري است"));
        return;
    }
    requireFitsIn(us, *q.connection(), QStringLiteral("users"), QStringLiteral("us"), us->text());
    requireFitsIn(ps, *q.connection(), QStringLiteral("users"), QStringLiteral("ps"), ps->text());
    q.clear();
    q.add(QStringLiteral("insert into users (us,ps,ver) values(") + quoted(us->text()) + QLatin1Char(',')
          + quoted(ps->text()) + QLatin1Char(',') + quoted(QString()) + QLatin1Char(')'));
    q.execute();
    showMessage(QStringLiteral("ثبت شد"));
    reopenUsers();
}

void Tusers::N1Click()
{
    const QString name = app::dm->adoq_user->field(QStringLiteral("us")).asString();
    us->setText(name);
    if (name == Admin) {
        showMessage(QStringLiteral("خطا، امكان حذف مدير نيست"));
        return;
    }
    Query &q = *app::dm->ADOQuery1;
    q.clear();
    q.add(QStringLiteral("delete from users where us=") + quoted(us->text()));
    reportDeletion(q.execute());
    reopenUsers();
}

void Tusers::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The opener has just reopened the accounts: show the rights of the one now current.
    runGuarded([this] { loadCurrentAccount(); });
}

void Tusers::DBGrid1CellClick()
{
    loadCurrentAccount();
}

void Tusers::loadCurrentAccount()
{
    for (const PageRights &page : m_pages)
        for (QCheckBox *box : page.boxes)
            box->setChecked(false);
    m_loadedId.clear();
    m_loadedIsAdmin = false;
    m_loadedTicks.clear();
    Query &users = *app::dm->adoq_user;
    if (!users.isOpen() || users.isEmpty() || users.recNo() < 1)
        return; // no account current: nothing shown, nothing to save
    const QString id = users.field(QStringLiteral("id")).asString();
    const bool isAdmin = users.field(QStringLiteral("us")).asString() == Admin;
    Query &q = *app::dm->ADOQ_dastrasi;
    q.clear();
    q.add(QStringLiteral("select * from dastrasi where prs_id=") + quoted(id));
    q.open();
    // Rows of other page names are listed in the grid but set no box.
    const QList<bool> ticks = storedTicks(q);
    for (int p = 0; p < m_pages.size(); ++p)
        for (int r = 0; r < 4; ++r)
            m_pages[p].boxes[r]->setChecked(ticks[p * 4 + r]);
    m_loadedId = id;
    m_loadedIsAdmin = isAdmin;
    m_loadedTicks = ticks;
}

QList<bool> Tusers::storedTicks(Query &rows) const
{
    QList<bool> ticks(m_pages.size() * 4, false);
    for (rows.first(); !rows.eof(); rows.next()) {
        const QString pageName = rows.field(QStringLiteral("page_name")).asString();
        for (int p = 0; p < m_pages.size(); ++p) {
            if (m_pages[p].pageName != pageName)
                continue;
            for (int r = 0; r < 4; ++r)
                ticks[p * 4 + r] = rows.field(QLatin1String(BitFields[r])).asBoolean();
        }
    }
    return ticks;
}

void Tusers::ins_btn2Click()
{
    // The ticks go to the account they were loaded from, which is always the
    // current one; with none loaded there is nothing to write.
    if (m_loadedId.isEmpty())
        return;
    const QString id = m_loadedId;
    const bool isAdmin = m_loadedIsAdmin;
    const QString ownPageTicks = isAdmin ? ticksOf(AdminOwnPage) : QString();
    QList<bool> saved; // the account's ticks once this save is stored
    Query &q = *app::dm->ADOQuery1;
    // Each page's old row is replaced by its new one; all pages are written
    // together or not at all, so a failure never leaves a page without its row.
    q.connection()->transaction([&] {
        // Rights of an account deleted on another workstation would belong
        // to no one.
        q.clear();
        q.add(QStringLiteral("select id from users where id=") + quoted(id));
        q.open();
        if (q.isEmpty())
            throw DataError(QStringLiteral("اين حساب كاربري توسط كاربر ديگري حذف شده است و دسترسي ها ثبت نشد"));
        // Rights another workstation saved for this account since they were
        // loaded here are not overwritten without a word.
        q.clear();
        q.add(QStringLiteral("select * from dastrasi where prs_id=") + quoted(id));
        q.open();
        saved = storedTicks(q);
        for (int p = 0; p < m_pages.size(); ++p) {
            const PageRights &page = m_pages[p];
            // The administrator keeps its own rights to this page, so that it
            // can never lock itself out.
            if (isAdmin && page.pageName == AdminOwnPage)
                continue;
            if (saved.mid(p * 4, 4) != m_loadedTicks.mid(p * 4, 4))
                throw DataError(Query::changedByAnotherUser());
            for (int r = 0; r < 4; ++r)
                saved[p * 4 + r] = page.boxes[r]->isChecked();
        }
        for (const PageRights &page : m_pages) {
            if (isAdmin && page.pageName == AdminOwnPage)
                continue;
            q.clear();
            q.add(QStringLiteral("Delete From dastrasi Where prs_id=") + quoted(id) + QStringLiteral(" and page_name=") + quoted(page.pageName));
            q.execute();
            q.clear();
            q.add(QStringLiteral("Insert Into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) Values("));
            q.add(quoted(id) + QLatin1Char(','));
            q.add(quoted(page.pageName) + QLatin1Char(','));
            for (int r = 0; r < 4; ++r)
                q.add(quoted(page.boxes[r]->isChecked() ? QStringLiteral("1") : QStringLiteral("0"))
                      + (r < 3 ? QStringLiteral(",") : QString()));
            q.add(QStringLiteral(")"));
            q.execute();
        }
    });
    m_loadedTicks = saved;
    // The rights grid shows again whatever it showed, now as stored.
    Query &rights = *app::dm->ADOQ_dastrasi;
    if (!rights.text().isEmpty()) {
        rights.close();
        rights.open();
    }
    showMessage(QStringLiteral("ثبت شد"));
    // The administrator's own row for the users page was kept as it was:
    // boxes changed there show the stored rights again, and the user is
    // told, rather than left looking at rights that were not saved.
    if (isAdmin) {
        loadCurrentAccount();
        if (ticksOf(AdminOwnPage) != ownPageTicks)
            showMessage(QStringLiteral("دسترسي مدير سيستم به صفحه کاربران قابل تغيير نيست و همانطور که بود ماند"));
    }
}

QString Tusers::ticksOf(const QString &pageName) const
{
    QString ticks;
    for (const PageRights &page : m_pages)
        if (page.pageName == pageName)
            for (QCheckBox *box : page.boxes)
                ticks += box->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return ticks;
}

QColor Tusers::DBGrid2DrawColumnCell(int column, const QString &text) const
{
    const QString field = DBGrid2->queryModel()->fieldOf(column);
    bool isBit = false;
    for (const char *bit : BitFields)
        isBit = isBit || field == QLatin1String(bit);
    if (!isBit)
        return QColor();
    if (text == QLatin1String("True"))
        return QColor(0, 128, 0);
    if (text == QLatin1String("False"))
        return QColor(255, 0, 0);
    return QColor();
}
