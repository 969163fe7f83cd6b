#include "Numbers.h"
#include "Digits.h"
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

// Beyond this many digits or powers of ten no column keeps the number (a
// double ends near 1e308 and 1e-324), and the exact arithmetic stays small.
constexpr int Reach = 2000;

QChar charAt(const char *p) { return QChar(char16_t(uchar(*p))); }
QChar charAt(const QChar *p) { return *p; }

bool isBlank(QChar c) { return c == u' ' || c == QChar(0x00A0) || c == QChar(0x2009) || c == QChar(0x202F); }
// ",", the Arabic thousands separator "٬" and the Arabic comma "،" that a
// Persian keyboard types, or a blank.
bool isGroupSeparator(QChar c) { return c == u',' || c == QChar(0x066C) || c == QChar(0x060C) || isBlank(c); }
bool isPoint(QChar c) { return c == u'.' || c == QChar(0x066B); }
bool isSign(QChar c) { return c == u'-' || c == u'+'; }

int digitOf(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c.unicode() < 0x0660)
        return -1;
    const QChar a = asciiDigit(c);
    return a >= u'0' && a <= u'9' ? a.unicode() - u'0' : -1;
}

template<typename Char> bool readDecimal(const Char *p, const Char *end, Decimal *d)
{
    *d = Decimal();
    while (p < end && isBlank(charAt(p)))
        ++p;
    while (end > p && isBlank(charAt(end - 1)))
        --end;
    if (p < end && isSign(charAt(p)))
        d->negative = charAt(p++) == u'-';

    // Zeros after the last significant digit are counted, not kept.
    int zeros = 0;
    auto keep = [&](int digit) {
        if (digit == 0) {
            if (!d->digits.empty())
                ++zeros;
            return;
        }
        d->digits.append(size_t(zeros), '0');
        d->digits.push_back(char('0' + digit));
        zeros = 0;
    };

    // The whole part: a first group of one to three digits not led by a
    // zero, then groups of exactly three, each after a separator of one and
    // the same kind; or digits without any. So "0,500" and "1 234,567",
    // where the separator may be a decimal comma, are no number.
    int wholeDigits = 0;
    bool ledByZero = false;
    int group = -1; // digits since the last separator; -1 before the first
    QChar separator; // the kind of the first; every blank is one kind
    for (; p < end; ++p) {
        const QChar c = charAt(p);
        if (const int digit = digitOf(c); digit >= 0) {
            ledByZero = ledByZero || (wholeDigits == 0 && digit == 0);
            keep(digit);
            ++wholeDigits;
            if (group >= 0)
                ++group;
        } else if (isGroupSeparator(c)) {
            const QChar kind = isBlank(c) ? QChar(u' ') : c;
            if (group < 0 ? wholeDigits < 1 || wholeDigits > 3 || ledByZero : group != 3 || kind != separator)
                return false;
            separator = kind;
            group = 0;
        } else {
            break;
        }
    }
    if (group >= 0 && group != 3)
        return false;

    int fractionDigits = 0;
    if (p < end && isPoint(charAt(p))) {
        for (++p; p < end; ++p) {
            const int digit = digitOf(charAt(p));
            if (digit < 0)
                break;
            keep(digit);
            ++fractionDigits;
        }
    }
    if (wholeDigits + fractionDigits == 0)
        return false;

    int power = 0;
    if (p < end && (charAt(p) == u'e' || charAt(p) == u'E')) {
        ++p;
        bool negativePower = false;
        if (p < end && isSign(charAt(p)))
            negativePower = charAt(p++) == u'-';
        int powerDigits = 0;
        for (; p < end; ++p) {
            const int digit = digitOf(charAt(p));
            if (digit < 0)
                break;
            power = std::min(power * 10 + digit, 10 * Reach);
            ++powerDigits;
        }
        if (powerDigits == 0)
            return false;
        if (negativePower)
            power = -power;
    }
    if (p != end)
        return false;
    if (d->digits.empty()) {
        d->negative = false;
        return true;
    }
    d->exponent = zeros - fractionDigits + power;
    return int(d->digits.size()) <= Reach && std::abs(d->exponent) <= Reach;
}

bool lessInMagnitude(const std::string &a, const std::string &b)
{
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// a + b, or a - b where b is not larger; digits of equal alignment.
std::string addDigits(const std::string &a, const std::string &b, bool subtract)
{
    std::string out(std::max(a.size(), b.size()) + 1, '0');
    int carry = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const int x = i < a.size() ? a[a.size() - 1 - i] - '0' : 0;
        const int y = i < b.size() ? b[b.size() - 1 - i] - '0' : 0;
        int v = subtract ? x - y - carry : x + y + carry;
        carry = subtract ? (v < 0) : (v >= 10);
        v = subtract ? (v + 10) % 10 : v % 10;
        out[out.size() - 1 - i] = char('0' + v);
    }
    return out;
}

} // namespace

bool Decimal::read(QStringView text, Decimal *out)
{
    return readDecimal(text.data(), text.data() + text.size(), out);
}

bool Decimal::read(const char *text, qsizetype size, Decimal *out)
{
    return readDecimal(text, text + size, out);
}

void Decimal::normalise()
{
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        *this = Decimal();
        return;
    }
    digits.erase(0, first);
    const size_t last = digits.find_last_not_of('0');
    exponent += int(digits.size() - 1 - last);
    digits.erase(last + 1);
}

bool Decimal::toWhole(qint64 *out) const
{
    if (isZero()) {
        *out = 0;
        return true;
    }
    if (exponent < 0 || int(digits.size()) + exponent > 19)
        return false;
    quint64 magnitude = 0;
    for (char c : digits)
        magnitude = magnitude * 10 + quint64(c - '0');
    for (int i = 0; i < exponent; ++i)
        magnitude *= 10;
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    if (magnitude > limit)
        return false;
    *out = negative ? qint64(quint64(0) - magnitude) : qint64(magnitude);
    return true;
}

bool Decimal::toDouble(double *out) const
{
    if (isZero()) {
        *out = 0;
        return true;
    }
    const std::string text = digits + 'e' + std::to_string(exponent);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size())
        return false;
    // Out of range below 1: nearer to zero than the smallest double.
    if (error == std::errc::result_out_of_range && int(digits.size()) + exponent <= 0)
        value = 0;
    else if (error != std::errc())
        return false;
    *out = negative ? -value : value;
    return true;
}

QString Decimal::toString() const
{
    if (isZero())
        return QStringLiteral("0");
    const int whole = int(digits.size()) + exponent; // digits before the point
    std::string out = negative ? "-" : "";
    if (whole <= 0)
        out += "0." + std::string(size_t(-whole), '0') + digits;
    else if (exponent >= 0)
        out += digits + std::string(size_t(exponent), '0');
    else
        out += digits.substr(0, size_t(whole)) + '.' + digits.substr(size_t(whole));
    return QString::fromLatin1(out);
}

Decimal Decimal::times(const Decimal &other) const
{
    Decimal out;
    if (isZero() || other.isZero())
        return out;
    std::vector<int> sums(digits.size() + other.digits.size(), 0);
    for (size_t i = 0; i < digits.size(); ++i)
        for (size_t j = 0; j < other.digits.size(); ++j)
            sums[i + j + 1] += (digits[i] - '0') * (other.digits[j] - '0');
    for (size_t k = sums.size() - 1; k > 0; --k) {
        sums[k - 1] += sums[k] / 10;
        sums[k] %= 10;
    }
    for (int s : sums)
        out.digits.push_back(char('0' + s));
    out.negative = negative != other.negative;
    out.exponent = exponent + other.exponent;
    out.normalise();
    return out;
}

Decimal Decimal::plus(const Decimal &other) const
{
    if (other.isZero())
        return *this;
    if (isZero())
        return other;
    const int e = std::min(exponent, other.exponent);
    const std::string a = digits + std::string(size_t(exponent - e), '0');
    const std::string b = other.digits + std::string(size_t(other.exponent - e), '0');
    Decimal out;
    out.exponent = e;
    if (negative == other.negative) {
        out.negative = negative;
        out.digits = addDigits(a, b, false);
    } else if (lessInMagnitude(a, b)) {
        out.negative = other.negative;
        out.digits = addDigits(b, a, true);
    } else {
        out.negative = negative;
        out.digits = addDigits(a, b, true);
    }
    out.normalise();
    return out;
}
