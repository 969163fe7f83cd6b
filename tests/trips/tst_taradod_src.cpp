// The trip list: the search with its count and sums, the date range with
// blank bounds, the trip-type list, the opener's presets, the title sort by
// columns whose names begin alike, the deletion, the new and edit commands
// and the export's titles; on every engine under test.
#include "TestSupport.h"
#include "common/ListSearch.h"
#include "admin/users_u.h"
#include "common/EntryWindow.h"
#include "core/Dates.h"
#include "core/MonEdit.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "core/main_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Fonts.h"
#include "platform/MaskEdit.h"
#include "platform/Query.h"
#include "trips/taradod_ins_u.h"
#include "trips/taradod_src_u.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString BlankDate = QStringLiteral("    /  /  ");

Ttaradod_src *list() { return app::taradod_src; }
Query &rows() { return *app::dm->ADOQ_taradod; }

QStringList rowValues(const QString &field) { return columnValues(rows(), field); }

QString count(AppFixture &fx, const QString &sql) { return fx.value(sql); }

// Five trips of two drivers over three days, one without type or officer.
void addTrips(AppFixture &fx)
{
    const char *values[] = {
        "'خارج شهر','علي رضايي','مهدي احمدي','اراک','1402/05/01',120,8,12.5,340000.5,1000,500,'مامور 1'",
        "'درون شهر','علي رضايي','رضا O''Neil','ساوه','1402/05/02',0,0,0,0,1000,500,'مامور 2'",
        "'کارکرد روزانه','حسن کريمي','---','اراک','1402/05/02',30,8,0,34000,1000,500,'مامور 3'",
        "NULL,'حسن کريمي',NULL,'قم','1402/05/03',10,1.5,0,10750,1000,500,'مامور 4'",
        "'خارج شهر','حسن کريمي','مهدي احمدي','اراک','1402/06/01',200,10,0,205000,1000,500,'مامور 5'",
    };
    for (const char *v : values)
        fx.exec(QStringLiteral("insert into taradod (typ,ranande,mamor,shahrestan,dat1,karkard_kilometr,karkard_saat,tavaghof,mablagh,"
                               "mablagh_kilometr,mablagh_saat,mamor_cmt) values (%1)")
                    .arg(QString::fromUtf8(v)));
}

void switchOn(QCheckBox *box) { box->setChecked(true); }

int columnOf(const QString &field) { return gridColumnOf(Ttaradod_src::gridColumns(), field); }

void clickTitle(const QString &field) { clickGridTitle(list()->DBGrid1, columnOf(field)); }

bool titleBold(const QString &field) { return gridTitleBold(list()->DBGrid1, columnOf(field)); }

QString boolean(bool value) { return currentEngine() == Engine::Sqlite ? QString::number(int(value)) : (value ? "true" : "false"); }

} // namespace

class TaradodSrcTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void searchFoldsKafYehAndCase_data() { addEngineRows(); }
    void searchFoldsKafYehAndCase()
    {
        AppFixture fx(currentEngine());
        checkFoldedFilter(fx, QStringLiteral("taradod"), QStringLiteral("insert into taradod (mamor) values ('%1')"), list()->CheckBox12, list()->mamor, list()->src_btn, rows());
    }

    void searchCountAndSums_data() { addEngineRows(); }
    void searchCountAndSums()
    {
        AppFixture fx(currentEngine());
        addTrips(fx);
        Ttaradod_src *w = list();
        w->src_btnClick();
        QCOMPARE(w->cnt->text(), QStringLiteral("5"));
        QCOMPARE(w->lastTotals().c, QStringLiteral("5"));
        QCOMPARE(w->lastTotals().m.toDouble(), 589750.5);
        QCOMPARE(w->lastTotals().k, QStringLiteral("360"));
        QCOMPARE(w->lastTotals().s, QStringLiteral("27.5"));

        // Every filter on: one line each, in their order, on both passes.
        for (QCheckBox *box : {w->CheckBox11, w->CheckBox12, w->CheckBox1, w->CheckBox3, w->CheckBox4})
            switchOn(box);
        w->shahrestan->setText(QStringLiteral("ارا"));
        w->mamor->setText(QStringLiteral("مهدي"));
        w->ranande->setText(QStringLiteral("O'"));
        w->dat1_1->setText(QStringLiteral("1402/05/01"));
        w->dat1_2->setText(QStringLiteral("1402/05/31"));
        w->typ->setText(QStringLiteral("خارج"));
        w->add_locClick();
        const QStringList conditions{likeCondition(QStringLiteral("shahrestan"), QStringLiteral("ارا")), likeCondition(QStringLiteral("mamor"), QStringLiteral("مهدي")),
                                     likeCondition(QStringLiteral("ranande"), QStringLiteral("O'")),
                                     rangeCondition(QStringLiteral("dat1"), QStringLiteral("1402/05/01"), QStringLiteral("1402/05/31")),
                                     QStringLiteral(" and  ( typ='??\?'"), QStringLiteral(" or ") + app::dm->ADOConnection1->dialect().containsText(QStringLiteral("typ"), QStringLiteral("خارج")),
                                     QStringLiteral(" ) ")};
        w->src_btnClick();
        QCOMPARE(rows().lines(), QStringList{QStringLiteral("select * from taradod where id<>-1 ")} + conditions);
        QCOMPARE(app::dm->ADOQuery1->lines(),
                 QStringList{QStringLiteral("select count(*) as c,sum(mablagh) as m,sum(karkard_kilometr) as k,sum(karkard_saat) as s "
                                            "from taradod where id<>-1 ")}
                     + conditions);
        // Nothing found: 0, empty sums, an empty grid.
        QCOMPARE(w->cnt->text(), QStringLiteral("0"));
        QCOMPARE(w->lastTotals().m, QString());
        QCOMPARE(w->lastTotals().k, QString());
        QCOMPARE(w->lastTotals().s, QString());
        QCOMPARE(w->DBGrid1->model()->rowCount(), 0);

        // A driver and an officer filter with empty texts drop the rows whose
        // column is NULL only.
        w->CheckBox11->setChecked(false);
        w->CheckBox3->setChecked(false);
        w->CheckBox4->setChecked(false);
        w->ranande->clear();
        w->mamor->clear();
        w->src_btnClick();
        QCOMPARE(w->cnt->text(), QStringLiteral("4"));
        QCOMPARE(w->lastTotals().k, QStringLiteral("350"));
        QCOMPARE(rows().recordCount(), 4);
    }

    void dateRangeAndTypeList_data() { addEngineRows(); }
    void dateRangeAndTypeList()
    {
        AppFixture fx(currentEngine());
        addTrips(fx);
        // Three trips another program stored, one date in Persian digits, one
        // in Arabic-Indic digits with an ASCII and a Persian one among them,
        // one in ASCII digits but its last, which as it is sorts after both
        // bounds.
        fx.exec(QStringLiteral("insert into taradod (ranande,dat1) values ('علي رضايي','۱۴۰۲/۰۵/۰۲'),('حسن کريمي','١٤٠٢/٠5/۰۳'),"
                               "('رضا','1402/05/0۲')"));
        Ttaradod_src *w = list();
        switchOn(w->CheckBox3);
        auto found = [&](const QString &from, const QString &to) {
            w->dat1_1->setText(from);
            w->dat1_2->setText(to);
            w->src_btnClick();
            return w->cnt->text();
        };
        // Both ends included, each date however its digits are written; the
        // rows as the count.
        QCOMPARE(found(QStringLiteral("1402/05/02"), QStringLiteral("1402/05/03")), QStringLiteral("6"));
        QCOMPARE(rows().recordCount(), 6);
        QCOMPARE(found(QStringLiteral("1402/05/02"), QStringLiteral("1402/05/02")), QStringLiteral("4"));
        QCOMPARE(found(QStringLiteral("1402/01/01"), QStringLiteral("1402/12/29")), QStringLiteral("8"));
        QCOMPARE(found(QStringLiteral("1402/05/04"), QStringLiteral("1402/05/31")), QStringLiteral("0"));
        // A blank to-date sorts before every date: nothing.
        QCOMPARE(found(QStringLiteral("1402/05/01"), QString()), QStringLiteral("0"));
        QCOMPARE(w->dat1_2->text(), BlankDate);
        // A blank from-date: everything up to the to-date.
        QCOMPARE(found(QString(), QStringLiteral("1402/05/02")), QStringLiteral("5"));
        // Switched off, the texts do not count.
        w->CheckBox3->setChecked(false);
        QCOMPARE(found(QStringLiteral("1403/01/01"), QStringLiteral("1403/01/01")), QStringLiteral("8"));

        // The type filter: only the list's items count, never the typ text.
        switchOn(w->CheckBox4);
        w->typ->setText(QStringLiteral("خارج شهر"));
        w->src_btnClick();
        QCOMPARE(w->cnt->text(), QStringLiteral("0")); // nothing listed: only "???"
        w->add_locClick();
        w->typ->setText(QStringLiteral("روزانه"));
        w->add_locClick();
        w->typ->setText(QStringLiteral("nothing like it"));
        w->src_btnClick();
        QCOMPARE(w->cnt->text(), QStringLiteral("3"));
        // An empty item matches every trip that has a type.
        w->typ->setText(QString());
        w->add_locClick();
        QCOMPARE(w->list_loc->count(), 3);
        w->src_btnClick();
        QCOMPARE(w->cnt->text(), QStringLiteral("4"));
        // The pop-up's item removes the selected entry, and nothing without one.
        w->list_loc->setCurrentRow(2);
        w->N13->trigger();
        w->list_loc->setCurrentRow(-1);
        w->list_loc->clearSelection();
        w->N13Click();
        QCOMPARE(w->list_loc->count(), 2);
        w->src_btnClick();
        QCOMPARE(w->cnt->text(), QStringLiteral("3"));
        // Unticking and ticking again empties and hides the list.
        w->show_list_loc->setChecked(true);
        QVERIFY(w->list_loc->isVisibleTo(w));
        w->CheckBox4->setChecked(false);
        QVERIFY(!w->typ->isEnabled() && !w->add_loc->isEnabled() && !w->show_list_loc->isEnabled());
        QVERIFY(!w->list_loc->isVisibleTo(w));
        QCOMPARE(w->list_loc->count(), 0);
        QVERIFY(w->show_list_loc->isChecked());
        w->CheckBox4->setChecked(true);
        QVERIFY(w->typ->isEnabled() && w->add_loc->isEnabled() && w->show_list_loc->isEnabled());
        QCOMPARE(w->typ->palette().color(QPalette::Base), QColor(Qt::yellow));
        // The date box switches both fields together.
        w->CheckBox3->setChecked(true);
        QVERIFY(w->dat1_1->isEnabled() && w->dat1_2->isEnabled());
        QCOMPARE(w->dat1_2->palette().color(QPalette::Base), QColor(Qt::yellow));
    }

    void openedFromTheMainWindow_data() { addEngineRows(); }
    void openedFromTheMainWindow()
    {
        AppFixture fx(currentEngine());
        addTrips(fx);
        dates.Init();
        const QString today = dates.ToText();
        fx.exec(QStringLiteral("insert into taradod (typ,ranande,dat1,mablagh) values ('درون شهر','امروز','%1',7)").arg(today));
        fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
        fx.exec(QStringLiteral("insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) values (1,'taradod',%1,%2,%1,%2)")
                    .arg(boolean(false), boolean(true)));
        Ttaradod_src *w = list();
        // Filters left on keep their boxes; their texts are cleared.
        switchOn(w->CheckBox1);
        w->ranande->setText(QStringLiteral("zzz"));
        w->mamor->setText(QStringLiteral("zzz"));
        w->typ->setText(QStringLiteral("zzz"));
        app::main->N10Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("modal")).value(0).text, QStringLiteral("taradod_src"));
        QCOMPARE(w->ranande->text(), QString());
        QCOMPARE(w->mamor->text(), QString());
        QCOMPARE(w->typ->text(), QString());
        QVERIFY(w->ranande->isEnabled());
        QVERIFY(w->CheckBox3->isChecked());
        QVERIFY(w->dat1_1->isEnabled() && w->dat1_2->isEnabled());
        QCOMPARE(w->dat1_1->text(), today);
        QCOMPARE(w->dat1_2->text(), today);
        QCOMPARE(w->cnt->text(), QStringLiteral("1"));
        QCOMPARE(rowValues(QStringLiteral("ranande")), QStringList{QStringLiteral("امروز")});
        // The rights enable the list's first three items.
        QVERIFY(!w->N1->isEnabled());
        QVERIFY(w->N2->isEnabled());
        QVERIFY(!w->N3->isEnabled());
        QCOMPARE(Tmain::listCommands(w), (QList<QObject *>{w->N1, w->N2, w->N3}));
        // The type list of the showing.
        QCOMPARE(w->typ->count(), 3);
    }

    void titleSortByNamesAlike_data() { addEngineRows(); }
    void titleSortByNamesAlike()
    {
        AppFixture fx(currentEngine());
        addTrips(fx);
        list()->src_btnClick();
        clickTitle(QStringLiteral("mablagh_kilometr"));
        QCOMPARE(rows().sort(), QStringLiteral("mablagh_kilometr ASC"));
        // A shorter name that begins the sorted one is another column: ascending.
        clickTitle(QStringLiteral("mablagh"));
        QCOMPARE(rows().sort(), QStringLiteral("mablagh ASC"));
        QCOMPARE(rowValues(QStringLiteral("mablagh")).first(), QStringLiteral("0"));
        QVERIFY(titleBold(QStringLiteral("mablagh")));
        QVERIFY(!titleBold(QStringLiteral("mablagh_kilometr")));
        clickTitle(QStringLiteral("mablagh"));
        QCOMPARE(rows().sort(), QStringLiteral("mablagh DESC"));
        QCOMPARE(rowValues(QStringLiteral("mablagh")).first(), QStringLiteral("340000.5"));

        clickTitle(QStringLiteral("mamor_cmt"));
        clickTitle(QStringLiteral("mamor_cmt"));
        QCOMPARE(rows().sort(), QStringLiteral("mamor_cmt DESC"));
        clickTitle(QStringLiteral("mamor"));
        QCOMPARE(rows().sort(), QStringLiteral("mamor ASC"));
        // A new search: the server's order again, the title stays bold.
        list()->src_btnClick();
        QCOMPARE(rows().sort(), QString());
        QVERIFY(titleBold(QStringLiteral("mamor")));
        QCOMPARE(fx.ui.calls.size(), 0);
    }

    void deletion_data() { addEngineRows(); }
    void deletion()
    {
        AppFixture fx(currentEngine());
        addTrips(fx);
        fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('رمز حذف','Secret')"));
        list()->src_btnClick();
        rows().setRecNo(2);
        fx.ui.inputAnswers << QStringLiteral("secret");
        list()->N3Click();
        QCOMPARE(count(fx, QStringLiteral("select count(*) from taradod")), QStringLiteral("5"));
        QCOMPARE(fx.ui.messages(), QStringList());

        fx.ui.inputAnswers << QStringLiteral("Secret");
        list()->N3->trigger();
        QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("حذف شد")});
        QCOMPARE(fx.column(QStringLiteral("select cmt from log")),
                 QStringList{QStringLiteral(" حذف اطلاعات تردد ") + QStringLiteral("علي رضايي") + QLatin1Char(' ') + QStringLiteral("رضا O'Neil")});
        QCOMPARE(count(fx, QStringLiteral("select count(*) from taradod where mamor_cmt='مامور 2'")), QStringLiteral("0"));
        // The rows again without it; the count and the sums of the last search stay.
        QCOMPARE(rows().recordCount(), 4);
        QCOMPARE(list()->cnt->text(), QStringLiteral("5"));
        QCOMPARE(list()->lastTotals().c, QStringLiteral("5"));

        // Nothing to delete in an empty list: no question at all.
        fx.ui.reset();
        switchOn(list()->CheckBox1);
        list()->ranande->setText(QStringLiteral("nobody"));
        list()->src_btnClick();
        list()->N3Click();
        QCOMPARE(fx.ui.calls.size(), 0);
        QCOMPARE(count(fx, QStringLiteral("select count(*) from log")), QStringLiteral("1"));
    }

    // Edit with no current row, before any search and after one that found
    // nothing: no message, no window.
    void editOnAnEmptyListDoesNothing()
    {
        AppFixture fx(Engine::Sqlite);
        list()->N2->trigger();
        list()->src_btnClick();
        QCOMPARE(rows().recordCount(), 0);
        list()->N2->trigger();
        QCOMPARE(fx.ui.calls.size(), 0);
        QVERIFY(!app::taradod_ins->isVisible());
    }

    void longDeletionDescriptionIsCutToTheLogColumn_data() { addEngineRows(); }
    void longDeletionDescriptionIsCutToTheLogColumn()
    {
        AppFixture fx(currentEngine());
        const QString officers(300, QChar(0x0645));
        fx.exec(QStringLiteral("insert into taradod (ranande,mamor) values ('r','%1')").arg(officers));
        fx.setCurrentUser(QStringLiteral("1"), QStringLiteral("admin"));
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('رمز حذف','Secret')"));
        list()->src_btnClick();
        fx.ui.inputAnswers << QStringLiteral("Secret");
        list()->N3Click();
        QCOMPARE(fx.ui.messages(), QStringList{QStringLiteral("حذف شد")});
        QCOMPARE(count(fx, QStringLiteral("select count(*) from taradod")), QStringLiteral("0"));
        const QString text = QStringLiteral(" حذف اطلاعات تردد r ") + officers;
        QCOMPARE(fx.column(QStringLiteral("select cmt from log")), QStringList{text.left(200)});
    }

    void newAndEditPrepareTheEntryWindow_data() { addEngineRows(); }
    void newAndEditPrepareTheEntryWindow()
    {
        AppFixture fx(currentEngine());
        addTrips(fx);
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('مبلغ هر کيلومتر','2,000')"));
        fx.exec(QStringLiteral("insert into setting (component,cmt) values ('مبلغ هر ساعت','300')"));
        fx.exec(QStringLiteral("insert into abadiha (ostan,shahrestan) values ('%1','%2')").arg(Ttaradod_src::defaultProvince(), Ttaradod_src::defaultCounty()));
        fx.exec(QStringLiteral("insert into abadiha (ostan,shahrestan) values ('قم','قم')"));
        list()->src_btnClick();
        Ttaradod_ins *e = app::taradod_ins;
        for (QWidget *f : e->fields())
            setControlText(f, QStringLiteral("old"));

        list()->N1Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("modal")).value(0).text, QStringLiteral("taradod_ins"));
        QVERIFY(e->ins_btn->isVisibleTo(e) && !e->edit_btn->isVisibleTo(e));
        dates.Init();
        const QStringList expected{QString(), QString(), QString(), QString(), QString(), QString(), QString(), QString(),
                                   Ttaradod_src::defaultProvince(), Ttaradod_src::defaultCounty(), dates.ToText(), dates.ToText(),
                                   QStringLiteral("  :  "), QStringLiteral("  :  "), QStringLiteral("0"), QStringLiteral("0"), QString(),
                                   QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("2,000"),
                                   QStringLiteral("300"), QStringLiteral("0")};
        QStringList texts;
        for (QWidget *f : e->fields())
            texts << controlText(f);
        QCOMPARE(texts, expected);
        // The counties of the default province are offered.
        QCOMPARE(e->shahrestan->count(), 1);

        // Edit: the stored values over the type's presets, the stored amount last.
        rows().setRecNo(3);
        list()->N2Click();
        QVERIFY(!e->ins_btn->isVisibleTo(e) && e->edit_btn->isVisibleTo(e));
        QCOMPARE(e->typ->text(), QStringLiteral("کارکرد روزانه"));
        QCOMPARE(e->saat1->text(), QStringLiteral("  :  "));
        QCOMPARE(e->karkard_kilometr->text(), QStringLiteral("30"));
        QVERIFY(e->karkard_kilometr->isReadOnly());
        QCOMPARE(e->mablagh_kilometr->text(), QStringLiteral("1000"));
        QCOMPARE(e->mablagh->text(), QStringLiteral("34000"));
        QCOMPARE(e->shahrestan->text(), QStringLiteral("اراک"));
        // Neither command searches again.
        QCOMPARE(list()->cnt->text(), QStringLiteral("5"));
    }

    void exportTitles_data() { addEngineRows(); }
    void exportTitles()
    {
        AppFixture fx(currentEngine());
        addTrips(fx);
        list()->src_btnClick();
        list()->N11Click();
        const auto opened = fx.ui.callsOf(QStringLiteral("spreadsheet"));
        QCOMPARE(opened.size(), 1);
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral("-c"),
                      QStringLiteral("import sys, openpyxl\nws = openpyxl.load_workbook(sys.argv[1])['Sheet1']\n"
                                     "print('|'.join(str(c.value) for c in ws[1] if c.value is not None))\nprint(ws.max_row)"),
                      opened[0].text});
        QVERIFY(python.waitForFinished(60000));
        const QStringList out = QString::fromUtf8(python.readAllStandardOutput()).trimmed().split(QLatin1Char('\n'));
        const QStringList titles = out.value(0).split(QLatin1Char('|'));
        QCOMPARE(out.value(1), QStringLiteral("6"));
        auto titleOf = [&](const QString &field) { return titles.value(rows().columnIndex(field)); };
        QCOMPARE(titleOf(QStringLiteral("id")), QStringLiteral("شناسه"));
        QCOMPARE(titleOf(QStringLiteral("ranande")), QStringLiteral("راننده"));
        QCOMPARE(titleOf(QStringLiteral("mamor")), QStringLiteral("مامور"));
        QCOMPARE(titleOf(QStringLiteral("mablagh")), QStringLiteral("مبلغ واحد"));
        QCOMPARE(titleOf(QStringLiteral("shahrestan")), QStringLiteral("شهرستان"));
        QCOMPARE(titleOf(QStringLiteral("mamor_cmt")), QStringLiteral("mamor_cmt"));
        QCOMPARE(titleOf(QStringLiteral("typ")), QStringLiteral("typ"));
        // The driver and the officer stand where the last name and the code stood.
        const auto &table = Ttaradod_src::exportTitles();
        QCOMPARE(table.size(), 57);
        QCOMPARE(table.value(19).first, QStringLiteral("ranande"));
        QCOMPARE(table.value(21).first, QStringLiteral("mamor"));
    }

    void windowGridAndMenu()
    {
        AppFixture fx(Engine::Sqlite);
        addTrips(fx);
        Ttaradod_src *w = list();
        QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
        QStringList top;
        for (QAction *a : w->MainMenu1->actions())
            top << a->objectName();
        QCOMPARE(top, (QStringList{"N1", "N2", "N3", "N4", "N5", "N6"}));
        QStringList forms;
        for (QAction *a : w->N4->actions())
            forms << a->objectName();
        QCOMPARE(forms, (QStringList{"N12", "N8", "N7", "N9", "N10", "N14"}));
        QCOMPARE(w->DBGrid1->model()->columnCount(), 24);
        QVERIFY(w->DBGrid1->isColumnHidden(0));
        // Trips have no status: its filter is out of sight and adds nothing.
        QVERIFY(!w->CheckBox2->isVisibleTo(w) && !w->status->isVisibleTo(w));
        w->CheckBox2->setChecked(true);
        w->status->setText(QStringLiteral("x"));
        w->src_btnClick();
        QCOMPARE(w->cnt->text(), QStringLiteral("5"));

        // The grid is read-only; the filters keep to the right edge.
        w->show();
        const QModelIndex cell = w->DBGrid1->model()->index(0, columnOf(QStringLiteral("ranande")));
        QVERIFY(!(cell.flags() & Qt::ItemIsEditable));
        w->DBGrid1->setCurrentIndex(cell);
        QTest::keyClick(w->DBGrid1, Qt::Key_Delete);
        QCOMPARE(count(fx, QStringLiteral("select count(*) from taradod")), QStringLiteral("5"));
        const int gap = w->width() - w->CheckBox1->geometry().right();
        const int gridWidth = w->DBGrid1->width();
        w->resize(w->width() + 200, w->height() + 100);
        QTRY_COMPARE(w->width() - w->CheckBox1->geometry().right(), gap);
        QCOMPARE(w->DBGrid1->width(), gridWidth + 200);
        QCOMPARE(w->src_btn->x(), 64);
    }
};

QTEST_MAIN(TaradodSrcTest)
#include "tst_taradod_src.moc"
