#include "SingleLine.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

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

// Takes over the ways text arrives at an edit in one piece (the paste key,
// the middle button's selection paste, a drop, the paste item of the menu
// the edit or its spin box builds) and puts the text in as one line. The
// breaks are those of the arriving text, so "123\n" pasted between "X" and
// "Y" gives "X123Y"; and the edit changes once, so its listeners hear only
// the text as it then stands. The menus themselves stay the widgets' own: a
// spin box's keeps its steps, an edit whose menu is turned off shows none.
class OneLineInsertions : public QObject {
public:
    explicit OneLineInsertions(QLineEdit *edit) : QObject(edit), m_edit(edit) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_edit) {
            if (event->type() == QEvent::Show)
                if (auto *menu = qobject_cast<QMenu *>(watched))
                    pasteAsOneLine(menu);
            return false;
        }
        // The edit's standard menu is made as its child; it is known by the
        // time it shows.
        if (event->type() == QEvent::ChildAdded)
            static_cast<QChildEvent *>(event)->child()->installEventFilter(this);
        if (m_edit->isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            if (!static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste))
                return false;
            paste(QClipboard::Clipboard);
            return true;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(event)->button() != Qt::MiddleButton || !QGuiApplication::clipboard()->supportsSelection())
                return false;
            m_edit->deselect();
            paste(QClipboard::Selection);
            return true;
        case QEvent::Drop: {
            // The edit drops the text as one line in its own way (at the
            // drop point, moving it when dragged from the edit itself).
            auto *drop = static_cast<QDropEvent *>(event);
            const QString text = drop->mimeData()->text();
            if (text.isNull() || singleLine(text) == text)
                return false;
            QMimeData oneLine;
            oneLine.setText(singleLine(text));
            QDropEvent again(drop->position(), drop->possibleActions(), &oneLine, drop->buttons(), drop->modifiers());
            again.setDropAction(drop->dropAction());
            QCoreApplication::sendEvent(m_edit, &again);
            drop->setDropAction(again.dropAction());
            drop->setAccepted(again.isAccepted());
            return true;
        }
        default:
            return false;
        }
    }

private:
    // The menu's paste item (known by Qt's caption for it, in whatever
    // language) pastes here.
    void pasteAsOneLine(QMenu *menu)
    {
        const QString pasteCaption = QCoreApplication::translate("QLineEdit", "&Paste");
        for (QAction *action : menu->actions())
            if (action->text().section(QLatin1Char('\t'), 0, 0) == pasteCaption
                && QObject::disconnect(action, &QAction::triggered, m_edit, nullptr))
                QObject::connect(action, &QAction::triggered, this, [this] { paste(QClipboard::Clipboard); });
    }

    void paste(QClipboard::Mode mode)
    {
        const QString text = QGuiApplication::clipboard()->text(mode);
        if (!text.isEmpty() || m_edit->hasSelectedText())
            m_edit->insert(singleLine(text));
    }

    QLineEdit *m_edit;
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
    edit->installEventFilter(new OneLineInsertions(edit));
}

void installSingleLineEdits()
{
    qApp->installEventFilter(new SingleLineEdits(qApp));
}
