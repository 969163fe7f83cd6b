#include "Digits.h"
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {
// The zero of each run of local digits; the other nine follow it in order.
constexpr char16_t LocalZeros[] = {0x06F0, 0x0660}; // Persian, Arabic-Indic
} // namespace

const QList<std::pair<QChar, QChar>> &localDigits()
{
    static const QList<std::pair<QChar, QChar>> digits = [] {
        QList<std::pair<QChar, QChar>> out;
        for (char16_t d = 0; d < 10; ++d)
            for (char16_t zero : LocalZeros)
                out << std::pair{QChar(char16_t(zero + d)), QChar(char16_t(u'0' + d))};
        return out;
    }();
    return digits;
}

QChar asciiDigit(QChar c)
{
    const char16_t u = c.unicode();
    for (char16_t zero : LocalZeros)
        if (u >= zero && u < zero + 10)
            return QChar(char16_t(u'0' + (u - zero)));
    return c;
}

QString asciiDigits(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        c = asciiDigit(c);
    return out;
}

namespace {

bool hasLocalDigit(const QString &text)
{
    for (QChar c : text)
        if (asciiDigit(c) != c)
            return true;
    return false;
}

// Sits in front of an edit's other event filters and hands the edit the
// ASCII form of what was typed.
class LocalDigitKeys : public QObject {
public:
    explicit LocalDigitKeys(QLineEdit *edit) : QObject(edit) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (!hasLocalDigit(key->text()))
                return false;
            // The same key with the ASCII text goes through every filter again.
            QKeyEvent ascii(QEvent::KeyPress, key->key(), key->modifiers(), asciiDigits(key->text()), key->isAutoRepeat(),
                            ushort(key->count()));
            QCoreApplication::sendEvent(watched, &ascii);
            return true;
        }
        if (event->type() == QEvent::InputMethod) {
            auto *input = static_cast<QInputMethodEvent *>(event);
            if (!hasLocalDigit(input->commitString()))
                return false;
            QInputMethodEvent ascii(input->preeditString(), input->attributes());
            ascii.setCommitString(asciiDigits(input->commitString()), input->replacementStart(), input->replacementLength());
            QCoreApplication::sendEvent(watched, &ascii);
            return true;
        }
        return false;
    }
};

// Pasted or dropped text: each local digit is replaced where it stands, so a
// masked edit keeps its positions and the caret stays where it was.
void replaceLocalDigits(QLineEdit *edit)
{
    if (!hasLocalDigit(edit->text()))
        return;
    const int cursor = edit->cursorPosition();
    // Each replacement is an edit of its own (and may run this again), so
    // the text is read afresh every time.
    for (;;) {
        const QString display = edit->displayText();
        int i = 0;
        while (i < display.size() && asciiDigit(display.at(i)) == display.at(i))
            ++i;
        if (i == display.size())
            break;
        edit->setSelection(i, 1);
        edit->insert(QString(asciiDigit(display.at(i))));
        if (edit->displayText() == display)
            break; // the edit refused the digit
    }
    edit->setCursorPosition(cursor);
}

} // namespace

void takeLocalDigits(QLineEdit *edit)
{
    edit->installEventFilter(new LocalDigitKeys(edit));
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit] { replaceLocalDigits(edit); });
    // A text the program sets (a row stored by another program) shows its
    // digits as the ASCII ones the edit takes, as typed ones do.
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString &text) {
        if (!edit->isModified() && hasLocalDigit(text))
            edit->setText(asciiDigits(text));
    });
}
