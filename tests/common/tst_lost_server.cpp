// Every window that saves, deletes or searches, with the PostgreSQL server
// gone (the link cut) or stalled (the link paused) at the moment the user
// acts: the failure comes as one error box in Persian, nothing reports
// success, what was typed stays in the window, nothing is half stored, and
// once the server is back the same window works without a restart.
// The program's connection runs through a TCP relay that the test cuts,
// pauses and restores; with no PostgreSQL server named the test is skipped.
#include "TcpRelay.h"
#include "TestSupport.h"
#include "admin/setting_u.h"
#include "admin/users_u.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "core/main_u.h"
#include "office/log_u.h"
#include "office/payam_u.h"
#include "office/phone_u.h"
#include "personnel/personel_ins_u.h"
#include "personnel/personel_src_u.h"
#include "platform/ComboBox.h"
#include "platform/MaskEdit.h"
#include "platform/Query.h"
#include "trips/taradod_ins_u.h"
#include "trips/taradod_src_u.h"
#include "vehicles/khodro_ins_u.h"
#include "vehicles/khodro_src_u.h"
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace {

const QString Lost = QStringLiteral("ارتباط با بانک اطلاعاتي قطع شد");
const QString Stalled = QStringLiteral("بانک اطلاعاتي در 1 ثانيه پاسخ نداد");

} // namespace

class LostServerTest : public QObject {
    Q_OBJECT
    std::unique_ptr<AppFixture> fx;
    std::unique_ptr<TcpRelay> relay;

    // Runs the user's action with the link cut (or paused), then restores
    // it: the action must have shown exactly one box, an error box whose
    // text begins with `expected`.
    void refused(const char *what, const std::function<void()> &action, bool pause = false, const QString &expected = Lost)
    {
        fx->ui.reset();
        if (pause)
            relay->pause();
        else
            relay->cut();
        action();
        relay->restore();
        const QString context = QString::fromLatin1(what) + QStringLiteral(": ") + fx->ui.messages().join(QStringLiteral(" | "));
        QVERIFY2(fx->ui.messages().size() == 1, qPrintable(context));
        QVERIFY2(fx->ui.calls.last().kind == Platform::BoxKind::Error, qPrintable(context));
        QVERIFY2(fx->ui.calls.last().text.startsWith(expected), qPrintable(context));
    }

    // The program reaches the server again (it reopens the connection at
    // its next operation after a loss).
    void reconnect()
    {
        Query probe(app::dm->ADOConnection1, QStringLiteral("probe"));
        probe.add(QStringLiteral("select 1 as one"));
        probe.open();
    }

private Q_SLOTS:
    void init()
    {
        if (qEnvironmentVariableIsEmpty("KAVRIN_TEST_PG"))
            QSKIP("needs a PostgreSQL server (KAVRIN_TEST_PG)");
        fx = std::make_unique<AppFixture>(Engine::PostgreSql);
        const QString server = fx->database.settings().server;
        relay = std::make_unique<TcpRelay>(server.section(QLatin1Char(':'), 0, 0),
                                           quint16(server.section(QLatin1Char(':'), 1).toUInt()));
        ConnectionSettings settings = fx->database.settings();
        settings.server = relay->address();
        Connection &connection = *app::dm->ADOConnection1;
        connection.close();
        connection.setSettings(settings);
        connection.setTimeLimits({2, 1000});
        connection.open();
        fx->setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
    }
    void cleanup()
    {
        fx.reset();
        relay.reset();
    }

    // The entry windows: an edit and a new row keep the window open with
    // the typed texts and store nothing; after the server is back the same
    // click stores the row.
    void entryWindows()
    {
        fx->exec(QStringLiteral("insert into personel (lname,fname) values ('a','x')"));
        app::personel_src->src_btnClick();
        app::personel_src->N2Click();
        Tpersonel_ins *person = app::personel_ins;
        person->fname->setText(QStringLiteral("تايپ شده"));
        refused("person edit", [person] { person->edit_btn->click(); });
        QVERIFY(person->isVisible());
        QCOMPARE(person->fname->text(), QStringLiteral("تايپ شده"));
        QCOMPARE(app::dm->ADOQ_personel->state(), Query::State::Browse);
        QCOMPARE(fx->value(QStringLiteral("select fname from personel")), QStringLiteral("x"));
        reconnect();
        refused("person edit, server stalled", [person] { person->edit_btn->click(); }, true, Stalled);
        QCOMPARE(person->fname->text(), QStringLiteral("تايپ شده"));
        QCOMPARE(fx->value(QStringLiteral("select fname from personel")), QStringLiteral("x"));
        fx->ui.reset();
        person->edit_btn->click();
        QCOMPARE(fx->ui.messages(), QStringList());
        QCOMPARE(fx->value(QStringLiteral("select fname from personel")), QStringLiteral("تايپ شده"));

        app::khodro_src->src_btnClick();
        app::khodro_src->N1Click();
        Tkhodro_ins *vehicle = app::khodro_ins;
        vehicle->lname->setText(QStringLiteral("مالک"));
        vehicle->pelak->setText(QStringLiteral("12-345"));
        refused("new vehicle", [vehicle] { vehicle->ins_btn->click(); });
        QVERIFY(vehicle->isVisible());
        QCOMPARE(vehicle->pelak->text(), QStringLiteral("12-345"));
        QCOMPARE(fx->value(QStringLiteral("select count(*) from khodro")), QStringLiteral("0"));

        app::taradod_src->src_btnClick();
        app::taradod_src->N1Click();
        Ttaradod_ins *trip = app::taradod_ins;
        trip->typ->setText(QStringLiteral("درون شهر"));
        trip->ranande->setText(QStringLiteral("راننده"));
        trip->mamor->setText(QStringLiteral("مامور"));
        trip->taradod_cmt->setText(QStringLiteral("شرح"));
        refused("new trip", [trip] { trip->ins_btn->click(); });
        QVERIFY(trip->isVisible());
        QCOMPARE(trip->taradod_cmt->text(), QStringLiteral("شرح"));
        QCOMPARE(fx->value(QStringLiteral("select count(*) from taradod")), QStringLiteral("0"));
    }

    // The small windows that write with statements of their own, and the
    // searches: no "saved", "sent" or "deleted", and the typed texts stay.
    void otherWindows()
    {
        Tsetting *lookup = app::setting;
        lookup->component->setText(QStringLiteral("رنگ خودرو"));
        lookup->cmt->setText(QStringLiteral("سبز"));
        refused("lookup item", [lookup] { lookup->ins_btn->click(); });
        QCOMPARE(lookup->cmt->text(), QStringLiteral("سبز"));

        Tusers *users = app::users;
        users->us->setText(QStringLiteral("ali"));
        refused("account", [users] { users->ins_btn->click(); });
        QCOMPARE(users->us->text(), QStringLiteral("ali"));

        Tphone *phone = app::phone;
        phone->name->setText(QStringLiteral("علي"));
        phone->tel->setText(QStringLiteral("123"));
        refused("phone entry", [phone] { phone->ins_btn->click(); });
        QCOMPARE(phone->tel->text(), QStringLiteral("123"));
        refused("phone search", [phone] { phone->src->setText(QStringLiteral("ع")); });

        Tpayam *messages = app::payam;
        messages->show();
        messages->FormShow();
        for (int i = 0; i < messages->prs_list->count(); ++i)
            messages->prs_list->item(i)->setCheckState(Qt::Checked);
        messages->cmt->setPlainText(QStringLiteral("متن پيام"));
        refused("message", [messages] { messages->BitBtn1->click(); });
        QCOMPARE(messages->cmt->toPlainText(), QStringLiteral("متن پيام"));
        messages->hide();

        refused("personnel search", [] { app::personel_src->src_btn->click(); });
        refused("log search", [] { app::log->BitBtn1->click(); });

        // The unread poll: one box for a server that fails every tick.
        refused("unread poll", [] {
            for (int tick = 0; tick < 3; ++tick)
                app::main->Timer1Timer();
        });
        app::main->Timer1->stop();

        // Back: the same windows work without a restart.
        fx->ui.reset();
        phone->ins_btn->click();
        QCOMPARE(fx->ui.messages(), QStringList{QStringLiteral("ثبت شد")});
        QCOMPARE(fx->value(QStringLiteral("select tel from phone")), QStringLiteral("123"));
    }
};

QTEST_MAIN(LostServerTest)
#include "tst_lost_server.moc"
