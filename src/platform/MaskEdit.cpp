#include "MaskEdit.h"

QString MaskEdit::toQtMask(const QString &mask)
{
    // "!9999/99/00;1;_": the part before the first ';' is the pattern.
    QString pattern = mask.section(QLatin1Char(';'), 0, 0);
    if (pattern.startsWith(QLatin1Char('!')))
        pattern.remove(0, 1);
    QString out;
    for (QChar c : pattern) {
        if (c == QLatin1Char('9'))
            out += QLatin1Char('0');          // optional digit
        else if (c == QLatin1Char('0'))
            out += QLatin1Char('9');          // required digit
        else if (QStringLiteral("AaNnXx#<>!\\").contains(c))
            out += QLatin1Char('\\') + c;     // our masks have no other mask letters
        else
            out += c;
    }
    const QString blank = mask.section(QLatin1Char(';'), 2, 2);
    return out + QLatin1Char(';') + (blank.isEmpty() ? QStringLiteral("_") : blank.left(1));
}

MaskEdit::MaskEdit(const QString &mask, QWidget *parent) : QLineEdit(parent), m_mask(mask)
{
    setInputMask(toQtMask(mask));
    // Digits read left to right and stand at the right edge of a right-to-left form.
    setLayoutDirection(Qt::LeftToRight);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

QString MaskEdit::text() const
{
    QString shown = displayText();
    const QString blank = m_mask.section(QLatin1Char(';'), 2, 2);
    shown.replace(blank.isEmpty() ? QChar(QLatin1Char('_')) : blank.at(0), QLatin1Char(' '));
    return shown;
}

void MaskEdit::setText(const QString &text)
{
    // Put each character of the text at its own position: a blank leaves the
    // position empty, so "1403/ 1/05" and "    /  /  " come back as they went in.
    const QString pattern = toQtMask(m_mask).section(QLatin1Char(';'), 0, 0).remove(QLatin1Char('\\'));
    QLineEdit::setText(QString());
    QString normalized;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar p = pattern.at(i);
        const QChar c = i < text.size() ? text.at(i) : QLatin1Char(' ');
        if (p == QLatin1Char('0') || p == QLatin1Char('9'))
            normalized += c.isDigit() ? c : QChar(QLatin1Char(' '));
        else
            normalized += p;
    }
    QLineEdit::setText(normalized);
    // Qt shifts digits left over blanks of optional positions; place them one by one.
    if (MaskEdit::text() != normalized) {
        QLineEdit::setText(QString());
        for (int i = 0; i < normalized.size(); ++i) {
            if (normalized.at(i).isDigit()) {
                setCursorPosition(i);
                setSelection(i, 1);
                insert(QString(normalized.at(i)));
            }
        }
    }
    setCursorPosition(0);
}
