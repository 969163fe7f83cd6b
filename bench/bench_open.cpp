// Opening a query of 200,000 trips into the static cursor, beside a loop
// over the engine's own C interface in this process and the raw engine's own
// client running the same statement, on SQLite and (when
// KAVRIN_BENCH_PG or KAVRIN_TEST_PG names a server) on PostgreSQL.
//
//   build/bench/bench_open [rows]
//
// Each engine is measured in a process of its own, so that one engine's
// freed memory does not hide the other's.
#include "benchutil.h"
#include "core/schema.h"
#include "platform/Connection.h"
#include "platform/Query.h"
#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QTextStream out(stdout);

// One generated trip, as the program would store it.
QVariantList tripValues(int i, QRandomGenerator &rng)
{
    static const QStringList drivers{QStringLiteral("علي رضايي"), QStringLiteral("حسن احمدي"), QStringLiteral("مهدي كريمي"),
                                     QStringLiteral("رضا محمدي"), QStringLiteral("سعيد حسيني")};
    static const QStringList places{QStringLiteral("اراک"), QStringLiteral("خمين"), QStringLiteral("ساوه"), QStringLiteral("تفرش")};
    const int km1 = 10000 + int(rng.bounded(90000));
    return {drivers[i % drivers.size()], QStringLiteral("ماموريت اداري شماره %1").arg(i), places[i % places.size()],
            QStringLiteral("بازديد"), QStringLiteral("پژو 405"), QStringLiteral("%1 ب %2 ايران 47").arg(10 + i % 89).arg(100 + i % 899),
            QStringLiteral("مرکزي"), places[(i + 1) % places.size()],
            QStringLiteral("1403/%1/%2").arg(1 + i % 12, 2, 10, QLatin1Char('0')).arg(1 + i % 29, 2, 10, QLatin1Char('0')),
            QStringLiteral("1403/%1/%2").arg(1 + i % 12, 2, 10, QLatin1Char('0')).arg(1 + i % 29, 2, 10, QLatin1Char('0')),
            QStringLiteral("08:00"), QStringLiteral("14:30"), km1, km1 + int(rng.bounded(400)), QString(), 0.0,
            QStringLiteral("درون شهر"), QStringLiteral("استيجاري"), 120.0, 6.5, 15000.0, 80000.0, 2320000.0};
}

const char *insertSql =
    "insert into taradod (ranande,mamor,loc,mamor_cmt,khodro,pelak,ostan,shahrestan,dat1,dat2,saat1,saat2,"
    "kilometr1,kilometr2,taradod_cmt,tavaghof,typ,nahve,karkard_kilometr,karkard_saat,mablagh_kilometr,mablagh_saat,mablagh) "
    "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";

bool fill(Connection &c, int rows)
{
    Query schema(&c, QStringLiteral("schema"));
    runSchemaBlocks(schema);
    QSqlDatabase db = c.database();
    QRandomGenerator rng(42);
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QLatin1String(insertSql));
    for (int i = 0; i < rows; ++i) {
        for (const QVariant &v : tripValues(i, rng))
            q.addBindValue(v);
        if (!q.exec()) {
            out << "insert failed: " << q.lastError().text() << Qt::endl;
            return false;
        }
    }
    return db.commit();
}

void measure(Connection &c, const QString &label, const QString &rawCommand, const QProcessEnvironment &env,
             const QString &statementFile)
{
    const QString sql = QStringLiteral("select * from taradod");
    QFile file(statementFile);
    file.open(QIODevice::WriteOnly);
    file.write(sql.toUtf8() + ";\n");
    file.close();
    // Raw engine first, so that both read a warm cache.
    bench::runCommand(rawCommand, env);
    const bench::CommandRun raw = bench::runCommand(rawCommand, env);

    // The engine's own C interface in this process, warm as well.
    bench::engineLoop(c, {sql});
    QList<double> loops{bench::engineLoop(c, {sql}).seconds};

    Query q(&c, QStringLiteral("ADOQ_taradod"));
    q.add(sql);
    bench::resetPeak();
    const long rssBefore = bench::statusKb("VmRSS");
    QElapsedTimer t;
    t.start();
    q.open();
    QList<double> opens{t.nsecsElapsed() / 1e9};
    const long peak = bench::statusKb("VmHWM") - rssBefore;
    const long held = bench::statusKb("VmRSS") - rssBefore;
    // Times vary with what else the machine runs: four more rounds of each,
    // taken in turns, and the medians compared.
    for (int i = 0; i < 4; ++i) {
        loops << bench::engineLoop(c, {sql}).seconds;
        q.close();
        t.restart();
        q.open();
        opens << t.nsecsElapsed() / 1e9;
    }
    const double seconds = bench::median(opens);
    const double loop = bench::median(loops);

    // The raw row data: every value's text in UTF-8, as the engine's client writes it.
    qint64 rawBytes = 0;
    for (int r = 0; r < q.recordCount(); ++r)
        for (int col = 0; col < q.columnCount(); ++col)
            rawBytes += q.textAt(r, col).toUtf8().size();

    out << label << ": " << q.recordCount() << " rows\n"
        << "  open into the static cursor: " << QString::number(seconds, 'f', 3) << " s (median of 5), "
        << "peak +" << peak / 1024 << " MiB, held +" << held / 1024 << " MiB\n"
        << "  raw engine client:           " << QString::number(raw.seconds, 'f', 3) << " s, "
        << "peak " << raw.peakKb / 1024 << " MiB" << (raw.ok ? "" : " (client failed)") << "\n"
        << "  engine's C interface loop:   " << QString::number(loop, 'f', 3) << " s (median of 5, in this process)\n"
        << "  raw row data: " << rawBytes / (1024 * 1024) << " MiB; time ratio to the loop "
        << QString::number(seconds / loop, 'f', 2) << "x, to the client "
        << QString::number(seconds / raw.seconds, 'f', 2) << "x, memory held / raw data "
        << QString::number(double(held) * 1024 / double(rawBytes), 'f', 2) << "x" << Qt::endl;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 200000;
    const QString only = argc > 2 ? QString::fromLatin1(argv[2]) : QString();
    if (bench::ranEachEngineApart(rows, only))
        return 0;
    QTemporaryDir dir;
    bench::Database d;
    if (!bench::engineDatabase(only, QStringLiteral("bench_open"), dir.path(), d, out))
        return 0;
    Connection c;
    c.setSettings(d.settings);
    c.open();
    if (!fill(c, rows))
        return 1;
    measure(c, d.label, d.clientCommand + QStringLiteral(" '%1'").arg(dir.filePath(QStringLiteral("statement.sql"))), d.clientEnv,
            dir.filePath(QStringLiteral("statement.sql")));
    return 0;
}
