#include "Query.h"
#include "DataError.h"
#include "Digits.h"
#include "QueryPacking.h"
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

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
    // Numbers, truth values and dates may come with Persian or Arabic-Indic
    // digits; they are stored as the ASCII digits they stand for.
    switch (tableKind(column)) {
    // An empty text is stored as the empty text, never as NULL (the drivers
    // bind a null QString as NULL).
    case ColumnKind::Text: return text.isNull() ? QStringLiteral("") : text;
    case ColumnKind::Bytes: return text.toUtf8();
    case ColumnKind::Integer: {
        if (text.isEmpty())
            return QVariant();
        bool ok = false;
        const qint64 n = asciiDigits(text).trimmed().toLongLong(&ok);
        if (!ok)
            throw DataError(QStringLiteral("'%1' يك عدد صحيح معتبر نيست").arg(text));
        return n;
    }
    case ColumnKind::Float: {
        if (text.isEmpty())
            return QVariant();
        bool ok = false;
        const double d = numberLocale().toDouble(asciiDigits(text).trimmed(), &ok);
        if (!ok)
            throw DataError(QStringLiteral("'%1' يك عدد معتبر نيست").arg(text));
        return d;
    }
    case ColumnKind::Money: {
        if (text.isEmpty())
            return QVariant();
        Money m;
        if (!Money::parse(asciiDigits(text), &m))
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

void Query::postRow()
{
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
        values << boundValue(m_buffer[c], tableColumns.value(m_columns[c].key));
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
