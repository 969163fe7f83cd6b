#pragma once
#include "Numbers.h"
#include <QMetaType>
#include <QString>

// An amount of money held exactly: a whole number of ten-thousandths in 64
// bits, as the money type of the server engines (numeric(19,4) on
// PostgreSQL). It travels from the database through the query, the grid and
// the entry windows and back as an exact decimal, never through a binary
// floating-point number.
struct Money {
    static constexpr qint64 Scale = 10000;
    qint64 units = 0;

    // A number text as Decimal::read takes it ("-1234.5", "1,500", ".25",
    // "۱۵۰۰٫۷۵", "1.5e3"); decimals beyond the fourth are rounded half away
    // from zero, as the engines round what is stored. False for anything
    // else ("nan", "1e+-3", out of range).
    static bool parse(QStringView text, Money *out);
    // The same for a text an engine wrote, exactly: false as well when it has
    // more than four decimals (an average, a value stored by hand), which is
    // then kept as the engine gave it.
    static bool parseExact(const char *text, qsizetype size, Money *out);
    // The amount a double stands for where an engine keeps money as a double
    // (SQLite's numeric affinity): the shortest decimal that reads back as
    // the same double, when it has at most four decimals; the double nearest
    // either end of the range stands for that end. False otherwise.
    static bool fromDouble(double value, Money *out);

    // An exact number as an amount: false beyond the range, and, with
    // Exact, for digits beyond the fourth decimal; otherwise those are
    // rounded to the nearest ten-thousandth, a half away from zero (as the
    // engines store) or to the even neighbour.
    enum class Rounding { Exact, HalfAwayFromZero, HalfEven };
    static bool fromDecimal(const Decimal &number, Rounding rounding, Money *out);
    Decimal toDecimal() const;

    // The exact decimal text without trailing zeros: "1500", "-0.5",
    // "922337203685477.5807"; never an exponent.
    QString toString() const;
    double toDouble() const { return double(units) / double(Scale); }

    friend bool operator==(Money a, Money b) { return a.units == b.units; }
    friend bool operator<(Money a, Money b) { return a.units < b.units; }
};
Q_DECLARE_METATYPE(Money)

// A double as a plain decimal text, never with an exponent: 0.00005 is
// "0.00005", not "5e-05". By default with the fewest significant digits that
// read back as the same double (0.1 + 0.2 is "0.30000000000000004"); with
// `significantDigits` (1 to 17) rounded to that many (0.3 at 15).
QString plainNumberText(double value, int significantDigits = 0);

class QVariant;
// A value read from a row or a field as the exact number it holds: a double
// by the shortest text that reads back as it, a whole number or an amount
// exactly, a text through Decimal::read. False for a NULL, a truth value, a
// date, and a text that is no number.
bool decimalOf(const QVariant &value, Decimal *out);
// The same as the nearest double; 0 where decimalOf is false.
double numberOf(const QVariant &value);
