// The login window with its version gate and log rows, and the password change.
#include "TestSupport.h"
#include "admin/users_u.h"
#include "core/Controls.h"
#include "core/Dates.h"
#include "core/app.h"
#include "core/change_pass_u.h"
#include "core/login_u.h"
#include "core/main_u.h"
#include "core/passwords.h"
#include "core/server_u.h"
#include "platform/ComboBox.h"
#include "platform/Fonts.h"
#include "platform/HostInfo.h"
#include "platform/SettingsStore.h"
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>

namespace {

const QString WrongPair = QStringLiteral("کلمه يا رمز عبور اشتباه است");
const QString Success = QStringLiteral("  ورود موفق به نرم افزار  ");

void login(const QString &name, const QString &password)
{
    app::login->us->setText(name);
    app::login->ps->setText(password);
    app::login->BitBtn1->click();
}

} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    void windowAndUserList_data() { addEngineRows(); }
    void windowAndUserList();
    void wrongPairIsRefused_data() { addEngineRows(); }
    void wrongPairIsRefused();
    void administratorSignsIn_data() { addEngineRows(); }
    void administratorSignsIn();
    void newerVersionRefusesOtherUsers_data() { addEngineRows(); }
    void newerVersionRefusesOtherUsers();
    void missingAdministratorVersionStopsTheLogin();
    void databaseWithoutUsersOpensTheSettings();
    void keys();
    void cancelEndsTheProgram();

    void passwordChange_data() { addEngineRows(); }
    void passwordChange();
    void passwordChangeNeedsTheRightPair();
    void closingPasswordChangeBringsLoginBack();
};

void TestLogin::initTestCase()
{
    installFontSubstitutions();
}

void TestLogin::init()
{
    static QTemporaryDir dir;
    qputenv("KAVRIN_SETTINGS", dir.filePath(QStringLiteral("settings.ini")).toUtf8());
    QFile::remove(SettingsStore::location());
}

void TestLogin::windowAndUserList()
{
    AppFixture fx(currentEngine());
    fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('ali','2','1')"));
    Tlogin *w = app::login;
    QCOMPARE(w->windowTitle(), QStringLiteral("صفحه ورود"));
    QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(w->Label1->text(), QStringLiteral("نام كاربري"));
    QCOMPARE(w->Label2->text(), QStringLiteral("كلمه عبور"));
    QCOMPARE(w->BitBtn1->text(), QStringLiteral("ورود"));
    QCOMPARE(w->BitBtn2->text(), QStringLiteral("انصراف"));
    QCOMPARE(w->Label3->text(), QStringLiteral("تغيير كلمه عبور"));
    QCOMPARE(w->Label4->text(), QStringLiteral("تغيير بانك اطلاعاتي"));
    QCOMPARE(w->ps->echoMode(), QLineEdit::Password);
    w->us->setText(QStringLiteral("typed"));
    w->show();
    QStringList items;
    for (int i = 0; i < w->us->count(); ++i)
        items << w->us->itemText(i);
    QCOMPARE(items, (QStringList{QStringLiteral("admin"), QStringLiteral("ali")}));
    QCOMPARE(w->us->text(), QStringLiteral("typed"));
    // Refilled, not added to, at the next showing.
    w->hide();
    w->show();
    QCOMPARE(w->us->count(), 2);
    QVERIFY(fx.ui.messages().isEmpty());
    // Captions at the right, the cancel button and the password link at the left.
    QVERIFY(w->Label1->geometry().left() > w->us->geometry().right());
    QVERIFY(w->BitBtn1->geometry().left() > w->BitBtn2->geometry().right());
    QVERIFY(w->Label4->geometry().left() > w->Label3->geometry().right());
}

void TestLogin::wrongPairIsRefused()
{
    AppFixture fx(currentEngine());
    app::login->show();
    login(QStringLiteral("admin"), QStringLiteral("2"));
    QCOMPARE(fx.ui.messages(), QStringList{WrongPair});
    login(QStringLiteral("admin' or '1'='1"), QStringLiteral("x' or '1'='1"));
    QCOMPARE(fx.ui.messages(), (QStringList{WrongPair, WrongPair}));
    QVERIFY(app::login->isVisible());
    QVERIFY(!app::main->isVisible());
    QCOMPARE(app::users->prs_id->text(), QStringLiteral("prs_id"));
    QCOMPARE(fx.column(QStringLiteral("select count(*) from log")), QStringList{QStringLiteral("0")});
}

void TestLogin::administratorSignsIn()
{
    AppFixture fx(currentEngine());
    fx.exec(QStringLiteral("update users set ver='2' where us='admin'"));
    QSignalSpy ended(app::login, &Tlogin::closed);
    app::login->show();
    login(QStringLiteral("admin"), QStringLiteral("1"));
    QVERIFY(fx.ui.messages().isEmpty());
    QCOMPARE(ended.count(), 0);
    QVERIFY(app::main->isVisible());
    QVERIFY(app::main->isMaximized());
    QVERIFY(!app::login->isVisible());
    QCOMPARE(app::users->prs_id->text(), QStringLiteral("1"));
    QCOMPARE(app::users->karbar->text(), QStringLiteral("admin"));
    QCOMPARE(app::users->level->text(), QStringLiteral("level"));
    // Its own login first stamps the administrator's row with this version.
    QCOMPARE(fx.column(QStringLiteral("select ver from users where us='admin'")), QStringList{QStringLiteral("1")});
    const auto keyboard = fx.ui.callsOf(QStringLiteral("keyboard"));
    QCOMPARE(keyboard.size(), 1);
    QCOMPARE(keyboard.first().text, QStringLiteral("00000429"));

    // One log row of the successful entry.
    const QStringList row = fx.column(QStringLiteral("select karbar from log"));
    QCOMPARE(row, QStringList{QStringLiteral("admin")});
    const QString ip = hostLocalIPv4();
    QCOMPARE(fx.column(QStringLiteral("select ip from log")), QStringList{ip});
    QCOMPARE(fx.column(QStringLiteral("select computer_name from log")), QStringList{hostNameOfAddress(ip)});
    dates.Init();
    QCOMPARE(fx.column(QStringLiteral("select tarikh from log")), QStringList{dates.ToText()});
    QCOMPARE(fx.column(QStringLiteral("select cmt from log")), QStringList{Success + QStringLiteral("admin")});
    QVERIFY(!fx.column(QStringLiteral("select saat from log")).first().isEmpty());
    QVERIFY(!fx.column(QStringLiteral("select saat_sys from log")).first().isEmpty());
}

void TestLogin::newerVersionRefusesOtherUsers()
{
    AppFixture fx(currentEngine());
    fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('ali','2','1')"));
    fx.exec(QStringLiteral("update users set ver='2' where us='admin'"));
    QSignalSpy ended(app::login, &Tlogin::closed);
    app::login->show();
    login(QStringLiteral("ali"), QStringLiteral("2"));
    QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("اين نسخه قديمي است و قابل اجرا نيست. جديدترين نسخه  -  2")});
    QCOMPARE(ended.count(), 1);
    QVERIFY(!app::login->isVisible());
    QVERIFY(!app::main->isVisible());
    QCOMPARE(app::users->karbar->text(), QStringLiteral("karbar"));
    QCOMPARE(fx.column(QStringLiteral("select cmt from log")), QStringList{QStringLiteral("  ورود ناموفق به نرم افزار بدليل استفاده از نسخه قديمي   2 ali")});
    QCOMPARE(fx.column(QStringLiteral("select karbar from log")), QStringList{QStringLiteral("ali")});
    QCOMPARE(fx.column(QStringLiteral("select ver from users where us='ali'")), QStringList{QStringLiteral("1")});
    QVERIFY(fx.ui.callsOf(QStringLiteral("keyboard")).isEmpty());
}

void TestLogin::missingAdministratorVersionStopsTheLogin()
{
    AppFixture fx(Engine::Sqlite);
    fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('ali','2','1')"));
    fx.exec(QStringLiteral("update users set ver='' where us='admin'"));
    app::login->show();
    login(QStringLiteral("ali"), QStringLiteral("2"));
    QCOMPARE(fx.ui.calls.size(), 1);
    QCOMPARE(fx.ui.calls.first().kind, Platform::BoxKind::Error);
    QVERIFY(app::login->isVisible());
    QVERIFY(!app::main->isVisible());
    QCOMPARE(app::users->prs_id->text(), QStringLiteral("2"));
    QCOMPARE(fx.column(QStringLiteral("select count(*) from log")), QStringList{QStringLiteral("0")});
}

void TestLogin::databaseWithoutUsersOpensTheSettings()
{
    AppFixture fx(Engine::Sqlite, false);
    QSettings s(SettingsStore::location(), QSettings::IniFormat);
    s.setValue(QLatin1String(SettingsStore::ServerName), QStringLiteral("dbhost"));
    s.setValue(QLatin1String(SettingsStore::DataBase), QStringLiteral("/data/kavrin.sqlite"));
    s.setValue(QLatin1String(SettingsStore::UserName), QStringLiteral("karbar1"));
    s.setValue(QLatin1String(SettingsStore::Authentication), QStringLiteral("SQL Server"));
    s.setValue(QLatin1String(SettingsStore::Password), ScramblePassword(QStringLiteral("p@ss")));
    s.setValue(QLatin1String(SettingsStore::EngineName), QStringLiteral("SQLite"));
    s.sync();
    app::server->rbWindows->setChecked(true);
    bool ranSchema = false;
    fx.ui.onModal = [&](QWidget *w) {
        QCOMPARE(w, app::server);
        QCOMPARE(app::server->SqlServerName->text(), QStringLiteral("dbhost"));
        QCOMPARE(app::server->DataBase->text(), QStringLiteral("/data/kavrin.sqlite"));
        QCOMPARE(app::server->UserName->text(), QStringLiteral("karbar1"));
        QCOMPARE(app::server->Password->text(), QStringLiteral("p@ss"));
        QVERIFY(app::server->rbSQL->isChecked());
        QCOMPARE(app::server->engineText(), QStringLiteral("SQLite"));
        app::server->Label1Click(); // the schema command, from here
        ranSchema = true;
        w->close();
    };
    app::login->show();
    QVERIFY(ranSchema);
    QCOMPARE(fx.ui.messages(), (QStringList{QStringLiteral("مسير بانك اطلاعاتي را مي توانيد تغيير دهيد"), QStringLiteral("همه تنظيمات انجام شد")}));
    QVERIFY(app::login->isVisible());

    // With Windows authentication stored the password field keeps its text.
    s.setValue(QLatin1String(SettingsStore::Authentication), QStringLiteral("Windows"));
    s.sync();
    app::server->Password->setText(QStringLiteral("kept"));
    fx.ui.onModal = nullptr;
    app::login->Label4Click();
    QVERIFY(app::server->rbWindows->isChecked());
    QCOMPARE(app::server->Password->text(), QStringLiteral("kept"));
}

void TestLogin::keys()
{
    AppFixture fx(Engine::Sqlite);
    Tlogin *w = app::login;
    w->show();
    QApplication::setActiveWindow(w);
    w->us->setFocus();
    w->us->setText(QStringLiteral("admin"));
    QTest::keyClick(w->us->lineEdit(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->ps);
    QVERIFY(!app::main->isVisible());
    QTest::keyClicks(w->ps, QStringLiteral("1"));
    QTest::keyClick(w->ps, Qt::Key_Enter);
    QVERIFY(app::main->isVisible());
}

void TestLogin::cancelEndsTheProgram()
{
    AppFixture fx(Engine::Sqlite);
    QSignalSpy ended(app::login, &Tlogin::closed);
    app::login->show();
    QTest::keyClick(app::login, Qt::Key_Escape);
    QCOMPARE(ended.count(), 1);
    QVERIFY(!app::login->isVisible());
    app::login->show();
    app::login->BitBtn2->click();
    QCOMPARE(ended.count(), 2);
}

void TestLogin::passwordChange()
{
    AppFixture fx(currentEngine());
    fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('ali','2','1')"));
    Tchange_pass *w = app::change_pass;
    QCOMPARE(w->windowTitle(), QStringLiteral("تغيير کلمه عبور"));
    QCOMPARE(w->BitBtn1->text(), QStringLiteral("تغيير"));
    // Both buttons carry a picture.
    QVERIFY(!w->BitBtn1->icon().isNull() && !w->BitBtn2->icon().isNull());
    app::login->show();
    app::login->us->setText(QStringLiteral("ali"));
    app::login->ps->setText(QStringLiteral("2"));
    app::login->Label3->clicked();
    QVERIFY(!app::login->isVisible());
    QVERIFY(w->isVisible());
    QVERIFY(!w->isModal());

    w->BitBtn1->click();
    QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("كلمه عبور صحيح نيست")});
    w->Edit1->setText(QStringLiteral("new'pass"));
    w->BitBtn1->click();
    w->Edit2->setText(QStringLiteral("new'Pass"));
    w->BitBtn1->click();
    QCOMPARE(fx.ui.messages().mid(1), (QStringList{QStringLiteral("كلمه عبور جديد همخواني ندارد"), QStringLiteral("كلمه عبور جديد همخواني ندارد")}));
    QVERIFY(w->isVisible());

    // Longer than the column: refused, and the old password stays.
    fx.ui.reset();
    w->Edit1->setText(QString(26, QLatin1Char('p')));
    w->Edit2->setText(w->Edit1->text());
    w->BitBtn1->click();
    QCOMPARE(fx.ui.calls.size(), 1);
    QCOMPARE(fx.ui.calls.first().kind, Platform::BoxKind::Error);
    QVERIFY(fx.ui.calls.first().text.contains(QStringLiteral("فيلد 'كلمه عبور جديد'")));
    QVERIFY(w->isVisible());
    QCOMPARE(fx.column(QStringLiteral("select ps from users where us='ali'")), QStringList{QStringLiteral("2")});

    fx.ui.reset();
    w->Edit1->setText(QStringLiteral("new'pass"));
    w->Edit2->setText(QStringLiteral("new'pass"));
    w->BitBtn1->click();
    QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("كلمه عبور تغيير يافت")});
    QVERIFY(!w->isVisible());
    QVERIFY(app::login->isVisible());
    QCOMPARE(fx.column(QStringLiteral("select ps from users where us='ali'")), QStringList{QStringLiteral("new'pass")});
    QCOMPARE(fx.column(QStringLiteral("select ps from users where us='admin'")), QStringList{QStringLiteral("1")});

    // The password changed on another workstation since login checked it:
    // nothing is changed, no success is reported and the window stays.
    app::login->us->setText(QStringLiteral("ali"));
    app::login->ps->setText(QStringLiteral("new'pass"));
    app::login->Label3->clicked();
    fx.exec(QStringLiteral("update users set ps='other' where us='ali'"));
    fx.ui.reset();
    w->Edit1->setText(QStringLiteral("third"));
    w->Edit2->setText(QStringLiteral("third"));
    w->BitBtn1->click();
    QCOMPARE(fx.ui.messages(),
             QStringList{QStringLiteral("كلمه عبور تغيير نيافت؛ نام كاربري يا كلمه عبور فعلي توسط كاربر ديگري تغيير كرده است")});
    QVERIFY(w->isVisible());
    QCOMPARE(w->Edit1->text(), QStringLiteral("third"));
    QCOMPARE(fx.column(QStringLiteral("select ps from users where us='ali'")), QStringList{QStringLiteral("other")});
    fx.exec(QStringLiteral("update users set ps='new''pass' where us='ali'"));
    w->BitBtn2->click();

    // The next person to open it finds both edits empty and the first one
    // focused: one click on the button changes nothing.
    app::login->us->setText(QStringLiteral("admin"));
    app::login->ps->setText(QStringLiteral("1"));
    app::login->Label3->clicked();
    QVERIFY(w->isVisible());
    QCOMPARE(w->Edit1->text(), QString());
    QCOMPARE(w->Edit2->text(), QString());
    QCOMPARE(w->focusWidget(), w->Edit1);
    fx.ui.reset();
    w->BitBtn1->click();
    QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("كلمه عبور صحيح نيست")});
    QCOMPARE(fx.column(QStringLiteral("select ps from users where us='admin'")), QStringList{QStringLiteral("1")});
    w->BitBtn2->click();

    fx.ui.reset();
    login(QStringLiteral("ali"), QStringLiteral("2"));
    QCOMPARE(fx.ui.messages(), QStringList{WrongPair});
    login(QStringLiteral("ali"), QStringLiteral("new'pass"));
    QVERIFY(app::main->isVisible());
}

void TestLogin::passwordChangeNeedsTheRightPair()
{
    AppFixture fx(Engine::Sqlite);
    app::login->show();
    app::login->us->setText(QStringLiteral("admin"));
    app::login->ps->setText(QStringLiteral("9"));
    app::login->Label3Click();
    QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("كلمه و رمز عبور را در صفحه فعلي درست وارد نماييد")});
    QVERIFY(app::login->isVisible());
    QVERIFY(!app::change_pass->isVisible());
}

void TestLogin::closingPasswordChangeBringsLoginBack()
{
    AppFixture fx(Engine::Sqlite);
    app::login->show();
    app::login->us->setText(QStringLiteral("admin"));
    app::login->ps->setText(QStringLiteral("1"));
    app::login->Label3Click();
    QVERIFY(!app::login->isVisible());
    app::change_pass->close();
    QVERIFY(!app::change_pass->isVisible());
    QVERIFY(app::login->isVisible());
    // Cancel as well.
    app::login->Label3Click();
    app::change_pass->BitBtn2->click();
    QVERIFY(!app::change_pass->isVisible());
    QVERIFY(app::login->isVisible());
    QVERIFY(fx.ui.messages().isEmpty());
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
