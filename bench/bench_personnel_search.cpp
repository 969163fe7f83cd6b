// The personnel list's search over 200,000 persons with two LIKE filters
// switched on: the count into the label, the rows into the list's query and
// the grid's model ready to paint, beside a loop over the engine's own C
// interface in this process and the engine's own client running the same
// two statements; then that search, a last-name filter of a letter few rows
// hold, a national-code filter of digits, a plate and an address of letters
// and digits together, a vehicle of Persian and Latin letters and digits and
// a date range, folded, each beside the same search
// with a plain comparison and its rows checked against the full fold's. SQLite, and PostgreSQL when KAVRIN_BENCH_PG
// (or KAVRIN_TEST_PG) names a server; each engine in a process of its own.
//
//   build/bench/bench_personnel_search [rows]
#include "benchutil.h"
#include "personnel_bench_data.h"
#include "admin/users_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Query.h"
#include "common/ListSearch.h"
#include "platform/Dialect.h"
#include "platform/Letters.h"
#include "personnel/personel_src_u.h"
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>

namespace {

QTextStream out(stdout);

void measure(const personnel_bench::Database &d, const QString &dir)
{
    Tpersonel_src *list = app::personel_src;
    list->CheckBox1->setChecked(true);
    list->lname->setText(QStringLiteral("ي"));
    list->CheckBox11->setChecked(true);
    list->shahrestan->setText(QStringLiteral("ا"));

    auto search = [&] {
        QElapsedTimer t;
        t.start();
        list->src_btnClick();
        // The grid's model follows the query's reset; ask it what a paint asks.
        QAbstractItemModel *model = list->DBGrid1->model();
        const int rows = model->rowCount();
        (void)model->data(model->index(rows - 1, 5), Qt::DisplayRole);
        return t.nsecsElapsed() / 1e9;
    };
    search(); // warm the cache, as the client's first run does below
    // The same two statements through the engine's C interface in this
    // process, in turns with the search: times vary with what else the
    // machine runs.
    const QStringList statements{app::dm->ADOQuery1->lines().join(QLatin1Char('\n')),
                                 app::dm->ADOQ_personel->lines().join(QLatin1Char('\n'))};
    bench::engineLoop(*app::dm->ADOConnection1, statements);
    QList<double> ours, loop;
    for (int i = 0; i < 5; ++i) {
        ours << search();
        loop << bench::engineLoop(*app::dm->ADOConnection1, statements).seconds;
    }

    // The same two statements through the engine's own client.
    QFile sql(dir + QStringLiteral("/search.sql"));
    sql.open(QIODevice::WriteOnly);
    sql.write((app::dm->ADOQuery1->lines().join(QLatin1Char('\n')) + QStringLiteral(";\n")).toUtf8());
    sql.write((app::dm->ADOQ_personel->lines().join(QLatin1Char('\n')) + QStringLiteral(";\n")).toUtf8());
    sql.close();
    const QString command = d.clientCommand + QLatin1Char(' ') + sql.fileName();
    bench::runCommand(command, d.clientEnv);
    QList<double> raw;
    bool ok = true;
    for (int i = 0; i < 5; ++i) {
        const bench::CommandRun run = bench::runCommand(command, d.clientEnv);
        ok = ok && run.ok;
        raw << run.seconds;
    }

    out << d.label << ": " << list->cnt->text() << " of " << app::dm->ADOQ_personel->recordCount() << " rows found\n"
        << "  count + rows + grid model: " << QString::number(bench::median(ours), 'f', 3) << " s (median of 5)\n"
        << "  engine's C interface loop: " << QString::number(bench::median(loop), 'f', 3) << " s (median of 5, in this process)\n"
        << "  raw engine client:         " << QString::number(bench::median(raw), 'f', 3) << " s" << (ok ? "" : " (client failed)") << "\n"
        << "  ratio to the loop " << QString::number(bench::median(ours) / bench::median(loop), 'f', 2) << "x, to the client "
        << QString::number(bench::median(ours) / bench::median(raw), 'f', 2) << "x" << Qt::endl;
}

// A condition of the search: the column contains the typed text, or, with
// an upper bound, lies between the text and the bound.
struct Filter {
    QString column;
    QString text;
    QString to = QString();
};

// The ids of the persons the statement's conditions find, in id order.
QStringList foundIds(const QStringList &conditions)
{
    Query q(app::dm->ADOConnection1, QStringLiteral("ids"));
    q.add(QStringLiteral("select id from personel where id<>-1 "));
    for (const QString &line : conditions)
        q.add(line);
    q.add(QStringLiteral(" order by id"));
    q.open();
    QStringList ids;
    for (int row = 0; row < q.recordCount(); ++row)
        ids << q.textAt(row, 0);
    return ids;
}

// The full fold of a column or a quoted text: every kaf, yeh and digit
// folded, Latin letters lower-cased.
QString fullyFolded(const QString &expression)
{
    Dialect::Folding full;
    full.letters = letterFolds();
    full.lowerCase = true;
    return app::dm->ADOConnection1->dialect().foldedText(expression, full);
}

// The columns the searches below filter on.
const QStringList SearchedColumns{QStringLiteral("lname"), QStringLiteral("shahrestan"), QStringLiteral("nation"),
                                  QStringLiteral("pelak"), QStringLiteral("adr"), QStringLiteral("reg_dat"),
                                  QStringLiteral("khodro")};

// A copy of `personel` whose searched columns hold their texts fully folded:
// there a plain LIKE with the typed text folded finds the rows the folded
// search finds in `personel`, whatever forms those store.
void makeFoldedCopy()
{
    Query q(app::dm->ADOConnection1, QStringLiteral("copy"));
    const auto run = [&q](const QString &statement) {
        q.clear();
        q.add(statement);
        q.execute();
    };
    // Built by one select, so that the copy holds each row once (an update
    // would leave PostgreSQL a table of dead rows to read past).
    q.add(QStringLiteral("select * from personel where id=-1"));
    q.open();
    QStringList columns;
    for (int c = 0; c < q.columnCount(); ++c) {
        const QString name = q.columnName(c);
        columns << (SearchedColumns.contains(name) ? fullyFolded(name) + QStringLiteral(" as ") + name : name);
    }
    run(QStringLiteral("create table personel_folded as select ") + columns.join(QLatin1Char(',')) + QStringLiteral(" from personel"));
    // On PostgreSQL vacuumed as well, so that neither table's scans set hint
    // bits or meet the autovacuum while they are timed.
    run(app::dm->ADOConnection1->engine() == Engine::PostgreSql ? QStringLiteral("vacuum analyze personel, personel_folded")
                                                                 : QStringLiteral("analyze"));
}

// On PostgreSQL every statement from here on is planned without parallel
// workers, so that both sides of a comparison run the same plan: the planner
// gave one side a parallel plan and the other none in some runs and not in
// others, as the sampled statistics fell.
void oneKindOfPlan()
{
    if (app::dm->ADOConnection1->engine() != Engine::PostgreSql)
        return;
    Query q(app::dm->ADOConnection1, QStringLiteral("plan"));
    q.add(QStringLiteral("set max_parallel_workers_per_gather = 0"));
    q.execute();
}

// The list's search (its own count and row statements, the count into its
// label, the rows into its query, the grid's model read as a paint reads it)
// with the conditions of `filters` as the list folds them (every form of
// each kaf, yeh and digit, Latin letters in either case), beside the same
// search with a plain LIKE that finds the same rows: the typed text folded,
// in the folded copy of the table; in turns, nine times each, after one
// warm-up of each. The rows the folded search finds are checked against
// those of the full fold (the column folded, compared by one LIKE).
void compareWithPlainLike(const personnel_bench::Database &d, const QString &label, const QList<Filter> &filters)
{
    Tpersonel_src *list = app::personel_src;
    QStringList foldedLines, plainLines, fullLines;
    for (const Filter &f : filters) {
        if (!f.to.isEmpty()) {
            const QString bounds = QStringLiteral(" between ") + quoted(f.text) + QStringLiteral(" and ") + quoted(f.to);
            foldedLines << rangeCondition(f.column, f.text, f.to);
            plainLines << QStringLiteral(" and ") + f.column + bounds;
            fullLines << QStringLiteral(" and ") + fullyFolded(f.column) + bounds;
            continue;
        }
        const QString pattern = QLatin1Char('%') + f.text + QLatin1Char('%');
        foldedLines << likeCondition(f.column, f.text);
        plainLines << QStringLiteral(" and ") + f.column + QStringLiteral(" like ") + quoted(foldedLetters(pattern).toLower());
        fullLines << QStringLiteral(" and ") + fullyFolded(f.column) + QStringLiteral(" like ") + fullyFolded(quoted(pattern));
    }
    const auto paint = [list] {
        QAbstractItemModel *model = list->DBGrid1->model();
        (void)model->data(model->index(model->rowCount() - 1, 5), Qt::DisplayRole);
    };
    const auto timed = [](const std::function<void()> &run) {
        QElapsedTimer t;
        t.start();
        run();
        return t.nsecsElapsed() / 1e9;
    };
    const auto search = [&](const QString &table, const QStringList &conditions) {
        const QString from = QStringLiteral(" from ") + table + QStringLiteral(" where id<>-1 ");
        ListSearch{QStringLiteral("select count(*) as c") + from, QStringLiteral("select *") + from, conditions, {}}
            .run(*app::dm->ADOQuery1, list->cnt, *app::dm->ADOQ_personel);
        paint();
    };
    const auto folded = [&] { search(QStringLiteral("personel"), foldedLines); };
    const auto plain = [&] { search(QStringLiteral("personel_folded"), plainLines); };
    folded();
    const QString foldedFound = list->cnt->text();
    plain();
    const QString plainFound = list->cnt->text();
    QList<double> withFold, withoutFold;
    for (int i = 0; i < 9; ++i) {
        withFold << timed(folded);
        withoutFold << timed(plain);
    }
    const bool same = foundIds(foldedLines) == foundIds(fullLines);
    out << d.label << ", " << label << ": " << foldedFound << " rows found folded, " << plainFound << " plain\n"
        << "  folded:     " << QString::number(bench::median(withFold), 'f', 3) << " s (median of 9)\n"
        << "  plain LIKE: " << QString::number(bench::median(withoutFold), 'f', 3) << " s (median of 9)\n"
        << "  folded / plain " << QString::number(bench::median(withFold) / bench::median(withoutFold), 'f', 2) << "x\n"
        << "  rows " << (same ? "the same as" : "DIFFERENT FROM") << " the full fold's\n"
        << "  " << foldedLines.join(QStringLiteral("\n  ")).trimmed() << Qt::endl;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    const int rows = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 200000;
    const QString only = argc > 2 ? QString::fromLatin1(argv[2]) : QString();
    if (bench::ranEachEngineApart(rows, only))
        return 0;
    QTemporaryDir dir;
    personnel_bench::Database d;
    if (!bench::engineDatabase(only, QStringLiteral("bench_personnel_search"), dir.path(), d, out))
        return 0;
    if (!personnel_bench::openAndFill(d, rows, out))
        return 1;
    measure(d, dir.path());
    makeFoldedCopy();
    oneKindOfPlan();
    compareWithPlainLike(d, QStringLiteral("last name \"ي\" and county \"ا\""),
                         {{QStringLiteral("lname"), QStringLiteral("ي")}, {QStringLiteral("shahrestan"), QStringLiteral("ا")}});
    // A letter few rows hold: the Arabic kaf of one last name in eleven.
    compareWithPlainLike(d, QStringLiteral("last name \"ك\""), {{QStringLiteral("lname"), QStringLiteral("ك")}});
    compareWithPlainLike(d, QStringLiteral("national code \"12\""), {{QStringLiteral("nation"), QStringLiteral("12")}});
    // Letters and digits together: a plate (one in three stored with Persian
    // digits) and a lane with its number (either kaf, digits in three forms).
    compareWithPlainLike(d, QStringLiteral("plate \"ب 123\""), {{QStringLiteral("pelak"), QStringLiteral("ب 123")}});
    compareWithPlainLike(d, QStringLiteral("address \"کوچه 25\""), {{QStringLiteral("adr"), QStringLiteral("کوچه 25")}});
    // Persian letters, digits and Latin letters (compared in either case)
    // together: a vehicle stored with its digits and letters in any form.
    compareWithPlainLike(d, QStringLiteral("vehicle \"پژو 405 GLX\""), {{QStringLiteral("khodro"), QStringLiteral("پژو 405 GLX")}});
    // A date range as the lists compare one (one date in ten stored with
    // Persian digits), beside the plain comparison in the folded copy.
    compareWithPlainLike(d, QStringLiteral("registration date 1401/02/01-1401/05/31"),
                         {{QStringLiteral("reg_dat"), QStringLiteral("1401/02/01"), QStringLiteral("1401/05/31")}});
    app::destroyAll();
    return 0;
}
