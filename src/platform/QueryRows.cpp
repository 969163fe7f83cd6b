#include "Query.h"
#include "DataError.h"
#include "QueryPacking.h"

using namespace packed;

namespace {

// A value set on a money column or read by a driver: exact from a Money or a
// decimal text, the nearest amount from a double.
void appendMoneyValue(QByteArray &out, const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Double: case QMetaType::Float: appendMoneyDouble(out, v.toDouble()); return;
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::UInt: case QMetaType::ULongLong: {
        const QByteArray text = v.toString().toLatin1();
        appendMoneyText(out, text.constData(), int(text.size()));
        return;
    }
    default: break;
    }
    if (v.metaType() == QMetaType::fromType<Money>()) {
        appendMoney(out, v.value<Money>());
        return;
    }
    const QByteArray text = v.toString().toUtf8();
    appendMoneyText(out, text.constData(), int(text.size()));
}

// A number column keeps what the engine gave where it is no whole number
// (another program's text, a fraction), as the readers do.
ColumnKind packedKind(const QVariant &v, ColumnKind kind)
{
    const bool number = kind == ColumnKind::Integer || kind == ColumnKind::Float;
    if (number && v.metaType().id() == QMetaType::QString)
        return ColumnKind::Text;
    if (kind == ColumnKind::Integer && v.metaType().id() == QMetaType::Double)
        return ColumnKind::Float;
    return kind;
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
        switch (packedKind(v, columns[c].kind)) {
        case ColumnKind::Integer: out.append(char(TagInt)); appendRaw<qint64>(out, v.toLongLong()); break;
        case ColumnKind::Float: out.append(char(TagDouble)); appendRaw<double>(out, v.toDouble()); break;
        case ColumnKind::Bool: out.append(char(v.toBool() ? TagTrue : TagFalse)); break;
        case ColumnKind::Bytes: {
            const QByteArray b = v.toByteArray();
            appendBlob(out, TagBytes, b.constData(), int(b.size()));
            break;
        }
        case ColumnKind::DateTime: appendDateTimeOrText(out, v); break;
        case ColumnKind::Money: appendMoneyValue(out, v); break;
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
        case TagInt: case TagDouble: case TagDateTime: case TagMoney: size = 8; break;
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
        case TagMoney: return QVariant::fromValue(Money{readRaw<qint64>(p)});
        }
        return QVariant();
    }
}

QString Query::displayText(const QVariant &value, ColumnKind kind, bool computed)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.metaType().id()) {
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double: return plainNumberText(value.toDouble(), computed ? 15 : 0);
    case QMetaType::QDateTime: return value.toDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    case QMetaType::QByteArray: return QString::fromUtf8(value.toByteArray());
    default: break;
    }
    if (value.metaType() == QMetaType::fromType<Money>())
        return value.value<Money>().toString();
    Q_UNUSED(kind)
    return value.toString();
}

