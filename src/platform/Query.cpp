#include "Query.h"
#include "DataError.h"
#include <QCollator>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <cstring>

// Rows are kept packed, one QByteArray a row, so that a result set of a few
// hundred thousand rows costs little more than its data: a table of column
// offsets (quint32 each), then each value as a tag byte and its payload.
namespace {

enum Tag : char { TagNull, TagInt, TagDouble, TagText, TagBytes, TagFalse, TagTrue, TagDateTime };

template<typename T> void appendRaw(QByteArray &out, T v) { out.append(reinterpret_cast<const char *>(&v), sizeof v); }
template<typename T> T readRaw(const char *p) { T v; std::memcpy(&v, p, sizeof v); return v; }

QString fieldNotFound(const QString &query, const QString &field)
{
    return QStringLiteral("%1: فيلد '%2' پيدا نشد").arg(query, field);
}

QDateTime toDateTime(const QVariant &v)
{
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime();
    const QString s = v.toString().trimmed();
    QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!dt.isValid())
        dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime::fromString(s, QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    return dt;
}

} // namespace

QByteArray Query::pack(const QVector<QVariant> &values, const QVector<Column> &columns)
{
    const int n = int(columns.size());
    QByteArray out;
    out.resize(n * int(sizeof(quint32)));
    for (int c = 0; c < n; ++c) {
        const quint32 offset = quint32(out.size());
        std::memcpy(out.data() + c * sizeof(quint32), &offset, sizeof offset);
        const QVariant &v = values[c];
        if (v.isNull() || !v.isValid()) {
            out.append(char(TagNull));
            continue;
        }
        switch (columns[c].kind) {
        case ColumnKind::Integer: out.append(char(TagInt)); appendRaw<qint64>(out, v.toLongLong()); break;
        case ColumnKind::Float: out.append(char(TagDouble)); appendRaw<double>(out, v.toDouble()); break;
        case ColumnKind::Bool: out.append(char(v.toBool() ? TagTrue : TagFalse)); break;
        case ColumnKind::Bytes: out.append(char(TagBytes)); out.append(v.toByteArray()); break;
        case ColumnKind::DateTime: {
            const QDateTime dt = toDateTime(v);
            if (dt.isValid()) {
                out.append(char(TagDateTime));
                appendRaw<qint64>(out, dt.toMSecsSinceEpoch());
            } else {
                out.append(char(TagText));
                out.append(v.toString().toUtf8());
            }
            break;
        }
        case ColumnKind::Text: out.append(char(TagText)); out.append(v.toString().toUtf8()); break;
        }
    }
    return out;
}

QVariant Query::unpack(const QByteArray &row, int column, ColumnKind)
{
    const char *base = row.constData();
    const int n = int(readRaw<quint32>(base) / sizeof(quint32));
    const quint32 start = readRaw<quint32>(base + column * sizeof(quint32));
    const quint32 end = column + 1 < n ? readRaw<quint32>(base + (column + 1) * sizeof(quint32)) : quint32(row.size());
    const char *p = base + start + 1;
    const int len = int(end - start - 1);
    switch (Tag(base[start])) {
    case TagNull: return QVariant();
    case TagInt: return QVariant(readRaw<qint64>(p));
    case TagDouble: return QVariant(readRaw<double>(p));
    case TagText: return QVariant(QString::fromUtf8(p, len));
    case TagBytes: return QVariant(QByteArray(p, len));
    case TagFalse: return QVariant(false);
    case TagTrue: return QVariant(true);
    case TagDateTime: return QVariant(QDateTime::fromMSecsSinceEpoch(readRaw<qint64>(p)));
    }
    return QVariant();
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
    const double d = QLocale::c().toDouble(v.toString().trimmed(), &ok);
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
    QSqlQuery q(m_connection->database());
    q.setForwardOnly(true);
    if (!q.exec(sql))
        throw DataError(q.lastError().text());
    const QSqlRecord rec = q.record();
    QVector<Column> columns;
    for (int i = 0; i < rec.count(); ++i) {
        Column c;
        c.name = rec.fieldName(i);
        c.key = c.name.toLower();
        auto it = declared.constFind(c.key);
        if (it != declared.constEnd()) {
            c.kind = *it;
        } else {
            switch (rec.field(i).metaType().id()) {
            case QMetaType::Bool: c.kind = ColumnKind::Bool; break;
            case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
            case QMetaType::Short: case QMetaType::UShort: c.kind = ColumnKind::Integer; break;
            case QMetaType::Double: case QMetaType::Float: c.kind = ColumnKind::Float; break;
            case QMetaType::QByteArray: c.kind = ColumnKind::Bytes; break;
            case QMetaType::QDateTime: c.kind = ColumnKind::DateTime; break;
            default: c.kind = ColumnKind::Text; break;
            }
        }
        columns << c;
    }
    // SQLite types by value: an expression column (count(*), a sum) takes the
    // kind of its first value.
    bool typeFromFirstRow = m_connection->engine() == Engine::Sqlite;
    QVector<QVariant> values(columns.size());
    QVector<QByteArray> rows;
    while (q.next()) {
        if (typeFromFirstRow) {
            for (int i = 0; i < columns.size(); ++i) {
                if (declared.contains(columns[i].key))
                    continue;
                const QVariant v = q.value(i);
                switch (v.metaType().id()) {
                case QMetaType::LongLong: case QMetaType::Int: columns[i].kind = ColumnKind::Integer; break;
                case QMetaType::Double: columns[i].kind = ColumnKind::Float; break;
                case QMetaType::QByteArray: columns[i].kind = ColumnKind::Bytes; break;
                default: break;
                }
            }
            typeFromFirstRow = false;
        }
        for (int i = 0; i < columns.size(); ++i)
            values[i] = q.value(i);
        rows << pack(values, columns);
    }
    if (q.lastError().isValid())
        throw DataError(q.lastError().text());

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
    case ColumnKind::Text: return text;
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
        const double d = QLocale::c().toDouble(text.trimmed(), &ok);
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
    // Sort keys are computed once per row: numbers as numbers, texts by the
    // Persian collation, NULL before everything.
    const int n = int(m_rows.size());
    QCollator collator{QLocale(QLocale::Persian, QLocale::Iran)};
    collator.setNumericMode(false);
    struct SortValue { bool isNull; double number; QCollatorSortKey text; };
    QVector<QVector<SortValue>> values(keys.size());
    for (int k = 0; k < keys.size(); ++k) {
        const int c = keys[k].column;
        const bool numeric = m_columns[c].kind == ColumnKind::Integer || m_columns[c].kind == ColumnKind::Float
            || m_columns[c].kind == ColumnKind::Bool || m_columns[c].kind == ColumnKind::DateTime;
        values[k].reserve(n);
        for (int r = 0; r < n; ++r) {
            const QVariant v = valueAt(r, c);
            const bool isNull = v.isNull() || !v.isValid();
            if (numeric) {
                const double d = v.metaType().id() == QMetaType::QDateTime ? double(v.toDateTime().toMSecsSinceEpoch()) : v.toDouble();
                values[k].append(SortValue{isNull, d, collator.sortKey(QString())});
            } else {
                values[k].append(SortValue{isNull, 0, collator.sortKey(isNull ? QString() : displayText(v, m_columns[c].kind))});
            }
        }
    }
    QVector<int> order(n);
    for (int i = 0; i < n; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (int k = 0; k < keys.size(); ++k) {
            const SortValue &x = values[k][a];
            const SortValue &y = values[k][b];
            int cmp;
            if (x.isNull || y.isNull)
                cmp = int(!x.isNull) - int(!y.isNull);
            else if (m_columns[keys[k].column].kind == ColumnKind::Text || m_columns[keys[k].column].kind == ColumnKind::Bytes)
                cmp = x.text.compare(y.text);
            else
                cmp = x.number < y.number ? -1 : (x.number > y.number ? 1 : 0);
            if (cmp != 0)
                return keys[k].descending ? cmp > 0 : cmp < 0;
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
