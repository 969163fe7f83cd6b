// The vehicle list: search with its filters and county restriction, the
// password-guarded deletion with the vehicle's pictures, the new and edit
// commands, the column-title sort, the export titles, the opening from the
// main window, the grid and the menu; on every engine under test.
#include "TestSupport.h"
#include "common/ListSearch.h"
#include "admin/users_u.h"
#include "core/Dates.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "core/main_u.h"
#include "common/export.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Fonts.h"
#include "platform/MaskEdit.h"
#include "platform/Query.h"
#include "vehicles/khodro_ins_u.h"
#include "vehicles/khodro_src_u.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>

namespace {

const QString Deleted = QStringLiteral("حذف شد");

Tkhodro_src *list() { return app::khodro_src; }
Query &rows() { return *app::dm->ADOQ_khodro; }

QStringList rowValues(const QString &field) { return columnValues(rows(), field); }

int columnOf(const QString &field) { return gridColumnOf(Tkhodro_src::gridColumns(), field); }

void clickTitle(const QString &field) { clickGridTitle(list()->DBGrid1, columnOf(field)); }

bool titleBold(const QString &field) { return gridTitleBold(list()->DBGrid1, columnOf(field)); }

QString one(AppFixture &fx, const QString &sql) { return fx.value(sql); }

// Four vehicles; pictures of the first (two) and of the second (one).
void addVehicles(AppFixture &fx)
{
    fx.exec(QStringLiteral("insert into khodro (lname,khodro,model,pelak,shahrestan,status) values ('علي رضايي','پژو',1390,'11ب111','اراک','فعال')"));
    fx.exec(QStringLiteral("insert into khodro (lname,khodro,model,pelak,shahrestan,status) values ('O''Neil','سمند',1395,'22ج222','ساوه',NULL)"));
    fx.exec(QStringLiteral("insert into khodro (lname,khodro,model,pelak,shahrestan,status) values ('a_b','پژو',1380,'33د333','اراک','غير فعال')"));
    fx.exec(QStringLiteral("insert into khodro (lname,khodro,model,pelak,shahrestan,status) values ('axb','پرايد',1385,'44ه444','قم','فعال')"));
    const QStringList ids = fx.column(QStringLiteral("select id from khodro order by id"));
    for (const QString &id : {ids[0], ids[0], ids[1]})
        fx.exec(QStringLiteral("insert into khodro_pic (khodro_id,cmt) values (%1,'pic')").arg(id));
}


// The titles of the first row of a workbook, read back with openpyxl.
QStringList workbookTitles(const QString &path)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, openpyxl\nws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                                 "print('\\n'.join(str(c.value) for c in ws[1] if c.value is not None))"),
                  path});
    python.waitForFinished(60000);
    return QString::fromUtf8(python.readAllStandardOutput()).trimmed().split(QLatin1Char('\n'));
}

} // namespace

class KhodroSrcTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void searchFoldsKafYehAndCase_data() { addEngineRows(); }
    void searchFoldsKafYehAndCase()
    {
        AppFixture fx(currentEngine());
        checkFoldedFilter(fx, QStringLiteral("khodro"), QStringLiteral("insert into khodro (khodro) values ('%1')"), list()->CheckBox12, list()->khodro, list()->src_btn, rows());
    }

    void searchFiltersAndCount_data() { addEngineRows(); }
    void searchFiltersAndCount()
    {
        AppFixture fx(currentEngine());
        addVehicles(fx);
        Tkhodro_src *w = list();
        w->src_btnClick();
        QCOMPARE(w->cnt->text(), QStringLiteral("4"));
        QCOMPARE(rows().recordCount(), 4);

        // Switched on with an empty text: "%%" keeps the rows whose column is not NULL.
        switchFilterOn(w->CheckBox2, w->status, QString());
        w->src_btnClick();
        QCOMPARE(w->cnt->text(), QStringLiteral("3"));
        QVERIFY(!rowValues(QStringLiteral("lname")).contains(QStringLiteral("O'Neil")));
        w->CheckBox2->setChecked(false);

        // A quote is doubled inside the literal.
        switchFilterOn(w->CheckBox1, w->lname, QStringLiteral("O'N"));
        w->src_btnClick();
        QCOMPARE(rowValues(QStringLiteral("lname")), QStringList{QStringLiteral("O'Neil")});

        // Every filter on: one condition line each, in the order county,
        // vehicle name, owner, status, after the restriction of a city user.
        fx.setCurrentUser(QStringLiteral("7"), QStringLiteral("u"));
        app::users->level->setText(QStringLiteral("city"));
        fx.exec(QStringLiteral("insert into dastrasi2 (user_id,cmt) values ('7','اراک')"));
        switchFilterOn(w->CheckBox11, w->shahrestan, QStringLiteral("ارا"));
        switchFilterOn(w->CheckBox12, w->khodro, QStringLiteral("پژ"));
        switchFilterOn(w->CheckBox2, w->status, QStringLiteral("فعال"));
        w->lname->setText(QStringLiteral("ر"));
        w->src_btnClick();
        const QStringList conditions{QStringLiteral(" and shahrestan in ( select cmt from dastrasi2 where user_id='7')"),
                                     likeCondition(QStringLiteral("shahrestan"), QStringLiteral("ارا")), likeCondition(QStringLiteral("khodro"), QStringLiteral("پژ")),
                                     likeCondition(QStringLiteral("lname"), QStringLiteral("ر")), likeCondition(QStringLiteral("status"), QStringLiteral("فعال"))};
        QCOMPARE(rows().lines(), QStringList{QStringLiteral("select * from khodro where id<>-1 ")} + conditions);
        QCOMPARE(app::dm->ADOQuery1->lines(), QStringList{QStringLiteral("select count(*) as c from khodro where id<>-1 ")} + conditions);
        QCOMPARE(w->cnt->text(), QStringLiteral("1"));
        QCOMPARE(rowValues(QStringLiteral("lname")), QStringList{QStringLiteral("علي رضايي")});
    }

    void countyRestriction_data() { addEngineRows(); }
    void countyRestriction()
    {
        AppFixture fx(currentEngine());
        addVehicles(fx);
        fx.setCurrentUser(QStringLiteral("7"), QStringLiteral("u"));
        fx.exec(QStringLiteral("insert into dastrasi2 (user_id,cmt) values ('7','اراک')"));
        fx.exec(QStringLiteral("insert into dastrasi2 (user_id,cmt) values ('7','قم')"));
        fx.exec(QStringLiteral("insert into dastrasi2 (user_id,cmt) values ('8','ساوه')"));
        // "city" or "ostan": only the user's own counties; any other level text: all.
        for (const auto &[level, count] : {std::pair{"city", "3"}, {"ostan", "3"}, {"level", "4"}, {"City", "4"}}) {
            app::users->level->setText(QLatin1String(level));
            list()->src_btnClick();
            QCOMPARE(list()->cnt->text(), QLatin1String(count));
            QCOMPARE(rows().recordCount(), QString::fromLatin1(count).toInt());
        }
    }

    void deletionWithPictures_data() { addEngineRows(); }
    void deletionWithPictures()
    {
        AppFixture fx(currentEngine());
        addVehicles(fx);
        fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('رمز حذف','Secret')"));
        list()->src_btnClick();
        rows().first();

        // A wrong or cancelled password: nothing at all.
        fx.ui.inputAnswers << QStringLiteral("secret");
        list()->N3Click();
        list()->N3Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("input")).size(), 2);
        QCOMPARE(fx.ui.messages(), QStringList());
        QCOMPARE(one(fx, QStringLiteral("select count(*) from khodro")), QStringLiteral("4"));
        QCOMPARE(one(fx, QStringLiteral("select count(*) from log")), QStringLiteral("0"));

        // The right one: the log row, the vehicle's pictures and the vehicle;
        // the other vehicle's picture stays; the rows are searched again.
        fx.ui.inputAnswers << QStringLiteral("Secret");
        list()->N3Click();
        QCOMPARE(fx.ui.messages(), QStringList{Deleted});
        QCOMPARE(one(fx, QStringLiteral("select count(*) from khodro where lname='علي رضايي'")), QStringLiteral("0"));
        QCOMPARE(one(fx, QStringLiteral("select count(*) from khodro_pic")), QStringLiteral("1"));
        QCOMPARE(fx.column(QStringLiteral("select cmt from log")), QStringList{QStringLiteral(" حذف اطلاعات خودرو علي رضايي پژو")});
        QCOMPARE(fx.column(QStringLiteral("select karbar from log")), QStringList{QStringLiteral("admin")});
        dates.Init();
        QCOMPARE(fx.column(QStringLiteral("select tarikh from log")), QStringList{dates.ToText()});
        QCOMPARE(rows().recordCount(), 3);
        QCOMPARE(list()->cnt->text(), QStringLiteral("4"));

        // An empty result set: no question, no log row, no message.
        fx.ui.reset();
        switchFilterOn(list()->CheckBox1, list()->lname, QStringLiteral("nobody"));
        list()->src_btnClick();
        list()->N3Click();
        QCOMPARE(fx.ui.calls.size(), 0);
        QCOMPARE(one(fx, QStringLiteral("select count(*) from log")), QStringLiteral("1"));
    }

    void failedDeletionLeavesEverything_data() { addEngineRows(); }
    void failedDeletionLeavesEverything()
    {
        AppFixture fx(currentEngine());
        addVehicles(fx);
        list()->src_btnClick();
        rows().first();
        // The vehicle cannot be deleted: its pictures and the log stay as they were.
        if (currentEngine() == Engine::Sqlite) {
            fx.exec(QStringLiteral("create trigger keep before delete on khodro begin select raise(abort, 'kept'); end"));
        } else {
            fx.exec(QStringLiteral("create function keep_row() returns trigger as $$ begin raise exception 'kept'; end $$ language plpgsql"));
            fx.exec(QStringLiteral("create trigger keep before delete on khodro for each row execute function keep_row()"));
        }
        fx.ui.inputAnswers << QString(); // no password item: the empty text matches
        list()->N3->trigger();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("message")).size(), 1);
        QCOMPARE(fx.ui.callsOf(QStringLiteral("message")).value(0).kind, Platform::BoxKind::Error);
        QCOMPARE(one(fx, QStringLiteral("select count(*) from khodro")), QStringLiteral("4"));
        QCOMPARE(one(fx, QStringLiteral("select count(*) from khodro_pic")), QStringLiteral("3"));
        QCOMPARE(one(fx, QStringLiteral("select count(*) from log")), QStringLiteral("0"));
        // The list goes on working afterwards.
        list()->src_btnClick();
        QCOMPARE(list()->cnt->text(), QStringLiteral("4"));
    }

    void newAndEditPrepareTheEntryWindow_data() { addEngineRows(); }
    void newAndEditPrepareTheEntryWindow()
    {
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into khodro (lname,khodro,model,arzesh,kilometr,sokht_dat) values ('علي رضايي','پژو',1395,1500000,NULL,'1402/05/01')"));
        list()->src_btnClick();
        Tkhodro_ins *e = app::khodro_ins;
        for (QWidget *f : e->fields())
            if (auto *line = qobject_cast<QLineEdit *>(f); line && !qobject_cast<MaskEdit *>(f))
                line->setText(QStringLiteral("old"));
        e->ostan->setText(QStringLiteral("old"));
        e->bime_dat_sales->setText(QStringLiteral("1400/01/01"));

        list()->N1Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("modal")).value(0).text, QStringLiteral("khodro_ins"));
        QCOMPARE(e->pelak->text(), QString());
        QCOMPARE(e->ostan->text(), QString());
        QCOMPARE(e->lname->text(), QString());
        QCOMPARE(e->bime_dat_sales->text(), QStringLiteral("    /  /  "));
        QCOMPARE(e->model->text(), QStringLiteral("    "));
        QVERIFY(e->ins_btn->isVisibleTo(e));
        QVERIFY(!e->edit_btn->isVisibleTo(e));
        e->hide();

        list()->N2Click();
        QCOMPARE(e->lname->text(), QStringLiteral("علي رضايي"));
        QCOMPARE(e->model->text(), QStringLiteral("1395"));
        QCOMPARE(e->arzesh->text(), QStringLiteral("1500000"));
        QCOMPARE(e->kilometr->text(), QString());
        QCOMPARE(e->sokht_dat->text(), QStringLiteral("1402/05/01"));
        QCOMPARE(e->bime_dat_sales->text(), QStringLiteral("    /  /  "));
        QVERIFY(!e->ins_btn->isVisibleTo(e));
        QVERIFY(e->edit_btn->isVisibleTo(e));
        e->hide();

        // With no vehicle in the result set there is nothing to edit.
        fx.ui.reset();
        switchFilterOn(list()->CheckBox1, list()->lname, QStringLiteral("nobody"));
        list()->src_btnClick();
        list()->N2Click();
        QCOMPARE(fx.ui.calls.size(), 0);
        QVERIFY(!e->isVisible());
    }

    void titleSortKeepsItsOwnColumn_data() { addEngineRows(); }
    void titleSortKeepsItsOwnColumn()
    {
        AppFixture fx(currentEngine());
        addVehicles(fx);
        list()->src_btnClick();
        clickTitle(QStringLiteral("model"));
        QCOMPARE(rows().sort(), QStringLiteral("model ASC"));
        QCOMPARE(rowValues(QStringLiteral("model")), (QStringList{"1380", "1385", "1390", "1395"}));
        QVERIFY(titleBold(QStringLiteral("model")));
        clickTitle(QStringLiteral("model"));
        QCOMPARE(rowValues(QStringLiteral("model")), (QStringList{"1395", "1390", "1385", "1380"}));
        // Another title: ascending by it, and the only bold one.
        clickTitle(QStringLiteral("pelak"));
        QCOMPARE(rows().sort(), QStringLiteral("pelak ASC"));
        QVERIFY(!titleBold(QStringLiteral("model")));
        QVERIFY(titleBold(QStringLiteral("pelak")));
        QCOMPARE(fx.ui.calls.size(), 0);
    }

    void exportTitlesAndTheLastRow_data() { addEngineRows(); }
    void exportTitlesAndTheLastRow()
    {
        AppFixture fx(currentEngine());
        addVehicles(fx);
        list()->src_btnClick();
        rows().first();
        list()->N11Click();
        const auto opened = fx.ui.callsOf(QStringLiteral("spreadsheet"));
        QCOMPARE(opened.size(), 1);
        const QStringList titles = workbookTitles(opened[0].text);
        QFile::remove(opened[0].text);
        QCOMPARE(titles.size(), 26);
        QCOMPARE(titles.mid(0, 4), (QStringList{QStringLiteral("شناسه"), QStringLiteral("نام خانوادگي"), QStringLiteral("نام خودرو"),
                                                QStringLiteral("model")}));
        QCOMPARE(titles.mid(12, 4), (QStringList{QStringLiteral("bime_dat_sales"), QStringLiteral("استان"), QStringLiteral("شهرستان"),
                                                 QStringLiteral("bime_no_badane")}));
        QCOMPARE(titles.value(19), QStringLiteral("توضيحات"));
        QCOMPARE(titles.value(25), QStringLiteral("وضعيت"));
        // The vehicle name takes the national code's place; the personnel table keeps it.
        QVERIFY(!Tkhodro_src::exportTitles().contains({QStringLiteral("nation"), QStringLiteral("کد ملي")}));
        QVERIFY(personnelTitles().contains({QStringLiteral("nation"), QStringLiteral("کد ملي")}));
        // The walk leaves the last row current.
        QCOMPARE(rows().recNo(), 4);
    }

    void openedFromTheMainWindow_data() { addEngineRows(); }
    void openedFromTheMainWindow()
    {
        AppFixture fx(currentEngine());
        addVehicles(fx);
        fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
        const Dialect &d = Dialect::of(currentEngine());
        fx.exec(QStringLiteral("insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) values (1,'khodro',%1,%2,%3,%2)")
                    .arg(d.bitLiteral(false), d.bitLiteral(true), d.bitLiteral(false)));
        // A filter left on with its text: the text is cleared, the filter stays on.
        Tkhodro_src *w = list();
        switchFilterOn(w->CheckBox2, w->status, QStringLiteral("xyz"));
        w->lname->setText(QStringLiteral("zzz"));
        w->khodro->setText(QStringLiteral("zzz"));
        w->shahrestan->setText(QStringLiteral("zzz"));
        app::main->resize(900, 700);
        app::main->N8Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("modal")).value(0).text, QStringLiteral("khodro_src"));
        for (const QString &text : {w->status->text(), w->lname->text(), w->khodro->text(), w->shahrestan->text()})
            QCOMPARE(text, QString());
        QVERIFY(w->status->isEnabled());
        QCOMPARE(w->cnt->text(), QStringLiteral("3")); // "%%" on status drops the NULL
        QCOMPARE(w->height(), app::main->frameGeometry().height() - 60);
        // The rights gate governs the first three menu items.
        QVERIFY(!w->N1->isEnabled());
        QVERIFY(w->N2->isEnabled());
        QVERIFY(!w->N3->isEnabled());
        QVERIFY(w->N4->isEnabled());
    }

    void windowGridAndMenu()
    {
        AppFixture fx(Engine::Sqlite);
        fx.exec(QStringLiteral("insert into khodro (lname) values ('a')"));
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('نام خودرو','پژو')"));
        Tkhodro_src *w = list();
        QCOMPARE(w->windowTitle(), QStringLiteral("ليست خودروها"));
        QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
        QStringList top;
        for (QAction *a : w->MainMenu1->actions())
            top << a->objectName();
        QCOMPARE(top, (QStringList{"N1", "N2", "N3", "N4", "N5", "N6", "N7"}));
        QCOMPARE(Tmain::listCommands(w), (QList<QObject *>{w->N1, w->N2, w->N3}));
        QStringList forms;
        for (QAction *a : w->N5->actions())
            forms << a->objectName() + QLatin1Char('=') + a->text();
        QCOMPARE(forms, (QStringList{QStringLiteral("N8=چک ليست ارزيابي فني خودرو سبک"), QStringLiteral("N9=تحويل کارت سوخت"),
                                     QStringLiteral("N10=عدم خلافي")}));
        QCOMPARE(w->N6->actions(), QList<QAction *>{w->N11});
        QCOMPARE(w->DBGrid1->model()->columnCount(), 26);
        QVERIFY(w->DBGrid1->isColumnHidden(0));
        QCOMPARE(w->DBGrid1->model()->headerData(columnOf(QStringLiteral("lname")), Qt::Horizontal).toString(), QStringLiteral("نام مالک"));

        // Showing fills the vehicle-name filter's items; its text stays.
        w->khodro->setText(QStringLiteral("kept"));
        w->src_btnClick();
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(w->khodro->count(), 1);
        QCOMPARE(w->khodro->text(), QStringLiteral("kept"));

        // The filter toggles: enabled, yellow and focused while ticked.
        const QColor window = QApplication::palette(w->lname).color(QPalette::Base);
        const QList<QPair<QCheckBox *, QWidget *>> pairs{{w->CheckBox1, w->lname}, {w->CheckBox11, w->shahrestan},
                                                         {w->CheckBox2, w->status}, {w->CheckBox12, w->khodro}};
        for (const auto &[box, field] : pairs) {
            QVERIFY(!field->isEnabled());
            box->click();
            QVERIFY(field->isEnabled());
            QCOMPARE(field->palette().color(QPalette::Base), QColor(Qt::yellow));
            QTRY_VERIFY(field->hasFocus() || field->isAncestorOf(QApplication::focusWidget()));
        }
        w->CheckBox1->click();
        QVERIFY(!w->lname->isEnabled());
        QCOMPARE(w->lname->palette().color(QPalette::Base), window);

        // The grid is read-only: no in-place edit, no delete key.
        const QModelIndex cell = w->DBGrid1->model()->index(0, columnOf(QStringLiteral("lname")));
        QVERIFY(!(cell.flags() & Qt::ItemIsEditable));
        w->DBGrid1->setCurrentIndex(cell);
        QTest::keyClick(w->DBGrid1, Qt::Key_Delete);
        QTest::keyClick(w->DBGrid1, Qt::Key_F2);
        QCOMPARE(one(fx, QStringLiteral("select count(*) from khodro")), QStringLiteral("1"));
        QVERIFY(!w->DBGrid1->indexWidget(cell));

        // The electronic-file item carries no command; the close item closes.
        w->N4->trigger();
        QCOMPARE(fx.ui.calls.size(), 0);
        QVERIFY(w->isVisible());
        w->N7->trigger();
        QVERIFY(!w->isVisible());
    }
};

QTEST_MAIN(KhodroSrcTest)
#include "tst_khodro_src.moc"
