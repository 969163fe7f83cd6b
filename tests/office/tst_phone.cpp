// The phone book: its search as the user types (the kaf replacement, the
// three criteria, ignored failures), adding with the duplicate check,
// deleting, and its opening from the main window; on every engine under test.
#include "TestSupport.h"
#include "common/ListSearch.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "core/main_u.h"
#include "office/phone_u.h"
#include "platform/DbGrid.h"
#include "platform/Dialect.h"
#include "platform/Fonts.h"
#include "platform/Query.h"
#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString Kaf = QStringLiteral("ك");
const QString Keheh = QStringLiteral("ک");

Query &rows() { return *app::dm->ADOQuery1; }

QStringList names()
{
    QStringList out;
    const int c = rows().columnIndex(QStringLiteral("name"));
    for (int r = 0; r < rows().recordCount(); ++r)
        out << rows().textAt(r, c);
    return out;
}

void addEntries(AppFixture &fx)
{
    for (const char *v : {"'Zahra','021-5550','office'", "'بابك','0912 111','راننده'", "'Ali',NULL,'کارگاه'", "'','999','no name'"})
        fx.exec(QStringLiteral("insert into phone (name,tel,cmt) values (%1)").arg(QString::fromUtf8(v)));
}

// The phone book opened from the main window by a user with every right.
Tphone *open(AppFixture &fx)
{
    fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
    const QString yes = Dialect::of(currentEngine()).bitLiteral(true);
    fx.exec(QStringLiteral("insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) values (1,'phone',%1,%1,%1,%1)").arg(yes));
    app::main->N11Click();
    return app::phone;
}

} // namespace

class PhoneTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void searchAsTheUserTypes_data() { addEngineRows(); }
    void searchAsTheUserTypes()
    {
        AppFixture fx(currentEngine());
        addEntries(fx);
        // The scratch query holds another page's rows; the opening lists every
        // named entry by name all the same.
        rows().clear();
        rows().add(QStringLiteral("select * from setting"));
        rows().open();
        Tphone *w = open(fx);
        QCOMPARE(w->cnt->text(), QStringLiteral("3"));
        QCOMPARE(names(), (QStringList{QStringLiteral("Ali"), QStringLiteral("Zahra"), QStringLiteral("بابك")}));

        // A typed keheh becomes the Arabic kaf, where the cursor was.
        w->src->setFocus();
        typeText(w->src, QStringLiteral("اب") + Keheh);
        QCOMPARE(w->src->text(), QStringLiteral("اب") + Kaf);
        QCOMPARE(names(), QStringList{QStringLiteral("بابك")});
        w->src->setCursorPosition(1);
        typeText(w->src, Keheh);
        QCOMPARE(w->src->text(), QStringLiteral("ا") + Kaf + QStringLiteral("ب") + Kaf);
        QCOMPARE(w->src->cursorPosition(), 2);

        // Another criterion runs nothing until the text changes; part of a number finds it.
        const QString before = rows().text();
        w->RadioGroup1Items->button(1)->click();
        QCOMPARE(rows().text(), before);
        w->src->setText(QStringLiteral("555"));
        QCOMPARE(names(), QStringList{QStringLiteral("Zahra")});
        w->RadioGroup1Items->button(2)->click();
        w->src->setText(QStringLiteral("کار"));
        QCOMPARE(rows().lines().at(1), likeCondition(QStringLiteral("cmt"), Kaf + QStringLiteral("ار")));

        // A failing search is shown, once, and the typed text stays.
        QVERIFY(fx.ui.messages().isEmpty());
        fx.exec(QStringLiteral("drop table phone"));
        w->src->setText(QStringLiteral("x"));
        QCOMPARE(fx.ui.messages().size(), 1);
        QCOMPARE(fx.ui.calls.last().kind, Platform::BoxKind::Error);
        QCOMPARE(w->src->text(), QStringLiteral("x"));
        // Also when a typed keheh is put back as kaf, which searches again.
        fx.ui.reset();
        typeText(w->src, Keheh);
        QCOMPARE(fx.ui.messages().size(), 1);
        QCOMPARE(w->src->text(), QStringLiteral("x") + Kaf);
    }

    // A name typed on a Persian keyboard finds it whichever form is stored.
    void searchFoldsKafYehAndCase_data() { addEngineRows(); }
    void searchFoldsKafYehAndCase()
    {
        AppFixture fx(currentEngine());
        Tphone *w = open(fx);
        checkFoldedSearch([&](const QString &stored, const QString &typed) {
            fx.exec(QStringLiteral("delete from phone"));
            fx.exec(QStringLiteral("insert into phone (name,tel,cmt) values ('%1','1','')").arg(stored));
            w->src->clear();
            typeText(w->src, typed);
            return rows().recordCount();
        });
    }

    void addAndDelete_data() { addEngineRows(); }
    void addAndDelete()
    {
        AppFixture fx(currentEngine());
        addEntries(fx);
        Tphone *w = open(fx);
        w->show();
        w->name->setText(QStringLiteral("O'Neil"));
        w->tel->setText(QStringLiteral("123"));
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("ثبت شد")});
        QCOMPARE(w->cnt->text(), QStringLiteral("4"));
        QCOMPARE(fx.column(QStringLiteral("select tel from phone where name='O''Neil'")), QStringList{QStringLiteral("123")});

        // A stored name is refused; the grid shows the stored entry, the count stays.
        w->tel->setText(QStringLiteral("456"));
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages().last(), QStringLiteral("نام تکراري است"));
        QCOMPARE(fx.column(QStringLiteral("select count(*) from phone")), QStringList{QStringLiteral("5")});
        QCOMPARE(names(), QStringList{QStringLiteral("O'Neil")});
        QCOMPARE(w->cnt->text(), QStringLiteral("4"));

        // Deleting the current entry puts its texts into the entry fields.
        w->N1->trigger();
        QCOMPARE(fx.ui.messages().last(), QStringLiteral("حذف شد"));
        QCOMPARE(w->tel->text(), QStringLiteral("123"));
        QCOMPARE(w->cnt->text(), QStringLiteral("3"));
        QCOMPARE(fx.column(QStringLiteral("select count(*) from phone where name='O''Neil'")), QStringList{QStringLiteral("0")});

        // With no entry listed, delete does nothing and says nothing.
        w->src->setText(QStringLiteral("nobody"));
        const int shown = fx.ui.messages().size();
        w->N1->trigger();
        QCOMPARE(fx.ui.messages().size(), shown);
        QCOMPARE(fx.column(QStringLiteral("select count(*) from phone")), QStringList{QStringLiteral("4")});

        // A stored name typed with the other form of its kaf is a duplicate.
        w->name->setText(QStringLiteral("بابک"));
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages().last(), QStringLiteral("نام تکراري است"));
        QCOMPARE(fx.column(QStringLiteral("select count(*) from phone")), QStringList{QStringLiteral("4")});

        // An entry without a name, which could never be listed or deleted,
        // is refused.
        fx.ui.reset();
        for (const QString &blank : {QString(), QStringLiteral("  ")}) {
            w->name->setText(blank);
            w->ins_btn->click();
        }
        QCOMPARE(fx.ui.messages(), (QStringList{QStringLiteral("لطفا مقدار مناسب را وارد نماييد"), QStringLiteral("لطفا مقدار مناسب را وارد نماييد")}));
        QCOMPARE(fx.column(QStringLiteral("select count(*) from phone")), QStringList{QStringLiteral("4")});

        // A number longer than its column (40) is refused on every engine,
        // in the data layer's words naming the field by its caption, and
        // nothing is stored.
        fx.ui.reset();
        w->name->setText(QStringLiteral("Long"));
        w->tel->setText(QString(41, QLatin1Char('9')));
        w->ins_btn->click();
        QCOMPARE(fx.ui.calls.size(), 1);
        QCOMPARE(fx.ui.calls.first().kind, Platform::BoxKind::Error);
        QVERIFY(fx.ui.calls.first().text.contains(QStringLiteral("فيلد 'تلفن'")));
        QCOMPARE(fx.column(QStringLiteral("select count(*) from phone")), QStringList{QStringLiteral("4")});
    }
};

QTEST_MAIN(PhoneTest)
#include "tst_phone.moc"
