// The activity-log viewer: its search with the five filters, the filter
// toggles, its opening from the main window and the spreadsheet export read
// back with openpyxl; on every engine under test.
#include "TestSupport.h"
#include "common/ListSearch.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "core/main_u.h"
#include "office/log_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Fonts.h"
#include "platform/MaskEdit.h"
#include "platform/Query.h"
#include <QCheckBox>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

namespace {

Query &rows() { return *app::dm->ADOQuery1; }

QStringList column(const QString &field) { return columnValues(rows(), field); }

// Five rows with distinct server times (d newest), one without a user name,
// two dates written by another program in Arabic-Indic and Persian digits.
void addRows(AppFixture &fx)
{
    const char *values[] = {
        "'ali','10.0.0.1','pc-1','08:00:00','١٤٠٣/٠١/٠٥','ورود به برنامه','2024-03-24 08:00:00'",
        "'O''Brien','10.0.0.2','pc-2','09:00:00','1403/02/01',' حذف اطلاعات پرسنل  علي ','2024-04-20 09:00:00'",
        "'reza',NULL,'pc-1','10:00:00','۱۴۰۳/۰۲/۱۰',NULL,'2024-04-29 10:00:00'",
        "'','10.0.0.9','pc-9','11:00:00','1403/02/11','hidden','2024-04-30 11:00:00'",
        "'d','10.0.0.3',NULL,'12:00:00','1403/03/01','ورود به برنامه','2024-05-21 12:00:00'",
    };
    for (const char *v : values)
        fx.exec(QStringLiteral("insert into log (karbar,ip,computer_name,saat,tarikh,cmt,saat_sys) values (%1)").arg(QString::fromUtf8(v)));
}

// The cell values of the first sheet, row by row, as openpyxl reads them.
QJsonArray workbookRows(const QString &path)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QStringLiteral("import json,sys,openpyxl\n"
                                                       "ws=openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                                                       "print(json.dumps([ws.title]+[[c.value for c in r] for r in ws.iter_rows()]))"),
                  path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        qFatal("openpyxl could not read %s", qPrintable(path));
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

} // namespace

class LogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void searchFoldsKafYehAndCase_data() { addEngineRows(); }
    void searchFoldsKafYehAndCase()
    {
        AppFixture fx(currentEngine());
        checkFoldedFilter(fx, QStringLiteral("log"), QStringLiteral("insert into log (karbar,cmt) values ('ali','%1')"), app::log->CheckBox4, app::log->cmt, app::log->BitBtn1, rows());
    }

    void searchWithFilters_data() { addEngineRows(); }
    void searchWithFilters()
    {
        AppFixture fx(currentEngine());
        addRows(fx);
        Tlog *w = app::log;
        // The users of the rows a search finds.
        auto search = [w] {
            w->BitBtn1Click();
            return column(QStringLiteral("karbar"));
        };
        QCOMPARE(w->cnt->text(), QStringLiteral("cnt"));
        // No filter: every row with a user name, newest server time first.
        w->BitBtn1->click();
        QCOMPARE(w->cnt->text(), QStringLiteral("4"));
        QCOMPARE(column(QStringLiteral("karbar")), (QStringList{"d", "reza", "O'Brien", "ali"}));

        // Switched on with an empty text: only the rows whose column is NULL go.
        switchFilterOn(w->CheckBox4, w->cmt, QString());
        QCOMPARE(search(), (QStringList{"d", "O'Brien", "ali"}));
        // Unticked, the text stays but no longer counts.
        w->cmt->setText(QStringLiteral("ورود"));
        w->CheckBox4->setChecked(false);
        QCOMPARE(w->cmt->text(), QStringLiteral("ورود"));
        w->BitBtn1Click();
        QCOMPARE(w->cnt->text(), QStringLiteral("4"));

        // Both bounds included, compared as text whatever the stored digits;
        // a blank bound is compared as blanks.
        w->CheckBox2->setChecked(true);
        w->dat1->setText(QStringLiteral("1403/02/01"));
        w->dat2->setText(QStringLiteral("1403/02/10"));
        QCOMPARE(search(), (QStringList{"reza", "O'Brien"}));
        w->dat2->clear();
        QCOMPARE(search(), QStringList());
        QCOMPARE(w->cnt->text(), QStringLiteral("0"));
        w->dat1->clear();
        w->dat2->setText(QStringLiteral("1403/02/01"));
        QCOMPARE(search(), (QStringList{"O'Brien", "ali"}));

        // Every filter on: one line each in the fixed order, quotes doubled.
        w->dat1->setText(QStringLiteral("1403/01/01"));
        w->dat2->setText(QStringLiteral("1403/12/29"));
        switchFilterOn(w->CheckBox1, w->karbar, QStringLiteral("O'B"));
        switchFilterOn(w->CheckBox4, w->cmt, QStringLiteral("پرسنل"));
        switchFilterOn(w->CheckBox3, w->computer_name, QStringLiteral("pc"));
        switchFilterOn(w->CheckBox5, w->ip, QStringLiteral("0.2"));
        QCOMPARE(search(), QStringList{"O'Brien"});
        const QStringList conditions{likeCondition(QStringLiteral("karbar"), QStringLiteral("O'B")),
                                     rangeCondition(QStringLiteral("tarikh"), QStringLiteral("1403/01/01"), QStringLiteral("1403/12/29")),
                                     likeCondition(QStringLiteral("cmt"), QStringLiteral("پرسنل")), likeCondition(QStringLiteral("computer_name"), QStringLiteral("pc")),
                                     likeCondition(QStringLiteral("ip"), QStringLiteral("0.2"))};
        QCOMPARE(rows().lines(), QStringList{QStringLiteral("select * from log where karbar<>''")} + conditions
                                     + QStringList{QStringLiteral(" order by saat_sys desc ")});
        QCOMPARE(w->cnt->text(), QStringLiteral("1"));

        // An address typed on the Persian keyboard is the address in ASCII digits.
        w->ip->clear();
        w->ip->setFocus();
        typeText(w->ip, QStringLiteral("۰.۰.۲"));
        QCOMPARE(w->ip->text(), QStringLiteral("0.0.2"));
        QCOMPARE(search(), QStringList{"O'Brien"});

        // A search that fails shows the error and leaves the grid empty.
        fx.exec(QStringLiteral("drop table log"));
        fx.ui.reset();
        w->BitBtn1->click();
        QCOMPARE(fx.ui.calls.size(), 1);
        QCOMPARE(fx.ui.calls.first().kind, Platform::BoxKind::Error);
        QCOMPARE(w->DBGrid1->model()->rowCount(), 0);
    }

    void togglesAndOpening()
    {
        AppFixture fx(Engine::Sqlite);
        Tlog *w = app::log;
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        // At its designed size every column, the last title too, is seen whole.
        QCOMPARE(w->size(), QSize(835, 436));
        QCOMPARE(w->DBGrid1->horizontalScrollBar()->maximum(), 0);
        QVERIFY(!w->dat1->isEnabled() && !w->dat2->isEnabled() && !w->karbar->isEnabled());
        QCOMPARE(w->dat1->text(), QStringLiteral("    /  /  "));
        w->CheckBox2->setChecked(true);
        QVERIFY(w->dat1->isEnabled() && w->dat2->isEnabled() && w->dat1->hasFocus());
        QCOMPARE(w->dat2->palette().color(QPalette::Base), QColor(Qt::yellow));
        w->dat1->setText(QStringLiteral("1403/01/01"));
        switchFilterOn(w->CheckBox1, w->karbar, QStringLiteral("ali"));
        switchFilterOn(w->CheckBox5, w->ip, QStringLiteral("10."));
        w->cnt->setText(QStringLiteral("7"));
        w->hide();

        // Opening clears the four texts only and runs no search.
        rows().clear();
        rows().add(QStringLiteral("select * from phone"));
        rows().open();
        app::main->N7Click();
        QCOMPARE(fx.ui.callsOf(QStringLiteral("modal")).size(), 1);
        QVERIFY(w->karbar->text().isEmpty() && w->ip->text().isEmpty());
        QVERIFY(w->CheckBox1->isChecked() && w->karbar->isEnabled());
        QCOMPARE(w->dat1->text(), QStringLiteral("1403/01/01"));
        QCOMPARE(w->cnt->text(), QStringLiteral("7"));
        QCOMPARE(rows().text(), QStringLiteral("select * from phone"));
        QCOMPARE(w->DBGrid1->query(), &rows());
    }

    void exportReadBack_data() { addEngineRows(); }
    void exportReadBack()
    {
        AppFixture fx(currentEngine());
        addRows(fx);
        Tlog *w = app::log;
        w->BitBtn1Click();
        w->SpeedButton1->click();
        const QString path = fx.ui.callsOf(QStringLiteral("spreadsheet")).value(0).text;
        const QJsonArray sheet = workbookRows(path);
        QFile::remove(path);
        QCOMPARE(sheet.at(0).toString(), QStringLiteral("Sheet1"));
        QStringList titles;
        for (const QJsonValue &v : sheet.at(1).toArray())
            if (!v.isNull())
                titles << v.toString();
        QCOMPARE(titles, (QStringList{QStringLiteral("شناسه"), QStringLiteral("نام کاربري"), QStringLiteral("آي پي"),
                                      QStringLiteral("نام کامپيوتر"), QStringLiteral("ساعت"), QStringLiteral("تاريخ"),
                                      QStringLiteral("شرح عمليات"), QStringLiteral("ساعت سرور")}));
        QCOMPARE(sheet.size(), 1 + 1 + 4);
        // The listed order, trimmed texts, the server time as text.
        const QJsonArray second = sheet.at(3).toArray();
        QCOMPARE(second.at(1).toString(), QStringLiteral("reza"));
        QCOMPARE(second.at(7).toString(), QStringLiteral("2024/04/29 10:00:00"));
        QCOMPARE(sheet.at(4).toArray().at(6).toString(), QStringLiteral("حذف اطلاعات پرسنل  علي"));

        // After a command on the scratch query the export repeats nothing.
        rows().clear();
        rows().add(QStringLiteral("insert into phone (name,tel,cmt) values ('a','1','')"));
        rows().execute();
        w->SpeedButton1Click();
        QFile::remove(fx.ui.callsOf(QStringLiteral("spreadsheet")).value(1).text);
        QCOMPARE(fx.column(QStringLiteral("select count(*) from phone")), QStringList{QStringLiteral("1")});

        // No workbook can be made in the temporary folder (here a file
        // stands in its place): the error box says so in Persian and names
        // the folder; nothing is opened.
        QTemporaryFile notAFolder;
        QVERIFY(notAFolder.open());
        const QByteArray tmpdir = qgetenv("TMPDIR");
        const QString missing = QFileInfo(notAFolder.fileName()).canonicalFilePath();
        qputenv("TMPDIR", QFile::encodeName(missing));
        fx.ui.reset();
        w->SpeedButton1->click();
        tmpdir.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir);
        QCOMPARE(fx.ui.calls.size(), 1);
        QCOMPARE(fx.ui.calls.first().kind, Platform::BoxKind::Error);
        QVERIFY(fx.ui.calls.first().text.startsWith(QStringLiteral("فايل اکسل در پوشه ") + missing));
    }
};

QTEST_MAIN(LogTest)
#include "tst_log.moc"
