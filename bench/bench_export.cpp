// The spreadsheet export of the personnel list: 100,000 persons of 36
// columns written to a workbook, with the time it takes and the peak memory
// of the process while it runs (the list's rows are already in memory; the
// figure before the export is printed beside it). The database is filled in
// a process of its own, so that the figures are those of a program that has
// only searched and exported. SQLite: the export reads the rows the query
// holds, so the engine does not matter.
//
//   build/bench/bench_export [rows]
#include "benchutil.h"
#include "personnel_bench_data.h"
#include "common/export.h"
#include "platform/Query.h"
#include "platform/ScriptedPlatform.h"
#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    QTextStream out(stdout);
    const int rows = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 100000;

    if (argc > 2) {   // the filling process: rows, database file
        personnel_bench::Database d;
        d.settings.engine = Engine::Sqlite;
        d.settings.database = QString::fromLocal8Bit(argv[2]);
        const bool filled = personnel_bench::openAndFill(d, rows, out);
        app::destroyAll();
        return filled ? 0 : 1;
    }
    QTemporaryDir dir;
    const personnel_bench::Database d = personnel_bench::sqliteDatabase(dir.path());
    if (QProcess::execute(QCoreApplication::applicationFilePath(), {QString::number(rows), d.settings.database}) != 0)
        return 1;
    app::createAll();
    app::dm->ADOConnection1->setSettings(d.settings);
    app::dm->ADOConnection1->open();
    // The spreadsheet program is not started: the fake platform records the call.
    ScopedScriptedPlatform ui;

    const long program = bench::statusKb("VmRSS");
    Query &q = *app::dm->ADOQ_personel;
    q.clear();
    q.add(QStringLiteral("select * from personel where id<>-1 "));
    q.open();
    const long before = bench::statusKb("VmRSS");
    const long peakBefore = bench::statusKb("VmHWM"); // the process so far: start-up and the search
    bench::resetPeak();

    QElapsedTimer t;
    t.start();
    exportToSpreadsheet(q, personnelTitles(), QStringLiteral("ليست پرسنل"));
    const double seconds = t.nsecsElapsed() / 1e9;
    const long peak = bench::statusKb("VmHWM");

    const QString path = ui.callsOf(QStringLiteral("spreadsheet")).value(0).text;
    out << "export of " << q.recordCount() << " persons x " << q.columnCount() << " columns\n"
        << "  time:            " << QString::number(seconds, 'f', 2) << " s\n"
        << "  program alone:   " << program / 1024 << " MiB\n"
        << "  with the rows:   " << before / 1024 << " MiB (the list's query open)\n"
        << "  peak during:     " << peak / 1024 << " MiB (the export itself: " << (peak - before) << " KiB)\n"
        << "  process peak:    " << std::max(peak, peakBefore) / 1024 << " MiB (the whole run, search and export)\n"
        << "  workbook:        " << QFileInfo(path).size() / (1024 * 1024) << " MiB" << Qt::endl;
    QFile::remove(path);
    app::destroyAll();
    return 0;
}
