// The personnel list: search with its filters and county restriction, the
// filter toggle, the column-title sort, the password-guarded deletion, the
// new and edit commands, forms, export and the grid; on every engine under test.
#include "TestSupport.h"
#include "common/ListSearch.h"
#include "admin/users_u.h"
#include "core/Dates.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "core/main_u.h"
#include "personnel/PERSONEL_PIC_u.h"
#include "personnel/personel_frm_darkhastkar_u.h"
#include "personnel/personel_ins_u.h"
#include "personnel/personel_src_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Dialect.h"
#include "platform/Fonts.h"
#include "platform/MaskEdit.h"
#include "platform/Query.h"
#include "platform/Shape.h"
#include "platform/SingleLine.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

const QString DeletePassword = QStringLiteral("رمز حذف");
const QString Deleted = QStringLiteral("حذف شد");

Tpersonel_src *list() { return app::personel_src; }
Query &rows() { return *app::dm->ADOQ_personel; }

QStringList rowValues(const QString &field) { return columnValues(rows(), field); }

int columnOf(const QString &field) { return gridColumnOf(Tpersonel_src::gridColumns(), field); }

void clickTitle(const QString &field) { clickGridTitle(list()->DBGrid1, columnOf(field)); }

bool titleBold(const QString &field) { return gridTitleBold(list()->DBGrid1, columnOf(field)); }

// Searches as the search button does; the count label after it.
QString countFound()
{
    list()->src_btnClick();
    return list()->cnt->text();
}

QString count(AppFixture &fx, const char *table) { return fx.value(QStringLiteral("select count(*) from ") + QLatin1String(table)); }

// Three persons, two documents of the first, one of the second.
void addPersons(AppFixture &fx)
{
    fx.exec(QStringLiteral("insert into personel (fname,lname,nation,shahrestan,status) values ('علي','رضايي','1234567891','اراک','فعال')"));
    fx.exec(QStringLiteral("insert into personel (fname,lname,nation,shahrestan,status) values ('حسن','O''Neil','0000000019','ساوه',NULL)"));
    fx.exec(QStringLiteral("insert into personel (fname,lname,nation,shahrestan,status) values ('رضا','a_b',NULL,'اراک','غير فعال')"));
    fx.exec(QStringLiteral("insert into personel (fname,lname,nation,shahrestan,status) values ('مهدي','axb','2','قم','فعال')"));
    const QStringList ids = fx.column(QStringLiteral("select id from personel order by id"));
    for (const QString &id : {ids[0], ids[0], ids[1]})
        fx.exec(QStringLiteral("insert into personel_pic (personel_id,cmt) values (%1,'doc')").arg(id));
}

} // namespace

class PersonelSrcTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void searchFoldsKafYehAndCase_data() { addEngineRows(); }
    void searchFoldsKafYehAndCase()
    {
        AppFixture fx(currentEngine());
        checkFoldedFilter(fx, QStringLiteral("personel"), QStringLiteral("insert into personel (lname) values ('%1')"), list()->CheckBox1, list()->lname, list()->src_btn, rows());
    }

    void searchFiltersAndCount_data() { addEngineRows(); }
    void searchFiltersAndCount()
    {
        AppFixture fx(currentEngine());
        addPersons(fx);
        Tpersonel_src *w = list();
        QCOMPARE(countFound(), QStringLiteral("4"));
        QCOMPARE(rows().recordCount(), 4);

        // Switched on with an empty text: "%%" keeps the rows whose column is not NULL.
        switchFilterOn(w->CheckBox2, w->status, QString());
        QCOMPARE(countFound(), QStringLiteral("3"));
        QVERIFY(!rowValues(QStringLiteral("lname")).contains(QStringLiteral("O'Neil")));
        switchFilterOn(w->CheckBox12, w->nation, QString());
        QCOMPARE(countFound(), QStringLiteral("2"));
        w->CheckBox2->setChecked(false);
        w->CheckBox12->setChecked(false);

        // A quote is doubled inside the literal; "_" and "%" are wildcards.
        switchFilterOn(w->CheckBox1, w->lname, QStringLiteral("O'N"));
        w->src_btnClick();
        QCOMPARE(rowValues(QStringLiteral("lname")), QStringList{QStringLiteral("O'Neil")});
        for (const QString &text : {QStringLiteral("a_b"), QStringLiteral("a%b")}) {
            w->lname->setText(text);
            QCOMPARE(countFound(), QStringLiteral("2"));
        }

        // Every filter on: one condition line each, county, code, last name, status.
        switchFilterOn(w->CheckBox11, w->shahrestan, QStringLiteral("ارا"));
        switchFilterOn(w->CheckBox12, w->nation, QStringLiteral("1"));
        switchFilterOn(w->CheckBox2, w->status, QStringLiteral("فعال"));
        w->lname->setText(QStringLiteral("ر"));
        QCOMPARE(countFound(), QStringLiteral("1"));
        QCOMPARE(rows().lines(), (QStringList{QStringLiteral("select * from personel where id<>-1 "),
                                              likeCondition(QStringLiteral("shahrestan"), QStringLiteral("ارا")),
                                              likeCondition(QStringLiteral("nation"), QStringLiteral("1")),
                                              likeCondition(QStringLiteral("lname"), QStringLiteral("ر")),
                                              likeCondition(QStringLiteral("status"), QStringLiteral("فعال"))}));
        QCOMPARE(app::dm->ADOQuery1->lines().first(), QStringLiteral("select count(*) as c from personel where id<>-1 "));
        QCOMPARE(rowValues(QStringLiteral("lname")), QStringList{QStringLiteral("رضايي")});
    }

    // A code typed into the national-code filter on a Persian keyboard (or
    // pasted in Arabic-Indic digits, or copied from a spreadsheet cell with
    // its line break) finds the code stored in ASCII digits.
    void nationFilterTakesPersianDigits()
    {
        AppFixture fx(Engine::Sqlite);
        addPersons(fx);
        Tpersonel_src *w = list();
        w->CheckBox12->setChecked(true);
        typeText(w->nation, QStringLiteral("۱۲۳"));
        QCOMPARE(countFound(), QStringLiteral("1"));
        QCOMPARE(rowValues(QStringLiteral("nation")), QStringList{QStringLiteral("1234567891")});
        w->nation->clear();
        QApplication::clipboard()->setText(QStringLiteral("٠٠١٩"));
        w->nation->paste();
        w->src_btnClick();
        QCOMPARE(rowValues(QStringLiteral("nation")), QStringList{QStringLiteral("0000000019")});
        installSingleLineEdits();
        w->nation->ensurePolished();
        w->nation->clear();
        QApplication::clipboard()->setText(QStringLiteral("1234567891\r\n"));
        w->nation->setFocus();
        QTest::keyClick(w->nation, Qt::Key_V, Qt::ControlModifier);
        w->src_btnClick();
        QCOMPARE(rowValues(QStringLiteral("nation")), QStringList{QStringLiteral("1234567891")});
    }

    void countLabelKeepsTheLastSearch_data() { addEngineRows(); }
    void countLabelKeepsTheLastSearch()
    {
        AppFixture fx(currentEngine());
        addPersons(fx);
        list()->src_btnClick();
        // An insertion through the entry window joins the rows but not the count.
        list()->N1Click();
        app::personel_ins->lname->setText(QStringLiteral("جديد"));
        app::personel_ins->ins_btn->click();
        QCOMPARE(rows().recordCount(), 5);
        QCOMPARE(list()->cnt->text(), QStringLiteral("4"));
        // Nor does a deletion.
        fx.ui.inputAnswers << QString();
        list()->N3Click();
        QCOMPARE(rows().recordCount(), 4);
        QCOMPARE(list()->cnt->text(), QStringLiteral("4"));
    }

    void countyRestriction_data() { addEngineRows(); }
    void countyRestriction()
    {
        AppFixture fx(currentEngine());
        addPersons(fx);
        fx.setCurrentUser(QStringLiteral("7"), QStringLiteral("u"));
        Tpersonel_src *w = list();
        // "city" or "ostan" without county rows: nothing is found.
        for (const QString &level : {QStringLiteral("city"), QStringLiteral("ostan")}) {
            app::users->level->setText(level);
            QCOMPARE(countFound(), QStringLiteral("0"));
            QCOMPARE(w->DBGrid1->model()->rowCount(), 0);
        }
        // With county rows: only those counties, on both passes.
        fx.exec(QStringLiteral("insert into dastrasi2 (user_id,cmt) values ('7','اراک')"));
        fx.exec(QStringLiteral("insert into dastrasi2 (user_id,cmt) values ('8','قم')"));
        QCOMPARE(countFound(), QStringLiteral("2"));
        QCOMPARE(rowValues(QStringLiteral("shahrestan")), (QStringList{QStringLiteral("اراک"), QStringLiteral("اراک")}));
        // Any other level text: no restriction.
        for (const QString &level : {QStringLiteral("level"), QStringLiteral("City"), QStringLiteral("city ")}) {
            app::users->level->setText(level);
            QCOMPARE(countFound(), QStringLiteral("4"));
        }
    }

    void filterToggle()
    {
        AppFixture fx(Engine::Sqlite);
        Tpersonel_src *w = list();
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        const QColor window = QApplication::palette(w->lname).color(QPalette::Base);
        const QList<QPair<QCheckBox *, QWidget *>> pairs{{w->CheckBox1, w->lname}, {w->CheckBox11, w->shahrestan},
                                                         {w->CheckBox12, w->nation}, {w->CheckBox2, w->status}};
        for (const auto &[box, field] : pairs) {
            QVERIFY(!field->isEnabled());
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 6, box->height() / 2));
            QVERIFY(box->isChecked());
            QVERIFY(field->isEnabled());
            QCOMPARE(field->palette().color(QPalette::Base), QColor(Qt::yellow));
            QTRY_VERIFY(field->hasFocus() || field->isAncestorOf(QApplication::focusWidget()));
        }
        w->lname->setText(QStringLiteral("kept"));
        w->CheckBox1->click();
        QVERIFY(!w->lname->isEnabled());
        QCOMPARE(w->lname->palette().color(QPalette::Base), window);
        QCOMPARE(w->lname->text(), QStringLiteral("kept"));
    }

    void titleSort_data() { addEngineRows(); }
    void titleSort()
    {
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into personel (lname,govahiname_nomre,govahiname_no) values ('b',2.5,'x2')"));
        fx.exec(QStringLiteral("insert into personel (lname,govahiname_nomre,govahiname_no) values ('c',10,'x1')"));
        fx.exec(QStringLiteral("insert into personel (lname,govahiname_nomre,govahiname_no) values ('a',NULL,'x3')"));
        list()->src_btnClick();
        // The first click of the run has no bold title to make plain: no error.
        clickTitle(QStringLiteral("lname"));
        QCOMPARE(fx.ui.calls.size(), 0);
        QCOMPARE(rows().sort(), QStringLiteral("lname ASC"));
        QCOMPARE(rowValues(QStringLiteral("lname")), (QStringList{"a", "b", "c"}));
        QVERIFY(titleBold(QStringLiteral("lname")));
        clickTitle(QStringLiteral("lname"));
        QCOMPARE(rows().sort(), QStringLiteral("lname DESC"));
        QCOMPARE(rowValues(QStringLiteral("lname")), (QStringList{"c", "b", "a"}));
        clickTitle(QStringLiteral("lname"));
        QCOMPARE(rows().sort(), QStringLiteral("lname ASC"));

        // Numbers sort as numbers; only the clicked title is bold.
        clickTitle(QStringLiteral("govahiname_nomre"));
        QCOMPARE(rowValues(QStringLiteral("lname")), (QStringList{"a", "b", "c"}));
        QVERIFY(!titleBold(QStringLiteral("lname")));
        QVERIFY(titleBold(QStringLiteral("govahiname_nomre")));
        // A longer name that begins with the clicked one is another column: ascending.
        clickTitle(QStringLiteral("govahiname_no"));
        QCOMPARE(rows().sort(), QStringLiteral("govahiname_no ASC"));
        QCOMPARE(rowValues(QStringLiteral("lname")), (QStringList{"c", "b", "a"}));

        // A new search: the server's order, the title stays bold.
        list()->src_btnClick();
        QCOMPARE(rows().sort(), QString());
        QVERIFY(titleBold(QStringLiteral("govahiname_no")));
        QCOMPARE(fx.ui.calls.size(), 0);
    }

    void deletionUnderPassword_data() { addEngineRows(); }
    void deletionUnderPassword()
    {
        AppFixture fx(currentEngine());
        addPersons(fx);
        fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('رمز حذف','Secret')"));
        list()->src_btnClick();
        rows().first();

        // Wrong, differently cased, empty and cancelled answers: nothing at all.
        fx.ui.inputAnswers << QStringLiteral("wrong") << QStringLiteral("secret") << QString();
        for (int i = 0; i < 4; ++i)
            list()->N3Click();
        const auto asked = fx.ui.callsOf(QStringLiteral("input"));
        QCOMPARE(asked.size(), 4);
        QCOMPARE(asked[0].caption, QStringLiteral("Delete Password"));
        QCOMPARE(asked[0].text, QStringLiteral("لطفا رمز حذف را وارد نماييد:"));
        QCOMPARE(asked[0].extra, QStringLiteral("?"));
        QCOMPARE(fx.ui.messages(), QStringList());
        QCOMPARE(count(fx, "personel"), QStringLiteral("4"));
        QCOMPARE(count(fx, "log"), QStringLiteral("0"));

        // The right one: log row, the person's documents, the person; the
        // other documents stay; the rows are searched again.
        fx.ui.inputAnswers << QStringLiteral("Secret");
        list()->N3Click();
        QCOMPARE(fx.ui.messages(), QStringList{Deleted});
        QCOMPARE(fx.column(QStringLiteral("select lname from personel order by id")).value(0), QStringLiteral("O'Neil"));
        QCOMPARE(count(fx, "personel_pic"), QStringLiteral("1"));
        dates.Init();
        QCOMPARE(fx.column(QStringLiteral("select karbar || '|' || tarikh || '|' || cmt from log where saat_sys is not null")),
                 QStringList{QStringLiteral("admin|") + dates.ToText() + QStringLiteral("| حذف اطلاعات پرسنل علي رضايي")});
        QCOMPARE(rows().recordCount(), 3);
        QCOMPARE(list()->cnt->text(), QStringLiteral("4"));

        // Deleted meanwhile by another workstation: said so, no log row, the rows searched again.
        fx.exec(QStringLiteral("delete from personel where id=") + rows().field(QStringLiteral("id")).asString());
        fx.ui.reset();
        fx.ui.inputAnswers << QStringLiteral("Secret");
        list()->N3Click();
        QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("اين ركورد توسط كاربر ديگري حذف شده است")});
        QCOMPARE(count(fx, "log"), QStringLiteral("1"));
        QCOMPARE(rows().recordCount(), 2);
    }

    void deletionWithoutPasswordItem_data() { addEngineRows(); }
    void deletionWithoutPasswordItem()
    {
        AppFixture fx(currentEngine());
        addPersons(fx);
        list()->src_btnClick();
        // No item in the list: a cancelled box ("?") does not match the empty text ...
        list()->N3Click();
        QCOMPARE(count(fx, "personel"), QStringLiteral("4"));
        // ... an empty answer does.
        fx.ui.inputAnswers << QString();
        list()->N3Click();
        QCOMPARE(count(fx, "personel"), QStringLiteral("3"));
        // With "?" as the password a cancelled box (Cancel, Esc, the close
        // box) still deletes nothing; "?" confirmed with OK does.
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('رمز حذف','?')"));
        list()->N3Click();
        QCOMPARE(count(fx, "personel"), QStringLiteral("3"));
        QCOMPARE(count(fx, "log"), QStringLiteral("1"));
        fx.ui.inputAnswers << QStringLiteral("?");
        list()->N3Click();
        QCOMPARE(count(fx, "personel"), QStringLiteral("2"));

        // An empty result set: no question, no log row, no message.
        fx.ui.reset();
        switchFilterOn(list()->CheckBox1, list()->lname, QStringLiteral("nobody"));
        list()->src_btnClick();
        QCOMPARE(rows().recordCount(), 0);
        list()->N3Click();
        QCOMPARE(fx.ui.calls.size(), 0);
        QCOMPARE(count(fx, "log"), QStringLiteral("2"));
    }

    void failedDeletionLeavesEverything_data() { addEngineRows(); }
    void failedDeletionLeavesEverything()
    {
        AppFixture fx(currentEngine());
        addPersons(fx);
        list()->src_btnClick();
        rows().first();
        auto errors = [&] {
            int n = 0;
            for (const auto &c : fx.ui.callsOf(QStringLiteral("message")))
                n += c.kind == Platform::BoxKind::Error;
            return n;
        };

        // The person cannot be deleted: the documents and the log stay as they were.
        if (currentEngine() == Engine::Sqlite) {
            fx.exec(QStringLiteral("create trigger keep before delete on personel begin select raise(abort, 'kept'); end"));
        } else {
            fx.exec(QStringLiteral("create function keep_row() returns trigger as $$ begin raise exception 'kept'; end $$ language plpgsql"));
            fx.exec(QStringLiteral("create trigger keep before delete on personel for each row execute function keep_row()"));
        }
        fx.ui.inputAnswers << QString();
        list()->N3->trigger(); // through the guard, as the menu does
        QCOMPARE(errors(), 1);
        QVERIFY(!fx.ui.messages().contains(Deleted));
        QCOMPARE(count(fx, "personel"), QStringLiteral("4"));
        QCOMPARE(count(fx, "personel_pic"), QStringLiteral("3"));
        QCOMPARE(count(fx, "log"), QStringLiteral("0"));

        // The documents cannot be deleted: no log row either.
        fx.exec(QStringLiteral("drop trigger keep") + (currentEngine() == Engine::Sqlite ? QString() : QStringLiteral(" on personel")));
        fx.exec(QStringLiteral("drop table personel_pic"));
        app::dm->ADOConnection1->forgetSchema();
        fx.ui.inputAnswers << QString();
        list()->N3->trigger(); // through the guard, as the menu does
        QCOMPARE(errors(), 2);
        QCOMPARE(count(fx, "personel"), QStringLiteral("4"));
        QCOMPARE(count(fx, "log"), QStringLiteral("0"));
        // The list goes on working afterwards.
        list()->src_btnClick();
        QCOMPARE(list()->cnt->text(), QStringLiteral("4"));
    }

    void electronicFileRights_data() { addEngineRows(); }
    void electronicFileRights()
    {
        AppFixture fx(currentEngine());
        addPersons(fx);
        fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
        list()->src_btnClick();
        rows().first();
        TPERSONEL_PIC *file = app::PERSONEL_PIC;
        const QString noAccess = QStringLiteral("شما دسترسي به اين صفحه را نداريد");

        // No rights row.
        list()->N7Click();
        QCOMPARE(fx.ui.messages(), QStringList{noAccess});
        QCOMPARE(fx.ui.callsOf(QStringLiteral("modal")).size(), 0);

        // No view right: refused, but the insert and delete states are set.
        const QString t = Dialect::of(currentEngine()).bitLiteral(true), f = Dialect::of(currentEngine()).bitLiteral(false);
        fx.exec(QStringLiteral("insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) values (1,'personel_pic',%1,%1,%2,%2)").arg(t, f));
        list()->N7Click();
        QCOMPARE(fx.ui.messages().size(), 2);
        QVERIFY(file->ins_btn->isEnabled());
        QVERIFY(!file->N1->isEnabled());
        QCOMPARE(app::dm->ADOQ_dastrasi->lines().join(QString()),
                 QStringLiteral("select * from dastrasi where prs_id=1 and page_name='personel_pic'"));

        // View right, no insert right, delete right (the edit right is not read).
        fx.exec(QStringLiteral("update dastrasi set darj=%1, hazf=%2, namayesh=%2, virayesh=%1 where page_name='personel_pic'").arg(f, t));
        file->cmt->setText(QStringLiteral("old"));
        file->Shape1->setBrushColor(Qt::green);
        list()->N7Click();
        QCOMPARE(fx.ui.messages().size(), 2);
        QCOMPARE(fx.ui.callsOf(QStringLiteral("modal")).value(0).text, file->objectName());
        QVERIFY(!file->ins_btn->isEnabled());
        QVERIFY(file->N1->isEnabled());
        QCOMPARE(file->flname->text(), QStringLiteral("علي رضايي"));
        QCOMPARE(file->shahrestan->text(), QStringLiteral("اراک"));
        QCOMPARE(file->ostan->text(), QString());
        QCOMPARE(app::dm->ADOQ_personel_pic->recordCount(), 2);
        QCOMPARE(file->cmt->text(), QString());
        QCOMPARE(file->Shape1->brushColor(), QColor(Qt::red));

        // An empty list has no person whose file could open: nothing happens.
        list()->lname->setText(QStringLiteral("no such person"));
        list()->CheckBox1->setChecked(true);
        list()->src_btnClick();
        QCOMPARE(rows().recordCount(), 0);
        const int before = int(fx.ui.calls.size());
        list()->N7->trigger();
        QCOMPARE(int(fx.ui.calls.size()), before);
    }

    void openedFromTheMainWindow_data() { addEngineRows(); }
    void openedFromTheMainWindow()
    {
        AppFixture fx(currentEngine());
        addPersons(fx);
        fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
        const QString t = Dialect::of(currentEngine()).bitLiteral(true), f = Dialect::of(currentEngine()).bitLiteral(false);
        fx.exec(QStringLiteral("insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) values (1,'personel',%1,%2,%1,%2)").arg(f, t));
        // A filter left on with its text: the text is cleared, the filter stays on.
        Tpersonel_src *w = list();
        switchFilterOn(w->CheckBox2, w->status, QStringLiteral("xyz"));
        w->lname->setText(QStringLiteral("zzz"));
        app::main->N1Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("modal")).value(0).text, QStringLiteral("personel_src"));
        QCOMPARE(w->status->text(), QString());
        QCOMPARE(w->lname->text(), QString());
        QVERIFY(w->status->isEnabled());
        QCOMPARE(w->cnt->text(), QStringLiteral("3")); // "%%" on status drops the NULL
        QVERIFY(!w->N1->isEnabled());
        QVERIFY(w->N2->isEnabled());
        QVERIFY(!w->N3->isEnabled());
        QVERIFY(w->N7->isEnabled());
    }

    void newAndEditPrepareTheEntryWindow_data() { addEngineRows(); }
    void newAndEditPrepareTheEntryWindow()
    {
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into personel (fname,lname,farzand,birthday,model,govahiname_nomre) values ('علي','رضايي',NULL,'1360/01/02','1395',1.5)"));
        list()->src_btnClick();
        Tpersonel_ins *e = app::personel_ins;
        for (QWidget *f : e->fields())
            if (auto *line = qobject_cast<QLineEdit *>(f); line && !qobject_cast<MaskEdit *>(f))
                line->setText(QStringLiteral("old"));
        e->ostan->setText(QStringLiteral("old"));
        // fname, lname, ostan, birthday, farzand, model, govahiname_nomre, status, reg_dat.
        auto texts = [e] {
            return QStringList{e->fname->text(), e->lname->text(), e->ostan->text(), e->birthday->text(), e->farzand->text(),
                               e->model->text(), e->govahiname_nomre->text(), e->status->text(), e->reg_dat->text()};
        };
        const QString noDate = QStringLiteral("    /  /  ");

        list()->N1Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("modal")).value(0).text, QStringLiteral("personel_ins"));
        dates.Init();
        QCOMPARE(texts(), (QStringList{QString(), QString(), QString(), noDate, QStringLiteral("0"), QStringLiteral("    "),
                                       QString(), QStringLiteral("فعال"), dates.ToText()}));
        QVERIFY(e->ins_btn->isVisibleTo(e));
        QVERIFY(!e->edit_btn->isVisibleTo(e));

        list()->N2Click();
        QCOMPARE(texts(), (QStringList{QStringLiteral("علي"), QStringLiteral("رضايي"), QString(), QStringLiteral("1360/01/02"), QString(),
                                       QStringLiteral("1395"), QStringLiteral("1.5"), QString(), noDate}));
        QVERIFY(!e->ins_btn->isVisibleTo(e));
        QVERIFY(e->edit_btn->isVisibleTo(e));
        QCOMPARE(list()->cnt->text(), QStringLiteral("1"));
    }

    void formsAndExport_data() { addEngineRows(); }
    void formsAndExport()
    {
        AppFixture fx(currentEngine());
        addPersons(fx);
        list()->src_btnClick();
        rows().setRecNo(2);
        list()->N5Click();
        Tpersonel_frm_darkhastkar *form = app::personel_frm_darkhastkar;
        QCOMPARE(form->value(QStringLiteral("lname")), QStringLiteral("O'Neil"));
        QCOMPARE(form->value(QStringLiteral("nation")), QStringLiteral("0000000019"));
        QCOMPARE(form->value(QStringLiteral("bime")), QString());
        list()->N10Click();
        list()->N11Click();
        list()->N12Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("preview")).size(), 4);

        list()->N9Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("spreadsheet")).size(), 1);
        QCOMPARE(rows().recNo(), 4);
    }

    void windowGridAndMenu()
    {
        AppFixture fx(Engine::Sqlite);
        Tpersonel_src *w = list();
        // Edit with no current row, before any search and after one that
        // found nothing: no message, no window.
        w->N2->trigger();
        w->src_btnClick();
        QCOMPARE(rows().recordCount(), 0);
        w->N2->trigger();
        QCOMPARE(fx.ui.calls.size(), 0);
        QVERIFY(!app::personel_ins->isVisible());

        fx.exec(QStringLiteral("insert into personel (lname) values ('a')"));
        QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
        QStringList top;
        for (QAction *a : w->MainMenu1->actions())
            top << a->objectName();
        QCOMPARE(top, (QStringList{"N1", "N2", "N3", "N7", "N4", "N6", "N8"}));
        QStringList forms;
        for (QAction *a : w->N4->actions())
            forms << a->objectName();
        QCOMPARE(forms, (QStringList{"N5", "N10", "N11", "N12"}));
        QCOMPARE(w->N6->actions(), QList<QAction *>{w->N9});
        QCOMPARE(w->DBGrid1->model()->columnCount(), 36);
        QVERIFY(w->DBGrid1->isColumnHidden(0));

        // The grid is read-only: no in-place edit, no delete key.
        w->src_btnClick();
        w->show();
        const QModelIndex cell = w->DBGrid1->model()->index(0, columnOf(QStringLiteral("lname")));
        QVERIFY(!(cell.flags() & Qt::ItemIsEditable));
        w->DBGrid1->setCurrentIndex(cell);
        QTest::keyClick(w->DBGrid1, Qt::Key_Delete);
        QTest::keyClick(w->DBGrid1, Qt::Key_F2);
        QCOMPARE(rows().recordCount(), 1);
        QCOMPARE(count(fx, "personel"), QStringLiteral("1"));
        QVERIFY(!w->DBGrid1->indexWidget(cell));

        // The close item closes the list.
        w->N8->trigger();
        QVERIFY(!w->isVisible());
    }
};

QTEST_MAIN(PersonelSrcTest)
#include "tst_personel_src.moc"
