#include "server_u.h"
#include "Controls.h"
#include "app.h"
#include "dm_u.h"
#include "schema.h"
#include "passwords.h"
#include "platform/Connection.h"
#include "platform/Dialect.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"
#include "platform/SqlServerOdbc.h"
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

const QString Tserver::DefaultServer = QStringLiteral("127.0.0.1");
const QString Tserver::DefaultDataBase = QStringLiteral("DorvaPelin");
const QString Tserver::DefaultUserName = QStringLiteral("sa");
const QString Tserver::DefaultPassword = QStringLiteral("quzelo##*");
const QString Tserver::UnkeepablePassword =
    QStringLiteral("رمز عبور نويسه اي دارد كه قابل ذخيره نيست (مانند ارقام فارسي يا «ی» فارسي)، لطفا آن را اصلاح نماييد");

Tserver::Tserver(QWidget *parent) : QDialog(parent)
{
    setUpWindow(this, "server", QStringLiteral("تنظيمات اتصال به بانک"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    Label2 = named(new ClickLabel(QStringLiteral("نام سرور SQL :"), this), "Label2");
    Label3 = named(new ClickLabel(QStringLiteral("نام ديتابيس :"), this), "Label3");
    Label4 = named(new ClickLabel(QStringLiteral("کلمه کاربري SQL Server :"), this), "Label4");
    Label5 = named(new ClickLabel(QStringLiteral("رمز عبور SQL Server :"), this), "Label5");
    SqlServerName = named(new QLineEdit(DefaultServer, this), "SqlServerName");
    DataBase = named(new QLineEdit(DefaultDataBase, this), "DataBase");
    UserName = named(new QLineEdit(DefaultUserName, this), "UserName");
    Password = named(new QLineEdit(DefaultPassword, this), "Password");
    Password->setEchoMode(QLineEdit::Password);
    Password->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    // Server names, database names, logins and file paths are Latin texts.
    for (QLineEdit *edit : {SqlServerName, DataBase, UserName, Password})
        edit->setLayoutDirection(Qt::LeftToRight);

    Button1 = named(new QPushButton(QStringLiteral("تاييد"), this), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("خاتمه"), this), "Button2");
    for (QPushButton *b : {Button1, Button2})
        b->setAutoDefault(false);

    RadioGroup1 = named(new QGroupBox(QStringLiteral("نحوه اتصال به سرور: "), this), "RadioGroup1");
    rbWindows = named(new QRadioButton(QStringLiteral("Windows Authentication"), RadioGroup1), "rbWindows");
    rbSQL = named(new QRadioButton(QStringLiteral("SQL Server Authentication"), RadioGroup1), "rbSQL");
    for (QRadioButton *rb : {rbWindows, rbSQL})
        rb->setLayoutDirection(Qt::LeftToRight);
    rbSQL->setChecked(true);

    Label1 = named(new ClickLabel(QStringLiteral(". . ."), this), "Label1");
    Label1->setFixedWidth(18);
    Label1->setAlignment(Qt::AlignCenter);

    engine = named(new QComboBox(this), "engine");
    engine->addItems({engineName(Engine::SqlServer), engineName(Engine::PostgreSql), engineName(Engine::Sqlite)});
    engine->setLayoutDirection(Qt::LeftToRight);
    auto *engineLabel = new QLabel(QStringLiteral("نوع بانک اطلاعاتي :"), this);

    // Right to left: the captions stand in the first column, at the right.
    auto *fields = new QGridLayout;
    const QList<QPair<QLabel *, QWidget *>> rows{{Label2, SqlServerName}, {Label3, DataBase}, {Label4, UserName},
                                                 {Label5, Password}, {engineLabel, engine}};
    for (int r = 0; r < rows.size(); ++r) {
        fields->addWidget(rows[r].first, r, 0);
        fields->addWidget(rows[r].second, r, 1);
    }
    odbcDriver = named(new QLabel(this), "odbcDriver");
    odbcDriver->setWordWrap(true);
    fields->addWidget(odbcDriver, int(rows.size()), 1);
    fields->setColumnStretch(1, 1);

    auto *radios = new QVBoxLayout(RadioGroup1);
    radios->addWidget(rbWindows, 0, Qt::AlignLeft);
    radios->addWidget(rbSQL, 0, Qt::AlignLeft);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addStretch();
    buttons->addWidget(Label1);
    buttons->addStretch();
    buttons->addWidget(Button2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(RadioGroup1);
    layout->addLayout(buttons);
    setFixedSize(300, 330);

    setTabOrder(SqlServerName, DataBase);
    setTabOrder(DataBase, UserName);
    setTabOrder(UserName, Password);
    setTabOrder(Password, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, rbWindows);
    setTabOrder(rbWindows, rbSQL);
    setTabOrder(rbSQL, engine);

    connect(engine, &QComboBox::currentTextChanged, this, [this] { showOdbcDriver(); });
    connectGuarded(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connectGuarded(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connectGuarded(Label1, &ClickLabel::clicked, this, [this] { Label1Click(); });
    connectGuarded(Label2, &ClickLabel::clicked, this, [this] { Label2Click(); });
    connectGuarded(Label3, &ClickLabel::clicked, this, [this] { Label3Click(); });
    connectGuarded(Label4, &ClickLabel::clicked, this, [this] { Label4Click(); });
    connectGuarded(Label5, &ClickLabel::clicked, this, [this] { Label5Click(); });
}

void Tserver::showEvent(QShowEvent *event)
{
    showOdbcDriver();
    QDialog::showEvent(event);
}

void Tserver::showOdbcDriver()
{
    // Asked when shown or switched to SQL Server, never while the window is
    // being created: a driver installed meanwhile shows up.
    if (engineFromName(engineText()) != Engine::SqlServer || !isVisible()) {
        odbcDriver->clear();
        return;
    }
    odbcDriver->setText(sqlServerDriverLine(chooseSqlServerDriver(installedOdbcDrivers())));
}

QString Tserver::engineText() const { return engine->currentText(); }

void Tserver::setEngineText(const QString &name)
{
    engine->setCurrentIndex(engine->findText(engineName(engineFromName(name))));
}

void Tserver::Button1Click()
{
    const QList<QPair<QLineEdit *, QString>> required{
        {SqlServerName, QStringLiteral("نام سرور را وارد نمائيد")},
        {DataBase, QStringLiteral("نام ديتابيس را وارد نمائيد")},
        {UserName, QStringLiteral("کلمه کاربري را وارد نمائيد")},
        {Password, QStringLiteral("رمز عبور را وارد نمائيد")},
    };
    for (const auto &field : required) {
        if (field.first->text().isEmpty()) {
            showConfirmation(field.second);
            field.first->setFocus();
            return;
        }
    }
    // A character the stored form cannot keep would come back as another one
    // and the next start could not connect: refuse it before anything is written.
    if (!passwordKeepable(Password->text())) {
        showWarning(UnkeepablePassword);
        Password->setFocus();
        return;
    }
    // A value FreeTDS cannot carry would be refused by every connection
    // attempt: refused here instead, with the connection's own message.
    if (engineFromName(engineText()) == Engine::SqlServer) {
        ConnectionSettings typed;
        typed.server = SqlServerName->text();
        typed.database = DataBase->text();
        typed.user = UserName->text();
        typed.password = Password->text();
        typed.integratedSecurity = rbWindows->isChecked();
        const SqlServerRefusal refused = sqlServerRefusal(typed, chooseSqlServerDriver(installedOdbcDrivers()));
        using Field = SqlServerRefusal::Field;
        if (refused.field != Field::None) {
            showWarning(refused.message);
            const QHash<Field, QLineEdit *> fields{{Field::Server, SqlServerName}, {Field::Database, DataBase},
                                                   {Field::User, UserName}, {Field::Password, Password}};
            fields.value(refused.field)->setFocus();
            return;
        }
    }
    SettingsStore store;
    if (store.openOrCreate()) {
        store.setValue(SettingsStore::ServerName, SqlServerName->text());
        store.setValue(SettingsStore::DataBase, DataBase->text());
        store.setValue(SettingsStore::Authentication, rbWindows->isChecked() ? QStringLiteral("Windows") : QStringLiteral("SQL Server"));
        store.setValue(SettingsStore::UserName, UserName->text());
        store.setValue(SettingsStore::Password, ScramblePassword(Password->text()));
        store.setValue(SettingsStore::EngineName, engineText());
    } else {
        showWarning(QStringLiteral("عمليات ثبت با خطا مواجه گرديد، لطفا دوباره سعي نماييد"));
    }
    close();
}

void Tserver::Button2Click()
{
    close();
    Button2->setText(QStringLiteral("end"));
}

void Tserver::Label1Click() { CreateSchema(); }
void Tserver::Label2Click() { SqlServerName->setText(DefaultServer); }
void Tserver::Label3Click() { DataBase->setText(DefaultDataBase); }
void Tserver::Label4Click() { UserName->setText(DefaultUserName); }
void Tserver::Label5Click() { Password->setText(DefaultPassword); }

void CreateSchema()
{
    Query &q = *app::dm->ADOQuery1;
    // Without a connection every block would fail: say that nothing was done.
    if (!q.connection()->connected()) {
        showMessage(QStringLiteral("ارتباط با بانك اطلاعاتي برقرار نيست؛ هيچ تنظيمي انجام نشد"));
        return;
    }
    runSchemaBlocks(q);
    // The blocks swallow their errors; what they made is read back instead.
    const QStringList missing = missingSchemaParts(*q.connection());
    if (missing.isEmpty())
        showMessage(QStringLiteral("همه تنظيمات انجام شد"));
    else
        showMessage(QStringLiteral("تنظيمات كامل انجام نشد. اين موارد در بانك اطلاعاتي ساخته نشد: ") + missing.join(QStringLiteral("، ")));
}
