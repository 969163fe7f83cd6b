#include "main_u.h"
#include "Controls.h"
#include "Dates.h"
#include "app.h"
#include "dm_u.h"
#include "login_u.h"
#include "admin/setting_u.h"
#include "admin/users_u.h"
#include "office/log_u.h"
#include "office/payam_u.h"
#include "office/phone_u.h"
#include "office/zamaem_u.h"
#include "personnel/personel_src_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Guard.h"
#include "platform/Jpeg.h"
#include "platform/MaskEdit.h"
#include "platform/Platform.h"
#include "trips/taradod_src_u.h"
#include "vehicles/khodro_src_u.h"
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

static void initPictures()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

const QString NoAccess = QStringLiteral("شما دسترسي به اين صفحه را نداريد");

void setCommandEnabled(QObject *target, bool enabled)
{
    if (auto *action = qobject_cast<QAction *>(target))
        action->setEnabled(enabled);
    else if (auto *widget = qobject_cast<QWidget *>(target))
        widget->setEnabled(enabled);
}

} // namespace

Tmain::Tmain(QWidget *parent) : QMainWindow(parent)
{
    initPictures();
    setUpWindow(this, "main", QStringLiteral("صفحه اصلي"));
    resize(613, 488);

    auto *central = new QWidget(this);
    setCentralWidget(central);
    Image1 = new QLabel(central);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap::fromImage(loadJpeg(QStringLiteral(":/pictures/main_background.jpg"))));
    Image1->move(0, 0);

    QMenuBar *menu = menuBar();
    menu->setObjectName(QStringLiteral("MainMenu1"));
    menu->setLayoutDirection(Qt::RightToLeft);
    auto item = [](QWidget *owner, const char *name, const QString &caption) {
        auto *action = new QAction(caption, owner);
        action->setObjectName(QLatin1String(name));
        owner->addAction(action);
        return action;
    };
    N1 = item(menu, "N1", QStringLiteral("پرسنل"));
    N8 = item(menu, "N8", QStringLiteral("خودروها"));
    N10 = item(menu, "N10", QStringLiteral("تردد"));
    N2 = new QMenu(QStringLiteral("اطلاعات پايه"), menu);
    N2->setObjectName(QStringLiteral("N2"));
    N2->setLayoutDirection(Qt::RightToLeft);
    menu->addMenu(N2);
    N4 = item(N2, "N4", QStringLiteral("تنظيمات"));
    N11 = item(N2, "N11", QStringLiteral("دفترچه تلفن"));
    N9 = item(N2, "N9", QStringLiteral("پيام"));
    N12 = item(N2, "N12", QStringLiteral("ضمائم"));
    N6 = item(N2, "N6", QStringLiteral("کاربران"));
    N7 = item(N2, "N7", QStringLiteral("لاگ"));
    N5 = item(N2, "N5", QStringLiteral("درباره"));
    N3 = item(menu, "N3", QStringLiteral("خروج"));

    const QList<QPair<QAction *, void (Tmain::*)()>> handlers{
        {N1, &Tmain::N1Click}, {N8, &Tmain::N8Click}, {N10, &Tmain::N10Click}, {N4, &Tmain::N4Click},
        {N11, &Tmain::N11Click}, {N9, &Tmain::N9Click}, {N12, &Tmain::N12Click}, {N6, &Tmain::N6Click},
        {N7, &Tmain::N7Click}, {N5, &Tmain::N5Click}, {N3, &Tmain::N3Click}};
    for (const auto &h : handlers) {
        auto handler = h.second;
        connectGuarded(h.first, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    }

    // The unread-message poll: disabled, and nothing in the program starts it.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(5000);
    connectGuarded(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

QList<QObject *> Tmain::listCommands(QWidget *list)
{
    QList<QObject *> commands;
    if (auto *bar = list->findChild<QMenuBar *>()) {
        const QList<QAction *> items = bar->actions();
        for (int i = 0; i < 3 && i < items.size(); ++i)
            commands << items[i];
    }
    return commands;
}

QObject *Tmain::command(QWidget *page, const char *name)
{
    return page->findChild<QObject *>(QLatin1String(name));
}

bool Tmain::PageRightsGate(const QString &page, const QList<QObject *> &insertTargets, QObject *editTarget,
                           QObject *deleteTarget)
{
    Query *q = app::dm->ADOQ_dastrasi;
    q->clear();
    q->add(QStringLiteral("select * from dastrasi where prs_id=") + quoted(app::users->prs_id->text())
           + QStringLiteral(" and page_name=") + quoted(page));
    q->open();
    if (q->recordCount() < 1) {
        showMessage(NoAccess);
        return false;
    }
    q->first();
    for (QObject *target : insertTargets)
        setCommandEnabled(target, q->field(QStringLiteral("darj")).asBoolean());
    setCommandEnabled(editTarget, q->field(QStringLiteral("virayesh")).asBoolean());
    setCommandEnabled(deleteTarget, q->field(QStringLiteral("hazf")).asBoolean());
    if (!q->field(QStringLiteral("namayesh")).asBoolean()) {
        showMessage(NoAccess);
        return false;
    }
    return true;
}

void Tmain::sizeList(QWidget *list)
{
    const QRect outer = frameGeometry();
    list->resize(outer.width() - 17, outer.height() - 60);
}

// Each opener: the gate, then the page's preparation, then the page shown
// modally. The steps of a preparation that work on a page's own controls
// belong to that page and stand in the marked block of its opener.

void Tmain::N1Click()
{
    QWidget *page = app::personel_src;
    const QList<QObject *> commands = listCommands(page);
    if (!PageRightsGate(QStringLiteral("personel"), {commands.value(0)}, commands.value(1), commands.value(2)))
        return;
    // --- preparation of the personnel list ---
    sizeList(page);
    app::personel_src->lname->clear();
    app::personel_src->shahrestan->setText(QString());
    app::personel_src->nation->clear();
    app::personel_src->status->setText(QString());
    app::personel_src->src_btnClick();
    // --- end of preparation ---
    platform().showModal(page);
}

void Tmain::N8Click()
{
    QWidget *page = app::khodro_src;
    const QList<QObject *> commands = listCommands(page);
    if (!PageRightsGate(QStringLiteral("khodro"), {commands.value(0)}, commands.value(1), commands.value(2)))
        return;
    // --- preparation of the vehicle list ---
    sizeList(page);
    app::khodro_src->lname->clear();
    app::khodro_src->shahrestan->setText(QString());
    app::khodro_src->status->setText(QString());
    app::khodro_src->khodro->setText(QString());
    app::khodro_src->src_btnClick();
    // --- end of preparation ---
    platform().showModal(page);
}

void Tmain::N10Click()
{
    QWidget *page = app::taradod_src;
    const QList<QObject *> commands = listCommands(page);
    if (!PageRightsGate(QStringLiteral("taradod"), {commands.value(0)}, commands.value(1), commands.value(2)))
        return;
    // --- preparation of the trip list ---
    sizeList(page);
    Ttaradod_src *trips = app::taradod_src;
    trips->ranande->clear();
    trips->mamor->clear();
    trips->status->setText(QString());
    trips->shahrestan->setText(QString());
    dates.Init();
    trips->dat1_1->setText(dates.ToText());
    trips->dat1_2->setText(trips->dat1_1->text());
    // A tick like the user's: the date filter's own handler runs when the box was unticked.
    trips->CheckBox3->setChecked(true);
    trips->typ->setText(QString());
    trips->src_btnClick();
    // --- end of preparation ---
    platform().showModal(page);
}

void Tmain::N4Click()
{
    QWidget *page = app::setting;
    if (!PageRightsGate(QStringLiteral("setting"), {command(page, "ins_btn")}, nullptr, command(page, "N1")))
        return;
    // --- preparation of the lookup lists ---
    app::setting->component->setText(QString()); // no list chosen
    app::setting->cmt->setText(QString());
    // --- end of preparation ---
    platform().showModal(page);
}

void Tmain::N11Click()
{
    Tphone *page = app::phone;
    if (!PageRightsGate(QStringLiteral("phone"), {page->ins_btn}, nullptr, page->N1))
        return;
    // --- preparation of the phone book ---
    // Clearing the search text searches again, listing every entry; when it
    // is empty already that change does not happen, so the search runs
    // itself rather than leave the grid on another page's rows.
    if (page->src->text().isEmpty())
        page->srcChange();
    else
        page->src->clear();
    page->name->clear();
    page->tel->clear();
    page->cmt->clear();
    // --- end of preparation ---
    platform().showModal(page);
}

void Tmain::N12Click()
{
    QWidget *page = app::zamaem;
    if (!PageRightsGate(QStringLiteral("zamaem"), {app::zamaem->ins_btn}, nullptr, app::zamaem->N1))
        return;
    // --- preparation of the attachments ---
    app::zamaem->Combo_type->setText(QString()); // no description chosen
    app::zamaem->ramz->clear();
    // --- end of preparation ---
    platform().showModal(page);
}

void Tmain::N6Click()
{
    QWidget *page = app::users;
    if (!PageRightsGate(QStringLiteral("karbaran"), {command(page, "ins_btn"), command(page, "ins_btn2")}, nullptr,
                        command(page, "N1")))
        return;
    // --- preparation of the users page ---
    Query *user = app::dm->adoq_user;
    user->clear();
    user->add(QStringLiteral("select * from users"));
    user->open();
    app::users->us->setText(QString());
    app::users->ps->setText(QString());
    // --- end of preparation ---
    platform().showModal(page);
}

void Tmain::N9Click()
{
    const bool admin = app::users->karbar->text() == QLatin1String("admin");
    Query *q = app::dm->ADOQ_payam;
    q->clear();
    q->add(QStringLiteral("select payamha.*,users.us as ferestande from payamha left join users on payamha.send_prs_id=users.id where ")
           + q->connection()->dialect().integerDiffersFromEmpty(QStringLiteral("payamha.id")));
    if (!admin)
        q->add(QStringLiteral(" and rec_prs_id=") + quoted(app::users->prs_id->text()));
    q->add(QStringLiteral(" order by payamha.send_dat desc "));
    q->open();
    QWidget *page = app::payam;
    // --- preparation of the messages page ---
    app::payam->cmt->clear();
    app::payam->girande->setText(QString());
    app::payam->mozo->setText(QString());
    if (admin)
        app::payam->girande->setEnabled(true);
    // --- end of preparation ---
    platform().showModal(page);
}

void Tmain::N7Click()
{
    Tlog *page = app::log;
    // --- preparation of the activity log ---
    page->DBGrid1->setQuery(app::dm->ADOQuery1);
    page->karbar->setText(QString());
    page->computer_name->clear();
    page->cmt->clear();
    page->ip->clear();
    // --- end of preparation ---
    platform().showModal(page);
}

void Tmain::N5Click()
{
    showMessage(QStringLiteral("اين برنامه در تابستان 1401 براي واحد نقليه اداره خدمات با همکاري واحد فناوري اطلاعات تهيه شده است"));
}

void Tmain::N3Click()
{
    close();
}

bool Tmain::FormCloseQuery()
{
    if (askYesNoCancel(QStringLiteral("آيا مي خواهيد از برنامه خارج شويد")) != Platform::Button::Yes)
        return false;
    // The login window is the program's main window: closing it ends the program.
    app::login->close();
    return true;
}

void Tmain::closeEvent(QCloseEvent *event)
{
    bool canClose = false;
    runGuarded([&] { canClose = FormCloseQuery(); });
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void Tmain::FormResize()
{
    // The picture fills the client area below the menu exactly, whatever the
    // desktop's frame and menu sizes: fixed allowances for them left grey
    // strips at the right and bottom, or cut the picture.
    Image1->resize(centralWidget()->size());
}

void Tmain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void Tmain::Timer1Timer()
{
    Query *q = app::dm->ADOQ_timer;
    qint64 unread = 0;
    try {
        q->clear();
        q->add(QStringLiteral("select count(*) as c from payamha where rec_prs_id=") + quoted(app::users->prs_id->text())
               + QStringLiteral(" and show_dat=") + quoted(QString()));
        q->open();
        unread = q->field(QStringLiteral("c")).asInteger();
    } catch (const DataError &e) {
        // A server that is away fails every tick: its first failure is shown,
        // with the timer off while the box is open, and the ticks after it
        // stay quiet until one succeeds again.
        Timer1->stop();
        if (!m_pollFailing) {
            m_pollFailing = true;
            showDefaultError(e.message());
        }
        Timer1->start();
        return;
    }
    m_pollFailing = false;
    if (unread != 0) {
        Timer1->stop();
        platform().playSystemSound(QStringLiteral("SystemExit"));
        showMessage(QStringLiteral("شما اين تعداد پيام ناخوانده داريد ") + QString::number(unread));
    }
    Timer1->start();
}
