#include "Query.h"
#include "DataError.h"
#include "QueryPacking.h"
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <charconv>
#include <cmath>
#include <libpq-fe.h>
#include <sqlite3.h>

using namespace packed;

namespace {

// The connection's last failure as the Qt driver reports SQLite's: its text
// and its extended result code.
QSqlError sqliteError(sqlite3 *sqlite)
{
    return QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(sqlite)), QSqlError::StatementError,
                     QString::number(sqlite3_extended_errcode(sqlite)));
}

} // namespace

void Query::fetchGeneric(const QString &sql, const QHash<QString, ColumnKind> &declared,
                         QVector<Column> &columns, QVector<QByteArray> &rows)
{
    QSqlQuery q(m_connection->database());
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!q.exec(sql))
        throw DataError(q.lastError());
    const QSqlRecord rec = q.record();
    // Qt's ODBC driver reads a value when it is first asked for, in column
    // order, as the precision policy then in force says. A float or real
    // column is asked for as a double: as a text it would come in the
    // driver's own spelling ("1.0e-07"), kept as another program's text
    // would be. Money and decimals come as their exact texts.
    QVector<QSql::NumericalPrecisionPolicy> precision;
    for (int i = 0; i < rec.count(); ++i) {
        Column c;
        c.name = rec.fieldName(i);
        c.key = c.name.toLower();
        const ColumnKind own = columnKindOfField(m_connection->engine(), rec.field(i));
        c.kind = declared.value(c.key, own);
        c.computed = !declared.contains(c.key);
        columns << c;
        precision << (own == ColumnKind::Float ? QSql::LowPrecisionDouble : QSql::HighPrecision);
    }
    QVector<QVariant> values(columns.size());
    while (q.next()) {
        for (int i = 0; i < columns.size(); ++i) {
            q.setNumericalPrecisionPolicy(precision[i]);
            values[i] = q.value(i);
        }
        rows << pack(values, columns);
    }
    if (q.lastError().isValid())
        throw DataError(q.lastError());
}

// PostgreSQL is read through libpq in single-row mode: the rows stream in
// one at a time as UTF-8 texts and go straight into the packed rows.
void Query::fetchPostgres(const QString &sql, const QHash<QString, ColumnKind> &declared,
                          QVector<Column> &columns, QVector<QByteArray> &rows)
{
    enum : Oid { BoolOid = 16, ByteaOid = 17, Int8Oid = 20, Int2Oid = 21, Int4Oid = 23, OidOid = 26,
                 Float4Oid = 700, Float8Oid = 701, NumericOid = 1700, TimestampOid = 1114, TimestampTzOid = 1184 };
    QSqlDatabase db = m_connection->database();
    const QVariant handle = db.driver()->handle();
    PGconn *pg = handle.isValid() ? *static_cast<PGconn *const *>(handle.data()) : nullptr;
    if (!pg)
        throw DataError(QStringLiteral("%1: اتصال به بانک اطلاعاتي برقرار نيست").arg(objectName()));
    if (!PQsendQuery(pg, sql.toUtf8().constData()))
        throw DataError(QString::fromUtf8(PQerrorMessage(pg)).trimmed());
    PQsetSingleRowMode(pg);
    QString error;
    bool described = false;
    RowBuffer row;
    while (PGresult *result = PQgetResult(pg)) {
        const ExecStatusType status = PQresultStatus(result);
        if (status == PGRES_SINGLE_TUPLE || status == PGRES_TUPLES_OK) {
            const int n = PQnfields(result);
            if (!described) {
                for (int i = 0; i < n; ++i) {
                    Column c;
                    c.name = QString::fromUtf8(PQfname(result, i));
                    c.key = c.name.toLower();
                    ColumnKind kind;
                    switch (PQftype(result, i)) {
                    case BoolOid: kind = ColumnKind::Bool; break;
                    case ByteaOid: kind = ColumnKind::Bytes; break;
                    case Int2Oid: case Int4Oid: case Int8Oid: case OidOid: kind = ColumnKind::Integer; break;
                    case Float4Oid: case Float8Oid: kind = ColumnKind::Float; break;
                    case NumericOid: kind = ColumnKind::Money; break;
                    case TimestampOid: case TimestampTzOid: kind = ColumnKind::DateTime; break;
                    default: kind = ColumnKind::Text; break;
                    }
                    c.kind = declared.value(c.key, kind);
                    c.computed = !declared.contains(c.key);
                    columns << c;
                }
                described = true;
            }
            for (int r = 0; r < PQntuples(result); ++r) {
                row.clear();
                for (int i = 0; i < n; ++i) {
                    if (PQgetisnull(result, r, i)) {
                        row.append(char(TagNull));
                        continue;
                    }
                    const char *text = PQgetvalue(result, r, i);
                    const int size = PQgetlength(result, r, i);
                    switch (columns[i].kind) {
                    case ColumnKind::Bool:
                        row.append(char(text[0] == 't' || text[0] == '1' ? TagTrue : TagFalse));
                        break;
                    case ColumnKind::Integer:
                        row.append(char(TagInt));
                        appendRaw<qint64>(row, QByteArray::fromRawData(text, size).toLongLong());
                        break;
                    case ColumnKind::Float: {
                        // "NaN", "Infinity" and "-Infinity" are kept as the
                        // server spells them, as a text in a number column is.
                        double d = 0;
                        const auto [end, error] = std::from_chars(text, text + size, d);
                        if (error == std::errc() && end == text + size && std::isfinite(d)) {
                            row.append(char(TagDouble));
                            appendRaw<double>(row, d);
                        } else {
                            appendBlob(row, TagText, text, size);
                        }
                        break;
                    }
                    case ColumnKind::Money:
                        appendMoneyText(row, text, size);
                        break;
                    case ColumnKind::Bytes: {
                        size_t length = 0;
                        unsigned char *bytes = PQunescapeBytea(reinterpret_cast<const unsigned char *>(text), &length);
                        appendBlob(row, TagBytes, reinterpret_cast<const char *>(bytes), int(length));
                        PQfreemem(bytes);
                        break;
                    }
                    case ColumnKind::DateTime:
                        appendDateTimeOrText(row, QString::fromUtf8(text, size));
                        break;
                    case ColumnKind::Text:
                        appendBlob(row, TagText, text, size);
                        break;
                    }
                }
                rows << QByteArray(row.constData(), row.size());
            }
        } else if (status != PGRES_COMMAND_OK && status != PGRES_EMPTY_QUERY) {
            error = QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
        }
        PQclear(result);
    }
    if (!error.isEmpty())
        throw DataError(error);
}

// SQLite is read through its own interface: the texts come as UTF-8 straight
// into the packed rows, without a detour through QVariant and UTF-16.
void Query::fetchSqlite(const QString &sql, const QHash<QString, ColumnKind> &declared,
                        QVector<Column> &columns, QVector<QByteArray> &rows)
{
    QSqlDatabase db = m_connection->database();
    const QVariant handle = db.driver()->handle();
    sqlite3 *sqlite = handle.isValid() ? *static_cast<sqlite3 *const *>(handle.data()) : nullptr;
    if (!sqlite)
        throw DataError(QStringLiteral("%1: اتصال به بانک اطلاعاتي برقرار نيست").arg(objectName()));
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(sqlite, utf8.constData(), int(utf8.size()), &statement, nullptr) != SQLITE_OK)
        throw DataError(sqliteError(sqlite));
    // The columns are described after the first step: a statement prepared
    // before another connection changed the table is prepared again by it.
    int rc = sqlite3_step(statement);
    const int n = sqlite3_column_count(statement);
    for (int i = 0; i < n; ++i) {
        Column c;
        c.name = QString::fromUtf8(sqlite3_column_name(statement, i));
        c.key = c.name.toLower();
        const char *decl = sqlite3_column_decltype(statement, i);
        c.kind = declared.value(c.key, decl ? columnKindOfDeclaredType(QString::fromUtf8(decl)) : ColumnKind::Text);
        c.computed = !declared.contains(c.key);
        columns << c;
    }
    bool firstRow = true;
    RowBuffer row;
    for (; rc == SQLITE_ROW; rc = sqlite3_step(statement)) {
        row.clear();
        for (int i = 0; i < n; ++i) {
            const int type = sqlite3_column_type(statement, i);
            // An expression column (count(*), a sum) has no declared type:
            // it takes the kind of its first value.
            if (firstRow && !declared.contains(columns[i].key) && !sqlite3_column_decltype(statement, i)) {
                if (type == SQLITE_INTEGER) columns[i].kind = ColumnKind::Integer;
                else if (type == SQLITE_FLOAT) columns[i].kind = ColumnKind::Float;
                else if (type == SQLITE_BLOB) columns[i].kind = ColumnKind::Bytes;
            }
            const ColumnKind kind = columns.at(i).kind;
            switch (type) {
            case SQLITE_NULL:
                row.append(char(TagNull));
                break;
            case SQLITE_INTEGER: {
                const qint64 v = sqlite3_column_int64(statement, i);
                if (kind == ColumnKind::Bool) {
                    row.append(char(v ? TagTrue : TagFalse));
                } else if (kind == ColumnKind::Money) {
                    qint64 units;
                    if (!qMulOverflow(v, Money::Scale, &units)) {
                        appendMoney(row, Money{units});
                    } else {
                        row.append(char(TagDouble));
                        appendRaw<double>(row, double(v));
                    }
                } else if (kind == ColumnKind::Float) {
                    row.append(char(TagDouble));
                    appendRaw<double>(row, double(v));
                } else if (kind == ColumnKind::Text) {
                    const QByteArray text = QByteArray::number(v);
                    appendBlob(row, TagText, text.constData(), int(text.size()));
                } else {
                    row.append(char(TagInt));
                    appendRaw<qint64>(row, v);
                }
                break;
            }
            case SQLITE_FLOAT: {
                const double v = sqlite3_column_double(statement, i);
                if (kind == ColumnKind::Text) {
                    const QByteArray text = plainNumberText(v).toUtf8();
                    appendBlob(row, TagText, text.constData(), int(text.size()));
                } else if (kind == ColumnKind::Money) {
                    appendMoneyDouble(row, v);
                } else {
                    row.append(char(TagDouble));
                    appendRaw<double>(row, v);
                }
                break;
            }
            case SQLITE_BLOB: {
                const char *data = static_cast<const char *>(sqlite3_column_blob(statement, i));
                appendBlob(row, TagBytes, data, sqlite3_column_bytes(statement, i));
                break;
            }
            default: { // text
                const char *data = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
                const int size = sqlite3_column_bytes(statement, i);
                if (kind == ColumnKind::DateTime)
                    appendDateTimeOrText(row, QString::fromUtf8(data, size));
                else if (kind == ColumnKind::Money)
                    appendMoneyText(row, data, size);
                else
                    appendBlob(row, kind == ColumnKind::Bytes ? TagBytes : TagText, data, size);
                break;
            }
            }
        }
        rows << QByteArray(row.constData(), row.size());
        firstRow = false;
    }
    const QSqlError error = rc == SQLITE_DONE ? QSqlError() : sqliteError(sqlite);
    sqlite3_finalize(statement);
    if (error.isValid())
        throw DataError(error);
}
