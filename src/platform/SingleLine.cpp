#include "SingleLine.h"
#include <QApplication>
#include <QEvent>
#include <QLineEdit>

namespace {

bool isBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0x2028) || c == QChar(0x2029) || c == QChar(0x0085);
}

const char KeptSingle[] = "kavrinSingleLine";

class SingleLineEdits : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Polish)
            if (auto *edit = qobject_cast<QLineEdit *>(watched))
                keepSingleLine(edit);
        return false;
    }
};

} // namespace

QString singleLine(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBreak(text.at(begin)))
        ++begin;
    while (end > begin && isBreak(text.at(end - 1)))
        --end;
    QString out;
    out.reserve(end - begin);
    for (qsizetype i = begin; i < end; ++i) {
        if (!isBreak(text.at(i)))
            out += text.at(i);
        else if (!isBreak(text.at(i - 1)))
            out += QLatin1Char(' ');
    }
    return out;
}

void keepSingleLine(QLineEdit *edit)
{
    if (edit->property(KeptSingle).toBool())
        return;
    edit->setProperty(KeptSingle, true);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
        const QString one = singleLine(text);
        if (one == text)
            return;
        // The caret stays after what was pasted.
        const int cursor = qBound(0, edit->cursorPosition() - int(text.size() - one.size()), int(one.size()));
        edit->setText(one);
        edit->setCursorPosition(cursor);
        edit->setModified(true);
        Q_EMIT edit->textEdited(one);
    });
}

void installSingleLineEdits()
{
    qApp->installEventFilter(new SingleLineEdits(qApp));
}
