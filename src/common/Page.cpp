#include "Page.h"
#include "platform/Guard.h"
#include <QKeyEvent>
#include <QShowEvent>

namespace {

class EscapeEater : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void ignoreEscape(QDialog *dialog)
{
    dialog->installEventFilter(new EscapeEater(dialog));
}

Page::Page(QWidget *parent, bool escapeCloses) : QDialog(parent)
{
    if (!escapeCloses)
        ignoreEscape(this);
}

void Page::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}
