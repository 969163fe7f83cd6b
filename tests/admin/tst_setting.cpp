// The lookup-list window and the two ways the pages read the lists, on every
// engine under test.
#include "TestSupport.h"
#include "admin/setting_u.h"
#include "common/lookup.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Fonts.h"
#include "platform/Query.h"
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace {
const QString Colour = QStringLiteral("رنگ خودرو");
const QString Password = QStringLiteral("رمز حذف");
const QString Subjects = QStringLiteral("موضوع پيام");
const QString Saved = QStringLiteral("ثبت شد");
const QString Duplicate = QStringLiteral("تكراري است");
const QString NoValue = QStringLiteral("لطفا مقدار مناسب را وارد نماييد");

void addItem(AppFixture &fx, const QString &list, const QString &item, const QString &def = QString())
{
    fx.exec(QStringLiteral("insert into setting (component,cmt,def) values ('%1','%2',%3)")
                .arg(list, item, def.isNull() ? QStringLiteral("null") : QLatin1Char('\'') + def + QLatin1Char('\'')));
}

// "item=def" of every row of a list, in id order; a NULL marker reads "null".
QStringList rowsOf(AppFixture &fx, const QString &list)
{
    return fx.column(QStringLiteral("select cmt || '=' || coalesce(def,'null') from setting where component='%1' order by id")
                         .arg(list));
}

// Types each text as an item of the chosen list and adds it; what the window said.
QStringList addTyped(AppFixture &fx, Tsetting *w, const QStringList &texts)
{
    fx.ui.reset();
    for (const QString &text : texts) {
        w->cmt->setText(text);
        w->ins_btn->click();
    }
    return fx.ui.messages();
}

// Makes the grid's current row the first row holding this item text.
void selectItem(Tsetting *w, const QString &item)
{
    Query &q = *app::dm->ADOQ_set;
    for (q.first(); !q.eof(); q.next())
        if (q.field(QStringLiteral("cmt")).asString() == item)
            return;
    QFAIL("item not in the grid");
}
} // namespace

class SettingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void chooserOffersTheListsOnly_data() { addEngineRows(); }
    void chooserOffersTheListsOnly()
    {
        AppFixture fx(currentEngine());
        Tsetting *w = app::setting;
        QVERIFY(!w->component->isEditable());
        QStringList items;
        for (int i = 0; i < w->component->count(); ++i)
            items << w->component->itemText(i);
        QCOMPARE(items.size(), 23);
        QCOMPARE(QSet<QString>(items.begin(), items.end()).size(), 23);
        QVERIFY(items.contains(Colour) && items.contains(Password) && !items.contains(Subjects));
    }

    void addingChecksTextAndDuplicates_data() { addEngineRows(); }
    void addingChecksTextAndDuplicates()
    {
        AppFixture fx(currentEngine());
        Tsetting *w = app::setting;
        // No list chosen: refused, nothing stored under the empty name.
        w->component->setText(QString());
        QCOMPARE(addTyped(fx, w, {QStringLiteral("سفيد")}), QStringList{NoValue});
        QCOMPARE(rowsOf(fx, QString()), QStringList());
        QCOMPARE(w->cmt->text(), QStringLiteral("سفيد"));

        // Blanks only, an item, the same again, the same with the Persian yeh, a quote.
        w->component->setText(Colour);
        QCOMPARE(addTyped(fx, w, {QStringLiteral("   "), QStringLiteral("سفيد"), QStringLiteral("سفيد"), QStringLiteral("سفید"), QStringLiteral("ab'c")}),
                 (QStringList{NoValue, Saved, Duplicate, Duplicate, Saved}));
        QCOMPARE(rowsOf(fx, Colour), (QStringList{QStringLiteral("سفيد=null"), QStringLiteral("ab'c=null")}));
        QCOMPARE(app::dm->ADOQ_set->recordCount(), 2);
    }

    // A list read as one value takes no second item, which would be shown
    // as stored yet never used; once the old one is deleted the new one goes in.
    void singleValueListsTakeOneItem_data() { addEngineRows(); }
    void singleValueListsTakeOneItem()
    {
        AppFixture fx(currentEngine());
        Tsetting *w = app::setting;
        const QString rate = QStringLiteral("مبلغ هر کيلومتر");
        w->component->setText(rate);
        QCOMPARE(addTyped(fx, w, {QStringLiteral("1500"), QStringLiteral("2000")}),
                 (QStringList{Saved, QStringLiteral("اين عنوان فقط يك مقدار دارد و مقدار ثبت شده قبلي بكار مي رود؛ براي تغيير، ابتدا مقدار قبلي را حذف نماييد")}));
        QCOMPARE(rowsOf(fx, rate), QStringList{QStringLiteral("1500=null")});
        QCOMPARE(w->cmt->text(), QStringLiteral("2000"));

        w->component->setText(rate);
        w->componentChange();
        selectItem(w, QStringLiteral("1500"));
        w->N1->trigger();
        // A rate takes only an amount the trip entry can count and store,
        // from 0 up to one at which a long trip still fits the amount column.
        QCOMPARE(addTyped(fx, w, {QStringLiteral("1500 ریال"), QStringLiteral("12,5"), QStringLiteral("1e+-3"), QStringLiteral("0,125"),
                                  QStringLiteral("-5"), QStringLiteral("1000000000.0001"), QStringLiteral("922337203685477.5807")}),
                 QStringList(4, QStringLiteral("براي «مبلغ هر کيلومتر» فقط يك مبلغ به عدد پذيرفته مي شود، مانند 1500 يا 12.5"))
                     + QStringList(3, QStringLiteral("مبلغ «مبلغ هر کيلومتر» بايد از 0 تا 1,000,000,000 باشد")));
        QCOMPARE(rowsOf(fx, rate), QStringList());
        addTyped(fx, w, {QStringLiteral("2000")});
        QCOMPARE(rowsOf(fx, rate), QStringList{QStringLiteral("2000=null")});
        QCOMPARE(singleValue(rate, *app::dm->ADOQuery1), QStringLiteral("2000"));

        // A list of many items takes as many as are added.
        w->component->setText(Colour);
        addTyped(fx, w, {QStringLiteral("سفيد"), QStringLiteral("مشکي")});
        QCOMPARE(rowsOf(fx, Colour).size(), 2);
    }

    // Default and delete act on every copy of the chosen item and on no
    // other list; the rows, the single value, the combo items and the grid
    // keep the order the items were added in.
    void defaultAndDeleteActOnEveryCopy_data() { addEngineRows(); }
    void defaultAndDeleteActOnEveryCopy()
    {
        AppFixture fx(currentEngine());
        Tsetting *w = app::setting;
        addItem(fx, Colour, QStringLiteral("سفيد"));
        addItem(fx, Colour, QStringLiteral("آبي"));
        addItem(fx, Colour, QStringLiteral("مشکي"), QStringLiteral("1"));
        addItem(fx, Colour, QStringLiteral("آبي"));
        addItem(fx, Password, QStringLiteral("آبي"));
        w->component->setText(Colour);
        w->componentChange();
        selectItem(w, QStringLiteral("آبي"));
        w->N2->trigger();
        QCOMPARE(rowsOf(fx, Colour), (QStringList{QStringLiteral("سفيد="), QStringLiteral("آبي=1"), QStringLiteral("مشکي="),
                                                  QStringLiteral("آبي=1")}));
        QCOMPARE(rowsOf(fx, Password), QStringList{QStringLiteral("آبي=null")});
        QCOMPARE(w->cmt->text(), QStringLiteral("آبي"));
        const QStringList added{QStringLiteral("سفيد"), QStringLiteral("آبي"), QStringLiteral("مشکي"), QStringLiteral("آبي")};
        QCOMPARE(columnValues(*app::dm->ADOQ_set, QStringLiteral("cmt")), added);
        QVERIFY(fx.ui.messages().isEmpty());
        QCOMPARE(singleValue(Colour, *app::dm->ADOQuery1), QStringLiteral("سفيد"));
        ComboBox combo;
        fillComboFromList(Colour, &combo);
        QCOMPARE(QStringList({combo.itemText(0), combo.itemText(1), combo.itemText(2), combo.itemText(3)}), added);

        // An item deleted on another workstation since the list was read: the
        // refusal is shown, the list keeps the default it had, and the grid
        // shows the list as it now stands.
        selectItem(w, QStringLiteral("سفيد"));
        fx.exec(QStringLiteral("delete from setting where cmt='%1'").arg(QStringLiteral("سفيد")));
        w->N2->trigger();
        QCOMPARE(fx.ui.messages(), QStringList{Query::changedByAnotherUser()});
        QCOMPARE(fx.ui.calls.first().kind, Platform::BoxKind::Error);
        QCOMPARE(rowsOf(fx, Colour), (QStringList{QStringLiteral("آبي=1"), QStringLiteral("مشکي="), QStringLiteral("آبي=1")}));
        QVERIFY(app::dm->ADOQ_set->isOpen());
        QCOMPARE(app::dm->ADOQ_set->recordCount(), 3);

        // Delete takes every copy of the item, in this list only.
        fx.ui.reset();
        selectItem(w, QStringLiteral("آبي"));
        w->N1->trigger();
        QCOMPARE(rowsOf(fx, Colour), QStringList{QStringLiteral("مشکي=")});
        QCOMPARE(rowsOf(fx, Password), QStringList{QStringLiteral("آبي=null")});
        QCOMPARE(app::dm->ADOQ_set->recordCount(), 1);
        QVERIFY(fx.ui.messages().isEmpty());
    }

    // An empty grid acts on the empty name; a row of a list the chooser does
    // not offer is acted on under its own name.
    void commandsActOnTheRowShown_data() { addEngineRows(); }
    void commandsActOnTheRowShown()
    {
        AppFixture fx(currentEngine());
        Tsetting *w = app::setting;
        addItem(fx, QString(), QString());
        addItem(fx, QString(), QStringLiteral("سفيد"));
        addItem(fx, Subjects, QStringLiteral("سفيد"));
        w->N1->trigger();               // the shared query was never opened
        QCOMPARE(rowsOf(fx, QString()), QStringList{QStringLiteral("سفيد=null")});

        ComboBox other;
        fillComboFromList(Subjects, &other);
        selectItem(w, QStringLiteral("سفيد"));
        w->N2->trigger();
        QCOMPARE(rowsOf(fx, Subjects), QStringList{QStringLiteral("سفيد=1")});
        QCOMPARE(rowsOf(fx, QString()), QStringList{QStringLiteral("سفيد=null")});
        w->N1->trigger();
        QCOMPARE(rowsOf(fx, Subjects), QStringList());
        QCOMPARE(rowsOf(fx, QString()), QStringList{QStringLiteral("سفيد=null")});
    }

    void pagesReadTheLists_data() { addEngineRows(); }
    void pagesReadTheLists()
    {
        AppFixture fx(currentEngine());
        addItem(fx, Password, QStringLiteral("123"));
        addItem(fx, Password, QStringLiteral("456"), QStringLiteral("1"));
        addItem(fx, Colour, QStringLiteral("سفيد"));
        addItem(fx, Colour, QStringLiteral("آبي"), QStringLiteral("1"));
        addItem(fx, Colour, QStringLiteral("مشکي"));

        QCOMPARE(singleValue(Password, *app::dm->ADOQuery1), QStringLiteral("123"));
        QVERIFY(app::dm->ADOQuery1->isOpen());
        QCOMPARE(singleValue(Subjects, *app::dm->ADOQ_set), QString());

        ComboBox combo;
        combo.setText(QStringLiteral("متن"));
        fillComboFromList(Colour, &combo);
        QCOMPARE(combo.count(), 3);
        QCOMPARE(combo.itemText(0), QStringLiteral("سفيد"));
        QCOMPARE(combo.itemText(2), QStringLiteral("مشکي"));
        QCOMPARE(combo.currentIndex(), -1);
        QCOMPARE(combo.text(), QStringLiteral("متن"));
        fillComboFromList(Subjects, &combo);
        QCOMPARE(combo.count(), 0);
        QCOMPARE(combo.text(), QStringLiteral("متن"));
    }

    // At its designed size the grid shows its three columns whole, with no
    // horizontal scrollbar, also when its rows need the vertical one.
    void gridFitsTheWindow()
    {
        AppFixture fx(Engine::Sqlite);
        Tsetting *w = app::setting;
        w->component->setText(Colour);
        for (int i = 0; i < 30; ++i)
            addTyped(fx, w, {QString::number(i)});
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTRY_VERIFY(w->DBGrid1->verticalScrollBar()->isVisible());
        QCOMPARE(w->DBGrid1->horizontalScrollBar()->maximum(), 0);
    }
};

QTEST_MAIN(SettingTest)
#include "tst_setting.moc"
