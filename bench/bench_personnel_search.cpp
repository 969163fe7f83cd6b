// The personnel list's search over 200,000 persons with two LIKE filters
// switched on: the count into the label, the rows into the list's query and
// the grid's model ready to paint, beside a loop over the engine's own C
// interface in this process and the engine's own client running the same
// two statements; then that search, a last-name filter of a letter few rows
// hold and a national-code filter of digits, folded, each beside the same
// search with a plain LIKE. SQLite, and PostgreSQL when KAVRIN_BENCH_PG
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

// A text filter of the list switched on with a typed text.
struct Filter {
    QCheckBox *box;
    QWidget *field;
    QString column;
    QString text;
};

void setText(QWidget *field, const QString &text)
{
    if (auto *combo = qobject_cast<ComboBox *>(field))
        combo->setText(text);
    else
        static_cast<QLineEdit *>(field)->setText(text);
}

// The list's search with only `filters` switched on, as the list folds them
// (every form of each kaf, yeh and digit, Latin letters in either case),
// beside the same two statements with a plain LIKE in place of each folded
// condition, opened the same way into the same queries and the grid's model
// read as a paint reads it; in turns, nine times each, after one warm-up of
// each.
void compareWithPlainLike(const personnel_bench::Database &d, const QString &label, const QList<Filter> &filters)
{
    Tpersonel_src *list = app::personel_src;
    for (QCheckBox *box : {list->CheckBox1, list->CheckBox11, list->CheckBox12, list->CheckBox2})
        box->setChecked(false);
    for (const Filter &f : filters) {
        f.box->setChecked(true);
        setText(f.field, f.text);
    }
    const auto paint = [] {
        QAbstractItemModel *model = app::personel_src->DBGrid1->model();
        (void)model->data(model->index(model->rowCount() - 1, 5), Qt::DisplayRole);
    };
    const auto timed = [](const std::function<void()> &run) {
        QElapsedTimer t;
        t.start();
        run();
        return t.nsecsElapsed() / 1e9;
    };
    const auto folded = [&] { list->src_btnClick(); paint(); };
    folded();
    const QString foldedFound = list->cnt->text();
    QStringList countLines = app::dm->ADOQuery1->lines(), rowLines = app::dm->ADOQ_personel->lines();
    QStringList conditions;
    for (const Filter &f : filters) {
        const QString foldedLine = likeCondition(f.column, f.text);
        const QString plainLine = QStringLiteral(" and ") + f.column + QStringLiteral(" like ") + quoted(QLatin1Char('%') + f.text + QLatin1Char('%'));
        countLines.replaceInStrings(foldedLine, plainLine);
        rowLines.replaceInStrings(foldedLine, plainLine);
        conditions << foldedLine.trimmed();
    }
    const auto reopen = [](Query &q, const QStringList &lines) {
        q.clear();
        for (const QString &line : lines)
            q.add(line);
        q.open();
    };
    const auto plain = [&] {
        reopen(*app::dm->ADOQuery1, countLines);
        list->cnt->setText(app::dm->ADOQuery1->field(QStringLiteral("c")).asString());
        reopen(*app::dm->ADOQ_personel, rowLines);
        paint();
    };
    plain();
    QList<double> withFold, withoutFold;
    for (int i = 0; i < 9; ++i) {
        withFold << timed(folded);
        withoutFold << timed(plain);
    }
    out << d.label << ", " << label << ": " << foldedFound << " rows found folded, " << list->cnt->text() << " plain\n"
        << "  folded:     " << QString::number(bench::median(withFold), 'f', 3) << " s (median of 9)\n"
        << "  plain LIKE: " << QString::number(bench::median(withoutFold), 'f', 3) << " s (median of 9)\n"
        << "  folded / plain " << QString::number(bench::median(withFold) / bench::median(withoutFold), 'f', 2) << "x\n"
        << "  " << conditions.join(QStringLiteral("\n  ")) << Qt::endl;
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
    Tpersonel_src *list = app::personel_src;
    compareWithPlainLike(d, QStringLiteral("last name \"ي\" and county \"ا\""),
                         {{list->CheckBox1, list->lname, QStringLiteral("lname"), QStringLiteral("ي")},
                          {list->CheckBox11, list->shahrestan, QStringLiteral("shahrestan"), QStringLiteral("ا")}});
    // A letter few rows hold: the Arabic kaf of one last name in eleven.
    compareWithPlainLike(d, QStringLiteral("last name \"ك\""), {{list->CheckBox1, list->lname, QStringLiteral("lname"), QStringLiteral("ك")}});
    compareWithPlainLike(d, QStringLiteral("national code \"12\""),
                         {{list->CheckBox12, list->nation, QStringLiteral("nation"), QStringLiteral("12")}});
    app::destroyAll();
    return 0;
}
