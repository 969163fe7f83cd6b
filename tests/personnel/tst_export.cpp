// The spreadsheet export: the workbook is read back with openpyxl and checked
// cell by cell (sheet, titles, widths, bold and framed ranges, trimmed texts),
// on every engine under test.
#include "TestSupport.h"
#include "common/export.h"
#include "core/Dates.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/Query.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextLayout>
#include <sys/stat.h>

namespace {

// Prints the workbook as JSON: sheet names, dimensions, the width of every
// column that has one, and per cell its value, bold and the four border styles.
const char *readerScript = R"PY(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
widths = {}
for dim in ws.column_dimensions.values():
    if dim.customWidth:
        for c in range(dim.min, dim.max + 1):
            widths[c] = dim.width
cols = max(ws.max_column, 30)
cells = []
for r in range(1, ws.max_row + 1):
    row = []
    for c in range(1, cols + 1):
        cell = ws.cell(row=r, column=c)
        b = cell.border
        row.append({"v": cell.value, "bold": bool(cell.font and cell.font.b),
                    "frame": [b.left.style, b.right.style, b.top.style, b.bottom.style]})
    cells.append(row)
print(json.dumps({"sheets": wb.sheetnames, "rows": ws.max_row, "widths": widths, "cells": cells}))
)PY";

struct Sheet {
    QStringList sheets;
    int rows = 0;
    QJsonObject widths;
    QJsonArray cells;

    QJsonObject cell(int row, int column) const { return cells.at(row - 1).toArray().at(column - 1).toObject(); }
    QString text(int row, int column) const { return cell(row, column).value(QStringLiteral("v")).toString(); }
    bool isNull(int row, int column) const { return cell(row, column).value(QStringLiteral("v")).isNull(); }
    bool bold(int row, int column) const { return cell(row, column).value(QStringLiteral("bold")).toBool(); }
    // The one style of all four sides, "mixed" when they differ, "" when none.
    QString frame(int row, int column) const
    {
        const QJsonArray sides = cell(row, column).value(QStringLiteral("frame")).toArray();
        QString style = sides.at(0).toString();
        for (const QJsonValue &side : sides)
            if (side.toString() != style)
                return QStringLiteral("mixed");
        return style;
    }
    double width(int column) const { return widths.value(QString::number(column)).toDouble(-1); }
};

Sheet readWorkbook(const QString &path)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(readerScript), path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        qFatal("openpyxl could not read %s: %s", qPrintable(path), python.readAllStandardError().constData());
    const QJsonObject doc = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    Sheet sheet;
    for (const QJsonValue &name : doc.value(QStringLiteral("sheets")).toArray())
        sheet.sheets << name.toString();
    sheet.rows = doc.value(QStringLiteral("rows")).toInt();
    sheet.widths = doc.value(QStringLiteral("widths")).toObject();
    sheet.cells = doc.value(QStringLiteral("cells")).toArray();
    return sheet;
}

// The width a column of width 10 carries in the file (the spreadsheet adds
// the cell padding of its default font).
constexpr double storedWidthOf10 = 10.7109375;

} // namespace

class ExportTest : public QObject {
    Q_OBJECT
    QStringList m_files;

    void insertPerson(AppFixture &fx, const QString &values)
    {
        fx.exec(QStringLiteral("insert into personel (typ,fname,lname,nation,farzand,govahiname_nomre,birthday,cmt,semat) values (")
                + values + QLatin1Char(')'));
    }
    // Exports the query and reads back the workbook the program was asked to
    // open; the file is removed at cleanup.
    Sheet exported(AppFixture &fx, Query &q, const QList<QPair<QString, QString>> &titles, const QString &listName)
    {
        exportToSpreadsheet(q, titles, listName);
        const auto opened = fx.ui.callsOf(QStringLiteral("spreadsheet"));
        m_files << (opened.isEmpty() ? QString() : opened.last().text);
        return readWorkbook(m_files.last());
    }

private Q_SLOTS:
    void cleanup()
    {
        for (const QString &f : std::as_const(m_files))
            QFile::remove(f);
        m_files.clear();
    }

    void personnelWorkbook_data() { addEngineRows(); }
    void personnelWorkbook()
    {
        AppFixture fx(currentEngine());
        insertPerson(fx, QStringLiteral("'  راننده ', 'علي', 'احمدي', '0012345678', 3, 12.5, '1360/01/02', '\tيادداشت  دو\r\n', NULL"));
        insertPerson(fx, QStringLiteral("NULL, 'رضا', 'کريمي', NULL, NULL, NULL, '    /  /  ', NULL, 'سرپرست'"));
        insertPerson(fx, QStringLiteral("'پرسنل', 'مريم', 'بهرامي', '1111111111', 0, NULL, NULL, '   ', NULL"));
        Query &q = *app::dm->ADOQ_personel;
        q.clear();
        q.add(QStringLiteral("select * from personel where id<>-1 "));
        q.open();
        q.setSort(QStringLiteral("fname DESC"));   // the workbook follows the current order
        q.setRecNo(2);

        const Sheet s = exported(fx, q, personnelTitles(), QStringLiteral("ليست پرسنل"));
        QVERIFY(m_files.last().startsWith(QDir::tempPath()));
        QCOMPARE(q.recNo(), 3);
        QVERIFY(q.eof());
        QCOMPARE(s.sheets, QStringList{QStringLiteral("Sheet1")});
        QCOMPARE(s.rows, 4);
        QCOMPARE(q.columnCount(), 36);
        QCOMPARE(s.text(1, 1), QStringLiteral("شناسه"));
        QCOMPARE(s.text(1, q.columnIndex(QStringLiteral("lname")) + 1), QStringLiteral("نام خانوادگي"));
        QCOMPARE(s.text(1, q.columnIndex(QStringLiteral("typ")) + 1), QStringLiteral("typ"));
        QCOMPARE(s.text(1, 35), QStringLiteral("semat"));
        QCOMPARE(s.text(1, 36), QStringLiteral("loc"));
        for (int c = 1; c <= 36; ++c)
            QCOMPARE(s.width(c), storedWidthOf10);
        QCOMPARE(s.width(37), -1.0);

        // Bold A1:AA1 and nothing else; slanted dash-dot A1:M1; thin A2:M4.
        for (int c = 1; c <= 30; ++c) {
            QCOMPARE(s.bold(1, c), c <= 27);
            QCOMPARE(s.frame(1, c), c <= 13 ? QStringLiteral("slantDashDot") : QString());
            for (int r = 2; r <= 4; ++r) {
                QCOMPARE(s.bold(r, c), false);
                QCOMPARE(s.frame(r, c), c <= 13 ? QStringLiteral("thin") : QString());
            }
        }

        // Rows in the sorted order; texts trimmed; numbers as the data layer
        // gives them; NULL and all-blank values empty.
        const int fname = q.columnIndex(QStringLiteral("fname")) + 1;
        const int typ = q.columnIndex(QStringLiteral("typ")) + 1;
        const int cmt = q.columnIndex(QStringLiteral("cmt")) + 1;
        const int farzand = q.columnIndex(QStringLiteral("farzand")) + 1;
        const int nomre = q.columnIndex(QStringLiteral("govahiname_nomre")) + 1;
        const int birthday = q.columnIndex(QStringLiteral("birthday")) + 1;
        QCOMPARE(s.text(2, fname), QStringLiteral("مريم"));
        QCOMPARE(s.text(3, fname), QStringLiteral("علي"));
        QCOMPARE(s.text(4, fname), QStringLiteral("رضا"));
        QCOMPARE(s.text(3, typ), QStringLiteral("راننده"));
        QCOMPARE(s.text(3, cmt), QStringLiteral("يادداشت  دو"));
        QCOMPARE(s.text(3, farzand), QStringLiteral("3"));
        QCOMPARE(s.text(3, nomre), QStringLiteral("12.5"));
        QCOMPARE(s.text(2, farzand), QStringLiteral("0"));
        QVERIFY(s.isNull(2, cmt));        // "   "
        QVERIFY(s.isNull(4, typ));        // NULL
        QCOMPARE(s.text(4, birthday), QStringLiteral("/  /"));   // an untouched date mask
        QCOMPARE(s.text(4, 35), QStringLiteral("سرپرست"));
    }

    void emptyResultSet_data() { addEngineRows(); }
    void emptyResultSet()
    {
        AppFixture fx(currentEngine());
        Query &q = *app::dm->ADOQ_personel;
        q.clear();
        q.add(QStringLiteral("select * from personel where id<>-1 "));
        q.open();
        const Sheet s = exported(fx, q, personnelTitles(), QStringLiteral("ليست پرسنل"));
        QCOMPARE(q.recNo(), 0);
        QCOMPARE(s.sheets, QStringList{QStringLiteral("Sheet1")});
        QCOMPARE(s.rows, 1);
        QCOMPARE(s.text(1, 2), QStringLiteral("typ"));
        QCOMPARE(s.text(1, 21), QStringLiteral("استان"));
        QCOMPARE(s.text(1, 23), QStringLiteral("تاريخ ثبت نام"));
        QCOMPARE(s.width(36), storedWidthOf10);
        // No data rows: the title row keeps its own frame.
        QCOMPARE(s.frame(1, 1), QStringLiteral("slantDashDot"));
        QCOMPARE(s.frame(1, 13), QStringLiteral("slantDashDot"));
        QVERIFY(s.bold(1, 27));
    }

    // A list with fewer fields than the fixed ranges: the cells of the ranges
    // beyond the last field are framed and bold all the same, blank. The
    // first pair naming a field gives its title, compared exactly.
    void fewerFieldsAndTitleLookup_data() { addEngineRows(); }
    void fewerFieldsAndTitleLookup()
    {
        AppFixture fx(currentEngine());
        fx.exec(QStringLiteral("insert into phone (cmt) values (' 021-5550 ')"));
        fx.exec(QStringLiteral("insert into phone (cmt) values (NULL)"));
        Query &q = *app::dm->ADOQuery1;
        q.clear();
        q.add(QStringLiteral("select id, cmt from phone order by id"));
        q.open();
        const Sheet s = exported(fx, q, {{QStringLiteral("CMT"), QStringLiteral("wrong case")},
                                         {QStringLiteral("cmt"), QStringLiteral("شرح")},
                                         {QStringLiteral("cmt"), QStringLiteral("second pair")}},
                                 QStringLiteral("phone"));
        QCOMPARE(s.rows, 3);
        QCOMPARE(s.text(1, 1), QStringLiteral("id"));
        QCOMPARE(s.text(1, 2), QStringLiteral("شرح"));
        QCOMPARE(s.text(2, 2), QStringLiteral("021-5550"));
        QVERIFY(s.isNull(3, 2));
        QCOMPARE(s.width(2), storedWidthOf10);
        QCOMPARE(s.width(3), -1.0);
        QVERIFY(s.isNull(1, 13));
        QCOMPARE(s.frame(1, 13), QStringLiteral("slantDashDot"));
        QVERIFY(s.bold(1, 20));
        QCOMPARE(s.frame(3, 13), QStringLiteral("thin"));
        QCOMPARE(s.frame(3, 14), QString());
    }

    // A query closed after a command is not run again by the export (that
    // would repeat the command); a closed row query is opened as it stands.
    void closedQuery_data() { addEngineRows(); }
    void closedQuery()
    {
        AppFixture fx(currentEngine());
        Query &q = *app::dm->ADOQuery1;
        q.clear();
        q.add(QStringLiteral("insert into phone (cmt) values ('x')"));
        q.execute();
        const Sheet empty = exported(fx, q, {}, QStringLiteral("phone"));
        QCOMPARE(fx.column(QStringLiteral("select count(*) from phone")), QStringList{QStringLiteral("1")});
        QCOMPARE(empty.sheets, QStringList{QStringLiteral("Sheet1")});
        QVERIFY(empty.isNull(1, 1));

        q.clear();
        q.add(QStringLiteral("select cmt from phone"));
        QCOMPARE(exported(fx, q, {}, QStringLiteral("phone")).text(2, 1), QStringLiteral("x"));
        QVERIFY(q.isOpen());
        QCOMPARE(fx.ui.callsOf(QStringLiteral("spreadsheet")).size(), 2);
        QVERIFY(m_files[0] != m_files[1]);
    }

    // The workbook is named after the list and the Jalali date, readable as
    // any new file of the user's; when no program opens it, the default error
    // box gives its full path, whatever the temporary folder is called.
    void workbookNoProgramOpens_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("folderOrder"); // its words, left to right on screen
        QTest::newRow("Latin folder") << QStringLiteral("export") << QStringList{QStringLiteral("export")};
        QTest::newRow("Persian folder") << QStringLiteral("خروجی اکسل") << QStringList{QStringLiteral("اکسل"), QStringLiteral("خروجی")};
        QTest::newRow("mixed folder") << QStringLiteral("Backup پشتيبان") << QStringList{QStringLiteral("Backup"), QStringLiteral("پشتيبان")};
    }
    void workbookNoProgramOpens()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, folderOrder);
        AppFixture fx(Engine::Sqlite);
        // A temporary folder of the test's own, where no earlier export lies.
        QTemporaryDir temp;
        QVERIFY(QDir(temp.path()).mkdir(folder));
        const QString tempPath = temp.filePath(folder);
        const bool hadTmpdir = qEnvironmentVariableIsSet("TMPDIR");
        const QByteArray tmpdir = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(tempPath));
        const auto restore = qScopeGuard([&] { hadTmpdir ? qputenv("TMPDIR", tmpdir) : qunsetenv("TMPDIR"); });
        Query &q = *app::dm->ADOQuery1;
        q.clear();
        q.add(QStringLiteral("select * from phone"));
        fx.ui.refuseOpening = true;
        const mode_t mask = umask(022);
        exportToSpreadsheet(q, {}, QStringLiteral("ليست پرسنل"));
        exportToSpreadsheet(q, {}, QStringLiteral("ليست پرسنل"));
        umask(mask);
        const auto opened = fx.ui.callsOf(QStringLiteral("spreadsheet"));
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened[0].text.startsWith(tempPath));
        dates.Init();
        const QString stem = QStringLiteral("ليست پرسنل ") + dates.ToText().replace(QLatin1Char('/'), QLatin1Char('-'));
        QCOMPARE(QFileInfo(opened[1].text).fileName(), stem + QStringLiteral(" (2).xlsx"));
        const QFileInfo first(opened[0].text);
        QCOMPARE(first.fileName(), stem + QStringLiteral(".xlsx"));
        QVERIFY(first.permissions().testFlag(QFileDevice::ReadGroup));
        QVERIFY(first.permissions().testFlag(QFileDevice::ReadOther));
        QVERIFY(first.size() > 0);

        const auto boxes = fx.ui.callsOf(QStringLiteral("message"));
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes[0].kind, Platform::BoxKind::Error);
        QVERIFY2(boxes[0].text.contains(leftToRightPath(first.absoluteFilePath())), qPrintable(boxes[0].text));
        // The path reads as the file is named, inside the right-to-left box:
        // folders in their order, each name's words in its own direction,
        // then the date's parts in their order, then "(2)".
        const QString shownPath = boxes[1].text.section(QLatin1Char('\n'), -1);
        QTextLayout layout(shownPath, QApplication::font());
        QTextOption rightToLeft;
        rightToLeft.setTextDirection(Qt::RightToLeft);
        layout.setTextOption(rightToLeft);
        layout.beginLayout();
        layout.createLine().setLineWidth(100000);
        layout.endLayout();
        const auto x = [&](const QString &part) { return layout.lineAt(0).cursorToX(shownPath.indexOf(part) + 1); };
        const QStringList date = dates.ToText().split(QLatin1Char('/'));
        const QStringList inOrder = QStringList{QDir(temp.path()).dirName()} + folderOrder + QStringList{QStringLiteral("پرسنل"), QStringLiteral("ليست"),
            date[0] + QLatin1Char('-'), QLatin1Char('-') + date[1] + QLatin1Char('-'), QLatin1Char('-') + date[2] + QLatin1Char(' '), QStringLiteral("(2)"), QStringLiteral(".xlsx")};
        for (int i = 1; i < inOrder.size(); ++i)
            QVERIFY2(shownPath.contains(inOrder[i]) && x(inOrder[i - 1]) < x(inOrder[i]), qPrintable(inOrder[i]));
    }
};

QTEST_MAIN(ExportTest)
#include "tst_export.moc"
