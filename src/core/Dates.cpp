#include "Dates.h"
#include <QDate>
#include <iterator>

TJalaliDate dates;

namespace {

// Jalali years at which the pattern of leap years in the 33-year cycles
// shifts (Borkowski, "The Persian calendar for 3000 years", 1996).
constexpr int Breaks[] = {-61, 9, 38, 199, 426, 686, 756, 818, 1111, 1181,
                          1210, 1635, 2060, 2097, 2192, 2262, 2324, 2394, 2456, 3178};

struct JalaliYear {
    int sinceLeap; // years since the last leap year: 0 for a leap year
    int march;     // the day of March on which the year begins
};

// Integer division and remainder truncate here, as the algorithm is stated.
JalaliYear jalaliYear(int jy)
{
    const int gy = jy + 621;
    int leapJ = -14;
    int jp = Breaks[0];
    int jump = 0;
    for (std::size_t i = 1; i < std::size(Breaks); ++i) {
        const int jm = Breaks[i];
        jump = jm - jp;
        if (jy < jm)
            break;
        leapJ += jump / 33 * 8 + jump % 33 / 4;
        jp = jm;
    }
    int n = jy - jp;
    leapJ += n / 33 * 8 + (n % 33 + 3) / 4;
    if (jump % 33 == 4 && jump - n == 4)
        ++leapJ;
    const int leapG = gy / 4 - (gy / 100 + 1) * 3 / 4 - 150;
    const int march = 20 + leapJ - leapG;
    if (jump - n < 6)
        n = n - jump + (jump + 4) / 33 * 33;
    int sinceLeap = ((n + 1) % 33 - 1) % 4;
    if (sinceLeap == -1)
        sinceLeap = 4;
    return {sinceLeap, march};
}

constexpr int GregorianMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

QString twoDigits(int value)
{
    return value < 10 ? QLatin1Char('0') + QString::number(value) : QString::number(value);
}

} // namespace

bool TJalaliDate::gregorianLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool TJalaliDate::persianLeap(int year)
{
    return jalaliYear(year).sinceLeap == 0;
}

bool TJalaliDate::IsGregorianLeap() const { return gregorianLeap(gYear); }
bool TJalaliDate::IsPersianLeap() const { return persianLeap(pYear); }

int TJalaliDate::GregorianDayOfYear() const
{
    int day = gDay;
    for (int m = 1; m < gMonth && m <= 12; ++m)
        day += (m == 2 && IsGregorianLeap()) ? 29 : GregorianMonthDays[m - 1];
    return day;
}

void TJalaliDate::Init()
{
    const QDate today = QDate::currentDate();
    gYear = quint16(today.year());
    gMonth = quint16(today.month());
    gDay = quint16(today.day());
    ToPersian();
}

void TJalaliDate::ToPersian()
{
    int year = gYear - 621;
    // Day of the Gregorian year on which Jalali year `year` begins.
    const int firstDay = 31 + (IsGregorianLeap() ? 29 : 28) + jalaliYear(year).march;
    int k = GregorianDayOfYear() - firstDay; // 0 = the first of Farvardin
    if (k < 0) {
        --year;
        k += persianLeap(year) ? 366 : 365;
    }
    int month;
    int day;
    if (k < 186) { // six months of 31 days
        month = 1 + k / 31;
        day = k % 31 + 1;
    } else {       // then months of 30 days; Esfand ends early outside leap years
        k -= 186;
        month = 7 + k / 30;
        day = k % 30 + 1;
    }
    pYear = quint16(year);
    pMonth = quint16(month);
    pDay = quint16(day);
}

QString TJalaliDate::ToText() const
{
    return QString::number(pYear).left(4) + QLatin1Char('/') + twoDigits(pMonth) + QLatin1Char('/') + twoDigits(pDay);
}
