#include "Money.h"
#include <charconv>
#include <cmath>
#include <algorithm>
#include <limits>
#include <QVariant>

namespace {

// Reads and grids convert through QVariant: a money value reads as its exact
// text, and as a number where a number is asked for.
const bool converters = [] {
    QMetaType::registerConverter<Money, QString>(&Money::toString);
    QMetaType::registerConverter<Money, double>(&Money::toDouble);
    // The nearest whole number, a half away from zero.
    QMetaType::registerConverter<Money, qlonglong>([](const Money &m) {
        const qint64 whole = m.units / Money::Scale;
        const qint64 rest = m.units % Money::Scale;
        return qlonglong(whole + (rest >= Money::Scale / 2) - (rest <= -Money::Scale / 2));
    });
    return true;
}();

} // namespace

bool Money::fromDecimal(const Decimal &d, Rounding rounding, Money *out)
{
    if (d.isZero()) {
        out->units = 0;
        return true;
    }
    // Scaled to ten-thousandths: the digits at or above the fourth decimal
    // are kept, the rest decide the rounding.
    const int count = int(d.digits.size());
    const int shift = d.exponent + 4;
    const int kept = count + std::min(shift, 0);
    if (rounding == Rounding::Exact && kept < count)
        return false;
    if (kept + std::max(shift, 0) > 19)
        return false;
    quint64 magnitude = 0;
    for (int i = 0; i < kept; ++i)
        magnitude = magnitude * 10 + quint64(d.digits[size_t(i)] - '0');
    for (int i = 0; i < shift; ++i)
        magnitude *= 10;
    if (kept >= 0 && kept < count) {
        // The digits carry no trailing zeros: a "5" with more after it is
        // beyond the half.
        const char first = d.digits[size_t(kept)];
        const bool half = first == '5' && kept + 1 == count;
        if (first > '5' || (first == '5' && (!half || rounding == Rounding::HalfAwayFromZero || (magnitude & 1))))
            ++magnitude;
    }
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (d.negative ? 1 : 0);
    if (magnitude > limit)
        return false;
    out->units = d.negative ? qint64(quint64(0) - magnitude) : qint64(magnitude);
    return true;
}

Decimal Money::toDecimal() const
{
    Decimal d;
    d.negative = units < 0;
    d.digits = std::to_string(units < 0 ? quint64(0) - quint64(units) : quint64(units));
    d.exponent = -4;
    d.normalise();
    return d;
}

bool Money::parseExact(const char *text, qsizetype size, Money *out)
{
    Decimal d;
    return Decimal::read(text, size, &d) && fromDecimal(d, Rounding::Exact, out);
}

bool Money::parse(QStringView text, Money *out)
{
    Decimal d;
    return Decimal::read(text, &d) && fromDecimal(d, Rounding::HalfAwayFromZero, out);
}

bool Money::fromDouble(double value, Money *out)
{
    if (!std::isfinite(value))
        return false;
    // The ends of the range have no double of their own: each is kept as the
    // double just beyond it, which stands for that end.
    constexpr double top = 922337203685477.5807;
    if (std::fabs(value) == top) {
        out->units = value > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
        return true;
    }
    // Most amounts are a whole number of ten-thousandths whose double reads
    // back as itself: below 1e11 no two such amounts share a double, so that
    // one is the shortest decimal too.
    if (std::fabs(value) < 1e11) {
        const double scaled = std::nearbyint(value * double(Scale));
        if (scaled / double(Scale) == value) {
            out->units = qint64(scaled);
            return true;
        }
    }
    char text[400];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return error == std::errc() && parseExact(text, end - text, out);
}

QString Money::toString() const
{
    const quint64 magnitude = units < 0 ? quint64(0) - quint64(units) : quint64(units);
    QString text = QString::number(magnitude / Scale);
    if (const quint64 fraction = magnitude % Scale) {
        QString decimals = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        text += QLatin1Char('.') + decimals;
    }
    return units < 0 ? QLatin1Char('-') + text : text;
}

QString plainNumberText(double value, int significantDigits)
{
    if (!std::isfinite(value))
        return QString::number(value);
    char text[64];
    const auto [end, error] = significantDigits > 0
        ? std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, std::min(significantDigits, 17) - 1)
        : std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    if (error != std::errc())
        return QString::number(value, 'g', 17);
    Decimal d;
    return Decimal::read(text, end - text, &d) ? d.toString() : QString::number(value, 'g', 17);
}

bool decimalOf(const QVariant &value, Decimal *out)
{
    if (value.isNull() || !value.isValid())
        return false;
    switch (value.metaType().id()) {
    case QMetaType::Double: case QMetaType::Float: {
        char text[32];
        const auto [end, error] = std::to_chars(text, text + sizeof text, value.toDouble());
        return error == std::errc() && Decimal::read(text, end - text, out);
    }
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::UInt: case QMetaType::ULongLong: {
        const QByteArray text = value.toString().toLatin1();
        return Decimal::read(text.constData(), text.size(), out);
    }
    case QMetaType::QString: return Decimal::read(value.toString(), out);
    case QMetaType::QByteArray: {
        const QByteArray text = value.toByteArray();
        return Decimal::read(text.constData(), text.size(), out);
    }
    default: break;
    }
    if (value.metaType() == QMetaType::fromType<Money>()) {
        *out = value.value<Money>().toDecimal();
        return true;
    }
    return false;
}

double numberOf(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Double: case QMetaType::Int: case QMetaType::LongLong: return value.toDouble();
    default: break;
    }
    Decimal d;
    double x = 0;
    return decimalOf(value, &d) && d.toDouble(&x) ? x : 0;
}
