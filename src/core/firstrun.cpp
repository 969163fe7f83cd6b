#include "firstrun.h"
#include "schema.h"
#include "platform/DataError.h"
#include "platform/Query.h"
#include <QFile>
#include <QTextStream>

ProvinceList readProvincesCsv(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw DataError(QStringLiteral("فايل استانها و شهرستانها خوانده نشد: %1").arg(path));
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    const QString header = in.readLine().trimmed().remove(QChar(0xFEFF));
    if (header != QLatin1String("ostan,shahrestan"))
        throw DataError(QStringLiteral("سطر اول فايل %1 بايد ostan,shahrestan باشد").arg(path));
    ProvinceList rows;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty())
            continue;
        const int comma = line.indexOf(QLatin1Char(','));
        if (comma <= 0)
            throw DataError(QStringLiteral("سطر نادرست در فايل %1: %2").arg(path, line));
        rows.append({line.left(comma).trimmed(), line.mid(comma + 1).trimmed()});
    }
    return rows;
}

static void registerShippedData() { Q_INIT_RESOURCE(resources); }

// The shipped list is a text of blocks, one per province: the province's
// name in brackets on a line of its own, then its counties, one a line.
// Blank lines and lines that start with "#" are skipped.
ProvinceList shippedProvinces()
{
    registerShippedData();
    const QString path = QStringLiteral(":/data/provinces.txt");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw DataError(QStringLiteral("فهرست استانها و شهرستانها خوانده نشد: %1").arg(path));
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    ProvinceList rows;
    QString province;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
            province = line.mid(1, line.size() - 2).trimmed();
        else if (province.isEmpty())
            throw DataError(QStringLiteral("شهرستان بدون استان در %1: %2").arg(path, line));
        else
            rows.append({province, line});
    }
    return rows;
}

namespace {

bool tableExists(Connection &connection, const QString &table)
{
    return !connection.columnKinds(table).isEmpty();
}

void run(Query &q, const QString &sql)
{
    q.clear();
    q.add(sql);
    q.execute();
}

int count(Query &q, const QString &sql)
{
    q.clear();
    q.add(sql);
    q.open();
    return int(q.field(QStringLiteral("c")).asInteger());
}

} // namespace

void prepareDatabase(Connection &connection, const QString &provincesCsv)
{
    // Read the file first: a bad file changes nothing in the database.
    prepareDatabase(connection, provincesCsv.isEmpty() ? ProvinceList() : readProvincesCsv(provincesCsv));
}

void prepareDatabase(Connection &connection, const ProvinceList &provinces)
{
    Query q(&connection, QStringLiteral("setup"));
    runSchemaBlocks(q);
    const Dialect &d = connection.dialect();
    const QString text50 = d.typeName(ColumnType::NVarChar, 50);
    if (!tableExists(connection, QStringLiteral("abadiha")))
        run(q, QStringLiteral("create table abadiha (ostan %1, shahrestan %1)").arg(text50));
    if (!tableExists(connection, QStringLiteral("dastrasi2")))
        run(q, QStringLiteral("create table dastrasi2 (user_id %1, cmt %1)").arg(text50));
    connection.forgetSchema();

    connection.transaction([&] {
        if (!provinces.isEmpty() && count(q, QStringLiteral("select count(*) as c from abadiha")) == 0) {
            for (const auto &row : provinces)
                run(q, QStringLiteral("insert into abadiha (ostan,shahrestan) values (%1,%2)").arg(d.quoted(row.first), d.quoted(row.second)));
        }
        // The lookup values the program compares with fixed texts.
        const QList<QPair<QString, QString>> lookups = {
            {QStringLiteral("سمت پرسنل"), QStringLiteral("راننده")},
            {QStringLiteral("سمت پرسنل"), QStringLiteral("پرسنل")},
            {QStringLiteral("نوع تردد"), QStringLiteral("درون شهر")},
            {QStringLiteral("نوع تردد"), QStringLiteral("خارج شهر")},
            {QStringLiteral("نوع تردد"), QStringLiteral("کارکرد روزانه")},
            {QStringLiteral("نحوه همکاري"), QStringLiteral("استيجاري")},
        };
        for (const auto &item : lookups) {
            if (count(q, QStringLiteral("select count(*) as c from setting where component=%1 and cmt=%2")
                             .arg(d.quoted(item.first), d.quoted(item.second))) == 0)
                run(q, QStringLiteral("insert into setting (component,cmt) values (%1,%2)").arg(d.quoted(item.first), d.quoted(item.second)));
        }
    });
}
