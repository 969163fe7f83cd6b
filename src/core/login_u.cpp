#include "login_u.h"
#include "Controls.h"
#include "Dates.h"
#include "Pictures.h"
#include "app.h"
#include "change_pass_u.h"
#include "dm_u.h"
#include "main_u.h"
#include "passwords.h"
#include "schema.h"
#include "server_u.h"
#include "admin/users_u.h"
#include "platform/ComboBox.h"
#include "platform/Guard.h"
#include "platform/HostInfo.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTime>
#include <QVBoxLayout>

namespace {

// The time of day of a log row: 24-hour "hh:mm:ss" in ASCII digits whatever
// the system's locale, so that every workstation writes the same form.
QString logTimeText()
{
    return QLocale::c().toString(QTime::currentTime(), QStringLiteral("HH:mm:ss"));
}

} // namespace

Tlogin::Tlogin(QWidget *parent) : QDialog(parent)
{
    setUpWindow(this, "login", QStringLiteral("صفحه ورود"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    QFont captionFont(QStringLiteral("Tahoma"), 9);
    captionFont.setBold(true);
    Label1 = named(new QLabel(QStringLiteral("نام كاربري"), this), "Label1");
    Label2 = named(new QLabel(QStringLiteral("كلمه عبور"), this), "Label2");
    for (QLabel *l : {Label1, Label2})
        l->setFont(captionFont);
    Image1 = named(new QLabel(this), "Image1");
    Image2 = named(new QLabel(this), "Image2");
    Image1->setPixmap(windowPicture(WindowPicture::Person));
    Image2->setPixmap(windowPicture(WindowPicture::Key));
    for (QLabel *image : {Image1, Image2}) {
        image->setFixedSize(24, 24);
        image->setScaledContents(true);
    }

    us = named(new ComboBox(true, this), "us");
    ps = named(new QLineEdit(this), "ps");
    ps->setEchoMode(QLineEdit::Password);
    ps->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));

    QFont buttonFont = font();
    buttonFont.setBold(true);
    // Tool buttons: the style lays out a push button's picture and text
    // apart from each other when right to left.
    BitBtn1 = named(new QToolButton(this), "BitBtn1");
    BitBtn2 = named(new QToolButton(this), "BitBtn2");
    BitBtn1->setText(QStringLiteral("ورود"));
    BitBtn2->setText(QStringLiteral("انصراف"));
    BitBtn1->setIcon(windowPicture(WindowPicture::Tick));
    BitBtn2->setIcon(windowPicture(WindowPicture::Cross));
    for (QToolButton *b : {BitBtn1, BitBtn2}) {
        b->setFont(buttonFont);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setIconSize(QSize(18, 18));
        b->setFixedSize(96, 30);
    }

    Label3 = named(new ClickLabel(QStringLiteral("تغيير كلمه عبور"), this), "Label3");
    Label4 = named(new ClickLabel(QStringLiteral("تغيير بانك اطلاعاتي"), this), "Label4");
    for (ClickLabel *link : {Label3, Label4}) {
        QFont f = link->font();
        f.setUnderline(true);
        link->setFont(f);
        link->setCursor(Qt::PointingHandCursor);
        QPalette pal = link->palette();
        pal.setColor(QPalette::WindowText, QColor(0x1a, 0x4f, 0xa0));
        link->setPalette(pal);
    }

    // Right to left: picture and caption at the right, the field at the left.
    auto *fields = new QGridLayout;
    fields->addWidget(Image1, 0, 0);
    fields->addWidget(Label1, 0, 1);
    fields->addWidget(us, 0, 2);
    fields->addWidget(Image2, 1, 0);
    fields->addWidget(Label2, 1, 1);
    fields->addWidget(ps, 1, 2);
    fields->setColumnStretch(2, 1);
    fields->setVerticalSpacing(10);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    buttons->addWidget(BitBtn2);

    auto *links = new QHBoxLayout;
    links->addWidget(Label4);
    links->addStretch();
    links->addWidget(Label3);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 16, 14, 10);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->addStretch();
    layout->addLayout(links);
    setFixedSize(270, 209);

    setTabOrder(us, ps);
    setTabOrder(ps, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    us->installEventFilter(this);
    us->lineEdit()->installEventFilter(this);
    ps->installEventFilter(this);

    connectGuarded(BitBtn1, &QToolButton::clicked, this, [this] { BitBtn1Click(); });
    connectGuarded(BitBtn2, &QToolButton::clicked, this, [this] { BitBtn2Click(); });
    connectGuarded(Label3, &ClickLabel::clicked, this, [this] { Label3Click(); });
    connectGuarded(Label4, &ClickLabel::clicked, this, [this] { Label4Click(); });
}

void Tlogin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

void Tlogin::closeEvent(QCloseEvent *event)
{
    // Not the dialog's own close handling, which would cancel (and so close) again.
    event->accept();
    Q_EMIT closed();
}

void Tlogin::reject()
{
    BitBtn2->click();
}

bool Tlogin::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == ps)
                runGuarded([this] { psKeyDown(13); });
            else
                runGuarded([this] { usKeyDown(13); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tlogin::usKeyDown(int key)
{
    if (key == 13)
        ps->setFocus();
}

void Tlogin::psKeyDown(int key)
{
    if (key == 13)
        BitBtn1->click();
}

void Tlogin::FormShow()
{
    try {
        Query *q = app::dm->ADOQuery1;
        q->clear();
        q->add(QStringLiteral("select us from users"));
        q->open();
        QStringList names;
        for (q->first(); !q->eof(); q->next())
            names << q->field(QStringLiteral("us")).asString();
        us->setItems(names);
    } catch (const std::exception &) {
        // No users table yet (a new database): go to the connection settings,
        // from where the schema command can be run.
        Label4Click();
    }
}

void Tlogin::BitBtn1Click()
{
    Query *user = app::dm->adoq_user;
    user->clear();
    user->add(QStringLiteral("select * from users where us=") + quoted(us->text()) + QStringLiteral(" and ps=") + quoted(ps->text()));
    user->open();
    if (user->recordCount() < 1) {
        showMessage(QStringLiteral("کلمه يا رمز عبور اشتباه است"));
        return;
    }
    app::users->prs_id->setText(user->field(QStringLiteral("id")).asString());

    app::main->FormResize();

    Query *q = app::dm->ADOQuery1;
    q->clear();
    q->add(QStringLiteral("Update users set ver=%1 where us=").arg(ProgramVersion) + quoted(us->text()));
    q->execute();

    q->clear();
    q->add(QStringLiteral("Select ver from users where us=") + quoted(QStringLiteral("admin")));
    q->open();
    const QString adminVersion = q->field(QStringLiteral("ver")).asString();
    const double adminVersionNumber = q->field(QStringLiteral("ver")).asFloat();

    if (adminVersionNumber > ProgramVersion) {
        showMessage(QStringLiteral("اين نسخه قديمي است و قابل اجرا نيست. جديدترين نسخه  -  ") + adminVersion);
        WriteLogRow(us->text(), QStringLiteral("  ورود ناموفق به نرم افزار بدليل استفاده از نسخه قديمي   ") + adminVersion + QLatin1Char(' ') + us->text());
        close();
        return;
    }
    WriteLogRow(us->text(), QStringLiteral("  ورود موفق به نرم افزار  ") + us->text());
    app::users->karbar->setText(us->text());

    // The whole screen, also where no window manager maximises windows.
    if (QScreen *screen = QGuiApplication::primaryScreen())
        app::main->setGeometry(screen->availableGeometry());
    app::main->showMaximized();
    hide();
    platform().activateKeyboardLayout(QStringLiteral("00000429"));
}

void Tlogin::BitBtn2Click()
{
    close();
}

void Tlogin::Label3Click()
{
    Query *user = app::dm->adoq_user;
    user->clear();
    user->add(QStringLiteral("select * from users where us=") + quoted(us->text()) + QStringLiteral(" and ps=") + quoted(ps->text()));
    user->open();
    if (user->recordCount() > 0) {
        hide();
        app::change_pass->show();
    } else {
        showMessage(QStringLiteral("كلمه و رمز عبور را در صفحه فعلي درست وارد نماييد"));
    }
}

void Tlogin::Label4Click()
{
    showMessage(QStringLiteral("مسير بانك اطلاعاتي را مي توانيد تغيير دهيد"));
    try {
        SettingsStore store;
        if (store.openExisting()) {
            Tserver *server = app::server;
            server->SqlServerName->setText(store.value(SettingsStore::ServerName));
            server->DataBase->setText(store.value(SettingsStore::DataBase));
            server->UserName->setText(store.value(SettingsStore::UserName));
            server->setEngineText(store.value(SettingsStore::EngineName));
            if (store.value(SettingsStore::Authentication) == QLatin1String("SQL Server")) {
                server->rbSQL->setChecked(true);
                server->Password->setText(UnscramblePassword(store.value(SettingsStore::Password)));
            } else {
                server->rbWindows->setChecked(true);
            }
        }
    } catch (const std::exception &) {
        // The window keeps what it holds.
    }
    platform().showModal(app::server);
}

QString Tlogin::LocalIP()
{
    return hostLocalIPv4();
}

QString Tlogin::IPAddrToName(const QString &address)
{
    return hostNameOfAddress(address);
}

void Tlogin::WriteLogRow(const QString &karbar, const QString &cmt)
{
    const QString ip = LocalIP();
    const QString computerName = IPAddrToName(LocalIP());
    dates.Init();
    Query *q = app::dm->ADOQuery1;
    // Each value is cut to its column, so that no login or deletion fails
    // because a description or a host name is long: to the length the
    // schema creates it with when the database's cannot be read.
    Connection &connection = *q->connection();
    const auto value = [&](const char *column, const QString &text) {
        const QString table = QStringLiteral("log");
        const QString name = QLatin1String(column);
        return quoted(fitToColumn(connection, table, name, text, createdLength(table, name)));
    };
    q->clear();
    q->add(QStringLiteral("insert into log (karbar,ip,computer_name,saat,tarikh,cmt) values("));
    q->add(value("karbar", karbar) + QLatin1Char(','));
    q->add(value("ip", ip) + QLatin1Char(','));
    q->add(value("computer_name", computerName) + QLatin1Char(','));
    q->add(value("saat", logTimeText()) + QLatin1Char(','));
    q->add(value("tarikh", dates.ToText()) + QLatin1Char(','));
    q->add(value("cmt", cmt));
    q->add(QStringLiteral(")"));
    q->execute();
}
