#include "Query.h"
#include "DataError.h"
#include "Numbers.h"
#include "QueryPacking.h"
#include <QSqlError>
#include <QSqlQuery>

using namespace packed;

// ---------------------------------------------------------------- Field

QString Field::name() const { return m_query->m_columns[m_column].name; }
ColumnKind Field::kind() const { return m_query->m_columns[m_column].kind; }
QVariant Field::value() const { return m_query->currentValue(m_column); }
bool Field::isNull() const { const QVariant v = value(); return v.isNull() || !v.isValid(); }
QString Field::asString() const { return Query::displayText(value(), kind(), m_query->m_columns[m_column].computed); }
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
    if (v.metaType() == QMetaType::fromType<Money>())
        return v.toLongLong();
    Decimal d;
    qint64 n = 0;
    if (!Decimal::read(v.toString(), &d) || !d.toWhole(&n))
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
    if (v.metaType() == QMetaType::fromType<Money>())
        return v.value<Money>().toDouble();
    if (kind() != ColumnKind::Text && (v.isNull() || !v.isValid()))
        return 0;
    Decimal d;
    double x = 0;
    if (!Decimal::read(v.toString(), &d) || !d.toDouble(&x))
        throw DataError(QStringLiteral("'%1' يك عدد معتبر نيست").arg(v.toString()));
    return x;
}

bool Field::asBoolean() const
{
    const QVariant v = value();
    if (v.isNull() || !v.isValid())
        return false;
    if (v.metaType().id() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        Decimal d;
        return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || (Decimal::read(s, &d) && !d.isZero());
    }
    return v.toBool();
}

void Field::setText(const QString &text, Write write) { m_query->assign(m_column, m_query->convertText(m_column, text), write); }
QVariant Field::valueOfText(const QString &text) const { return m_query->convertText(m_column, text); }
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
    m_writeAlways.clear();
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
    if (sql.contains(QChar(0)))
        throw DataError(nulCharacterMessage(QString()));
    QVector<Column> columns;
    QVector<QByteArray> rows;
    m_connection->run(Connection::Effect::ReadsOnly, [&] {
        columns.clear();
        rows.clear();
        // The declared column kinds are read first: PostgreSQL streams the rows
        // and allows no other statement on the connection until they are read.
        const QHash<QString, ColumnKind> declared = baseTable().isEmpty()
            ? QHash<QString, ColumnKind>() : m_connection->columnKinds(baseTable());
        if (m_connection->engine() == Engine::Sqlite)
            fetchSqlite(sql, declared, columns, rows);
        else if (m_connection->engine() == Engine::PostgreSql)
            fetchPostgres(sql, declared, columns, rows);
        else
            fetchGeneric(sql, declared, columns, rows);
    });

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
    const QString sql = text();
    if (sql.contains(QChar(0)))
        throw DataError(nulCharacterMessage(QString()));
    int affected = 0;
    m_connection->run(Connection::Effect::Writes, [&] {
        affected = executeToEnd(*m_connection->statement(), sql);
    });
    const QString head = sql.trimmed().left(6).toLower();
    if (head == QLatin1String("create") || head.startsWith(QLatin1String("alter")) || head.startsWith(QLatin1String("drop")))
        m_connection->forgetSchema();
    return affected;
}

void Query::post()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    m_connection->run(Connection::Effect::Writes, [this] { postRow(); });
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
    return displayText(valueAt(row, column), m_columns.value(column).kind, m_columns.value(column).computed);
}

QVariant Query::currentValue(int column) const
{
    if (m_state == State::Edit || m_state == State::Insert)
        return m_buffer.value(column);
    if (m_current < 0)
        return QVariant(); // an empty result set reads as NULL, as the platform did
    return valueAt(m_current, column);
}
