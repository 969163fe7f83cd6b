#pragma once
#include <QList>
#include <QString>
#include <utility>

class QLineEdit;

// A Persian keyboard types the digits ۰-۹ (U+06F0..U+06F9); older layouts and
// pasted text bring the Arabic-Indic ٠-٩ (U+0660..U+0669). Wherever the
// program takes a number or a masked value they stand for the ASCII digits,
// and the ASCII digits are what is stored.

// Each Persian and Arabic-Indic digit with the ASCII digit it stands for
// (what the searches fold, see Letters.h).
const QList<std::pair<QChar, QChar>> &localDigits();
// The ASCII digit a Persian or Arabic-Indic digit stands for; any other
// character as it is.
QChar asciiDigit(QChar c);
// The text with every Persian and Arabic-Indic digit made ASCII.
QString asciiDigits(const QString &text);

// Makes an edit take Persian and Arabic-Indic digits as ASCII ones: typed
// keys (and input-method text) reach the edit, and every key filter on it, as
// ASCII digits, and pasted text, or text set by the program, is made ASCII as
// soon as it lands. Install it
// after the edit's own key filters, so that it sees the keys first.
void takeLocalDigits(QLineEdit *edit);
