#include "Money.h"
#include <charconv>
#include <cmath>
#include <algorithm>
#include <limits>

namespace {

// Reads and grids convert through QVariant: a money value reads as its exact
// text, and as a number where a number is asked for.
const bool converters = [] {
    QMetaType::registerConverter<Money, QString>(&Money::toString);
    QMetaType::registerConverter<Money, double>(&Money::toDouble);
    QMetaType::registerConverter<Money, qlonglong>([](const Money &m) {
        return qlonglong(std::llround(m.toLongDouble()));
    });
    return true;
}();

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The significant digits of a plain decimal text and the power of ten of
// its last digit, exactly.
struct Decimal {
    bool negative = false;
    char digits[64];
    int count = 0;
    int exponent = 0;
};

bool splitDecimal(const char *p, const char *end, Decimal *d)
{
    while (p < end && *p == ' ')
        ++p;
    while (end > p && end[-1] == ' ')
        --end;
    if (p < end && (*p == '-' || *p == '+'))
        d->negative = *p++ == '-';
    bool anyDigit = false;
    bool point = false;
    for (; p < end; ++p) {
        if (isDigit(*p)) {
            anyDigit = true;
            if (d->count > 0 || *p != '0') {
                if (d->count == int(sizeof d->digits))
                    return false; // far beyond any amount
                d->digits[d->count++] = *p;
            }
            if (point)
                --d->exponent;
        } else if (*p == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return false;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        int e = 0;
        const auto [next, error] = std::from_chars(p + (p < end && *p == '+'), end, e);
        if (error != std::errc() || std::abs(e) > 100)
            return false;
        d->exponent += e;
        p = next;
    }
    return p == end;
}

bool parseDecimal(const char *text, qsizetype size, Money *out, bool exact)
{
    Decimal d;
    if (!splitDecimal(text, text + size, &d))
        return false;
    // Scaled to ten-thousandths: the first dropped digit beyond the fourth
    // decimal rounds half away from zero.
    const int shift = d.exponent + 4;
    const int kept = std::min(d.count, d.count + shift);
    if (kept + std::max(shift, 0) > 19)
        return false;
    quint64 magnitude = 0;
    for (int i = 0; i < kept; ++i)
        magnitude = magnitude * 10 + quint64(d.digits[i] - '0');
    for (int i = 0; i < shift; ++i)
        magnitude *= 10;
    if (exact && std::any_of(d.digits + std::max(kept, 0), d.digits + d.count, [](char c) { return c != '0'; }))
        return false;
    if (kept >= 0 && kept < d.count && d.digits[kept] >= '5')
        ++magnitude;
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (d.negative ? 1 : 0);
    if (magnitude > limit)
        return false;
    out->units = d.negative ? qint64(quint64(0) - magnitude) : qint64(magnitude);
    return true;
}

} // namespace

bool Money::parseExact(const char *text, qsizetype size, Money *out)
{
    return parseDecimal(text, size, out, true);
}

bool Money::parse(QStringView text, Money *out)
{
    char latin[128];
    if (text.size() > qsizetype(sizeof latin))
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() > 0x7F)
            return false;
        latin[i] = char(text[i].unicode());
    }
    return parseDecimal(latin, text.size(), out, false);
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
    // "-d.dddde±x": the significant digits and where the point goes.
    const char *p = text;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    std::string digits;
    for (; *p != 'e'; ++p)
        if (isDigit(*p))
            digits.push_back(*p);
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), end, exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    if (digits == "0")
        return QStringLiteral("0");
    std::string out;
    const int integerDigits = exponent + 1;
    if (integerDigits <= 0) {
        out = "0." + std::string(size_t(-integerDigits), '0') + digits;
    } else if (size_t(integerDigits) >= digits.size()) {
        out = digits + std::string(size_t(integerDigits) - digits.size(), '0');
    } else {
        out = digits.substr(0, size_t(integerDigits)) + '.' + digits.substr(size_t(integerDigits));
    }
    return QString::fromLatin1((negative ? "-" : "") + out);
}
