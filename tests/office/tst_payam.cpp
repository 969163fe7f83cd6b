// Messages between users: the lists filled on showing, sending with its
// once-a-day guard, who sees what, the recipient filter, marking read with
// the main window's unread poll, and the administrator's deletions; on every
// engine under test.
#include "TestSupport.h"
#include "core/Dates.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "core/main_u.h"
#include "office/payam_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Fonts.h"
#include "platform/Query.h"
#include <QAction>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

const QString Sent = QStringLiteral("ارسال انجام شد");
const QString NoRecipient = QStringLiteral("لطفا گيرنده پيام را انتخاب نماييد");
const QString Deleted = QStringLiteral("حذف شد");
const QString UnreadKept = QStringLiteral("پيام هاي خوانده نشده حذف نشدند");
const QString AdministratorOnly = QStringLiteral("حذف فقط توسط مدير سيستم قابل انجام است");
const QString Subjects = QStringLiteral("موضوع پيام");
const QString Unread = QStringLiteral("شما اين تعداد پيام ناخوانده داريد ");
const QString Ali = QStringLiteral("علي");
const QString Bahram = QStringLiteral("بهرام");

// Users 2 and 3 next to the administrator (1) of a new database.
void addUsers(AppFixture &fx)
{
    fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('%1','1','1')").arg(Ali));
    fx.exec(QStringLiteral("insert into users (us,ps,ver) values ('%1','1','1')").arg(Bahram));
}

void addMessage(AppFixture &fx, int from, int to, const QString &sent, const QString &read, const QString &subject)
{
    fx.exec(QStringLiteral("insert into payamha (send_prs_id,rec_prs_id,send_dat,show_dat,mozo) values (%1,%2,'%3','%4','%5')")
                .arg(from).arg(to).arg(sent, read, subject));
}

// Opens the page as the main window's menu does, signed in as this user.
Tpayam *openAs(AppFixture &fx, const QString &id, const QString &name)
{
    fx.setCurrentUser(id, name);
    app::payam->hide();
    app::main->N9Click();
    return app::payam;
}

void tick(Tpayam *w, const QStringList &names)
{
    for (int i = 0; i < w->prs_list->count(); ++i)
        w->prs_list->item(i)->setCheckState(names.contains(w->prs_list->item(i)->text()) ? Qt::Checked : Qt::Unchecked);
}

// Sends this text to the names ticked; what the window said.
QStringList send(AppFixture &fx, Tpayam *w, const QString &text, const QStringList &names)
{
    tick(w, names);
    w->cmt->setPlainText(text);
    fx.ui.reset();
    w->BitBtn1->click();
    return fx.ui.messages();
}

QStringList itemsOf(const QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

// "subject:sender>recipient:read date" of every stored message, in id order.
QStringList stored(AppFixture &fx)
{
    return fx.column(QStringLiteral("select mozo || ':' || send_prs_id || '>' || rec_prs_id || ':' || show_dat from payamha order by id"));
}

// The texts of the stored messages, read back from their bytes, in id order.
QStringList bodies()
{
    Query q(app::dm->ADOConnection1, QStringLiteral("probe"));
    q.add(QStringLiteral("select cmt from payamha order by id"));
    q.open();
    QStringList out;
    for (q.first(); !q.eof(); q.next())
        out << QString::fromUtf8(q.field(QStringLiteral("cmt")).asBytes());
    return out;
}

// The subjects the grid shows, top to bottom.
QStringList shown() { return columnValues(*app::dm->ADOQ_payam, QStringLiteral("mozo")); }

void moveTo(const QString &subject)
{
    Query *q = app::dm->ADOQ_payam;
    for (q->first(); !q->eof(); q->next())
        if (q->field(QStringLiteral("mozo")).asString() == subject)
            return;
    QFAIL("subject not in the grid");
}

QString today()
{
    dates.Init();
    return dates.ToText();
}

} // namespace

class PayamTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void showingAndSending_data() { addEngineRows(); }
    void showingAndSending()
    {
        AppFixture fx(currentEngine());
        addUsers(fx);
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('%1','%2')").arg(Subjects, QStringLiteral("اداري")));
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('%1','%2')").arg(Subjects, QStringLiteral("شخصي")));
        Tpayam *w = openAs(fx, QStringLiteral("2"), Ali);
        QCOMPARE(w->windowTitle(), QStringLiteral("تبادل پيام"));
        QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
        QVERIFY(!w->girande->isEnabled());
        QCOMPARE(w->mozo->count(), 2);
        QCOMPARE(w->mozo->itemText(0), QStringLiteral("اداري"));
        QCOMPARE(w->girande->count(), 3);
        QCOMPARE(w->girande->itemText(1), Ali);        // the server's order
        QVERIFY(itemsOf(w->prs_list).indexOf(Bahram) < itemsOf(w->prs_list).indexOf(Ali)); // sorted
        QCOMPARE(w->tickedRecipients(), QStringList());

        // Tick all and untick all.
        w->CheckBox1->click();
        QCOMPARE(w->tickedRecipients().size(), 3);
        w->CheckBox1->click();
        QCOMPARE(w->tickedRecipients(), QStringList());

        // Nothing ticked: nothing stored, and the sender is told to pick a
        // recipient rather than that the message went.
        QCOMPARE(send(fx, w, QStringLiteral("متن"), {}), QStringList{NoRecipient});
        QCOMPARE(stored(fx), QStringList());
        QCOMPARE(w->cmt->toPlainText(), QStringLiteral("متن"));

        // To oneself and another; the text keeps its lines, quotes and letters.
        const QString body = QStringLiteral("سلام 'فوري'\nخط دوم ی ي ک ك");
        w->mozo->setText(QStringLiteral("اداري"));
        QCOMPARE(send(fx, w, body, {Ali, Bahram}), QStringList{Sent});
        const QString date = today();
        QCOMPARE(stored(fx), (QStringList{QStringLiteral("اداري:2>3:"), QStringLiteral("اداري:2>2:")}));
        QCOMPARE(bodies(), (QStringList{body, body}));
        QCOMPARE(fx.column(QStringLiteral("select send_dat from payamha where show_dat=''")), (QStringList{date, date}));
        // The compose fields and ticks stay; the grid shows the user's own new message with its text.
        QCOMPARE(w->mozo->text(), QStringLiteral("اداري"));
        QCOMPARE(w->tickedRecipients().size(), 2);
        QCOMPARE(shown(), QStringList{QStringLiteral("اداري")});
        QCOMPARE(w->DBMemo1->toPlainText(), body);
        QCOMPARE(app::dm->ADOQ_payam->field(QStringLiteral("ferestande")).asString(), Ali);

        // Esc while writing does not close the window and lose the text.
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        // Both memos set Persian text against their right edge.
        for (QPlainTextEdit *memo : {w->cmt, w->DBMemo1}) {
            const QImage ink = memo->viewport()->grab().toImage();
            int last = -1;
            for (int x = 0; x < ink.width(); ++x)
                for (int y = 0; y < ink.height(); ++y)
                    if (qGray(ink.pixel(x, y)) < 128)
                        last = x;
            QVERIFY2(last > ink.width() - 12, qPrintable(memo->objectName()));
        }
        w->cmt->setFocus();
        QTest::keyClick(w->cmt, Qt::Key_Escape);
        QVERIFY(w->isVisible());
        QCOMPARE(w->cmt->toPlainText(), body);

        // The main window clears the compose fields on the next opening.
        w = openAs(fx, QStringLiteral("2"), Ali);
        QCOMPARE(w->cmt->toPlainText(), QString());
        QCOMPARE(w->mozo->text(), QString());
        QCOMPARE(w->tickedRecipients(), QStringList());
    }

    // The same message sent twice on a day is stored once; another text
    // under the same subject is delivered; a name whose account was deleted
    // on another workstation gets nothing, and the sender is told so instead
    // of "sent".
    void sendingAgain_data() { addEngineRows(); }
    void sendingAgain()
    {
        AppFixture fx(currentEngine());
        addUsers(fx);
        Tpayam *w = openAs(fx, QStringLiteral("1"), QStringLiteral("admin"));
        w->mozo->setText(QStringLiteral("جلسه"));
        send(fx, w, QStringLiteral("ساعت ۱۰"), {Ali});
        send(fx, w, QStringLiteral("ساعت ۱۰"), {Ali, Bahram});
        QCOMPARE(stored(fx), (QStringList{QStringLiteral("جلسه:1>2:"), QStringLiteral("جلسه:1>3:")}));
        send(fx, w, QStringLiteral("ساعت ۱۱"), {Ali});
        QCOMPARE(stored(fx).size(), 3);
        QCOMPARE(bodies().last(), QStringLiteral("ساعت ۱۱"));

        fx.exec(QStringLiteral("delete from users where id=3"));
        QCOMPARE(send(fx, w, QStringLiteral("لغو شد"), {Ali, Bahram}),
                 QStringList{QStringLiteral("پيام براي اين كاربران ارسال نشد، زيرا حساب كاربري آنان ديگر وجود ندارد: ") + Bahram});
        QCOMPARE(stored(fx).size(), 4);
        QCOMPARE(stored(fx).last(), QStringLiteral("جلسه:1>2:"));
        QCOMPARE(w->cmt->toPlainText(), QStringLiteral("لغو شد"));
    }

    void whoSeesWhatAndTheFilter_data() { addEngineRows(); }
    void whoSeesWhatAndTheFilter()
    {
        AppFixture fx(currentEngine());
        addUsers(fx);
        addMessage(fx, 1, 2, QStringLiteral("1403/01/05"), QString(), QStringLiteral("a"));
        addMessage(fx, 2, 3, QStringLiteral("1403/02/01"), QString(), QStringLiteral("b"));
        addMessage(fx, 3, 2, QStringLiteral("1403/03/01"), QString(), QStringLiteral("c"));
        addMessage(fx, 9, 3, QStringLiteral("1403/04/01"), QString(), QStringLiteral("d"));

        // Another user sees what was sent to him, not what he sent.
        Tpayam *w = openAs(fx, QStringLiteral("2"), Ali);
        QCOMPARE(shown(), (QStringList{QStringLiteral("c"), QStringLiteral("a")}));

        // The administrator sees all, newest first; a sender that is gone has no name.
        w = openAs(fx, QStringLiteral("1"), QStringLiteral("admin"));
        QVERIFY(w->girande->isEnabled());
        QCOMPARE(shown(), (QStringList{QStringLiteral("d"), QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
        QCOMPARE(app::dm->ADOQ_payam->field(QStringLiteral("ferestande")).asString(), QString());

        QLineEdit *filter = w->girande->lineEdit();
        typeText(filter, Bahram);
        QCOMPARE(shown(), (QStringList{QStringLiteral("d"), QStringLiteral("b")}));
        // A name typed with the Persian yeh finds the account stored with the Arabic one.
        filter->selectAll();
        typeText(filter, QStringLiteral("علی"));
        QCOMPARE(shown(), (QStringList{QStringLiteral("c"), QStringLiteral("a")}));
        // A name without an account lists nothing.
        typeText(filter, QStringLiteral("x"));
        QCOMPARE(shown(), QStringList());
        // An empty filter lists everything again.
        filter->selectAll();
        QTest::keyClick(filter, Qt::Key_Backspace);
        QCOMPARE(shown().size(), 4);
        // Picking a name from the list filters too.
        w->girande->setCurrentIndex(w->girande->findText(Ali));
        Q_EMIT w->girande->activated(w->girande->currentIndex());
        QCOMPARE(shown(), (QStringList{QStringLiteral("c"), QStringLiteral("a")}));
        // Setting the text from code does not filter.
        w->girande->setText(Bahram);
        QCOMPARE(shown().size(), 2);
    }

    // Marking read and the main window's poll of the current user's unread messages.
    void markingReadAndThePoll_data() { addEngineRows(); }
    void markingReadAndThePoll()
    {
        AppFixture fx(currentEngine());
        addUsers(fx);
        Tpayam *w = openAs(fx, QStringLiteral("1"), QStringLiteral("admin"));
        tick(w, {Ali});
        for (const char *subject : {"a", "b"}) {
            w->mozo->setText(QLatin1String(subject));
            w->BitBtn1->click();
        }
        fx.setCurrentUser(QStringLiteral("2"), Ali);
        fx.ui.reset();
        app::main->Timer1Timer();
        QCOMPARE(fx.ui.messages(), QStringList{Unread + QStringLiteral("2")});
        QCOMPARE(fx.ui.callsOf(QStringLiteral("sound")).size(), 1);

        w = openAs(fx, QStringLiteral("2"), Ali);
        moveTo(QStringLiteral("b"));
        w->N1->trigger();
        const QString date = today();
        QCOMPARE(stored(fx), (QStringList{QStringLiteral("a:1>2:"), QStringLiteral("b:1>2:") + date}));
        QCOMPARE(app::dm->ADOQ_payam->recordCount(), 2);
        // Marking it again keeps the date it was first read.
        fx.exec(QStringLiteral("update payamha set show_dat='1403/01/01' where mozo='b'"));
        moveTo(QStringLiteral("b"));
        w->N1->trigger();
        QCOMPARE(stored(fx), (QStringList{QStringLiteral("a:1>2:"), QStringLiteral("b:1>2:1403/01/01")}));
        fx.ui.reset();
        app::main->Timer1Timer();
        QCOMPARE(fx.ui.messages(), QStringList{Unread + QStringLiteral("1")});
        QVERIFY(app::main->Timer1->isActive());
        app::main->Timer1->stop();

        // Who a message went to; nobody once the account is gone.
        fx.ui.reset();
        w->N2->trigger();
        QCOMPARE(fx.ui.messages(), QStringList{Ali});
        fx.exec(QStringLiteral("delete from users where id=2"));
        w->N2->trigger();
        QCOMPARE(fx.ui.messages(), (QStringList{Ali, QString()}));
    }

    void deletions_data() { addEngineRows(); }
    void deletions()
    {
        AppFixture fx(currentEngine());
        addUsers(fx);
        addMessage(fx, 1, 2, QStringLiteral("1403/01/01"), QStringLiteral("1403/01/02"), QStringLiteral("a"));
        addMessage(fx, 1, 2, QStringLiteral("1403/01/02"), QString(), QStringLiteral("b"));
        addMessage(fx, 1, 3, QStringLiteral("1403/01/03"), QStringLiteral("1403/01/04"), QStringLiteral("c"));
        addMessage(fx, 2, 3, QStringLiteral("1403/01/04"), QString(), QStringLiteral("d"));
        addMessage(fx, 2, 1, QStringLiteral("1403/01/05"), QStringLiteral("1403/01/06"), QStringLiteral("e"));

        // Only the administrator deletes.
        Tpayam *w = openAs(fx, QStringLiteral("2"), Ali);
        for (QAction *item : {w->N3, w->N4, w->N5})
            item->trigger();
        QCOMPARE(fx.ui.messages(), (QStringList{AdministratorOnly, AdministratorOnly, AdministratorOnly}));
        QCOMPARE(stored(fx).size(), 5);

        // The selected read messages go, the selected unread ones stay.
        w = openAs(fx, QStringLiteral("1"), QStringLiteral("admin"));
        QCOMPARE(shown(), (QStringList{QStringLiteral("e"), QStringLiteral("d"), QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
        // Deletes the selected rows; what the window said.
        auto deleteSelected = [&](const QList<int> &rows) {
            QItemSelectionModel *selection = w->DBGrid1->selectionModel();
            selection->clearSelection();
            for (int row : rows)
                selection->select(w->DBGrid1->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
            fx.ui.reset();
            w->N5->trigger();
            return fx.ui.messages();
        };
        QCOMPARE(w->DBGrid1->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(deleteSelected({1, 2, 4}), (QStringList{Deleted, UnreadKept}));
        QCOMPARE(shown(), (QStringList{QStringLiteral("e"), QStringLiteral("d"), QStringLiteral("b")}));
        // Only unread rows selected: nothing deleted, and the user is told why.
        QCOMPARE(deleteSelected({1, 2}), QStringList{UnreadKept});
        QCOMPARE(shown().size(), 3);
        // Read rows only: deleted, nothing more said.
        QCOMPARE(deleteSelected({0}), QStringList{Deleted});
        QCOMPARE(shown(), (QStringList{QStringLiteral("d"), QStringLiteral("b")}));

        // The current message goes, read or not.
        moveTo(QStringLiteral("d"));
        fx.ui.reset();
        w->N3->trigger();
        QCOMPARE(fx.ui.messages(), QStringList{Deleted});
        QCOMPARE(shown(), QStringList{QStringLiteral("b")});
        // One another workstation deleted meanwhile is said to be so; the grid shows what is left.
        fx.exec(QStringLiteral("delete from payamha where mozo='b'"));
        fx.ui.reset();
        w->N3->trigger();
        QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("اين ركورد توسط كاربر ديگري حذف شده است")});
        QCOMPARE(shown(), QStringList());
        addMessage(fx, 1, 2, QStringLiteral("1403/01/02"), QString(), QStringLiteral("b"));

        // Every read message of every user goes, whatever the grid shows.
        addMessage(fx, 3, 2, QStringLiteral("1403/01/07"), QStringLiteral("1403/01/08"), QStringLiteral("f"));
        typeText(w->girande->lineEdit(), Bahram);
        QCOMPARE(shown(), QStringList());
        fx.ui.reset();
        w->N4->trigger();
        QCOMPARE(fx.ui.messages(), QStringList{Deleted});
        QCOMPARE(stored(fx), QStringList{QStringLiteral("b:1>2:")});

        // With no message in the grid there is nothing to act on.
        fx.ui.reset();
        for (QAction *item : {w->N1, w->N2, w->N3})
            item->trigger();
        QCOMPARE(fx.ui.calls.size(), 0);
        QCOMPARE(stored(fx), QStringList{QStringLiteral("b:1>2:")});
    }
};

QTEST_MAIN(PayamTest)
#include "tst_payam.moc"
