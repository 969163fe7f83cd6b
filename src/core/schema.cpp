#include "schema.h"
#include "platform/Query.h"

namespace {

using T = ColumnType;

struct Block {
    enum Kind { Create, AlterOne, AlterMany } kind;
    QString table;
    QList<ColumnDef> columns;
};

QList<Block> blocks()
{
    return {
        {Block::Create, QStringLiteral("users"), {{"us", T::NVarChar, 25}, {"ps", T::NVarChar, 25}, {"ver", T::NVarChar, 25}}},
        {Block::Create, QStringLiteral("setting"), {{"component", T::NVarChar, 100}, {"cmt", T::NVarChar, 150}, {"def", T::NVarChar, 5}}},
        {Block::Create, QStringLiteral("log"), {{"karbar", T::NVarChar, 150}, {"ip", T::NVarChar, 20}, {"computer_name", T::NVarChar, 50},
                                                {"saat", T::NVarChar, 30}, {"tarikh", T::NVarChar, 10}, {"cmt", T::NVarChar, 200},
                                                {"saat_sys", T::ServerTime}}},
        {Block::Create, QStringLiteral("payamha"), {{"send_prs_id", T::Int}, {"rec_prs_id", T::Int}, {"send_dat", T::NVarChar, 10},
                                                    {"show_dat", T::NVarChar, 10}, {"mozo", T::NVarChar, 100}, {"cmt", T::Image}}},
        {Block::Create, QStringLiteral("dastrasi"), {{"prs_id", T::Int}, {"page_name", T::NVarChar, 25}, {"darj", T::Bit},
                                                     {"virayesh", T::Bit}, {"hazf", T::Bit}, {"namayesh", T::Bit}}},
        {Block::Create, QStringLiteral("zamaem"), {{"cmt", T::NVarChar, 150}, {"ramz", T::NVarChar, 20}, {"pictype", T::NVarChar, 5}, {"pic", T::Image}}},
        {Block::Create, QStringLiteral("phone"), {{"name", T::NVarChar, 100}, {"tel", T::NVarChar, 40}, {"cmt", T::NVarChar, 150}}},
        {Block::Create, QStringLiteral("new_pic"), {{"new_id", T::BigInt}, {"cmt", T::NVarChar, 100}, {"pictyp", T::NVarChar, 10}, {"pic", T::Image}}},
        {Block::Create, QStringLiteral("personel"), {
            {"typ", T::NVarChar, 50}, {"fname", T::NVarChar, 40}, {"lname", T::NVarChar, 50}, {"father", T::NVarChar, 40},
            {"nation", T::NVarChar, 10}, {"sh_no", T::NVarChar, 40}, {"birthday", T::NVarChar, 10}, {"sodor", T::NVarChar, 40},
            {"mazhab", T::NVarChar, 20}, {"farzand", T::Int}, {"taahol", T::NVarChar, 40}, {"phone", T::NVarChar, 50},
            {"mobile", T::NVarChar, 50}, {"zipcode", T::NVarChar, 10}, {"adr", T::NVarChar, 350}, {"govahiname_dat", T::NVarChar, 10},
            {"govahiname_nomre", T::Float}, {"govahiname_no", T::NVarChar, 150}, {"cmt", T::NVarChar, 350}, {"ostan", T::NVarChar, 50},
            {"shahrestan", T::NVarChar, 50}, {"reg_dat", T::NVarChar, 10}, {"prot_no", T::NVarChar, 30}, {"prot_dat", T::NVarChar, 10},
            {"salamat_dat", T::NVarChar, 10}, {"khodro", T::NVarChar, 100}, {"model", T::NVarChar, 4}, {"pelak", T::NVarChar, 50},
            {"kilometr", T::Int}, {"bime", T::NVarChar, 10}, {"fani", T::NVarChar, 350}, {"maharat", T::NVarChar, 350},
            {"status", T::NVarChar, 50}}},
        {Block::AlterOne, QStringLiteral("personel"), {{"semat", T::NVarChar, 50}}},
        {Block::AlterOne, QStringLiteral("personel"), {{"loc", T::NVarChar, 50}}},
        {Block::Create, QStringLiteral("personel_pic"), {{"personel_id", T::Int}, {"cmt", T::NVarChar, 150}, {"pictyp", T::NVarChar, 5}, {"pic", T::Image}}},
        {Block::Create, QStringLiteral("khodro"), {
            {"lname", T::NVarChar, 50}, {"khodro", T::NVarChar, 100}, {"model", T::Int}, {"pelak", T::NVarChar, 50},
            {"hajm_motor", T::Int}, {"shasi", T::NVarChar, 50}, {"motor_no", T::NVarChar, 30}, {"rang", T::NVarChar, 20},
            {"kilometr", T::Int}, {"arzesh", T::Money}, {"bime_no_sales", T::NVarChar, 40}, {"bime_dat_sales", T::NVarChar, 10},
            {"ostan", T::NVarChar, 50}, {"shahrestan", T::NVarChar, 50}, {"bime_no_badane", T::NVarChar, 40},
            {"bime_dat_badane", T::NVarChar, 10}, {"sokht_nam", T::NVarChar, 50}, {"sokht_dat", T::NVarChar, 10},
            {"cmt", T::NVarChar, 350}, {"madar_cod", T::NVarChar, 50}, {"madar_cmt", T::NVarChar, 350},
            {"madarek", T::NVarChar, 350}, {"fani", T::NVarChar, 350}, {"abzar", T::NVarChar, 350}, {"status", T::NVarChar, 50}}},
        {Block::Create, QStringLiteral("khodro_pic"), {{"khodro_id", T::Int}, {"cmt", T::NVarChar, 150}, {"pictyp", T::NVarChar, 5}, {"pic", T::Image}}},
        {Block::Create, QStringLiteral("taradod"), {
            {"ranande", T::NVarChar, 50}, {"mamor", T::NVarChar, 500}, {"loc", T::NVarChar, 50}, {"mamor_cmt", T::NVarChar, 50},
            {"khodro", T::NVarChar, 100}, {"pelak", T::NVarChar, 50}, {"ostan", T::NVarChar, 50}, {"shahrestan", T::NVarChar, 50},
            {"dat1", T::NVarChar, 10}, {"dat2", T::NVarChar, 10}, {"saat1", T::NVarChar, 5}, {"saat2", T::NVarChar, 5},
            {"kilometr1", T::Int}, {"kilometr2", T::Int}, {"taradod_cmt", T::NVarChar, 350}, {"tavaghof", T::Float}}},
        {Block::AlterMany, QStringLiteral("taradod"), {
            {"typ", T::NVarChar, 50}, {"nahve", T::NVarChar, 50}, {"karkard_kilometr", T::Float}, {"karkard_saat", T::Float},
            {"mablagh_kilometr", T::Money}, {"mablagh_saat", T::Money}, {"mablagh", T::Money}}},
    };
}

void runStatement(Query &q, const QStringList &lines)
{
    q.clear();
    for (const QString &line : lines)
        q.add(line);
    q.execute();
}

void runBlock(Query &q, const Block &block, int number)
{
    Connection &conn = *q.connection();
    const Dialect &dialect = conn.dialect();
    switch (block.kind) {
    case Block::Create: {
        QStringList lines{QStringLiteral("create table ") + block.table + QStringLiteral(" ("),
                          QStringLiteral("id ") + dialect.typeName(ColumnType::Identity, 0) + QLatin1Char(',')};
        for (int i = 0; i < block.columns.size(); ++i)
            lines << dialect.columnDefinition(block.columns[i]) + (i + 1 < block.columns.size() ? QStringLiteral(",") : QString());
        lines << QStringLiteral(")");
        runStatement(q, lines);
        // The default rows stand in the same guard: only a new table gets them.
        if (number == 1)
            runStatement(q, {QStringLiteral("Insert Into users (us,ps,ver) Values(") + dialect.quoted(QStringLiteral("admin")) + QLatin1Char(',')
                             + dialect.quoted(QString::fromLatin1(InitialAdminPassword)) + QLatin1Char(',') + dialect.quoted(QStringLiteral("1")) + QLatin1Char(')')});
        if (number == 5) {
            const QString one = dialect.bitLiteral(true);
            runStatement(q, {QStringLiteral("Insert Into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) Values(1,")
                             + dialect.quoted(QStringLiteral("karbaran")) + QLatin1Char(',') + QStringList{one, one, one, one}.join(QLatin1Char(','))
                             + QLatin1Char(')')});
        }
        break;
    }
    case Block::AlterOne:
        runStatement(q, {QStringLiteral("alter table ") + block.table + QLatin1Char(' '),
                         QStringLiteral("add ") + dialect.columnDefinition(block.columns.first())});
        break;
    case Block::AlterMany: {
        // One statement on SQL Server and PostgreSQL; SQLite adds a column a
        // statement, so the transaction keeps "all or none".
        const QStringList statements = dialect.addColumns(block.table, block.columns);
        conn.transaction([&] {
            for (const QString &s : statements)
                runStatement(q, s.split(QLatin1Char('\n')));
        });
        break;
    }
    }
}

} // namespace

void runSchemaBlocks(Query &query)
{
    const QList<Block> all = blocks();
    for (int i = 0; i < all.size(); ++i) {
        try {
            runBlock(query, all[i], i + 1);
        } catch (...) {
            // Table or column already there, no connection, no permission:
            // the block ends and the next one runs.
        }
    }
    query.connection()->forgetSchema();
}

int createdLength(const QString &table, const QString &column)
{
    for (const Block &block : blocks())
        for (const ColumnDef &c : block.columns)
            if (block.table == table && c.name == column && c.type == ColumnType::NVarChar)
                return c.length;
    return 0;
}

QStringList missingSchemaParts(Connection &connection)
{
    connection.forgetSchema();
    QStringList missing;
    for (const Block &block : blocks()) {
        const QHash<QString, ColumnKind> columns = connection.columnKinds(block.table);
        if (block.kind == Block::Create) {
            if (columns.isEmpty())
                missing << block.table;
            continue;
        }
        if (columns.isEmpty() && missing.contains(block.table))
            continue; // the table itself is named already
        for (const ColumnDef &column : block.columns)
            if (!columns.contains(column.name.toLower()))
                missing << block.table + QLatin1Char('.') + column.name;
    }
    return missing;
}
