#include "ColumnLimits.h"
#include "Connection.h"
#include "DataError.h"
#include <QRegularExpression>
#include <cmath>
#include <limits>

ColumnLimit columnLimitOfDeclaredType(const QString &declared)
{
    const QString t = declared.toLower();
    ColumnLimit limit;
    if (columnKindOfDeclaredType(t) == ColumnKind::Text) {
        static const QRegularExpression length(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
        const QRegularExpressionMatch m = length.match(t);
        if (m.hasMatch())
            limit.length = m.captured(1).toInt();
        return limit;
    }
    if (columnKindOfDeclaredType(t) != ColumnKind::Integer)
        return limit;
    limit.ranged = true;
    if (t.contains(QLatin1String("bigint"))) {
        limit.minimum = std::numeric_limits<qint64>::min();
        limit.maximum = std::numeric_limits<qint64>::max();
    } else if (t.contains(QLatin1String("smallint"))) {
        limit.minimum = std::numeric_limits<qint16>::min();
        limit.maximum = std::numeric_limits<qint16>::max();
    } else if (t.contains(QLatin1String("tinyint"))) {
        limit.minimum = 0;
        limit.maximum = 255;
    } else {
        limit.minimum = std::numeric_limits<qint32>::min();
        limit.maximum = std::numeric_limits<qint32>::max();
    }
    return limit;
}

QString nulCharacterMessage(const QString &column)
{
    return column.isEmpty() ? QStringLiteral("متن وارد شده نويسه نامعتبر (NUL) دارد")
                            : QStringLiteral("متن فيلد '%1' نويسه نامعتبر (NUL) دارد").arg(column);
}

void requireFits(Connection &connection, const QString &table, const QString &column, const QVariant &value,
                 const QString &shownAs)
{
    const QString field = shownAs.isEmpty() ? column : shownAs;
    if (value.isNull() || !value.isValid())
        return;
    const int type = value.metaType().id();
    if (type == QMetaType::Double || type == QMetaType::Float) {
        if (!std::isfinite(value.toDouble()))
            throw DataError(QStringLiteral("'%1' يك عدد معتبر نيست").arg(value.toString()));
        return;
    }
    const ColumnLimit limit = connection.columnLimits(table).value(column.toLower());
    if (type == QMetaType::QString) {
        const QString text = value.toString();
        if (text.contains(QChar(0)))
            throw DataError(nulCharacterMessage(field));
        if (limit.length > 0 && text.size() > limit.length)
            throw DataError(QStringLiteral("'%1' بيش از %2 حرف دارد و در فيلد '%3' جا نمي شود")
                                .arg(text.size() > 60 ? text.left(60) + QStringLiteral("…") : text)
                                .arg(limit.length)
                                .arg(field));
        return;
    }
    if (limit.ranged && (type == QMetaType::LongLong || type == QMetaType::Int || type == QMetaType::ULongLong
                         || type == QMetaType::UInt)) {
        bool ok = false;
        const qint64 n = value.toLongLong(&ok);
        if (!ok || n < limit.minimum || n > limit.maximum)
            throw DataError(QStringLiteral("'%1' خارج از محدوده عدد صحيح فيلد '%2' است").arg(value.toString(), field));
    }
}

QString fitToColumn(Connection &connection, const QString &table, const QString &column, const QString &text, int createdLength)
{
    int length = connection.columnLimits(table).value(column.toLower()).length;
    if (length <= 0)
        length = createdLength;
    if (length <= 0 || text.size() <= length)
        return text;
    // Never cut between the two halves of a surrogate pair.
    int cut = length;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut);
}
