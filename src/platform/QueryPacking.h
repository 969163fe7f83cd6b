#pragma once
// The packed-row format shared by the query's readers, its posting and its
// field access. Private to the data layer.
#include <QByteArray>
#include "Money.h"
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QVarLengthArray>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <cstring>

// Rows are kept packed, one QByteArray a row, so that a result set of a few
// hundred thousand rows costs little more than its data: each value is a tag
// byte followed by its payload (8 bytes for numbers and times, a length and
// UTF-8 or raw bytes for texts and blobs, nothing for NULL and booleans).
// Money is its exact count of ten-thousandths.
namespace packed {

enum Tag : char { TagNull, TagInt, TagDouble, TagText, TagBytes, TagFalse, TagTrue, TagDateTime, TagMoney };

// The row being read from an engine: reused from row to row, with appends
// that stay inline (a stored row is an exact-size copy of it).
using RowBuffer = QVarLengthArray<char, 1024>;

// Appends to a QByteArray or a RowBuffer.
template<typename T, typename Out> inline void appendRaw(Out &out, T v) { out.append(reinterpret_cast<const char *>(&v), sizeof v); }
template<typename T> inline T readRaw(const char *p) { T v; std::memcpy(&v, p, sizeof v); return v; }

template<typename Out> inline void appendLength(Out &out, quint32 n)
{
    while (n >= 0x80) {
        out.append(char(n | 0x80));
        n >>= 7;
    }
    out.append(char(n));
}

inline quint32 readLength(const char *&p)
{
    quint32 n = 0;
    for (int shift = 0;; shift += 7) {
        const quint8 b = quint8(*p++);
        n |= quint32(b & 0x7F) << shift;
        if (!(b & 0x80))
            return n;
    }
}

template<typename Out> inline void appendBlob(Out &out, Tag tag, const char *data, int size)
{
    out.append(char(tag));
    appendLength(out, quint32(size));
    out.append(data, size);
}

inline QString fieldNotFound(const QString &query, const QString &field)
{
    return QStringLiteral("%1: فيلد '%2' پيدا نشد").arg(query, field);
}

inline QDateTime toDateTime(const QVariant &v)
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

template<typename Out> inline void appendMoney(Out &out, Money m)
{
    out.append(char(TagMoney));
    appendRaw<qint64>(out, m.units);
}

// A money column's value as the engine wrote it: exact when it is a decimal
// of at most four places in range; anything else (an average's many
// decimals, a "NaN") is kept as its number or, failing that, its text. An
// engine writes a number in ASCII digits, a sign, a point and an exponent
// only: a text with anything else ('1,500', '۱۵۰۰') is one another program
// stored, and stays that text.
template<typename Out> inline void appendMoneyText(Out &out, const char *text, int size)
{
    const bool engineNumber = std::all_of(text, text + size, [](char c) {
        return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
    });
    Money m;
    if (engineNumber && Money::parseExact(text, size, &m)) {
        appendMoney(out, m);
        return;
    }
    Decimal number;
    double d = 0;
    if (engineNumber && Decimal::read(text, size, &number) && number.toDouble(&d)) {
        out.append(char(TagDouble));
        appendRaw<double>(out, d);
    } else {
        appendBlob(out, TagText, text, size);
    }
}

// A money column's value that the engine keeps as a double (SQLite).
template<typename Out> inline void appendMoneyDouble(Out &out, double d)
{
    Money m;
    if (Money::fromDouble(d, &m)) {
        appendMoney(out, m);
    } else {
        out.append(char(TagDouble));
        appendRaw<double>(out, d);
    }
}

template<typename Out> inline void appendDateTimeOrText(Out &out, const QVariant &v)
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

} // namespace packed
