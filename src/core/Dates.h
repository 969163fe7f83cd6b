#pragma once
#include <QString>
#include <QtGlobal>

// A Gregorian date and its Jalali (Solar Hijri) equivalent. Init takes today's
// date from the system clock; ToPersian converts whatever Gregorian date the
// fields hold; ToText formats the Jalali date as "yyyy/mm/dd", the text every
// date column holds and compares.
//
// The conversion follows the astronomical calendar through Borkowski's table
// of break years, so it is right for every day, not only in the 1300s and
// 1400s where the simple 4-year pattern happens to agree.
class TJalaliDate {
public:
    quint16 gYear = 0;
    quint16 gMonth = 0;
    quint16 gDay = 0;
    quint16 pYear = 0;
    quint16 pMonth = 0;
    quint16 pDay = 0;

    // Today's local date into the Gregorian fields, then ToPersian.
    void Init();
    // The Jalali fields from the Gregorian ones.
    void ToPersian();
    // "yyyy/mm/dd" of the Jalali fields as they stand (no Init).
    QString ToText() const;
    // 1 for the first of January.
    int GregorianDayOfYear() const;
    bool IsGregorianLeap() const;  // of gYear
    bool IsPersianLeap() const;    // of pYear

    // Leap-year tests for any year, for callers that are not holding a date.
    static bool gregorianLeap(int year);
    static bool persianLeap(int year);
};

// The one shared date object: set it to today with Init before reading it.
extern TJalaliDate dates;
