// The main window: its menu, the page-rights gate, the openers, the exit
// question, the picture and the unread-message poll.
#include "TestSupport.h"
#include "admin/setting_u.h"
#include "admin/users_u.h"
#include "core/Dates.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "core/login_u.h"
#include "core/main_u.h"
#include "office/log_u.h"
#include "office/payam_u.h"
#include "office/phone_u.h"
#include "office/zamaem_u.h"
#include "personnel/personel_src_u.h"
#include "platform/Dialect.h"
#include "platform/Fonts.h"
#include "platform/Query.h"
#include "trips/taradod_src_u.h"
#include "vehicles/khodro_src_u.h"
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

namespace {

const QString NoAccess = QStringLiteral("شما دسترسي به اين صفحه را نداريد");

// A page's commands; a page that is not built yet gets stand-ins for them.
QList<QObject *> listCommandsOf(QWidget *list)
{
    if (!list->findChild<QMenuBar *>()) {
        auto *bar = new QMenuBar(list);
        for (const char *name : {"N1", "N2", "N3"})
            bar->addAction(QLatin1String(name));
    }
    return Tmain::listCommands(list);
}

QObject *commandOf(QWidget *page, const char *name, bool button)
{
    if (QObject *found = Tmain::command(page, name))
        return found;
    QObject *made = button ? static_cast<QObject *>(new QPushButton(page)) : static_cast<QObject *>(new QAction(page));
    made->setObjectName(QLatin1String(name));
    return made;
}

bool enabled(QObject *target)
{
    if (auto *a = qobject_cast<QAction *>(target))
        return a->isEnabled();
    return qobject_cast<QWidget *>(target)->isEnabled();
}

void setEnabled(QObject *target, bool on)
{
    if (auto *a = qobject_cast<QAction *>(target))
        a->setEnabled(on);
    else
        qobject_cast<QWidget *>(target)->setEnabled(on);
}

void grant(AppFixture &fx, int user, const QString &page, bool darj, bool virayesh, bool hazf, bool namayesh)
{
    const Dialect &d = Dialect::of(currentEngine());
    fx.exec(QStringLiteral("insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) values (%1,'%2',%3,%4,%5,%6)")
                .arg(user).arg(page, d.bitLiteral(darj), d.bitLiteral(virayesh), d.bitLiteral(hazf), d.bitLiteral(namayesh)));
}

QStringList modalWindows(const ScriptedPlatform &ui)
{
    QStringList names;
    for (const auto &c : ui.callsOf(QStringLiteral("modal")))
        names << c.text;
    return names;
}

// The pages every rights-governed item opens, with their rights page names.
struct GatedPage {
    const char *item;
    QString page;
    QWidget *window;
    QList<QObject *> insert;
    QObject *edit;
    QObject *del;
};

QList<GatedPage> gatedPages()
{
    QList<GatedPage> pages;
    for (auto [item, page, window] : {std::tuple<const char *, const char *, QWidget *>{"N1", "personel", app::personel_src},
                                      {"N8", "khodro", app::khodro_src}, {"N10", "taradod", app::taradod_src}}) {
        const QList<QObject *> c = listCommandsOf(window);
        pages.append({item, QLatin1String(page), window, {c[0]}, c[1], c[2]});
    }
    for (auto [item, page, window] : {std::tuple<const char *, const char *, QWidget *>{"N4", "setting", app::setting},
                                      {"N11", "phone", app::phone}, {"N12", "zamaem", app::zamaem}})
        pages.append({item, QLatin1String(page), window, {commandOf(window, "ins_btn", true)}, nullptr,
                      commandOf(window, "N1", false)});
    pages.append({"N6", QStringLiteral("karbaran"), app::users,
                  {commandOf(app::users, "ins_btn", true), commandOf(app::users, "ins_btn2", true)}, nullptr,
                  commandOf(app::users, "N1", false)});
    return pages;
}

QAction *menuItem(const char *name)
{
    return app::main->findChild<QAction *>(QLatin1String(name));
}

} // namespace

class TestMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void windowAndMenu();
    void userWithoutRightsReachesOnlyMessagesAndLog_data() { addEngineRows(); }
    void userWithoutRightsReachesOnlyMessagesAndLog();
    void viewRightDecides_data() { addEngineRows(); }
    void viewRightDecides();
    void firstRowDecides_data() { addEngineRows(); }
    void firstRowDecides();
    void listsAreSizedToTheMainWindow();
    void usersPageReloadsTheUsers();
    void messagesOfTheUserOrAll_data() { addEngineRows(); }
    void messagesOfTheUserOrAll();
    void aboutAndExit();
    void pictureFollowsTheWindow();
    void buttonsHoldTheirCaptions();
    void unreadMessagePoll_data() { addEngineRows(); }
    void unreadMessagePoll();
    void escapeKeepsWhatIsBeingTyped();
};

void TestMain::initTestCase()
{
    installFontSubstitutions();
}

void TestMain::windowAndMenu()
{
    AppFixture fx(Engine::Sqlite);
    Tmain *w = app::main;
    QCOMPARE(w->windowTitle(), QStringLiteral("صفحه اصلي"));
    QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(w->menuBar()->layoutDirection(), Qt::RightToLeft);
    QStringList top;
    for (QAction *a : w->menuBar()->actions())
        top << a->text();
    QCOMPARE(top, (QStringList{QStringLiteral("پرسنل"), QStringLiteral("خودروها"), QStringLiteral("تردد"),
                               QStringLiteral("اطلاعات پايه"), QStringLiteral("خروج")}));
    QStringList sub;
    for (QAction *a : w->N2->actions())
        sub << a->objectName() + QLatin1Char('=') + a->text();
    QCOMPARE(sub, (QStringList{QStringLiteral("N4=تنظيمات"), QStringLiteral("N11=دفترچه تلفن"), QStringLiteral("N9=پيام"),
                               QStringLiteral("N12=ضمائم"), QStringLiteral("N6=کاربران"), QStringLiteral("N7=لاگ"),
                               QStringLiteral("N5=درباره")}));
    // The poll is there but idle.
    QVERIFY(!w->Timer1->isActive());
    QCOMPARE(w->Timer1->interval(), 5000);
    // Our own picture, decoded from its JPEG.
    QVERIFY(w->Image1->pixmap().size() == QSize(1200, 800));
}

void TestMain::userWithoutRightsReachesOnlyMessagesAndLog()
{
    AppFixture fx(currentEngine());
    fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('ali','2','1')"));
    fx.setCurrentUser(QStringLiteral("2"), QStringLiteral("ali"));
    for (const GatedPage &p : gatedPages()) {
        fx.ui.reset();
        menuItem(p.item)->trigger();
        QCOMPARE(fx.ui.messages(), QStringList{NoAccess});
        QVERIFY2(modalWindows(fx.ui).isEmpty(), p.item);
        QVERIFY(!p.window->isVisible());
    }
    fx.ui.reset();
    menuItem("N9")->trigger();
    menuItem("N7")->trigger();
    QCOMPARE(modalWindows(fx.ui), (QStringList{QStringLiteral("payam"), QStringLiteral("log")}));
    QVERIFY(fx.ui.messages().isEmpty());
}

void TestMain::viewRightDecides()
{
    AppFixture fx(currentEngine());
    fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('ali','2','1')"));
    fx.setCurrentUser(QStringLiteral("2"), QStringLiteral("ali"));
    const QList<GatedPage> pages = gatedPages();
    // Without the view right: refused, with the command states already set.
    for (const GatedPage &p : pages)
        grant(fx, 2, p.page, true, false, true, false);
    for (const GatedPage &p : pages) {
        fx.ui.reset();
        for (QObject *t : p.insert)
            setEnabled(t, false);
        if (p.edit)
            setEnabled(p.edit, true);
        setEnabled(p.del, false);
        menuItem(p.item)->trigger();
        QCOMPARE(fx.ui.messages(), QStringList{NoAccess});
        QVERIFY2(modalWindows(fx.ui).isEmpty(), p.item);
        for (QObject *t : p.insert)
            QVERIFY2(enabled(t), p.item);
        if (p.edit)
            QVERIFY2(!enabled(p.edit), p.item);
        QVERIFY2(enabled(p.del), p.item);
    }
    // With it: shown, its commands as the row says.
    fx.exec(QStringLiteral("delete from dastrasi"));
    for (const GatedPage &p : pages)
        grant(fx, 2, p.page, false, true, false, true);
    for (const GatedPage &p : pages) {
        fx.ui.reset();
        menuItem(p.item)->trigger();
        QCOMPARE(modalWindows(fx.ui), QStringList{p.window->objectName()});
        for (QObject *t : p.insert)
            QVERIFY2(!enabled(t), p.item);
        if (p.edit)
            QVERIFY2(enabled(p.edit), p.item);
        QVERIFY2(!enabled(p.del), p.item);
        p.window->hide();
        // The gate leaves the rights query on the row it read; the users
        // window, once shown, reads into it the rights of its current account.
        if (p.window != app::users)
            QCOMPARE(app::dm->ADOQ_dastrasi->field(QStringLiteral("page_name")).asString(), p.page);
        else
            QCOMPARE(app::dm->ADOQ_dastrasi->text().trimmed(), QStringLiteral("select * from dastrasi where prs_id='1'"));
    }
}

void TestMain::firstRowDecides()
{
    AppFixture fx(currentEngine());
    fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('ali','2','1')"));
    fx.setCurrentUser(QStringLiteral("2"), QStringLiteral("ali"));
    grant(fx, 2, QStringLiteral("phone"), false, false, false, true);
    grant(fx, 2, QStringLiteral("phone"), true, true, true, false);
    QObject *ins = commandOf(app::phone, "ins_btn", true);
    menuItem("N11")->trigger();
    QCOMPARE(modalWindows(fx.ui), QStringList{QStringLiteral("phone")});
    QVERIFY(!enabled(ins));
    // Another user's rows and another page's rows do not count.
    fx.ui.reset();
    grant(fx, 3, QStringLiteral("zamaem"), true, true, true, true);
    grant(fx, 2, QStringLiteral("zamaem "), true, true, true, true);
    menuItem("N12")->trigger();
    QCOMPARE(fx.ui.messages(), QStringList{NoAccess});
}

void TestMain::listsAreSizedToTheMainWindow()
{
    AppFixture fx(Engine::Sqlite);
    fx.exec(QStringLiteral("insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) values (1,'personel','1','1','1','1')"));
    fx.exec(QStringLiteral("insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) values (1,'taradod','1','1','1','1')"));
    fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
    app::main->resize(900, 700);
    const QRect outer = app::main->frameGeometry();
    app::main->N1Click();
    QCOMPARE(app::personel_src->size(), QSize(outer.width() - 17, outer.height() - 60));
    app::main->N10Click();
    QCOMPARE(app::taradod_src->size(), QSize(outer.width() - 17, outer.height() - 60));
    dates.Init();
    const QString today = dates.ToText();
    dates = TJalaliDate();
    app::main->N10Click();
    QCOMPARE(dates.ToText(), today); // the trip list's date preset is today
}

void TestMain::usersPageReloadsTheUsers()
{
    AppFixture fx(Engine::Sqlite);
    fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
    app::dm->adoq_user->clear();
    app::dm->adoq_user->add(QStringLiteral("select * from users where us='nobody'"));
    app::dm->adoq_user->open();
    fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('ali','2','1')"));
    // The administrator's "karbaran" row comes with a new database.
    app::main->N6->trigger();
    QCOMPARE(modalWindows(fx.ui), QStringList{QStringLiteral("users")});
    QCOMPARE(app::dm->adoq_user->text(), QStringLiteral("select * from users"));
    QCOMPARE(app::dm->adoq_user->recordCount(), 2);
    QVERIFY(enabled(commandOf(app::users, "ins_btn", true)));
}

void TestMain::messagesOfTheUserOrAll()
{
    AppFixture fx(currentEngine());
    fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('ali','2','1')"));
    fx.exec(QStringLiteral("insert into payamha (send_prs_id,rec_prs_id,send_dat,show_dat,mozo) values (1,2,'1403/01/05','','a')"));
    fx.exec(QStringLiteral("insert into payamha (send_prs_id,rec_prs_id,send_dat,show_dat,mozo) values (2,1,'1403/02/01','','b')"));
    fx.exec(QStringLiteral("insert into payamha (send_prs_id,rec_prs_id,send_dat,show_dat,mozo) values (1,2,'1403/03/01','','c')"));
    Query *q = app::dm->ADOQ_payam;
    auto subjects = [q] {
        QStringList out;
        for (q->first(); !q->eof(); q->next())
            out << q->field(QStringLiteral("mozo")).asString() + QLatin1Char(':') + q->field(QStringLiteral("ferestande")).asString();
        return out;
    };
    fx.setCurrentUser(QStringLiteral("2"), QStringLiteral("ali"));
    app::main->N9->trigger();
    QCOMPARE(subjects(), (QStringList{QStringLiteral("c:admin"), QStringLiteral("a:admin")}));
    QCOMPARE(modalWindows(fx.ui), QStringList{QStringLiteral("payam")});
    fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
    app::main->N9->trigger();
    QCOMPARE(subjects(), (QStringList{QStringLiteral("c:admin"), QStringLiteral("b:ali"), QStringLiteral("a:admin")}));
}

void TestMain::aboutAndExit()
{
    AppFixture fx(Engine::Sqlite);
    app::main->N5->trigger();
    QCOMPARE(fx.ui.messages().size(), 1);
    QCOMPARE(fx.ui.calls.first().kind, Platform::BoxKind::Plain);
    QVERIFY(fx.ui.messages().first().contains(QStringLiteral("1401")));

    QSignalSpy ended(app::login, &Tlogin::closed);
    app::main->show();
    for (Platform::Button answer : {Platform::Button::Cancel, Platform::Button::No, Platform::Button::None}) {
        fx.ui.reset();
        fx.ui.buttonAnswers << answer;
        app::main->N3->trigger();
        QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("آيا مي خواهيد از برنامه خارج شويد")});
        QCOMPARE(fx.ui.calls.first().kind, Platform::BoxKind::Warning);
        QCOMPARE(fx.ui.calls.first().buttons,
                 (QList<Platform::Button>{Platform::Button::Yes, Platform::Button::No, Platform::Button::Cancel}));
        QVERIFY(app::main->isVisible());
        QCOMPARE(ended.count(), 0);
    }
    // Yes ends the program by closing the (hidden) login window.
    fx.ui.reset();
    fx.ui.buttonAnswers << Platform::Button::Yes;
    app::main->close();
    QCOMPARE(ended.count(), 1);
    QVERIFY(!app::main->isVisible());
}

void TestMain::pictureFollowsTheWindow()
{
    AppFixture fx(Engine::Sqlite);
    app::main->show();
    // The picture fills the client area below the menu, no more, no less.
    for (QSize size : {QSize(800, 600), QSize(1024, 700)}) {
        app::main->resize(size);
        QCOMPARE(app::main->Image1->geometry(), app::main->centralWidget()->rect());
        QCOMPARE(app::main->centralWidget()->geometry().bottomRight(), app::main->rect().bottomRight());
    }
}

// Every push button of every window is as wide as its picture and caption
// need in the installed face.
void TestMain::buttonsHoldTheirCaptions()
{
    AppFixture fx(Engine::Sqlite);
    for (QWidget *window : QApplication::topLevelWidgets()) {
        const QList<QPushButton *> buttons = window->findChildren<QPushButton *>();
        if (buttons.isEmpty() || window->parentWidget())
            continue;
        window->show();
        for (const QPushButton *b : buttons)
            if (b->isVisibleTo(window) && !b->text().isEmpty())
                QVERIFY2(b->width() >= b->sizeHint().width(),
                         qPrintable(window->objectName() + QLatin1Char('.') + b->objectName()));
        window->hide();
    }
}

void TestMain::unreadMessagePoll()
{
    AppFixture fx(currentEngine());
    fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('ali','2','1')"));
    fx.setCurrentUser(QStringLiteral("2"), QStringLiteral("ali"));
    app::main->Timer1Timer();
    QVERIFY(fx.ui.calls.isEmpty());
    QVERIFY(app::main->Timer1->isActive());

    fx.exec(QStringLiteral("insert into payamha (send_prs_id,rec_prs_id,send_dat,show_dat,mozo) values (1,2,'1403/01/05','','a')"));
    fx.exec(QStringLiteral("insert into payamha (send_prs_id,rec_prs_id,send_dat,show_dat,mozo) values (1,2,'1403/01/06','','b')"));
    fx.exec(QStringLiteral("insert into payamha (send_prs_id,rec_prs_id,send_dat,show_dat,mozo) values (1,2,'1403/01/06','1403/01/07','c')"));
    fx.exec(QStringLiteral("insert into payamha (send_prs_id,rec_prs_id,send_dat,show_dat,mozo) values (2,1,'1403/01/06','','d')"));
    app::main->Timer1->stop();
    app::main->Timer1Timer();
    QCOMPARE(fx.ui.callsOf(QStringLiteral("sound")).size(), 1);
    QCOMPARE(fx.ui.callsOf(QStringLiteral("sound")).first().text, QStringLiteral("SystemExit"));
    QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("شما اين تعداد پيام ناخوانده داريد 2")});
    QVERIFY(app::main->Timer1->isActive());

    // A server that fails every tick raises one box, not one every five
    // seconds; after a tick that succeeds, the next failure is shown again.
    fx.ui.reset();
    fx.exec(QStringLiteral("alter table payamha rename to payamha_away"));
    for (int tick = 0; tick < 3; ++tick)
        app::main->Timer1Timer();
    QCOMPARE(fx.ui.messages().size(), 1);
    QCOMPARE(fx.ui.calls.last().kind, Platform::BoxKind::Error);
    QVERIFY(app::main->Timer1->isActive());
    fx.exec(QStringLiteral("alter table payamha_away rename to payamha"));
    fx.exec(QStringLiteral("update payamha set show_dat='1403/01/08'"));
    app::main->Timer1Timer();
    QCOMPARE(fx.ui.messages().size(), 1);
    fx.exec(QStringLiteral("alter table payamha rename to payamha_away"));
    app::main->Timer1Timer();
    QCOMPARE(fx.ui.messages().size(), 2);
    app::main->Timer1->stop();
}

// The pages whose openers clear their fields stay open on Esc, so what is
// being typed is not lost at the next opening.
void TestMain::escapeKeepsWhatIsBeingTyped()
{
    AppFixture fx(Engine::Sqlite);
    const QList<QPair<QDialog *, QLineEdit *>> pages = {
        {app::setting, app::setting->cmt}, {app::phone, app::phone->name},
        {app::zamaem, app::zamaem->ramz}, {app::users, app::users->us}};
    for (const auto &[page, field] : pages) {
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        field->setFocus();
        field->setText(QStringLiteral("رضا"));
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY2(page->isVisible(), qPrintable(page->objectName()));
        QCOMPARE(field->text(), QStringLiteral("رضا"));
        page->hide();
    }
}

QTEST_MAIN(TestMain)
#include "tst_main.moc"
