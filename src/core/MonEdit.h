#pragma once
#include "platform/Money.h"
#include <QLineEdit>
#include <functional>

// A one-line edit for money amounts in whole units. By default its change
// handler, FormatOnChange, rewrites the text while the user types as its
// digits alone, grouped by three with "," (1234567 shows as 1,234,567), and
// keeps the caret at the end. A window may put its own change handler in
// OnChange instead; then the text is left as it is. Its amount is the number
// its text stands for, read as every number field and column reads it;
// GetValue gives its whole units.
// Persian and Arabic-Indic digits count as the ASCII digits they stand for.
//
// The change handler runs only once the control's window exists (its window
// has been shown): text set while a window is being built raises no change.
class TMonEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TMonEdit(QWidget *parent = nullptr);

    // The change event; FormatOnChange unless a window replaces it.
    std::function<void(TMonEdit *sender)> OnChange;

    // The whole units of the text read as a number, without its sign; for a
    // text that is no number, the integer of its digits before any decimal
    // point (0 for none). Throws DataError when they do not fit a 32-bit
    // signed integer.
    qint32 GetValue() const;

    // The amount the text stands for, read as every number field and money
    // column reads it (grouped "1,500" is 1500, "12.5" is 12.5, "۱۵۰۰٫۷۵" is
    // 1500.75): what a trip counts with is what its column stores. 0 for the
    // empty text; throws DataError for a text that is no amount.
    Money amount() const;

    void FormatOnChange(TMonEdit *sender);
    // S grouped by three; the result is remembered in LastText.
    QString GroupDigits(const QString &S, int L);
    // The decimal digits among the first L characters of S, Persian and
    // Arabic-Indic ones as ASCII; "0" for an empty S.
    static QString DigitsOnly(const QString &S, int L);
    // S with Ch inserted before position P (1-based) of its first L characters.
    static QString InsertChar(const QString &S, int L, int P, QChar Ch);

    // The last text GroupDigits produced; never reset.
    QString LastText;

private:
    void textChangedNotification();
};
