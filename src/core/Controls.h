#pragma once
#include <QLabel>
#include <QMouseEvent>

// What the windows of the application core share when they build themselves.

// Gives a control its name (the one tests and other windows find it by) and
// returns it.
template<typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The frame every window of the core shares: its name, its caption, right
// to left, Tahoma 8 pt.
inline void setUpWindow(QWidget *window, const char *name, const QString &caption)
{
    window->setObjectName(QLatin1String(name));
    window->setWindowTitle(caption);
    window->setLayoutDirection(Qt::RightToLeft);
    window->setFont(QFont(QStringLiteral("Tahoma"), 8));
}

// A label that reports a click of its left mouse button, for the labels that
// restore a default, run a command or act as a link.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString &text, QWidget *parent = nullptr) : QLabel(text, parent) {}

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            Q_EMIT clicked();
    }
};
