#include "change_pass_u.h"
#include "Controls.h"
#include "Pictures.h"
#include "app.h"
#include "dm_u.h"
#include "login_u.h"
#include "platform/ComboBox.h"
#include "platform/FieldRefusal.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include <QCloseEvent>
#include <QShowEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tchange_pass::Tchange_pass(QWidget *parent) : QDialog(parent)
{
    setUpWindow(this, "change_pass", QStringLiteral("تغيير کلمه عبور"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    Label2 = named(new QLabel(QStringLiteral("كلمه عبور جديد"), this), "Label2");
    Label3 = named(new QLabel(QStringLiteral("تاييد كلمه عبور"), this), "Label3");
    Edit1 = named(new QLineEdit(this), "Edit1");
    Edit2 = named(new QLineEdit(this), "Edit2");
    Label2->setBuddy(Edit1);
    Label3->setBuddy(Edit2);
    for (QLineEdit *e : {Edit1, Edit2}) {
        e->setEchoMode(QLineEdit::Password);
        e->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    }
    BitBtn1 = named(new QPushButton(QStringLiteral("تغيير"), this), "BitBtn1");
    BitBtn2 = named(new QPushButton(QStringLiteral("انصراف"), this), "BitBtn2");
    BitBtn1->setIcon(windowPicture(WindowPicture::Tick));
    BitBtn2->setIcon(windowPicture(WindowPicture::Cross));
    for (QPushButton *b : {BitBtn1, BitBtn2}) {
        b->setAutoDefault(false);
        b->setIconSize(QSize(16, 16));
    }

    auto *fields = new QGridLayout;
    fields->addWidget(Label2, 0, 0);
    fields->addWidget(Edit1, 0, 1);
    fields->addWidget(Label3, 1, 0);
    fields->addWidget(Edit2, 1, 1);
    fields->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(240, 158);

    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, Edit1);
    setTabOrder(Edit1, Edit2);
    BitBtn1->setFocus();

    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void Tchange_pass::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Un-minimising is no new showing: what is being typed stays.
    if (event->spontaneous())
        return;
    Edit1->clear();
    Edit2->clear();
    Edit1->setFocus();
}

void Tchange_pass::BitBtn1Click()
{
    if (Edit1->text().isEmpty() && Edit2->text().isEmpty()) {
        showMessage(QStringLiteral("كلمه عبور صحيح نيست"));
        return;
    }
    if (Edit1->text() != Edit2->text()) {
        showMessage(QStringLiteral("كلمه عبور جديد همخواني ندارد"));
        return;
    }
    Query *user = app::dm->adoq_user;
    // A password longer than its column is refused, not cut or left to the engine.
    requireFitsIn(Edit1, *user->connection(), QStringLiteral("users"), QStringLiteral("ps"), Edit1->text());
    user->clear();
    user->add(QStringLiteral("update users set ps=") + quoted(Edit1->text()) + QStringLiteral(" where us=")
              + quoted(app::login->us->text()) + QStringLiteral(" and ps=") + quoted(app::login->ps->text()));
    // No row changed: the account, or its password, was changed or deleted
    // on another workstation since login checked them. The window stays
    // with what was typed.
    if (user->execute() == 0) {
        showMessage(QStringLiteral("كلمه عبور تغيير نيافت؛ نام كاربري يا كلمه عبور فعلي توسط كاربر ديگري تغيير كرده است"));
        return;
    }
    showMessage(QStringLiteral("كلمه عبور تغيير يافت"));
    backToLogin();
}

void Tchange_pass::BitBtn2Click()
{
    backToLogin();
}

void Tchange_pass::backToLogin()
{
    app::login->show();
    hide();
}

void Tchange_pass::closeEvent(QCloseEvent *event)
{
    // Closed with the title bar's close box: the login window, hidden while
    // this one is open, comes back rather than leaving no window at all.
    event->accept();
    if (!app::login->isVisible())
        app::login->show();
}

void Tchange_pass::reject()
{
    // Esc closes the window like its close box.
    close();
}
