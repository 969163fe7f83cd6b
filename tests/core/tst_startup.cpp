// Start-up's connection loop and the connection-settings window.
#include "TestSupport.h"
#include "core/Controls.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "core/login_u.h"
#include "core/passwords.h"
#include "core/server_u.h"
#include "core/startup.h"
#include "platform/SqlServerOdbc.h"
#include "platform/Fonts.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"
#include "platform/Style.h"
#include "platform/Translations.h"
#include <QApplication>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

namespace {

const QString MissingSettings = QStringLiteral("لطفا\" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد");
const QString WrongSettings = QStringLiteral("تنظيمات اتصال به بانک اطلاعاتي اشتباه انجام شده است، لطفا با مدير شبکه تماس حاصل کنيد");

// The connection's refusal of a value FreeTDS cannot carry, naming the field.
QString notCarried(const QString &field)
{
    return field + QStringLiteral(" نويسه هايي دارد كه راه انداز FreeTDS نمي تواند آنها را درست بفرستد (مانند «};»)، لطفا آن را اصلاح نماييد"
                                  "\nراه انداز ODBC: FreeTDS");
}

void storeSettings(const QHash<const char *, QString> &values)
{
    QSettings s(SettingsStore::location(), QSettings::IniFormat);
    for (auto it = values.begin(); it != values.end(); ++it)
        s.setValue(QLatin1String(it.key()), it.value());
    s.sync();
}

QString stored(const char *name)
{
    return QSettings(SettingsStore::location(), QSettings::IniFormat).value(QLatin1String(name)).toString();
}

QStringList modalWindows(const ScriptedPlatform &ui)
{
    QStringList names;
    for (const auto &c : ui.callsOf(QStringLiteral("modal")))
        names << c.text;
    return names;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    void firstStartWithoutSettingsEndsFromTheFinishButton();
    void wrongSettingsThenRightOnes();
    void closeBoxTriesTheSameSettingsAgain_data();
    void closeBoxTriesTheSameSettingsAgain();
    void onlyExactSqlServerAuthenticationUsesThePassword();

    void settingsWindowLayout();
    void okRefusedForEachFieldInOrder();
    void storesTheSettings();
    void storeThatCannotBeOpenedWarnsAndCloses();
    void labelsRestoreDefaults();
    void qtDialogsSpeakPersian();
    void qtDialogsShowPathsLeftToRight();
    void schemaCommand_data() { addEngineRows(); }
    void schemaCommand();
    void schemaCommandReportsWhatIsMissing_data() { addEngineRows(); }
    void schemaCommandReportsWhatIsMissing();

private:
    QTemporaryDir m_dir;
};

void TestStartup::initTestCase()
{
    installFontSubstitutions();
    QVERIFY(m_dir.isValid());
    qputenv("KAVRIN_SETTINGS", m_dir.filePath(QStringLiteral("settings.ini")).toUtf8());
    // FreeTDS is the one ODBC driver installed, wherever the test runs.
    QFile drivers(m_dir.filePath(QStringLiteral("odbcinst.ini")));
    QVERIFY(drivers.open(QIODevice::WriteOnly) && drivers.write("[FreeTDS]\n") > 0);
    drivers.close();
    qputenv("ODBCSYSINI", m_dir.path().toUtf8());
}

void TestStartup::init()
{
    qputenv("KAVRIN_SETTINGS", m_dir.filePath(QStringLiteral("settings.ini")).toUtf8());
    QFile::remove(SettingsStore::location());
}

void TestStartup::firstStartWithoutSettingsEndsFromTheFinishButton()
{
    AppFixture fx(Engine::Sqlite);
    fx.ui.onModal = [](QWidget *w) {
        if (w == app::server)
            app::server->Button2->click();
    };
    QVERIFY(!ConnectLoop());
    QCOMPARE(fx.ui.messages(), QStringList{MissingSettings});
    QCOMPARE(fx.ui.calls.first().kind, Platform::BoxKind::Warning);
    QCOMPARE(modalWindows(fx.ui), QStringList{QStringLiteral("server")});
    QCOMPARE(app::server->Button2->text(), QStringLiteral("end"));
    QVERIFY(!app::server->isVisible());
    QVERIFY(!app::login->isVisible());
    QVERIFY(!QFile::exists(SettingsStore::location()));
}

void TestStartup::wrongSettingsThenRightOnes()
{
    AppFixture fx(Engine::Sqlite);
    app::dm->ADOConnection1->close();
    storeSettings({{SettingsStore::EngineName, QStringLiteral("SQLite")},
                   {SettingsStore::ServerName, QStringLiteral("localhost")},
                   {SettingsStore::DataBase, m_dir.filePath(QStringLiteral("missing/none.sqlite"))},
                   {SettingsStore::Authentication, QStringLiteral("SQL Server")},
                   {SettingsStore::UserName, QStringLiteral("sa")},
                   {SettingsStore::Password, ScramblePassword(QStringLiteral("x"))}});
    const QString right = fx.database.settings().database;
    int shown = 0;
    fx.ui.onModal = [&](QWidget *w) {
        QCOMPARE(w, app::server);
        // The first time OK stores a path that still does not open.
        app::server->setEngineText(QStringLiteral("SQLite"));
        app::server->DataBase->setText(++shown == 1 ? m_dir.filePath(QStringLiteral("still/missing.sqlite")) : right);
        app::server->Button1->click();
    };
    QVERIFY(ConnectLoop());
    QCOMPARE(shown, 2);
    QCOMPARE(fx.ui.messages(), (QStringList{WrongSettings, WrongSettings}));
    QVERIFY(app::dm->ADOConnection1->connected());
    QCOMPARE(app::dm->ADOConnection1->settings().database, right);
    QCOMPARE(app::dm->ADOConnection1->settings().engine, Engine::Sqlite);
    QCOMPARE(stored(SettingsStore::DataBase), right);
    QCOMPARE(stored(SettingsStore::EngineName), QStringLiteral("SQLite"));
    QVERIFY(!app::login->isVisible());
}

// The engine's failure is told by the general warning; a value the
// connection refuses before asking the engine, by its own message.
void TestStartup::closeBoxTriesTheSameSettingsAgain_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("warning");
    QTest::newRow("missing file") << QStringLiteral("SQLite") << QString() << m_dir.filePath(QStringLiteral("missing/none.sqlite")) << WrongSettings;
    QTest::newRow("server FreeTDS cannot carry") << QStringLiteral("SQL Server") << QStringLiteral("db};x") << QStringLiteral("DorvaPelin")
                                                  << notCarried(QStringLiteral("نام سرور"));
}

void TestStartup::closeBoxTriesTheSameSettingsAgain()
{
    QFETCH(QString, engine);
    QFETCH(QString, server);
    QFETCH(QString, database);
    QFETCH(QString, warning);
    AppFixture fx(Engine::Sqlite);
    storeSettings({{SettingsStore::EngineName, engine}, {SettingsStore::ServerName, server}, {SettingsStore::DataBase, database}});
    int shown = 0;
    fx.ui.onModal = [&](QWidget *w) {
        if (++shown < 3)
            w->close(); // the title bar's close box: nothing stored
        else
            app::server->Button2->click();
    };
    QVERIFY(!ConnectLoop());
    QCOMPARE(shown, 3);
    QCOMPARE(fx.ui.messages(), (QStringList{warning, warning, warning}));
    QVERIFY(!app::dm->ADOConnection1->connected());
}

void TestStartup::onlyExactSqlServerAuthenticationUsesThePassword()
{
    storeSettings({{SettingsStore::ServerName, QStringLiteral("db;Trusted_Connection=no")},
                   {SettingsStore::DataBase, QStringLiteral("DorvaPelin")},
                   {SettingsStore::UserName, QStringLiteral("sa")},
                   {SettingsStore::Authentication, QStringLiteral("SQL Server")},
                   {SettingsStore::Password, ScramblePassword(QStringLiteral("secret"))}});
    SettingsStore store;
    QVERIFY(store.openExisting());
    ConnectionSettings s = StoredConnectionSettings(store);
    QCOMPARE(s.engine, Engine::SqlServer); // no engine stored: an existing installation
    QCOMPARE(s.server, QStringLiteral("db;Trusted_Connection=no"));
    QCOMPARE(s.database, QStringLiteral("DorvaPelin"));
    QCOMPARE(s.user, QStringLiteral("sa"));
    QCOMPARE(s.password, QStringLiteral("secret"));
    QVERIFY(!s.integratedSecurity);
    // A value with ";" stays one value of the driver: it cannot add options.
    QVERIFY(sqlServerConnectionString(s, QStringLiteral("ODBC Driver 18 for SQL Server")).contains(QStringLiteral("SERVER={db;Trusted_Connection=no}")));

    for (const QString &auth : {QStringLiteral("sql server"), QStringLiteral("Windows"), QString(), QStringLiteral("SQL Server ")}) {
        storeSettings({{SettingsStore::Authentication, auth}, {SettingsStore::EngineName, QStringLiteral("PostgreSQL")}});
        s = StoredConnectionSettings(store);
        QVERIFY2(s.integratedSecurity, qPrintable(auth));
        QCOMPARE(s.password, QString());
        QCOMPARE(s.user, QStringLiteral("sa"));
        QCOMPARE(s.engine, Engine::PostgreSql);
    }
    storeSettings({{SettingsStore::Authentication, QStringLiteral("SQL Server")}, {SettingsStore::Password, QString()}});
    QCOMPARE(StoredConnectionSettings(store).password, QString());
}

void TestStartup::settingsWindowLayout()
{
    AppFixture fx(Engine::Sqlite);
    Tserver *w = app::server;
    QCOMPARE(w->windowTitle(), QStringLiteral("تنظيمات اتصال به بانک"));
    QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(w->SqlServerName->text(), QStringLiteral("127.0.0.1"));
    QCOMPARE(w->DataBase->text(), QStringLiteral("DorvaPelin"));
    QCOMPARE(w->UserName->text(), QStringLiteral("sa"));
    QCOMPARE(w->Password->text(), QStringLiteral("quzelo##*"));
    QCOMPARE(w->Password->echoMode(), QLineEdit::Password);
    QVERIFY(w->rbSQL->isChecked());
    QVERIFY(!w->rbWindows->isChecked());
    QCOMPARE(w->RadioGroup1->title(), QStringLiteral("نحوه اتصال به سرور: "));
    QCOMPARE(w->Button1->text(), QStringLiteral("تاييد"));
    QCOMPARE(w->Button2->text(), QStringLiteral("خاتمه"));
    QCOMPARE(w->engineText(), QStringLiteral("SQL Server"));
    // Tab order: the four edits, the two buttons, the two choices.
    const QList<QWidget *> order{w->SqlServerName, w->DataBase, w->UserName, w->Password,
                                 w->Button1, w->Button2, w->rbWindows, w->rbSQL};
    for (int i = 0; i + 1 < order.size(); ++i) {
        QWidget *next = order[i]->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        QCOMPARE(next, order[i + 1]);
    }
    w->show();
    // Right to left: captions at the right of their edits, OK at the right of finish.
    QVERIFY(w->Label2->geometry().left() > w->SqlServerName->geometry().right());
    QVERIFY(w->Button1->geometry().left() > w->Button2->geometry().right());
    QVERIFY(w->Label1->geometry().left() > w->Button2->geometry().right());
    QVERIFY(w->Label1->geometry().right() < w->Button1->geometry().left());
}

// OK is refused, with the field to fix focused and nothing stored, while a
// field is empty (each in its order; blanks count as filled), the password
// has a letter the stored form's code page cannot keep, or a value cannot
// reach the ODBC driver that would be used.
void TestStartup::okRefusedForEachFieldInOrder()
{
    AppFixture fx(Engine::Sqlite);
    Tserver *w = app::server;
    w->show();
    const auto confirmation = Platform::BoxKind::Confirmation;
    // Each: the field, what is typed into it before OK (empty: as emptied), the box.
    const QList<std::tuple<QLineEdit *, QString, QString, Platform::BoxKind>> refusals{
        {w->SqlServerName, QString(), QStringLiteral("نام سرور را وارد نمائيد"), confirmation},
        {w->DataBase, QString(), QStringLiteral("نام ديتابيس را وارد نمائيد"), confirmation},
        {w->UserName, QString(), QStringLiteral("کلمه کاربري را وارد نمائيد"), confirmation},
        {w->Password, QString(), QStringLiteral("رمز عبور را وارد نمائيد"), confirmation},
        // Persian digits and the Persian yeh have no code there.
        {w->Password, QStringLiteral("رمز۱۲۳"), Tserver::UnkeepablePassword, Platform::BoxKind::Warning},
        {w->Password, QStringLiteral("علی"), Tserver::UnkeepablePassword, Platform::BoxKind::Warning},
        // FreeTDS, the driver that would be used, cannot carry "};".
        {w->SqlServerName, QStringLiteral("db};x"), notCarried(QStringLiteral("نام سرور")), Platform::BoxKind::Warning},
        {w->DataBase, QStringLiteral("a};b"), notCarried(QStringLiteral("نام بانک اطلاعاتي")), Platform::BoxKind::Warning},
        {w->UserName, QStringLiteral("u};"), notCarried(QStringLiteral("نام كاربري")), Platform::BoxKind::Warning},
        {w->Password, QStringLiteral("p};"), notCarried(QStringLiteral("رمز عبور")), Platform::BoxKind::Warning}};
    for (QLineEdit *field : {w->SqlServerName, w->DataBase, w->UserName, w->Password})
        field->clear();
    for (const auto &[field, typed, message, kind] : refusals) {
        fx.ui.reset();
        if (!typed.isEmpty())
            field->setText(typed);
        w->Button1->click();
        QCOMPARE(fx.ui.messages(), QStringList{message});
        QCOMPARE(fx.ui.calls.first().kind, kind);
        QCOMPARE(w->focusWidget(), field);
        QVERIFY(w->isVisible());
        QVERIFY(!QFile::exists(SettingsStore::location()));
        field->setText(QStringLiteral(" "));
    }
    // Arabic-script letters the code page has are kept.
    const QString kept = QStringLiteral("رمز گچ ي");
    w->Password->setText(kept);
    fx.ui.reset();
    w->Button1->click();
    QCOMPARE(fx.ui.messages(), QStringList());
    QVERIFY(!w->isVisible());
    QCOMPARE(stored(SettingsStore::ServerName), QStringLiteral(" "));
    QCOMPARE(UnscramblePassword(stored(SettingsStore::Password)), kept);
}

void TestStartup::storesTheSettings()
{
    AppFixture fx(Engine::Sqlite);
    Tserver *w = app::server;
    w->show();
    w->rbWindows->setChecked(true);
    QVERIFY(!w->rbSQL->isChecked());
    w->setEngineText(QStringLiteral("PostgreSQL"));
    w->SqlServerName->setText(QStringLiteral("db.example:5433"));
    w->Button1->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(stored(SettingsStore::ServerName), QStringLiteral("db.example:5433"));
    QCOMPARE(stored(SettingsStore::DataBase), QStringLiteral("DorvaPelin"));
    QCOMPARE(stored(SettingsStore::UserName), QStringLiteral("sa"));
    QCOMPARE(stored(SettingsStore::Authentication), QStringLiteral("Windows"));
    QCOMPARE(stored(SettingsStore::Password), ScramblePassword(QStringLiteral("quzelo##*")));
    QCOMPARE(stored(SettingsStore::EngineName), QStringLiteral("PostgreSQL"));

    w->rbSQL->setChecked(true);
    w->Button1->click();
    QCOMPARE(stored(SettingsStore::Authentication), QStringLiteral("SQL Server"));

    // The finish button closes the window and leaves "end" for start-up.
    w->show();
    w->Button2->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(w->Button2->text(), QStringLiteral("end"));
}

void TestStartup::storeThatCannotBeOpenedWarnsAndCloses()
{
    AppFixture fx(Engine::Sqlite);
    // A settings path below a plain file cannot be created.
    const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    qputenv("KAVRIN_SETTINGS", (blocker + QStringLiteral("/settings.ini")).toUtf8());
    app::server->show();
    app::server->Button1->click();
    QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("عمليات ثبت با خطا مواجه گرديد، لطفا دوباره سعي نماييد")});
    QCOMPARE(fx.ui.calls.first().kind, Platform::BoxKind::Warning);
    QVERIFY(!app::server->isVisible());
}

void TestStartup::labelsRestoreDefaults()
{
    AppFixture fx(Engine::Sqlite);
    Tserver *w = app::server;
    w->show();
    const QList<QPair<QWidget *, QLineEdit *>> pairs{{w->Label2, w->SqlServerName}, {w->Label3, w->DataBase},
                                                     {w->Label4, w->UserName}, {w->Label5, w->Password}};
    QStringList defaults;
    for (const auto &p : pairs) {
        defaults << p.second->text();
        p.second->setText(QStringLiteral("other"));
    }
    for (int i = 0; i < pairs.size(); ++i) {
        QTest::mouseClick(pairs[i].first, Qt::LeftButton);
        QCOMPARE(pairs[i].second->text(), defaults[i]);
    }
}

void TestStartup::schemaCommand()
{
    AppFixture fx(currentEngine(), false);
    QTest::mouseClick(app::server->Label1, Qt::LeftButton);
    QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("همه تنظيمات انجام شد")});
    QCOMPARE(fx.column(QStringLiteral("select us from users")), QStringList{QStringLiteral("admin")});
    // A second run changes nothing and still reports.
    app::server->Label1Click();
    QCOMPARE(fx.column(QStringLiteral("select count(*) from users")), QStringList{QStringLiteral("1")});
    QCOMPARE(fx.ui.messages().size(), 2);
}

// The command reports what it made: nothing without a connection, and what
// is missing when a block could not make it.
void TestStartup::schemaCommandReportsWhatIsMissing()
{
    AppFixture fx(currentEngine(), false);
    fx.exec(QStringLiteral("create table taradod (id int, ranande varchar(50), typ varchar(50))"));
    app::server->Label1Click();
    QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("تنظيمات كامل انجام نشد. اين موارد در بانك اطلاعاتي ساخته نشد: "
                                                          "taradod.nahve، taradod.karkard_kilometr، taradod.karkard_saat، "
                                                          "taradod.mablagh_kilometr، taradod.mablagh_saat، taradod.mablagh")});
    fx.ui.reset();
    app::dm->ADOConnection1->close();
    app::server->Label1Click();
    QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("ارتباط با بانك اطلاعاتي برقرار نيست؛ هيچ تنظيمي انجام نشد")});
}

// Qt's own dialogs (file, folder, print, print preview) speak Persian.
void TestStartup::qtDialogsSpeakPersian()
{
    QVERIFY(installQtTranslations());
    for (const auto &[context, text] : {std::pair{"QFileDialog", "File &name:"}, std::pair{"QPrintPreviewDialog", "Print Preview"},
                                        std::pair{"QPrintDialog", "Print"}, std::pair{"QFileSystemModel", "Size"},
                                        std::pair{"QPrintSettingsOutput", "Pages"}}) {
        const QString translated = QCoreApplication::translate(context, text);
        QVERIFY2(translated != QLatin1String(text), text);
        QVERIFY2(translated.contains(QRegularExpression(QStringLiteral("[\\x{0600}-\\x{06FF}]"))), qPrintable(translated));
    }
}

// The path boxes of Qt's file and print dialogs read left to right in the
// right-to-left program: "/home/ali", not "home/ali/"; turned before Qt fills
// them (the print dialog's on construction), they read so at every scroll.
void TestStartup::qtDialogsShowPathsLeftToRight()
{
    installLeftToRightPathBoxes();
    installProgramStyle();
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setLayoutDirection(Qt::RightToLeft);
    auto *look = files.findChild<QComboBox *>(QStringLiteral("lookInCombo"));
    QCOMPARE(look->layoutDirection(), Qt::LeftToRight);
    QCOMPARE(files.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->layoutDirection(), Qt::LeftToRight);
    QPrinter printer;
    printer.setOutputFileName(QStringLiteral("/home/ali/حکم ماموريت خودرو خارج از شهر - برگ سفيد.pdf"));
    const QPrintDialog print(&printer);
    QCOMPARE(print.findChild<QLineEdit *>(QStringLiteral("filename"))->layoutDirection(), Qt::LeftToRight);
    // Also drawn by a painter in the program's right-to-left direction.
    QStyleOptionComboBox option;
    option.initFrom(look);
    option.rect = QRect(0, 0, 200, 24);
    option.currentText = QStringLiteral("/tmp/a1");
    const auto draw = [&](Qt::LayoutDirection painterDirection) {
        QImage image(option.rect.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setLayoutDirection(painterDirection);
        QApplication::style()->drawControl(QStyle::CE_ComboBoxLabel, &option, &painter);
        return image;
    };
    QCOMPARE(draw(Qt::RightToLeft), draw(Qt::LeftToRight));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
