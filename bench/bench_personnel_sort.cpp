// The column-title sort of the personnel list over 200,000 fetched rows: a
// click on a title sorts the static cursor in memory (no statement goes to the
// server) and the grid's model is ready to paint again. Texts sort by the
// Persian collation, numbers as numbers; the sort does not depend on the
// engine, so it runs on SQLite.
//
//   build/bench/bench_personnel_sort [rows]
#include "personnel_bench_data.h"
#include "platform/DbGrid.h"
#include "platform/Query.h"
#include "personnel/personel_src_u.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QTemporaryDir>

namespace {

QTextStream out(stdout);

int columnOf(const QString &field)
{
    const QList<GridColumn> &cols = Tpersonel_src::gridColumns();
    for (int i = 0; i < cols.size(); ++i)
        if (cols[i].field == field)
            return i;
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    const int rows = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 200000;
    QTemporaryDir dir;
    const personnel_bench::Database d = personnel_bench::sqliteDatabase(dir.path());
    if (!personnel_bench::openAndFill(d, rows, out))
        return 1;
    Tpersonel_src *list = app::personel_src;
    list->src_btnClick();
    out << "column-title sort of " << app::dm->ADOQ_personel->recordCount() << " rows\n";

    // Each click as the user makes it: on the header of the grid.
    const QList<QPair<QString, QString>> clicks{{QStringLiteral("lname"), QStringLiteral("text, first click")},
                                                {QStringLiteral("lname"), QStringLiteral("text, second click")},
                                                {QStringLiteral("adr"), QStringLiteral("long text")},
                                                {QStringLiteral("nation"), QStringLiteral("digits, every value distinct")},
                                                {QStringLiteral("pelak"), QStringLiteral("Persian text, 80,000 distinct values")},
                                                {QStringLiteral("kilometr"), QStringLiteral("integer")},
                                                {QStringLiteral("govahiname_nomre"), QStringLiteral("float")},
                                                {QStringLiteral("reg_dat"), QStringLiteral("date text")}};
    double worst = 0;
    for (const auto &[field, what] : clicks) {
        QElapsedTimer t;
        t.start();
        Q_EMIT list->DBGrid1->horizontalHeader()->sectionClicked(columnOf(field));
        QAbstractItemModel *model = list->DBGrid1->model();
        (void)model->data(model->index(model->rowCount() - 1, columnOf(field)), Qt::DisplayRole);
        const double s = t.nsecsElapsed() / 1e9;
        worst = qMax(worst, s);
        out << "  " << field << " (" << what << ", " << app::dm->ADOQ_personel->sort() << "): "
            << QString::number(s, 'f', 3) << " s\n";
    }
    out << "  slowest click: " << QString::number(worst, 'f', 3) << " s" << Qt::endl;
    app::destroyAll();
    return 0;
}
