#include "Query.h"
#include "DataError.h"
#include <QCollator>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>
#include <libpq-fe.h>
#include <sqlite3.h>

// Rows are kept packed, one QByteArray a row, so that a result set of a few
// hundred thousand rows costs little more than its data: each value is a tag
// byte followed by its payload (8 bytes for numbers and times, a length and
// UTF-8 or raw bytes for texts and blobs, nothing for NULL and booleans).
namespace {

enum Tag : char { TagNull, TagInt, TagDouble, TagText, TagBytes, TagFalse, TagTrue, TagDateTime };

template<typename T> void appendRaw(QByteArray &out, T v) { out.append(reinterpret_cast<const char *>(&v), sizeof v); }
template<typename T> T readRaw(const char *p) { T v; std::memcpy(&v, p, sizeof v); return v; }

void appendLength(QByteArray &out, quint32 n)
{
    while (n >= 0x80) {
        out.append(char(n | 0x80));
        n >>= 7;
    }
    out.append(char(n));
}

quint32 readLength(const char *&p)
{
    quint32 n = 0;
    for (int shift = 0;; shift += 7) {
        const quint8 b = quint8(*p++);
        n |= quint32(b & 0x7F) << shift;
        if (!(b & 0x80))
            return n;
    }
}

void appendBlob(QByteArray &out, Tag tag, const char *data, int size)
{
    out.append(char(tag));
    appendLength(out, quint32(size));
    out.append(data, size);
}

// Numbers are written with a dot and without group separators: "1,500"
// is no number, as in every other place the program reads one.
const QLocale &numberLocale()
{
    static const QLocale locale = [] {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        return c;
    }();
    return locale;
}

QString fieldNotFound(const QString &query, const QString &field)
{
    return QStringLiteral("%1: فيلد '%2' پيدا نشد").arg(query, field);
}

QDateTime toDateTime(const QVariant &v)
{
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime();
    QString s = v.toString().trimmed();
    if (s.size() > 10 && s.at(10) == QLatin1Char(' '))
        s[10] = QLatin1Char('T'); // "2026-12-07 08:30:00.25", as servers write it
    QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!dt.isValid())
        dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime::fromString(s, QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    return dt;
}

void appendDateTimeOrText(QByteArray &out, const QVariant &v)
{
    const QDateTime dt = toDateTime(v);
    if (dt.isValid()) {
        out.append(char(TagDateTime));
        appendRaw<qint64>(out, dt.toMSecsSinceEpoch());
    } else {
        const QByteArray text = v.toString().toUtf8();
        appendBlob(out, TagText, text.constData(), int(text.size()));
    }
}

} // namespace

QByteArray Query::pack(const QVector<QVariant> &values, const QVector<Column> &columns)
{
    QByteArray out;
    for (int c = 0; c < columns.size(); ++c) {
        const QVariant &v = values[c];
        if (v.isNull() || !v.isValid()) {
            out.append(char(TagNull));
            continue;
        }
        switch (columns[c].kind) {
        case ColumnKind::Integer: out.append(char(TagInt)); appendRaw<qint64>(out, v.toLongLong()); break;
        case ColumnKind::Float: out.append(char(TagDouble)); appendRaw<double>(out, v.toDouble()); break;
        case ColumnKind::Bool: out.append(char(v.toBool() ? TagTrue : TagFalse)); break;
        case ColumnKind::Bytes: {
            const QByteArray b = v.toByteArray();
            appendBlob(out, TagBytes, b.constData(), int(b.size()));
            break;
        }
        case ColumnKind::DateTime: appendDateTimeOrText(out, v); break;
        case ColumnKind::Text: {
            const QByteArray text = v.toString().toUtf8();
            appendBlob(out, TagText, text.constData(), int(text.size()));
            break;
        }
        }
    }
    return QByteArray(out.constData(), out.size()); // exact size: no growth slack kept per row
}

QVariant Query::unpack(const QByteArray &row, int column, ColumnKind)
{
    const char *p = row.constData();
    for (int c = 0;; ++c) {
        const Tag tag = Tag(*p++);
        quint32 size = 0;
        switch (tag) {
        case TagNull: case TagFalse: case TagTrue: break;
        case TagInt: case TagDouble: case TagDateTime: size = 8; break;
        case TagText: case TagBytes: size = readLength(p); break;
        }
        if (c < column) {
            p += size;
            continue;
        }
        switch (tag) {
        case TagNull: return QVariant();
        case TagInt: return QVariant(readRaw<qint64>(p));
        case TagDouble: return QVariant(readRaw<double>(p));
        case TagText: return QVariant(QString::fromUtf8(p, qsizetype(size)));
        case TagBytes: return QVariant(QByteArray(p, qsizetype(size)));
        case TagFalse: return QVariant(false);
        case TagTrue: return QVariant(true);
        case TagDateTime: return QVariant(QDateTime::fromMSecsSinceEpoch(readRaw<qint64>(p)));
        }
        return QVariant();
    }
}

QString Query::displayText(const QVariant &value, ColumnKind kind)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.metaType().id()) {
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double: return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QDateTime: return value.toDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    case QMetaType::QByteArray: return QString::fromUtf8(value.toByteArray());
    default: break;
    }
    Q_UNUSED(kind)
    return value.toString();
}

// ---------------------------------------------------------------- Field

QString Field::name() const { return m_query->m_columns[m_column].name; }
ColumnKind Field::kind() const { return m_query->m_columns[m_column].kind; }
QVariant Field::value() const { return m_query->currentValue(m_column); }
bool Field::isNull() const { const QVariant v = value(); return v.isNull() || !v.isValid(); }
QString Field::asString() const { return Query::displayText(value(), kind()); }
QByteArray Field::asBytes() const
{
    const QVariant v = value();
    return v.metaType().id() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
}

qint64 Field::asInteger() const
{
    const QVariant v = value();
    if (v.isNull() || !v.isValid())
        return 0;
    switch (v.metaType().id()) {
    case QMetaType::LongLong: case QMetaType::Int: return v.toLongLong();
    case QMetaType::Double: return qRound64(v.toDouble());
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    default: break;
    }
    bool ok = false;
    const qint64 n = v.toString().trimmed().toLongLong(&ok);
    if (!ok)
        throw DataError(QStringLiteral("'%1' يك عدد صحيح معتبر نيست").arg(v.toString()));
    return n;
}

double Field::asFloat() const
{
    const QVariant v = value();
    switch (v.metaType().id()) {
    case QMetaType::LongLong: case QMetaType::Int: case QMetaType::Double: return v.toDouble();
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    default: break;
    }
    if (kind() != ColumnKind::Text && (v.isNull() || !v.isValid()))
        return 0;
    bool ok = false;
    const double d = numberLocale().toDouble(v.toString().trimmed(), &ok);
    if (!ok)
        throw DataError(QStringLiteral("'%1' يك عدد معتبر نيست").arg(v.toString()));
    return d;
}

bool Field::asBoolean() const
{
    const QVariant v = value();
    if (v.isNull() || !v.isValid())
        return false;
    if (v.metaType().id() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || (s.toLongLong() != 0);
    }
    return v.toBool();
}

void Field::setText(const QString &text) { m_query->assign(m_column, m_query->convertText(m_column, text)); }
void Field::setValue(const QVariant &value) { m_query->assign(m_column, value); }
void Field::setBytes(const QByteArray &bytes) { m_query->assign(m_column, QVariant(bytes)); }
void Field::clear() { m_query->assign(m_column, QVariant()); }

// ---------------------------------------------------------------- Query

Query::Query(Connection *connection, const QString &name, const QString &designSql, QObject *parent)
    : QObject(parent), m_connection(connection), m_designSql(designSql)
{
    setObjectName(name);
}

void Query::clear()
{
    closeSilently();
    m_lines.clear();
    m_statementSet = true;
}

void Query::add(const QString &line)
{
    closeSilently();
    m_lines << line;
    m_statementSet = true;
}

void Query::setText(const QString &text)
{
    closeSilently();
    m_lines = text.split(QLatin1Char('\n'));
    m_statementSet = true;
}

QString Query::text() const
{
    if (!m_statementSet)
        return m_designSql;
    return m_lines.join(QLatin1Char('\n'));
}

void Query::closeSilently()
{
    if (m_state == State::Closed)
        return;
    close();
}

void Query::close()
{
    const bool wasOpen = m_state != State::Closed;
    m_state = State::Closed;
    m_rows.clear();
    m_rows.squeeze();
    m_columns.clear();
    m_columnIndex.clear();
    m_buffer.clear();
    m_assigned.clear();
    m_current = -1;
    m_eof = m_bof = true;
    m_sort.clear();
    if (wasOpen) {
        Q_EMIT reset();
        Q_EMIT currentChanged(-1);
    }
}

void Query::open()
{
    close();
    const QString sql = text();
    // The declared column kinds are read first: PostgreSQL streams the rows
    // and allows no other statement on the connection until they are read.
    const QHash<QString, ColumnKind> declared = baseTable().isEmpty()
        ? QHash<QString, ColumnKind>() : m_connection->columnKinds(baseTable());
    QVector<Column> columns;
    QVector<QByteArray> rows;
    if (m_connection->engine() == Engine::Sqlite)
        fetchSqlite(sql, declared, columns, rows);
    else if (m_connection->engine() == Engine::PostgreSql)
        fetchPostgres(sql, declared, columns, rows);
    else
        fetchGeneric(sql, declared, columns, rows);

    m_columns = columns;
    for (int i = 0; i < m_columns.size(); ++i)
        if (!m_columnIndex.contains(m_columns[i].key))
            m_columnIndex.insert(m_columns[i].key, i);
    m_rows = std::move(rows);
    m_state = State::Browse;
    m_current = m_rows.isEmpty() ? -1 : 0;
    m_eof = m_rows.isEmpty();
    m_bof = true;
    Q_EMIT reset();
    Q_EMIT currentChanged(m_current);
}

void Query::fetchGeneric(const QString &sql, const QHash<QString, ColumnKind> &declared,
                         QVector<Column> &columns, QVector<QByteArray> &rows)
{
    QSqlQuery q(m_connection->database());
    q.setForwardOnly(true);
    if (!q.exec(sql))
        throw DataError(q.lastError().text());
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) {
        Column c;
        c.name = rec.fieldName(i);
        c.key = c.name.toLower();
        c.kind = declared.value(c.key, columnKindOfMetaType(rec.field(i).metaType().id()));
        columns << c;
    }
    QVector<QVariant> values(columns.size());
    while (q.next()) {
        for (int i = 0; i < columns.size(); ++i)
            values[i] = q.value(i);
        rows << pack(values, columns);
    }
    if (q.lastError().isValid())
        throw DataError(q.lastError().text());
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
    QByteArray row;
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
                    case Float4Oid: case Float8Oid: case NumericOid: kind = ColumnKind::Float; break;
                    case TimestampOid: case TimestampTzOid: kind = ColumnKind::DateTime; break;
                    default: kind = ColumnKind::Text; break;
                    }
                    c.kind = declared.value(c.key, kind);
                    columns << c;
                }
                described = true;
            }
            for (int r = 0; r < PQntuples(result); ++r) {
                row.resize(0);
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
                    case ColumnKind::Float:
                        row.append(char(TagDouble));
                        appendRaw<double>(row, QByteArray::fromRawData(text, size).toDouble());
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
        throw DataError(QString::fromUtf8(sqlite3_errmsg(sqlite)));
    const int n = sqlite3_column_count(statement);
    for (int i = 0; i < n; ++i) {
        Column c;
        c.name = QString::fromUtf8(sqlite3_column_name(statement, i));
        c.key = c.name.toLower();
        const char *decl = sqlite3_column_decltype(statement, i);
        c.kind = declared.value(c.key, decl ? columnKindOfDeclaredType(QString::fromUtf8(decl)) : ColumnKind::Text);
        columns << c;
    }
    bool firstRow = true;
    int rc;
    QByteArray row; // reused: each stored row is an exact-size copy of it
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        row.resize(0);
        for (int i = 0; i < n; ++i) {
            const int type = sqlite3_column_type(statement, i);
            // An expression column (count(*), a sum) has no declared type:
            // it takes the kind of its first value.
            if (firstRow && !declared.contains(columns[i].key) && !sqlite3_column_decltype(statement, i)) {
                if (type == SQLITE_INTEGER) columns[i].kind = ColumnKind::Integer;
                else if (type == SQLITE_FLOAT) columns[i].kind = ColumnKind::Float;
                else if (type == SQLITE_BLOB) columns[i].kind = ColumnKind::Bytes;
            }
            const ColumnKind kind = columns[i].kind;
            switch (type) {
            case SQLITE_NULL:
                row.append(char(TagNull));
                break;
            case SQLITE_INTEGER: {
                const qint64 v = sqlite3_column_int64(statement, i);
                if (kind == ColumnKind::Bool) {
                    row.append(char(v ? TagTrue : TagFalse));
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
                    const QByteArray text = QByteArray::number(v, 'g', 15);
                    appendBlob(row, TagText, text.constData(), int(text.size()));
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
                else
                    appendBlob(row, kind == ColumnKind::Bytes ? TagBytes : TagText, data, size);
                break;
            }
            }
        }
        rows << QByteArray(row.constData(), row.size());
        firstRow = false;
    }
    const QString error = rc == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(sqlite));
    sqlite3_finalize(statement);
    if (!error.isEmpty())
        throw DataError(error);
}

int Query::execute()
{
    close();
    QSqlQuery q(m_connection->database());
    const QString sql = text();
    if (!q.exec(sql))
        throw DataError(q.lastError().text());
    const QString head = sql.trimmed().left(6).toLower();
    if (head == QLatin1String("create") || head.startsWith(QLatin1String("alter")) || head.startsWith(QLatin1String("drop")))
        m_connection->forgetSchema();
    return q.numRowsAffected();
}

void Query::requireOpen() const
{
    if (m_state == State::Closed)
        throw DataError(QStringLiteral("%1: عمليات روي مجموعه داده بسته ممكن نيست").arg(objectName()));
}

void Query::requireRow() const
{
    requireOpen();
    if (m_state == State::Browse && m_current < 0)
        throw DataError(QStringLiteral("%1: مجموعه داده خالي است").arg(objectName()));
}

void Query::setCurrent(int row)
{
    if (row == m_current)
        return;
    m_current = row;
    Q_EMIT currentChanged(m_current);
}

void Query::setRecNo(int recNo)
{
    requireOpen();
    if (m_rows.isEmpty())
        return;
    m_eof = m_bof = false;
    setCurrent(std::clamp(recNo, 1, int(m_rows.size())) - 1);
}

void Query::first()
{
    requireOpen();
    m_bof = true;
    m_eof = m_rows.isEmpty();
    setCurrent(m_rows.isEmpty() ? -1 : 0);
}

void Query::last()
{
    requireOpen();
    m_eof = true;
    m_bof = m_rows.isEmpty();
    setCurrent(int(m_rows.size()) - 1);
}

void Query::next()
{
    requireOpen();
    if (m_current + 1 < m_rows.size()) {
        m_bof = false;
        setCurrent(m_current + 1);
    } else {
        m_eof = true;
    }
}

void Query::prior()
{
    requireOpen();
    if (m_current > 0) {
        m_eof = false;
        setCurrent(m_current - 1);
    } else {
        m_bof = true;
    }
}

int Query::columnIndex(const QString &name) const
{
    return m_columnIndex.value(name.toLower(), -1);
}

Field Query::field(const QString &name)
{
    const int c = m_state == State::Closed ? -1 : columnIndex(name);
    if (c < 0)
        throw DataError(fieldNotFound(objectName(), name));
    return Field(this, c);
}

QVariant Query::valueAt(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns.size())
        return QVariant();
    return unpack(m_rows[row], column, m_columns[column].kind);
}

QString Query::textAt(int row, int column) const
{
    return displayText(valueAt(row, column), m_columns.value(column).kind);
}

QVariant Query::currentValue(int column) const
{
    if (m_state == State::Edit || m_state == State::Insert)
        return m_buffer.value(column);
    if (m_current < 0)
        return QVariant(); // an empty result set reads as NULL, as the platform did
    return valueAt(m_current, column);
}

ColumnKind Query::tableKind(int column) const
{
    const QString table = baseTable();
    if (!table.isEmpty()) {
        const QHash<QString, ColumnKind> kinds = m_connection->columnKinds(table);
        auto it = kinds.constFind(m_columns[column].key);
        if (it != kinds.constEnd())
            return *it;
    }
    return m_columns[column].kind;
}

QVariant Query::convertText(int column, const QString &text) const
{
    switch (tableKind(column)) {
    // An empty text is stored as the empty text, never as NULL (the drivers
    // bind a null QString as NULL).
    case ColumnKind::Text: return text.isNull() ? QStringLiteral("") : text;
    case ColumnKind::Bytes: return text.toUtf8();
    case ColumnKind::Integer: {
        if (text.isEmpty())
            return QVariant();
        bool ok = false;
        const qint64 n = text.trimmed().toLongLong(&ok);
        if (!ok)
            throw DataError(QStringLiteral("'%1' يك عدد صحيح معتبر نيست").arg(text));
        return n;
    }
    case ColumnKind::Float: {
        if (text.isEmpty())
            return QVariant();
        bool ok = false;
        const double d = numberLocale().toDouble(text.trimmed(), &ok);
        if (!ok)
            throw DataError(QStringLiteral("'%1' يك عدد معتبر نيست").arg(text));
        return d;
    }
    case ColumnKind::Bool: {
        if (text.isEmpty())
            return QVariant();
        const QString t = text.trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("1"))
            return true;
        if (t == QLatin1String("false") || t == QLatin1String("0"))
            return false;
        throw DataError(QStringLiteral("'%1' يك مقدار منطقي معتبر نيست").arg(text));
    }
    case ColumnKind::DateTime: {
        if (text.isEmpty())
            return QVariant();
        const QDateTime dt = toDateTime(text);
        if (!dt.isValid())
            throw DataError(QStringLiteral("'%1' يك تاريخ معتبر نيست").arg(text));
        return dt;
    }
    }
    return text;
}

void Query::assign(int column, const QVariant &value)
{
    if (m_state != State::Edit && m_state != State::Insert)
        throw DataError(QStringLiteral("%1: مجموعه داده در حالت ويرايش يا درج نيست").arg(objectName()));
    if (m_columns[column].key == QLatin1String("id"))
        throw DataError(QStringLiteral("%1: فيلد 'id' قابل تغيير نيست").arg(objectName()));
    m_buffer[column] = value;
    m_assigned[column] = true;
}

void Query::append()
{
    requireOpen();
    if (m_state != State::Browse)
        post();
    m_buffer = QVector<QVariant>(m_columns.size());
    m_assigned = QVector<bool>(m_columns.size(), false);
    m_state = State::Insert;
}

void Query::edit()
{
    requireRow();
    if (m_state != State::Browse)
        return;
    if (m_current < 0)
        throw DataError(QStringLiteral("%1: مجموعه داده خالي است").arg(objectName()));
    m_buffer.resize(m_columns.size());
    for (int c = 0; c < m_columns.size(); ++c)
        m_buffer[c] = valueAt(m_current, c);
    m_assigned = QVector<bool>(m_columns.size(), false);
    m_state = State::Edit;
}

void Query::cancel()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    m_buffer.clear();
    m_assigned.clear();
    m_state = State::Browse;
}

QString Query::baseTable() const
{
    static const QRegularExpression from(QStringLiteral("\\bfrom\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = from.match(text());
    return m.hasMatch() ? m.captured(1) : QString();
}

void Query::post()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    const QString table = baseTable();
    if (table.isEmpty())
        throw DataError(QStringLiteral("%1: جدول پايه براي ثبت پيدا نشد").arg(objectName()));
    const int idColumn = columnIndex(QStringLiteral("id"));
    const QHash<QString, ColumnKind> tableColumns = m_connection->columnKinds(table);

    QStringList names;
    QVector<QVariant> values;
    for (int c = 0; c < m_columns.size(); ++c) {
        if (!m_assigned[c] || c == idColumn || !tableColumns.contains(m_columns[c].key))
            continue;
        names << m_columns[c].name;
        QVariant v = m_buffer[c];
        // A NULL of the column's own type, so that every driver binds it.
        if (v.isNull() || !v.isValid()) {
            switch (tableColumns.value(m_columns[c].key)) {
            case ColumnKind::Integer: v = QVariant(QMetaType::fromType<qlonglong>()); break;
            case ColumnKind::Float: v = QVariant(QMetaType::fromType<double>()); break;
            case ColumnKind::Bool: v = QVariant(QMetaType::fromType<bool>()); break;
            case ColumnKind::Bytes: v = QVariant(QMetaType::fromType<QByteArray>()); break;
            case ColumnKind::DateTime: v = QVariant(QMetaType::fromType<QDateTime>()); break;
            case ColumnKind::Text: v = QVariant(QMetaType::fromType<QString>()); break;
            }
        }
        values << v;
    }

    QSqlQuery q(m_connection->database());
    const Engine engine = m_connection->engine();
    if (m_state == State::Insert) {
        QString sql;
        QStringList marks;
        for (int i = 0; i < names.size(); ++i)
            marks << QStringLiteral("?");
        if (names.isEmpty()) {
            sql = engine == Engine::SqlServer ? QStringLiteral("insert into %1 output inserted.id default values").arg(table)
                                              : QStringLiteral("insert into %1 default values").arg(table);
        } else if (engine == Engine::SqlServer) {
            sql = QStringLiteral("insert into %1 (%2) output inserted.id values (%3)").arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        } else {
            sql = QStringLiteral("insert into %1 (%2) values (%3)").arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        }
        if (engine == Engine::PostgreSql && idColumn >= 0)
            sql += QStringLiteral(" returning id");
        if (!q.prepare(sql))
            throw DataError(q.lastError().text());
        for (const QVariant &v : values)
            q.addBindValue(v);
        if (!q.exec())
            throw DataError(q.lastError().text());
        if (idColumn >= 0) {
            QVariant id;
            if (engine == Engine::Sqlite)
                id = q.lastInsertId();
            else if (q.next())
                id = q.value(0);
            m_buffer[idColumn] = id.isValid() ? QVariant(id.toLongLong()) : QVariant();
        }
        m_rows << pack(m_buffer, m_columns);
        m_buffer.clear();
        m_assigned.clear();
        m_state = State::Browse;
        m_eof = m_bof = false;
        const int row = int(m_rows.size()) - 1;
        Q_EMIT rowAppended(row);
        m_current = -2; // force the notification
        setCurrent(row);
        return;
    }

    // Edit: update the changed columns of this row, found by its id.
    if (!names.isEmpty()) {
        if (idColumn < 0)
            throw DataError(QStringLiteral("%1: بدون فيلد id امكان ويرايش نيست").arg(objectName()));
        QStringList sets;
        for (const QString &n : names)
            sets << n + QStringLiteral("=?");
        if (!q.prepare(QStringLiteral("update %1 set %2 where id=?").arg(table, sets.join(QLatin1Char(',')))))
            throw DataError(q.lastError().text());
        for (const QVariant &v : values)
            q.addBindValue(v);
        q.addBindValue(m_buffer[idColumn]);
        if (!q.exec())
            throw DataError(q.lastError().text());
    }
    m_rows[m_current] = pack(m_buffer, m_columns);
    m_buffer.clear();
    m_assigned.clear();
    m_state = State::Browse;
    Q_EMIT rowChanged(m_current);
}

void Query::setSort(const QString &sort)
{
    requireOpen();
    struct Key { int column; bool descending; };
    QVector<Key> keys;
    for (const QString &part : sort.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList words = part.simplified().split(QLatin1Char(' '));
        if (words.isEmpty() || words.first().isEmpty())
            continue;
        const int c = columnIndex(words.first());
        if (c < 0)
            throw DataError(fieldNotFound(objectName(), words.first()));
        keys << Key{c, words.size() > 1 && words[1].compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0};
    }
    m_sort = sort;
    if (keys.isEmpty()) {
        Q_EMIT reset();
        return;
    }
    // Each row gets one sort value per key: numbers as numbers, texts as the
    // rank of their text among the column's distinct texts in the Persian
    // collation (so the collation runs once per distinct text, not per row),
    // NULL before everything.
    const int n = int(m_rows.size());
    QCollator collator{QLocale(QLocale::Persian, QLocale::Iran)};
    collator.setNumericMode(false);
    struct SortColumn {
        bool byText = false;
        bool descending = false;
        QVector<bool> isNull;
        QVector<double> number; // numeric columns
        QVector<int> rank;      // text columns
    };
    QVector<SortColumn> columns(keys.size());
    for (int k = 0; k < keys.size(); ++k) {
        const int c = keys[k].column;
        SortColumn &col = columns[k];
        col.descending = keys[k].descending;
        col.byText = !(m_columns[c].kind == ColumnKind::Integer || m_columns[c].kind == ColumnKind::Float
                       || m_columns[c].kind == ColumnKind::Bool || m_columns[c].kind == ColumnKind::DateTime);
        col.isNull.resize(n);
        if (!col.byText) {
            col.number.resize(n);
            for (int r = 0; r < n; ++r) {
                const QVariant v = valueAt(r, c);
                col.isNull[r] = v.isNull() || !v.isValid();
                col.number[r] = v.metaType().id() == QMetaType::QDateTime ? double(v.toDateTime().toMSecsSinceEpoch()) : v.toDouble();
            }
            continue;
        }
        QHash<QString, int> ids;
        QVector<QString> distinct;
        QVector<int> id(n, 0);
        for (int r = 0; r < n; ++r) {
            const QVariant v = valueAt(r, c);
            col.isNull[r] = v.isNull() || !v.isValid();
            if (col.isNull[r])
                continue;
            const QString text = displayText(v, m_columns[c].kind);
            auto it = ids.constFind(text);
            if (it == ids.constEnd()) {
                it = ids.insert(text, int(distinct.size()));
                distinct << text;
            }
            id[r] = *it;
        }
        // Texts made only of digits, blanks and slashes (codes, dates, phone
        // numbers) collate in the order of their characters' codes, which is
        // much cheaper to compare than collation keys.
        const bool plain = std::all_of(distinct.cbegin(), distinct.cend(), [](const QString &text) {
            return std::all_of(text.cbegin(), text.cend(), [](QChar ch) {
                return (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == QLatin1Char(' ') || ch == QLatin1Char('/');
            });
        });
        // Texts the collation holds equal share a rank.
        QVector<int> rankOf(distinct.size());
        if (plain) {
            // Short texts stay inside std::string itself: sorting them touches
            // no other memory.
            std::vector<std::pair<std::string, int>> texts;
            texts.reserve(distinct.size());
            for (int i = 0; i < distinct.size(); ++i)
                texts.emplace_back(distinct[i].toStdString(), i);
            std::sort(texts.begin(), texts.end());
            int rank = 0;
            for (size_t i = 0; i < texts.size(); ++i) {
                if (i > 0 && texts[i].first != texts[i - 1].first)
                    ++rank;
                rankOf[texts[i].second] = rank;
            }
        } else {
            QVector<QCollatorSortKey> textKeys;
            textKeys.reserve(distinct.size());
            for (const QString &text : distinct)
                textKeys << collator.sortKey(text);
            QVector<int> byCollation(distinct.size());
            for (int i = 0; i < byCollation.size(); ++i)
                byCollation[i] = i;
            std::sort(byCollation.begin(), byCollation.end(), [&](int a, int b) { return textKeys[a].compare(textKeys[b]) < 0; });
            int rank = 0;
            for (int i = 0; i < byCollation.size(); ++i) {
                if (i > 0 && textKeys[byCollation[i]].compare(textKeys[byCollation[i - 1]]) != 0)
                    ++rank;
                rankOf[byCollation[i]] = rank;
            }
        }
        col.rank.resize(n);
        for (int r = 0; r < n; ++r)
            col.rank[r] = col.isNull[r] ? 0 : rankOf[id[r]];
    }
    QVector<int> order(n);
    for (int i = 0; i < n; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (const SortColumn &col : columns) {
            int cmp;
            if (col.isNull[a] || col.isNull[b])
                cmp = int(!col.isNull[a]) - int(!col.isNull[b]);
            else if (col.byText)
                cmp = col.rank[a] < col.rank[b] ? -1 : (col.rank[a] > col.rank[b] ? 1 : 0);
            else
                cmp = col.number[a] < col.number[b] ? -1 : (col.number[a] > col.number[b] ? 1 : 0);
            if (cmp != 0)
                return col.descending ? cmp > 0 : cmp < 0;
        }
        return false;
    });
    const QByteArray currentRow = m_current >= 0 ? m_rows[m_current] : QByteArray();
    const int oldCurrent = m_current;
    QVector<QByteArray> sorted;
    sorted.reserve(n);
    int newCurrent = -1;
    for (int i = 0; i < n; ++i) {
        if (order[i] == oldCurrent)
            newCurrent = i;
        sorted << std::move(m_rows[order[i]]);
    }
    m_rows = std::move(sorted);
    m_current = newCurrent;
    Q_EMIT reset();
    Q_EMIT currentChanged(m_current);
}
