#pragma once
#include <QList>
#include <QString>
#include <utility>

// Kaf and yeh each have two forms in use: a Persian keyboard types the
// Persian keheh "ک" (U+06A9) and yeh "ی" (U+06CC); older data, older layouts
// and the program's lookup values carry the Arabic kaf "ك" (U+0643), yeh "ي"
// (U+064A) and alef maksura "ى" (U+0649). Digits likewise come as Persian
// ۰-۹, Arabic-Indic ٠-٩ or ASCII 0-9 (a plate, a vehicle name such as
// "پژو ۴۰۵"). Wherever the program compares or searches text each letter and
// each digit is one in all its forms; stored texts keep the form they have.

// Each letter and digit that is folded, with the form it is folded to.
const QList<std::pair<QChar, QChar>> &letterFolds();

// The text with the Arabic letter forms made Persian and the digits ASCII.
QString foldedLetters(const QString &text);
// Whether two texts are the same once their kaf, yeh and digits are folded.
bool sameLetters(const QString &a, const QString &b);
