#pragma once
#include <QString>
#include <string>

// A number as the program takes it, typed into a field or stored in a
// column, held exactly: sign, significant digits and a power of ten. Every
// number field and number column reads its text through Decimal::read, so a
// text is the same number (or the same refusal) everywhere; amounts are then
// worked out on the exact decimals, never on a binary floating-point number.
struct Decimal {
    bool negative = false;
    // The significant digits, ASCII, without leading or trailing zeros;
    // empty for zero.
    std::string digits;
    // The value is digits × 10^exponent.
    int exponent = 0;

    // The one reader of number texts. Taken: blanks around the number; a
    // sign ("-" or "+") at most once, at the start; the digits in any of
    // their forms (ASCII, Persian, Arabic-Indic); the decimal point "." or
    // the Arabic decimal separator "٫"; the whole part's digits grouped by
    // three with one of ",", "٬", "،" or a blank ("1,500", "۱٬۵۰۰", "1 500"),
    // the first group not led by a zero; an exponent "e" or "E" with at
    // most one sign of its own. False for anything else: "1e+-3", "--1",
    // "+-1", "12,5", "0,500", "1 234,567", "1500 ریال", "nan", "".
    static bool read(QStringView text, Decimal *out);
    // The same for a text an engine wrote (ASCII, read the same way).
    static bool read(const char *text, qsizetype size, Decimal *out);

    bool isZero() const { return digits.empty(); }
    // The whole number, when it is one and fits 64 bits.
    bool toWhole(qint64 *out) const;
    // The double nearest the number (0 for one below the smallest double,
    // as the engines store it); false when it is beyond the largest.
    bool toDouble(double *out) const;

    // The plain decimal text, never with an exponent: "-0.5", "1500",
    // "2767011611056432.7421"; "0" for zero.
    QString toString() const;

    // Exact sums and products.
    Decimal times(const Decimal &other) const;
    Decimal plus(const Decimal &other) const;

    // Leading and trailing zeros of digits dropped (into the exponent).
    void normalise();

    // The same number: read and normalised decimals have one form each.
    bool operator==(const Decimal &other) const = default;
};
