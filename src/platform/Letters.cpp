#include "Letters.h"

const QList<std::pair<QChar, QChar>> &letterFolds()
{
    static const QList<std::pair<QChar, QChar>> folds{
        {QChar(0x0643), QChar(0x06A9)}, // Arabic kaf -> Persian keheh
        {QChar(0x064A), QChar(0x06CC)}, // Arabic yeh -> Persian yeh
        {QChar(0x0649), QChar(0x06CC)}, // alef maksura -> Persian yeh
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
