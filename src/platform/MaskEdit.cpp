#include "MaskEdit.h"
#include "DataError.h"
#include "Digits.h"
#include "Platform.h"
#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <algorithm>

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
    takeLocalDigits(this);
}

QString MaskEdit::text() const
{
    QString shown = displayText();
    const QString blank = m_mask.section(QLatin1Char(';'), 2, 2);
    shown.replace(blank.isEmpty() ? QChar(QLatin1Char('_')) : blank.at(0), QLatin1Char(' '));
    return asciiDigits(shown);
}

namespace {

bool isDigitPosition(QChar p) { return p == QLatin1Char('0') || p == QLatin1Char('9'); }

// A text whose literals stand elsewhere than the mask's ("1403/5/12" or
// "7:30", as an import or another program may have stored them), put group
// by group: each group of digits right-aligned in its positions with zeros
// before it ("1403/05/12", "07:30"), so that no digit is dropped or pushed
// into the next group. The text itself when it has the mask's shape already
// or is no such run of digit groups.
QString fittedToGroups(const QString &pattern, const QString &text)
{
    if (std::all_of(pattern.begin(), pattern.end(), isDigitPosition))
        return text; // no literals, no groups to tell apart
    bool sameShape = text.size() == pattern.size();
    for (int i = 0; sameShape && i < pattern.size(); ++i)
        sameShape = isDigitPosition(pattern.at(i)) || text.at(i) == pattern.at(i);
    if (sameShape)
        return text;
    QString out;
    int t = 0;
    for (int i = 0; i < pattern.size();) {
        if (!isDigitPosition(pattern.at(i))) {
            if (t >= text.size() || text.at(t) != pattern.at(i))
                return text;
            out += pattern.at(i++);
            ++t;
            continue;
        }
        int width = 0;
        while (i + width < pattern.size() && isDigitPosition(pattern.at(i + width)))
            ++width;
        QString digits;
        while (t < text.size() && asciiDigit(text.at(t)).isDigit())
            digits += asciiDigit(text.at(t++));
        if (digits.size() > width || digits.isEmpty())
            return text;
        out += QString(width - digits.size(), QLatin1Char('0')) + digits;
        i += width;
    }
    return t == text.size() ? out : text;
}

} // namespace

void MaskEdit::setText(const QString &given)
{
    // Put each character of the text at its own position: a blank leaves the
    // position empty, so "1403/ 1/05" and "    /  /  " come back as they went in.
    const QString pattern = positions();
    const QString text = fittedToGroups(pattern, given);
    QLineEdit::setText(QString());
    QString normalized;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar p = pattern.at(i);
        const QChar c = i < text.size() ? asciiDigit(text.at(i)) : QLatin1Char(' ');
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
    setModified(false); // set by the program, not edited
    Q_EMIT textSet();
}

QString MaskEdit::positions() const
{
    return toQtMask(m_mask).section(QLatin1Char(';'), 0, 0).remove(QLatin1Char('\\'));
}

const QString MaskEdit::InvalidInput = QStringLiteral("مقدار ورودي معتبر نيست. براي لغو تغييرات کليد Esc را بزنيد");

bool MaskEdit::complete() const
{
    const QString pattern = positions();
    const QString shown = text();
    bool anyFilled = false;
    bool requiredBlank = false;
    // A blank after a digit of the same group ("1403/5 /12", typed as
    // 1403/5/12) is a number cut short: stored so, it neither equals nor
    // sorts with the full form, so searches and checks on it silently miss.
    bool blankAfterDigit = false;
    bool digitInGroup = false;
    for (int i = 0; i < pattern.size() && i < shown.size(); ++i) {
        const QChar p = pattern.at(i);
        if (p != QLatin1Char('0') && p != QLatin1Char('9')) {
            digitInGroup = false; // a literal ends a group
            continue;
        }
        const bool blank = shown.at(i) == QLatin1Char(' ');
        anyFilled = anyFilled || !blank;
        // In Qt's notation 9 is a required digit.
        requiredBlank = requiredBlank || (blank && p == QLatin1Char('9'));
        blankAfterDigit = blankAfterDigit || (blank && digitInGroup);
        digitInGroup = digitInGroup || !blank;
    }
    return !anyFilled || (!requiredBlank && !blankAfterDigit);
}

void MaskEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // Coming back after a refusal (or from another window) keeps what the
    // field held when it was first entered.
    if (!isModified())
        m_entered = text();
}

void MaskEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Switching to another window or opening a menu is no leaving; a text set
    // by the program and not edited since is not checked.
    const auto reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !isModified() || complete())
        return;
    refuseLeaving();
}

void MaskEdit::refuseLeaving()
{
    // Qt cannot hold the focus while it moves; it is given back at once,
    // before anything else the move started (a button's click) goes on.
    QPointer<MaskEdit> self(this);
    m_refusalQueued = true;
    QMetaObject::invokeMethod(
        this,
        [self] {
            if (!self || !self->m_refusalQueued)
                return;
            self->m_refusalQueued = false;
            if (!self->isVisible() || self->complete())
                return;
            if (auto *button = qobject_cast<QAbstractButton *>(QApplication::focusWidget()))
                button->setDown(false); // its release is then no click
            self->setFocus(Qt::OtherFocusReason);
            showDefaultError(InvalidInput);
        },
        Qt::QueuedConnection);
}

void MaskEdit::requireComplete()
{
    if (complete())
        return;
    m_refusalQueued = false;
    setFocus(Qt::OtherFocusReason);
    throw DataError(InvalidInput);
}

void MaskEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && isModified()) {
        setText(m_entered);
        setModified(false);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
