#include "Page.h"
#include "platform/Guard.h"
#include <QKeyEvent>
#include <QShowEvent>

Page::Page(QWidget *parent, bool escapeCloses) : QDialog(parent), m_escapeCloses(escapeCloses) {}

void Page::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

void Page::keyPressEvent(QKeyEvent *event)
{
    if (!m_escapeCloses && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
