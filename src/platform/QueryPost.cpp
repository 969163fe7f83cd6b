#include "Query.h"
#include "DataError.h"
#include "Digits.h"
#include "Numbers.h"
#include "QueryPacking.h"
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

using namespace packed;

namespace {

// A value as it is bound to a statement's parameter.
QVariant boundValue(const QVariant &v, ColumnKind kind)
{
    // A NULL of the column's own type, so that every driver binds it.
    if (v.isNull() || !v.isValid()) {
        switch (kind) {
        case ColumnKind::Integer: return QVariant(QMetaType::fromType<qlonglong>());
        case ColumnKind::Float: return QVariant(QMetaType::fromType<double>());
        case ColumnKind::Bool: return QVariant(QMetaType::fromType<bool>());
        case ColumnKind::Bytes: return QVariant(QMetaType::fromType<QByteArray>());
        case ColumnKind::DateTime: return QVariant(QMetaType::fromType<QDateTime>());
        case ColumnKind::Text: case ColumnKind::Money: return QVariant(QMetaType::fromType<QString>());
        }
    }
    // Money is bound as its exact decimal text: every engine converts the
    // text to its money or numeric type without a detour through a double.
    if (v.metaType() == QMetaType::fromType<Money>())
        return v.value<Money>().toString();
    return v;
}

} // namespace

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
    // Numbers are read by the one reader of number texts (any form of the
    // digits, the Arabic decimal separator, grouped thousands); truth values
    // and dates may come with Persian or Arabic-Indic digits too. What is
    // stored is the number, or the ASCII digits.
    switch (tableKind(column)) {
    // An empty text is stored as the empty text, never as NULL (the drivers
    // bind a null QString as NULL).
    case ColumnKind::Text: return text.isNull() ? QStringLiteral("") : text;
    case ColumnKind::Bytes: return text.toUtf8();
    case ColumnKind::Integer: {
        if (text.isEmpty())
            return QVariant();
        Decimal d;
        qint64 n = 0;
        if (!Decimal::read(text, &d) || !d.toWhole(&n))
            throw DataError(QStringLiteral("'%1' يك عدد صحيح معتبر نيست").arg(text));
        return n;
    }
    case ColumnKind::Float: {
        if (text.isEmpty())
            return QVariant();
        Decimal d;
        double x = 0;
        if (!Decimal::read(text, &d) || !d.toDouble(&x))
            throw DataError(QStringLiteral("'%1' يك عدد معتبر نيست").arg(text));
        return x;
    }
    case ColumnKind::Money: {
        if (text.isEmpty())
            return QVariant();
        Money m;
        if (!Money::parse(text, &m))
            throw DataError(QStringLiteral("'%1' يك عدد معتبر نيست").arg(text));
        return QVariant::fromValue(m);
    }
    case ColumnKind::Bool: {
        if (text.isEmpty())
            return QVariant();
        const QString t = asciiDigits(text).trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("1"))
            return true;
        if (t == QLatin1String("false") || t == QLatin1String("0"))
            return false;
        throw DataError(QStringLiteral("'%1' يك مقدار منطقي معتبر نيست").arg(text));
    }
    case ColumnKind::DateTime: {
        if (text.isEmpty())
            return QVariant();
        const QDateTime dt = toDateTime(asciiDigits(text));
        if (!dt.isValid())
            throw DataError(QStringLiteral("'%1' يك تاريخ معتبر نيست").arg(text));
        return dt;
    }
    }
    return text;
}

void Query::assign(int column, const QVariant &value, Field::Write write)
{
    if (m_state != State::Edit && m_state != State::Insert)
        throw DataError(QStringLiteral("%1: مجموعه داده در حالت ويرايش يا درج نيست").arg(objectName()));
    if (m_columns[column].key == QLatin1String("id"))
        throw DataError(QStringLiteral("%1: فيلد 'id' قابل تغيير نيست").arg(objectName()));
    m_buffer[column] = value;
    m_assigned[column] = true;
    m_writeAlways[column] = m_writeAlways[column] || write == Field::Write::Always;
}

void Query::append()
{
    requireOpen();
    if (m_state != State::Browse)
        post();
    m_buffer = QVector<QVariant>(m_columns.size());
    m_assigned = QVector<bool>(m_columns.size(), false);
    m_writeAlways = m_assigned;
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
    m_writeAlways = m_assigned;
    m_state = State::Edit;
}

void Query::cancel()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    m_buffer.clear();
    m_assigned.clear();
    m_writeAlways.clear();
    m_state = State::Browse;
}

QString Query::baseTable() const
{
    static const QRegularExpression from(QStringLiteral("\\bfrom\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = from.match(text());
    return m.hasMatch() ? m.captured(1) : QString();
}

namespace {

bool isNullValue(const QVariant &v) { return v.isNull() || !v.isValid(); }
bool isText(const QVariant &v) { return v.metaType().id() == QMetaType::QString; }

// Whether an assigned value differs from the one the row was read with, as
// the engine holds them: a number column's text that is no number (another
// program's '' or 'abc') or a fraction in a whole-number column differs from
// every number typed over it.
bool changed(const QVariant &original, const QVariant &value, ColumnKind kind)
{
    if (isNullValue(original) || isNullValue(value))
        return isNullValue(original) != isNullValue(value);
    switch (kind) {
    case ColumnKind::Integer: case ColumnKind::Float: case ColumnKind::Money: {
        // The readers keep a number column's value as a text only where the
        // engine holds no number.
        Decimal stored;
        Decimal typed;
        return isText(original) || !decimalOf(original, &stored) || !decimalOf(value, &typed) || !(stored == typed);
    }
    case ColumnKind::Bool: return original.toBool() != value.toBool();
    case ColumnKind::Bytes: return original.toByteArray() != value.toByteArray();
    case ColumnKind::DateTime: return toDateTime(original) != toDateTime(value);
    case ColumnKind::Text: break;
    }
    return original.toString() != value.toString();
}

} // namespace

QString Query::changedByAnotherUser()
{
    return QStringLiteral("اين ركورد پس از خوانده شدن توسط كاربر ديگري تغيير كرده يا حذف شده است و تغييرات ثبت نشد؛ "
                          "لطفا اطلاعات را دوباره جستجو نماييد");
}

QString Query::parameterMark(const QVariant &value) const
{
    const QString written = m_connection->dialect().unboundValue(value);
    return written.isEmpty() ? QStringLiteral("?") : written;
}

void Query::bindValues(QSqlQuery &q, const QVector<QVariant> &values) const
{
    for (const QVariant &v : values)
        if (m_connection->dialect().unboundValue(v).isEmpty())
            q.addBindValue(v);
}

void Query::postRow()
{
    const QString table = baseTable();
    if (table.isEmpty())
        throw DataError(QStringLiteral("%1: جدول پايه براي ثبت پيدا نشد").arg(objectName()));
    const int idColumn = columnIndex(QStringLiteral("id"));
    QHash<QString, ColumnKind> tableColumns = m_connection->columnKinds(table);

    // The columns written: every assigned one on insert; on edit those
    // assigned to be written and those whose value differs from the one
    // read, so that a change another workstation made to another field stays.
    QVector<int> written;
    for (int c = 0; c < m_columns.size(); ++c) {
        if (!m_assigned[c] || c == idColumn)
            continue;
        if (m_state == State::Edit && !m_writeAlways[c] && !changed(valueAt(m_current, c), m_buffer[c], m_columns[c].kind))
            continue;
        written << c;
    }
    // A column the cached list does not know may have been added since by
    // another workstation's schema upgrade: read the list again rather than
    // drop the value.
    for (int c : std::as_const(written)) {
        if (tableColumns.contains(m_columns[c].key))
            continue;
        m_connection->forgetSchema();
        tableColumns = m_connection->columnKinds(table);
        if (!tableColumns.contains(m_columns[c].key))
            throw DataError(QStringLiteral("%1: فيلد '%2' در جدول '%3' نيست").arg(objectName(), m_columns[c].name, table));
    }

    QStringList names;
    QVector<QVariant> values;
    for (int c : std::as_const(written)) {
        requireFits(*m_connection, table, m_columns[c].name, m_buffer[c]);
        names << m_columns[c].name;
        values << boundValue(m_buffer[c], tableColumns.value(m_columns[c].key));
    }

    QSqlQuery q(m_connection->database());
    const Engine engine = m_connection->engine();
    if (m_state == State::Insert) {
        QString sql;
        QStringList marks;
        for (const QVariant &v : values)
            marks << parameterMark(v);
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
            throw DataError(q.lastError());
        bindValues(q, values);
        if (!q.exec())
            throw DataError(q.lastError());
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
        m_writeAlways.clear();
        m_state = State::Browse;
        m_eof = m_bof = false;
        const int row = int(m_rows.size()) - 1;
        Q_EMIT rowAppended(row);
        m_current = -2; // force the notification
        setCurrent(row);
        return;
    }

    // Edit: the row is found by its id and by the values the changed columns
    // were read with. When it changes no row, the row was deleted or one of
    // those fields was changed by another workstation since it was read: the
    // post fails rather than overwrite that change or report a save that
    // stored nothing.
    if (!names.isEmpty()) {
        if (idColumn < 0)
            throw DataError(QStringLiteral("%1: بدون فيلد id امكان ويرايش نيست").arg(objectName()));
        QStringList sets;
        for (int i = 0; i < names.size(); ++i)
            sets << names[i] + QLatin1Char('=') + parameterMark(values[i]);
        QStringList criteria{QStringLiteral("id=?")};
        QVector<QVariant> criteriaValues{m_buffer[idColumn]};
        const QString floatType = m_connection->dialect().typeName(ColumnType::Float, 0);
        for (int i = 0; i < written.size(); ++i) {
            const int c = written[i];
            const QVariant original = valueAt(m_current, c);
            if (isNullValue(original)) {
                criteria << names[i] + QStringLiteral(" is null");
                continue;
            }
            // A text another program left in a number column is compared as
            // that text.
            const ColumnKind kind = tableColumns.value(m_columns[c].key);
            switch (isText(original) && kind != ColumnKind::Bytes && kind != ColumnKind::DateTime ? ColumnKind::Text : kind) {
            case ColumnKind::Float: {
                // Compared as the engine's doubles, which is how they were
                // read. An ODBC driver may hand a double over through its
                // own text of it, rounded to 15 significant digits (SQLite's
                // driver does): on SQL Server the stored double is any one
                // that rounds to the double read.
                const double read = numberOf(original);
                if (engine == Engine::SqlServer) {
                    const double margin = std::fabs(read) * 1e-14;
                    criteria << QStringLiteral("cast(%1 as %2) between ? and ?").arg(names[i], floatType);
                    criteriaValues << QVariant(read - margin) << QVariant(read + margin);
                } else {
                    criteria << QStringLiteral("cast(%1 as %2)=?").arg(names[i], floatType);
                    criteriaValues << QVariant(read);
                }
                break;
            }
            case ColumnKind::Money:
                // Exact on the server engines; SQLite keeps money as a double,
                // read to four places.
                criteria << (engine == Engine::Sqlite ? QStringLiteral("round(%1,4)=round(?,4)").arg(names[i])
                                                      : names[i] + QStringLiteral("=?"));
                criteriaValues << boundValue(original, ColumnKind::Money);
                break;
            case ColumnKind::Bytes:
            case ColumnKind::DateTime:
                break; // not comparable on every engine; the id alone decides
            case ColumnKind::Text: {
                const QString mark = parameterMark(original);
                criteria << names[i] + QLatin1Char('=')
                        + (mark == QLatin1String("?") ? m_connection->dialect().comparedTextParameter(original.toString()) : mark);
                criteriaValues << original;
                break;
            }
            default:
                criteria << names[i] + QLatin1Char('=') + parameterMark(original);
                criteriaValues << original;
                break;
            }
        }
        if (!q.prepare(QStringLiteral("update %1 set %2 where %3")
                           .arg(table, sets.join(QLatin1Char(',')), criteria.join(QStringLiteral(" and ")))))
            throw DataError(q.lastError());
        bindValues(q, values);
        bindValues(q, criteriaValues);
        if (!q.exec())
            throw DataError(q.lastError());
        if (q.numRowsAffected() == 0)
            throw DataError(changedByAnotherUser());
        readBackStored(table, tableColumns, m_buffer[idColumn]);
    } else if (idColumn >= 0 && !readBackStored(table, tableColumns, m_buffer[idColumn])) {
        // Nothing to write, but the row is gone: the save says so rather
        // than pass as stored.
        throw DataError(changedByAnotherUser());
    }
    m_rows[m_current] = pack(m_buffer, m_columns);
    m_buffer.clear();
    m_assigned.clear();
    m_writeAlways.clear();
    m_state = State::Browse;
    Q_EMIT rowChanged(m_current);
}

bool Query::readBackStored(const QString &table, const QHash<QString, ColumnKind> &tableColumns, const QVariant &id)
{
    // The row as the engine now holds it: what this post wrote, and what
    // another workstation wrote to other fields since the row was read.
    QStringList names;
    QVector<int> columns;
    for (int c = 0; c < m_columns.size(); ++c) {
        if (tableColumns.contains(m_columns[c].key)) {
            names << m_columns[c].name;
            columns << c;
        }
    }
    Query stored(m_connection, objectName());
    stored.add(QStringLiteral("select %1 from %2 where id=%3").arg(names.join(QLatin1Char(',')), table).arg(id.toLongLong()));
    stored.open();
    if (stored.recordCount() != 1)
        return false;
    for (int i = 0; i < columns.size(); ++i)
        m_buffer[columns[i]] = stored.valueAt(0, i);
    return true;
}
