// The users window: accounts, loading and saving the rights of an account,
// and the rights grid's colours; on every engine under test.
#include "TestSupport.h"
#include "admin/setting_u.h"
#include "admin/users_u.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "core/main_u.h"
#include "platform/DbGrid.h"
#include "platform/Dialect.h"
#include "platform/Fonts.h"
#include "platform/Query.h"
#include <QAction>
#include <QCheckBox>
#include <QPushButton>

namespace {

void openUsers()
{
    Query &q = *app::dm->adoq_user;
    q.clear();
    q.add(QStringLiteral("select * from users order by id"));
    q.open();
}

// A click on the cell of the account in this row of the accounts grid.
void clickAccount(Tusers *w, int row)
{
    w->show();
    const QRect cell = w->DBGrid1->visualRect(w->DBGrid1->model()->index(row, 0));
    QTest::mouseClick(w->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
}

// "page:insert edit delete view" of every rights row of an account, sorted;
// a bit reads 1, 0 or n (NULL).
QStringList rightsOf(AppFixture &fx, const QString &id)
{
    QString bits;
    for (const char *b : {"darj", "virayesh", "hazf", "namayesh"})
        bits += QStringLiteral(" || (case when %1 is null then 'n' when %1 then '1' else '0' end)").arg(QLatin1String(b));
    QStringList rows = fx.column(QStringLiteral("select page_name || ':'%1 from dastrasi where prs_id=%2").arg(bits, id));
    rows.sort();
    return rows;
}

QString ticks(Tusers *w)
{
    QString out;
    for (const Tusers::PageRights &page : w->pages())
        for (QCheckBox *box : page.boxes)
            out += box->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return out;
}

void setTicks(Tusers *w, const QString &pattern)
{
    int i = 0;
    for (const Tusers::PageRights &page : w->pages())
        for (QCheckBox *box : page.boxes)
            box->setChecked(pattern.at(i++) == QLatin1Char('1'));
}

const QString AllPages[8] = {QStringLiteral("karbaran"), QStringLiteral("khodro"), QStringLiteral("personel"),
                             QStringLiteral("personel_pic"), QStringLiteral("phone"), QStringLiteral("setting"),
                             QStringLiteral("taradod"), QStringLiteral("zamaem")};

// What the save of these ticks says.
QStringList saveTicks(AppFixture &fx, Tusers *w, const QString &pattern)
{
    setTicks(w, pattern);
    fx.ui.reset();
    w->ins_btn2->click();
    return fx.ui.messages();
}

// The account b (id 2) next to the administrator, with these rights rows
// written as rightsOf() reads them.
void addAccountB(AppFixture &fx, const QStringList &rights = {})
{
    fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('b','','')"));
    for (const QString &row : rights) {
        QString values = QStringLiteral("2,'%1'").arg(row.section(QLatin1Char(':'), 0, 0));
        for (QChar bit : row.section(QLatin1Char(':'), 1))
            values += bit == QLatin1Char('n') ? QStringLiteral(",null") : QStringLiteral(",'%1'").arg(bit);
        fx.exec(QStringLiteral("insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) values (%1)").arg(values));
    }
}

// The window shown on the accounts, the administrator current.
Tusers *showUsers()
{
    app::users->show();
    openUsers();
    return app::users;
}

void addAccount(Tusers *w, const QString &name, const QString &password)
{
    w->us->setText(name);
    w->ps->setText(password);
    w->ins_btn->click();
}

// The 32 boxes: these first ticks, the rest all fill.
QString padded(const QString &head, QLatin1Char fill = QLatin1Char('0')) { return head + QString(32 - head.size(), fill); }

// rightsOf() of an account with a row for each of the eight pages: these
// bits for the pages named, the others' bits for the rest.
QStringList pagesWith(const QMap<QString, QString> &bits, const QString &others = QStringLiteral("0000"))
{
    QStringList rows;
    for (const QString &page : AllPages)
        rows << page + QLatin1Char(':') + bits.value(page, others);
    return rows;
}

const QString Saved = QStringLiteral("ثبت شد");
const QString DuplicateName = QStringLiteral("خطا، نام كاربري تكراري است");
const QString AdminOwnPageKept = QStringLiteral("دسترسي مدير سيستم به صفحه کاربران قابل تغيير نيست و همانطور که بود ماند");

} // namespace

class UsersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void accountsAreAddedAndDeleted_data() { addEngineRows(); }
    void accountsAreAddedAndDeleted()
    {
        AppFixture fx(currentEngine());
        Tusers *w = app::users;
        openUsers();
        // No name (or blanks only) is refused; an empty password is not. A
        // name that differs from a stored one only in the form of its kaf or
        // yeh, or in Latin case, is refused as a duplicate.
        for (const auto &[name, password] : {std::pair{QStringLiteral("admin"), QStringLiteral("p")}, {QString(), QStringLiteral("p")},
                                             {QStringLiteral("  "), QStringLiteral("p")}, {QStringLiteral("كاظمي"), QStringLiteral("p'1")},
                                             {QStringLiteral("کاظمی"), QStringLiteral("p'1")}, {QStringLiteral("ADMIN"), QStringLiteral("p")},
                                             {QStringLiteral("b"), QString()}})
            addAccount(w, name, password);
        QCOMPARE(fx.column(QStringLiteral("select us || '/' || ps || '/' || ver from users order by id")),
                 (QStringList{QStringLiteral("admin/1/1"), QStringLiteral("كاظمي/p'1/"), QStringLiteral("b//")}));
        QCOMPARE(app::dm->adoq_user->recordCount(), 3);

        // An account without a name stored before is left alone.
        fx.exec(QStringLiteral("delete from users where us='b'"));
        fx.exec(QStringLiteral("update users set us='' where us='كاظمي'"));
        fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('رضا','x','')"));
        fx.exec(QStringLiteral("insert into dastrasi (prs_id,page_name) values (3,'phone')"));
        openUsers();
        app::dm->adoq_user->first();   // admin
        w->N1->trigger();
        app::dm->adoq_user->setRecNo(3);
        w->N1->trigger();
        QCOMPARE(w->us->text(), QStringLiteral("رضا"));
        QCOMPARE(fx.column(QStringLiteral("select us from users order by id")), (QStringList{QStringLiteral("admin"), QString()}));
        QCOMPARE(fx.column(QStringLiteral("select page_name from dastrasi where prs_id=3")), QStringList{QStringLiteral("phone")});
        const QString noName = QStringLiteral("خطا، نام كاربري را وارد نماييد");
        QCOMPARE(fx.ui.messages(), (QStringList{DuplicateName, noName, noName, Saved, DuplicateName, DuplicateName, Saved,
                                                QStringLiteral("خطا، امكان حذف مدير نيست"), QStringLiteral("حذف شد")}));
    }

    // The boxes follow the current account however it moves: reopening, the
    // keyboard, a click. Rows of other pages are listed but set no box, a
    // NULL bit unticks, the last of two rows for a page wins.
    void currentAccountLoadsTheRights_data() { addEngineRows(); }
    void currentAccountLoadsTheRights()
    {
        AppFixture fx(currentEngine());
        addAccountB(fx, {QStringLiteral("personel:1111"), QStringLiteral("personel:01n1"), QStringLiteral("report:1111")});
        const QString adminTicks = QString(28, QLatin1Char('0')) + QStringLiteral("1111");
        const QString bTicks = padded(QStringLiteral("0101"));
        Tusers *w = showUsers();
        QCOMPARE(ticks(w), adminTicks);
        QCOMPARE(w->loadedAccount(), QStringLiteral("1"));

        setTicks(w, padded(QString(), QLatin1Char('1')));
        w->DBGrid1->setFocus();
        QTest::keyClick(w->DBGrid1, Qt::Key_Down);
        QCOMPARE(app::dm->adoq_user->recNo(), 2);
        QCOMPARE(ticks(w), bTicks);
        QCOMPARE(app::dm->ADOQ_dastrasi->recordCount(), 3);
        QTest::keyClick(w->DBGrid1, Qt::Key_Up);
        QCOMPARE(ticks(w), adminTicks);
        clickAccount(w, 1);
        QCOMPARE(ticks(w), bTicks);

        // No account current: nothing ticked, and a save writes nothing.
        app::dm->adoq_user->close();
        QCOMPARE(ticks(w), padded(QString()));
        const int rows = fx.value(QStringLiteral("select count(*) from dastrasi")).toInt();
        QCOMPARE(saveTicks(fx, w, padded(QString(), QLatin1Char('1'))), QStringList());
        QCOMPARE(fx.value(QStringLiteral("select count(*) from dastrasi")).toInt(), rows);
    }

    // No sequence of clicks, keys and openings saves one account's ticks onto
    // another: each save below leaves both accounts with their own rights.
    void saveNeverWritesAnotherAccountsTicks_data() { addEngineRows(); }
    void saveNeverWritesAnotherAccountsTicks()
    {
        AppFixture fx(currentEngine());
        Tusers *w = app::users;
        addAccountB(fx, {QStringLiteral("phone:0001")});
        fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
        const QStringList adminBefore = rightsOf(fx, QStringLiteral("1"));
        const QStringList bAfterSave = pagesWith({{QStringLiteral("phone"), QStringLiteral("0001")}});

        // Click the administrator, move to b with the keyboard, save.
        fx.ui.onModal = [&](QWidget *) {
            clickAccount(w, 0);
            QTest::keyClick(w->DBGrid1, Qt::Key_Down);
            QCOMPARE(app::dm->adoq_user->field(QStringLiteral("us")).asString(), QStringLiteral("b"));
            w->ins_btn2->click();
        };
        app::main->N6Click();
        QCOMPARE(rightsOf(fx, QStringLiteral("2")), bAfterSave);
        QCOMPARE(rightsOf(fx, QStringLiteral("1")), adminBefore);

        // With b's ticks still in the boxes from the last opening, open the
        // window afresh (the administrator is current) and save at once.
        w->hide();
        fx.ui.onModal = [&](QWidget *) {
            QCOMPARE(app::dm->adoq_user->field(QStringLiteral("us")).asString(), QStringLiteral("admin"));
            w->ins_btn2->click();
        };
        app::main->N6Click();
        QCOMPARE(rightsOf(fx, QStringLiteral("2")), bAfterSave);
        QCOMPARE(rightsOf(fx, QStringLiteral("1")), pagesWith({{QStringLiteral("karbaran"), QStringLiteral("1111")}}));
    }

    void saveWritesOneRowPerPage_data() { addEngineRows(); }
    void saveWritesOneRowPerPage()
    {
        AppFixture fx(currentEngine());
        addAccountB(fx, {QStringLiteral("phone:1111"), QStringLiteral("phone:1111"), QStringLiteral("report:1n01")});
        Tusers *w = showUsers();

        // The administrator: seven pages rewritten, its own row for the users page kept.
        QCOMPARE(saveTicks(fx, w, QStringLiteral("1000") + QString(24, QLatin1Char('1')) + QStringLiteral("0000")),
                 (QStringList{Saved, AdminOwnPageKept}));
        QCOMPARE(rightsOf(fx, QStringLiteral("1")), pagesWith({{QStringLiteral("personel"), QStringLiteral("1000")}}, QStringLiteral("1111")));
        // Its users-page boxes, changed but not saved, show the stored rights
        // again (the user was told so above).
        QCOMPARE(ticks(w), QStringLiteral("1000") + QString(24, QLatin1Char('1')) + QStringLiteral("1111"));

        // Any other account: exactly one row for each of the eight pages, the
        // row of a page outside them left alone.
        app::dm->adoq_user->setRecNo(2);
        QCOMPARE(saveTicks(fx, w, QStringLiteral("0001") + QString(24, QLatin1Char('0')) + QStringLiteral("1010")), QStringList{Saved});
        QStringList expected = pagesWith({{QStringLiteral("personel"), QStringLiteral("0001")}, {QStringLiteral("karbaran"), QStringLiteral("1010")}});
        expected << QStringLiteral("report:1n01");
        expected.sort();
        QCOMPARE(rightsOf(fx, QStringLiteral("2")), expected);
        // The rights grid shows its rows again, as stored.
        QCOMPARE(app::dm->ADOQ_dastrasi->recordCount(), 9);

        // A failure part way through a save leaves every row as it was and
        // says nothing of success.
        if (currentEngine() == Engine::Sqlite) {
            fx.exec(QStringLiteral("create trigger refuse before insert on dastrasi when new.page_name='setting' "
                                   "begin select raise(abort, 'refused'); end"));
        } else {
            fx.exec(QStringLiteral("create function refuse() returns trigger as $$ begin raise exception 'refused'; end $$ "
                                   "language plpgsql"));
            fx.exec(QStringLiteral("create trigger refuse before insert on dastrasi for each row "
                                   "when (new.page_name='setting') execute function refuse()"));
        }
        QCOMPARE(saveTicks(fx, w, padded(QString())).size(), 1);
        QCOMPARE(rightsOf(fx, QStringLiteral("2")), expected);
        QCOMPARE(fx.ui.calls.last().kind, Platform::BoxKind::Error);
        QVERIFY(fx.ui.calls.last().text.contains(QStringLiteral("refused")));
    }

    // Two workstations with the same account's rights open: the second
    // save does not overwrite the first one's without a word; its ticks
    // stay, and after the account is read again a save stores them.
    void rightsChangedElsewhereAreNotOverwritten_data() { addEngineRows(); }
    void rightsChangedElsewhereAreNotOverwritten()
    {
        AppFixture fx(currentEngine());
        addAccountB(fx);
        Tusers *w = showUsers();
        clickAccount(w, 1);
        const QString mine = padded(QStringLiteral("0001"));
        QCOMPARE(saveTicks(fx, w, mine), QStringList{Saved});
        // Saved again from here: what this window saved last is no conflict.
        QCOMPARE(saveTicks(fx, w, padded(QStringLiteral("0011"))), QStringList{Saved});

        fx.exec(QStringLiteral("update dastrasi set darj=%1 where prs_id=2 and page_name='phone'")
                    .arg(Dialect::of(currentEngine()).bitLiteral(true)));
        const QStringList elsewhere = rightsOf(fx, QStringLiteral("2"));
        QCOMPARE(saveTicks(fx, w, mine), QStringList{Query::changedByAnotherUser()});
        QCOMPARE(rightsOf(fx, QStringLiteral("2")), elsewhere);
        QCOMPARE(ticks(w), mine);

        clickAccount(w, 1);
        QCOMPARE(saveTicks(fx, w, mine), QStringList{Saved});
        QVERIFY(rightsOf(fx, QStringLiteral("2")).contains(QStringLiteral("phone:0000")));

        // The account deleted on another workstation while its rights are
        // shown: nothing is written for it, the refusal is shown instead of
        // "saved", and the ticks stay.
        const QStringList stored = rightsOf(fx, QStringLiteral("2"));
        fx.exec(QStringLiteral("delete from users where id=2"));
        const QString pattern = padded(QStringLiteral("0001"), QLatin1Char('1'));
        QCOMPARE(saveTicks(fx, w, pattern), QStringList{QStringLiteral("اين حساب كاربري توسط كاربر ديگري حذف شده است و دسترسي ها ثبت نشد")});
        QCOMPARE(rightsOf(fx, QStringLiteral("2")), stored);
        QCOMPARE(ticks(w), pattern);
    }

    // On a fresh database the administrator can open only the users page,
    // gives itself every right and a new account a few; the new account then
    // opens exactly the pages and commands those allow.
    void rightsGovernTheMainWindow_data() { addEngineRows(); }
    void rightsGovernTheMainWindow()
    {
        AppFixture fx(currentEngine());
        Tusers *w = app::users;
        Tsetting *s = app::setting;
        fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
        app::main->N4Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("modal")).size(), 0);

        w->us->setText(QStringLiteral("old"));
        fx.ui.onModal = [&](QWidget *page) {
            QCOMPARE(page, w);
            QCOMPARE(w->us->text(), QString());
            setTicks(w, padded(QString(), QLatin1Char('1')));
            w->ins_btn2->click();                       // the administrator's own rights
            w->us->setText(QStringLiteral("b"));
            w->ins_btn->click();
            clickAccount(w, 1);
            w->set_ins->setChecked(true);
            w->set_show->setChecked(true);
            w->ins_btn2->click();
        };
        app::main->N6Click();
        QCOMPARE(rightsOf(fx, QStringLiteral("1")), pagesWith({}, QStringLiteral("1111")));
        const QString id = fx.column(QStringLiteral("select id from users where us='b'")).value(0);

        fx.setCurrentUser(id, QStringLiteral("b"));
        s->component->setText(Tsetting::listNames().first());
        s->cmt->setText(QStringLiteral("x"));
        fx.ui.onModal = [&](QWidget *page) {
            QCOMPARE(page, s);
            QVERIFY(s->ins_btn->isEnabled());
            QVERIFY(!s->N1->isEnabled());
            QVERIFY(s->N2->isEnabled());
            QCOMPARE(s->component->text(), QString());
            QCOMPARE(s->cmt->text(), QString());
        };
        fx.ui.calls.clear();
        app::main->N4Click();
        app::main->N6Click();
        app::main->N1Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("modal")).size(), 1);
        QCOMPARE(fx.ui.callsOf(QStringLiteral("message")).size(), 2);
        QVERIFY(!w->ins_btn->isEnabled() && !w->ins_btn2->isEnabled() && !w->N1->isEnabled());
    }

    void rightsGridColoursTheBits_data() { addEngineRows(); }
    void rightsGridColoursTheBits()
    {
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) values (7,'True','1','0',null,'1')"));
        Query &q = *app::dm->ADOQ_dastrasi;
        q.add(QStringLiteral("select * from dastrasi where prs_id=7"));
        q.open();
        const QAbstractItemModel *m = app::users->DBGrid2->model();
        auto colour = [m](int column) { return m->index(0, column).data(Qt::ForegroundRole).value<QColor>(); };
        QCOMPARE(m->index(0, 2).data().toString(), QStringLiteral("True"));
        QVERIFY(!colour(2).isValid());                 // page_name
        QCOMPARE(colour(3), QColor(0, 128, 0));
        QCOMPARE(colour(4), QColor(255, 0, 0));
        QCOMPARE(m->index(0, 5).data().toString(), QString());
        QVERIFY(!colour(5).isValid());                 // NULL
        QCOMPARE(colour(6), QColor(0, 128, 0));
    }
};

QTEST_MAIN(UsersTest)
#include "tst_users.moc"
