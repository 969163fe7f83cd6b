#include "Letters.h"

const QList<std::pair<QChar, QChar>> &letterFolds()
{
    static const QList<std::pair<QChar, QChar>> folds{
        {QChar(0x0643), QChar(0x06A9)}, // Arabic kaf -> Persian keheh
        {QChar(0x064A), QChar(0x06CC)}, // Arabic yeh -> Persian yeh
        {QChar(0x0649), QChar(0x06CC)}, // alef maksura -> Persian yeh
        // Persian and Arabic-Indic digits -> ASCII digits
        {QChar(0x06F0), QChar('0')}, {QChar(0x0660), QChar('0')}, {QChar(0x06F1), QChar('1')}, {QChar(0x0661), QChar('1')},
        {QChar(0x06F2), QChar('2')}, {QChar(0x0662), QChar('2')}, {QChar(0x06F3), QChar('3')}, {QChar(0x0663), QChar('3')},
        {QChar(0x06F4), QChar('4')}, {QChar(0x0664), QChar('4')}, {QChar(0x06F5), QChar('5')}, {QChar(0x0665), QChar('5')},
        {QChar(0x06F6), QChar('6')}, {QChar(0x0666), QChar('6')}, {QChar(0x06F7), QChar('7')}, {QChar(0x0667), QChar('7')},
        {QChar(0x06F8), QChar('8')}, {QChar(0x0668), QChar('8')}, {QChar(0x06F9), QChar('9')}, {QChar(0x0669), QChar('9')},
    };
    return folds;
}

QString foldedLetters(const QString &text)
{
    QString out = text;
    for (const auto &[from, to] : letterFolds())
        out.replace(from, to);
    return out;
}

bool sameLetters(const QString &a, const QString &b)
{
    return a.size() == b.size() && foldedLetters(a) == foldedLetters(b);
}
