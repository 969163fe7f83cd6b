#include "Letters.h"
#include "Digits.h"

namespace {
// The Arabic forms of kaf and yeh, each with the Persian form it is folded to.
constexpr std::pair<char16_t, char16_t> ArabicLetters[] = {
    {0x0643, 0x06A9}, // Arabic kaf -> Persian keheh
    {0x064A, 0x06CC}, // Arabic yeh -> Persian yeh
    {0x0649, 0x06CC}, // alef maksura -> Persian yeh
};

QChar foldedLetter(QChar c)
{
    for (const auto &[from, to] : ArabicLetters)
        if (c.unicode() == from)
            return QChar(to);
    return asciiDigit(c);
}
} // namespace

const QList<std::pair<QChar, QChar>> &letterFolds()
{
    static const QList<std::pair<QChar, QChar>> folds = [] {
        QList<std::pair<QChar, QChar>> out;
        for (const auto &[from, to] : ArabicLetters)
            out << std::pair{QChar(from), QChar(to)};
        return out + localDigits(); // Persian and Arabic-Indic digits -> ASCII digits
    }();
    return folds;
}

QString foldedLetters(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        c = foldedLetter(c);
    return out;
}

bool sameLetters(const QString &a, const QString &b)
{
    return a.size() == b.size() && foldedLetters(a) == foldedLetters(b);
}
