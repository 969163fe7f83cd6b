// Person entry: the national-code check, the digit filter, insert and edit
// with their checks and duplicate question, the texts stored for masked and
// number fields, the combo lists; on every engine under test.
#include "TestSupport.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "personnel/personel_ins_u.h"
#include "personnel/personel_src_u.h"
#include "platform/ComboBox.h"
#include "platform/Fonts.h"
#include "platform/Guard.h"
#include "platform/MaskEdit.h"
#include "platform/Query.h"
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>

namespace {

const QString DuplicateQuestion = QStringLiteral(" هشدار! اين کد ملي قبلا ثبت شده است.آيا مي خواهيد ادامه دهيد؟");

// Opens the entry window as the list's "new" command does, on the list's result set.
Tpersonel_ins *openNew()
{
    app::personel_src->src_btnClick();
    app::personel_src->N1Click();
    return app::personel_ins;
}

// Opens the entry window as the list's "edit" command does, on the first person found.
Tpersonel_ins *openEdit()
{
    app::personel_src->src_btnClick();
    app::personel_src->N2Click();
    return app::personel_ins;
}

// One row per engine and case, the case's texts in column "texts".
void addEngineRows(const QList<std::pair<const char *, QStringList>> &cases)
{
    QTest::addColumn<int>("engine");
    QTest::addColumn<QStringList>("texts");
    for (Engine e : testEngines())
        for (const auto &[name, texts] : cases)
            QTest::addRow("%s %s", e == Engine::Sqlite ? "sqlite" : "postgres", name) << int(e) << texts;
}

QList<ScriptedPlatform::Call> errorBoxes(const ScriptedPlatform &ui)
{
    QList<ScriptedPlatform::Call> out;
    for (const auto &c : ui.callsOf(QStringLiteral("message")))
        if (c.kind == Platform::BoxKind::Error)
            out << c;
    return out;
}

} // namespace

class PersonelInsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void nationalCodeVectors()
    {
        QVERIFY(Tpersonel_ins::nationalCodeValid(QStringLiteral("1234567891")));   // s = 210, r = 1
        QVERIFY(!Tpersonel_ins::nationalCodeValid(QStringLiteral("1234567890")));
        QVERIFY(Tpersonel_ins::nationalCodeValid(QStringLiteral("0000000019")));   // s = 2, r = 2, digit 9
        QVERIFY(!Tpersonel_ins::nationalCodeValid(QStringLiteral("000000001x")));  // tenth not a digit: no match
        // Anything but a digit among the first nine fails the check.
        for (const QString &code : {QStringLiteral("12345a7891"), QStringLiteral("+23456789 "), QStringLiteral(" 123456789")})
            QVERIFY2(!Tpersonel_ins::nationalCodeValid(code), qPrintable(code));
    }

    void nationExitMessagesAndFocus()
    {
        AppFixture fx(Engine::Sqlite);
        Tpersonel_ins *w = openNew();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        const QString shortCode = QStringLiteral("كد ملي مي بايست 10 رقم باشد");

        // Leaving the field with nine digits: the message, and the focus comes back.
        w->nation->setFocus();
        typeText(w->nation, QStringLiteral("123456789"));
        w->sh_no->setFocus();
        QTRY_COMPARE(fx.ui.messages(), QStringList{shortCode});
        QTRY_VERIFY(w->nation->hasFocus());

        // A wrong check digit: the message, the focus goes where the user moved it.
        fx.ui.reset();
        w->nation->setText(QStringLiteral("1234567890"));
        w->sh_no->setFocus();
        QTRY_COMPARE(fx.ui.messages(), QStringList{QStringLiteral("کد ملي صحيح نيست")});
        QVERIFY(w->sh_no->hasFocus());

        // A right code or an empty field: nothing.
        fx.ui.reset();
        for (const QString &code : {QStringLiteral("0000000019"), QString()}) {
            w->nation->setFocus();
            w->nation->setText(code);
            w->sh_no->setFocus();
            QCoreApplication::processEvents();
        }
        QCOMPARE(fx.ui.messages(), QStringList());

        // A non-digit among the first nine is a failed check, not an error.
        w->nation->setText(QStringLiteral("12345a7891"));
        runGuarded([w] { w->nationExit(); });
        QCOMPARE(errorBoxes(fx.ui).size(), 0);
        QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("کد ملي صحيح نيست")});
    }

    void digitFilter()
    {
        AppFixture fx(Engine::Sqlite);
        Tpersonel_ins *w = openNew();
        for (QLineEdit *field : {w->nation, w->farzand}) {
            field->clear();
            // Persian and Arabic-Indic digits come through as ASCII ones.
            typeText(field, QStringLiteral("1a 2۳-4٥"));
            QCOMPARE(field->text(), QStringLiteral("12345"));
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(field, Qt::Key_Backspace);
            QCOMPARE(field->text(), QStringLiteral("12"));
            QApplication::clipboard()->setText(QStringLiteral("999"));
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(field->text(), QStringLiteral("12"));
            // Pasted through the edit's menu: the digits land as ASCII.
            QApplication::clipboard()->setText(QStringLiteral("٣۴"));
            field->paste();
            QCOMPARE(field->text(), QStringLiteral("1234"));
        }
        // A code typed on a Persian keyboard is stored in ASCII digits.
        w->nation->clear();
        typeText(w->nation, QStringLiteral("۰۰۰۰۰۰۰۰۱۹"));
        w->lname->setText(QStringLiteral("x"));
        w->ins_btn->click();
        QCOMPARE(fx.value(QStringLiteral("select nation from personel")), QStringLiteral("0000000019"));
        // Other fields are not filtered.
        typeText(w->sh_no, QStringLiteral("ab1"));
        QCOMPARE(w->sh_no->text(), QStringLiteral("ab1"));
        QCOMPARE(Tpersonel_ins::FilterDigitKey(QChar(8)), QChar(8));
        QCOMPARE(Tpersonel_ins::FilterDigitKey(QChar(13)), QChar(13));
        QVERIFY(Tpersonel_ins::FilterDigitKey(QChar(22)).isNull()); // Ctrl+V
    }

    void insertStoresMaskTextsAndNulls_data() { addEngineRows(); }
    void insertStoresMaskTextsAndNulls()
    {
        AppFixture fx(currentEngine());
        Tpersonel_ins *w = openNew();

        // No last name, or blanks only: the message, nothing written.
        w->ins_btn->click();
        typeText(w->lname, QStringLiteral("  "));
        w->ins_btn->click();
        const QString noLastName = QStringLiteral("خطا! نام خانوادگي  نمي تواند خالي باشد");
        QCOMPARE(fx.ui.messages(), (QStringList{noLastName, noLastName}));
        QCOMPARE(fx.column(QStringLiteral("select count(*) from personel")), QStringList{QStringLiteral("0")});
        w->lname->clear();

        fx.ui.reset();
        typeText(w->lname, QStringLiteral("رضايي"));
        w->nation->setText(QStringLiteral("1234567891"));
        w->farzand->clear();
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList());
        // Last name, birthday, model, status.
        QCOMPARE(fx.column(QStringLiteral("select lname || '|' || birthday || '|' || model || '|' || status from personel")),
                 QStringList{QStringLiteral("رضايي|    /  /  |    |فعال")});
        QCOMPARE(fx.column(QStringLiteral("select count(*) from personel where farzand is null and kilometr is null and govahiname_nomre is null")),
                 QStringList{QStringLiteral("1")});
        // The row joined the list's result set; the window stays open.
        QCOMPARE(app::dm->ADOQ_personel->recordCount(), 1);
        QVERIFY(w->isVisible());
        QCOMPARE(app::personel_src->cnt->text(), QStringLiteral("0"));

        // A second click: the duplicate question ends with the stored code; No stores nothing, Yes a second row.
        fx.ui.buttonAnswers << Platform::Button::No;
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{DuplicateQuestion + QStringLiteral("1234567891")});
        QCOMPARE(fx.column(QStringLiteral("select count(*) from personel")), QStringList{QStringLiteral("1")});
        fx.ui.buttonAnswers << Platform::Button::Yes;
        w->ins_btn->click();
        QCOMPARE(fx.column(QStringLiteral("select count(*) from personel where nation='1234567891'")), QStringList{QStringLiteral("2")});
    }

    void unconvertibleNumberCancelsTheRow_data() { addEngineRows(); }
    void unconvertibleNumberCancelsTheRow()
    {
        AppFixture fx(currentEngine());
        Tpersonel_ins *w = openNew();
        w->lname->setText(QStringLiteral("کريمي"));
        w->kilometr->setText(QStringLiteral("12a"));
        w->ins_btn->click();
        QCOMPARE(errorBoxes(fx.ui).size(), 1);
        Query &rows = *app::dm->ADOQ_personel;
        QCOMPARE(rows.state(), Query::State::Browse);
        QCOMPARE(rows.recordCount(), 0);
        QCOMPARE(fx.column(QStringLiteral("select count(*) from personel")), QStringList{QStringLiteral("0")});

        // The next command starts clean: one row, with the corrected value.
        w->kilometr->setText(QStringLiteral("12"));
        w->ins_btn->click();
        QCOMPARE(fx.column(QStringLiteral("select kilometr from personel")), QStringList{QStringLiteral("12")});
    }

    // A refused save on edit keeps the window open with what was typed and
    // the current row as it was: the row deleted on another workstation (the
    // save says so, whether a field was changed or not), or letters in a number.
    void refusedEditKeepsTheWindowOpen_data()
    {
        // The first name typed ("x" is the stored one: nothing changed), the
        // number of children typed; none: the row is deleted meanwhile.
        addEngineRows({{"deleted, changed", {QStringLiteral("typed"), QString()}},
                       {"deleted, unchanged", {QStringLiteral("x"), QString()}},
                       {"letters in a number", {QStringLiteral("typed"), QStringLiteral("x")}}});
    }
    void refusedEditKeepsTheWindowOpen()
    {
        QFETCH(QStringList, texts);
        const bool deleted = texts[1].isEmpty();
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into personel (lname,fname) values ('a','x')"));
        Tpersonel_ins *w = openEdit();
        if (deleted)
            fx.exec(QStringLiteral("delete from personel")); // another workstation
        w->fname->setText(texts[0]);
        w->farzand->setText(texts[1]);
        w->edit_btn->click();
        if (deleted)
            QCOMPARE(fx.ui.messages(), QStringList{Query::changedByAnotherUser()});
        QCOMPARE(errorBoxes(fx.ui).size(), 1);
        QVERIFY(w->isVisible());
        QCOMPARE(w->fname->text(), texts[0]);
        Query &rows = *app::dm->ADOQ_personel;
        QCOMPARE(rows.state(), Query::State::Browse);
        QCOMPARE(rows.field(QStringLiteral("fname")).asString(), QStringLiteral("x"));
        QCOMPARE(fx.value(QStringLiteral("select count(*) from personel where fname='x'")), deleted ? QStringLiteral("0") : QStringLiteral("1"));
    }

    // An edit writes only the fields changed, and asks only when the code changed.
    void editWritesChangesAndAsksOnlyWhenTheCodeChanged_data() { addEngineRows(); }
    void editWritesChangesAndAsksOnlyWhenTheCodeChanged()
    {
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into personel (lname,nation,farzand,govahiname_nomre) values ('a','1111111111',2,1234567890123456)"));
        fx.exec(QStringLiteral("insert into personel (lname,nation) values ('b','0000000019')"));
        Tpersonel_ins *w = openEdit();
        QVERIFY(!w->ins_btn->isVisibleTo(w));
        QVERIFY(w->edit_btn->isVisibleTo(w));
        QCOMPARE(w->farzand->text(), QStringLiteral("2"));
        QCOMPARE(w->kilometr->text(), QString());
        QCOMPARE(w->govahiname_nomre->text(), QStringLiteral("1234567890123456"));

        // Same code: no question, the row is stored and the window closes.
        // Another workstation fills the post left empty here; only the first name is typed.
        fx.exec(QStringLiteral("update personel set semat='راننده' where lname='a'"));
        w->fname->setText(QStringLiteral("علي"));
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList());
        QVERIFY(!w->isVisible());
        QCOMPARE(fx.column(QStringLiteral("select semat from personel where lname='a' and fname='علي' and father is null "
                                          "and govahiname_nomre=1234567890123456")),
                 QStringList{QStringLiteral("راننده")});
        QCOMPARE(fx.column(QStringLiteral("select count(*) from personel")), QStringList{QStringLiteral("2")});

        // Another person's code: the question with that code; Cancel keeps the row.
        app::personel_src->N2Click();
        w->nation->setText(QStringLiteral("0000000019"));
        fx.ui.buttonAnswers << Platform::Button::Cancel;
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{DuplicateQuestion + QStringLiteral("0000000019")});
        QVERIFY(w->isVisible());
        QCOMPARE(fx.column(QStringLiteral("select nation from personel where lname='a'")), QStringList{QStringLiteral("1111111111")});
    }

    // The code typed matches the stored one: an empty code another empty
    // one, and a code stored with Persian digits by another program the
    // code typed on the number pad. The duplicate question finds it, and
    // editing the person shows it as typed, as a valid code.
    void duplicateQuestionFindsTheStoredCode_data()
    {
        // The code stored, the code typed.
        addEngineRows({{"empty", {QString(), QString()}}, {"Persian digits", {QStringLiteral("۱۲۳۴۵۶۷۸۹۱"), QStringLiteral("1234567891")}}});
    }
    void duplicateQuestionFindsTheStoredCode()
    {
        QFETCH(QStringList, texts);
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into personel (lname,nation) values ('a','%1')").arg(texts[0]));
        Tpersonel_ins *w = openNew();
        w->lname->setText(QStringLiteral("b"));
        w->nation->setText(texts[1]);
        fx.ui.buttonAnswers << Platform::Button::No;
        w->ins_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList{DuplicateQuestion + texts[0]});
        QCOMPARE(fx.column(QStringLiteral("select count(*) from personel")), QStringList{QStringLiteral("1")});

        fx.ui.reset();
        openEdit();
        QCOMPARE(w->nation->text(), texts[1]);
        runGuarded([w] { w->nationExit(); });
        w->fname->setText(QStringLiteral("علي"));
        w->edit_btn->click();
        QCOMPARE(fx.ui.messages(), QStringList());
        QCOMPARE(fx.column(QStringLiteral("select fname from personel")), QStringList{QStringLiteral("علي")});
    }

    void comboListsAndCounties_data() { addEngineRows(); }
    void comboListsAndCounties()
    {
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('مذهب','شيعه'),('وضعيت پرسنل','فعال'),('وضعيت پرسنل','غير فعال')"));
        fx.exec(QStringLiteral("insert into abadiha (ostan,shahrestan) values ('مرکزي','اراک'),('مرکزي','ساوه'),('قم','قم')"));
        Tpersonel_ins *w = openNew();
        QCOMPARE(w->mazhab->count(), 1);
        QCOMPARE(w->status->count(), 2);
        QCOMPARE(w->status->text(), QStringLiteral("فعال"));
        QCOMPARE(w->ostan->count(), 2);
        QCOMPARE(w->shahrestan->count(), 0);
        QCOMPARE(w->semat->count(), 2); // the first-run posts

        // Choosing a province (its yeh in another form) lists its counties; the typed county survives.
        w->shahrestan->setText(QStringLiteral("دلخواه"));
        typeText(w->ostan->lineEdit(), QStringLiteral("مرکزی"));
        QStringList counties;
        for (int i = 0; i < w->shahrestan->count(); ++i)
            counties << w->shahrestan->itemText(i);
        counties.sort();
        QCOMPARE(counties, (QStringList{QStringLiteral("اراک"), QStringLiteral("ساوه")}));
        QCOMPARE(w->shahrestan->text(), QStringLiteral("دلخواه"));
        // Setting the province from code lists nothing.
        w->ostan->setText(QStringLiteral("قم"));
        QCOMPARE(w->shahrestan->count(), 2);
    }

    void layoutAndTabOrder()
    {
        AppFixture fx(Engine::Sqlite);
        Tpersonel_ins *w = app::personel_ins;
        QCOMPARE(w->fields().size(), 35);
        for (QWidget *f : w->fields())
            QVERIFY2(f->geometry().height() == 21, qPrintable(f->objectName()));
        QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(w->lname->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(w->nation->layoutDirection(), Qt::LeftToRight);
        QCOMPARE(w->ins_btn->geometry(), QRect(304, 464, 133, 42));
        QVERIFY(!w->ins_btn->autoDefault());
        // Tab runs row by row, right to left, from typ to status, then the buttons and row 1.
        QSet<QWidget *> stops(w->fields().begin(), w->fields().end());
        stops << w->ins_btn << w->edit_btn;
        QWidget *f = w->typ;
        QStringList order;
        for (int i = 0; i < 37; ++i) {
            order << f->objectName();
            do { f = f->nextInFocusChain(); } while (!stops.contains(f));
        }
        QCOMPARE(order.mid(0, 4), (QStringList{"typ", "fname", "lname", "father"}));
        QCOMPARE(order.mid(30, 7), (QStringList{"fani", "maharat", "status", "ins_btn", "edit_btn", "semat", "loc"}));
    }
};

QTEST_MAIN(PersonelInsTest)
#include "tst_personel_ins.moc"
