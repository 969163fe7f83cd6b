#include "Style.h"
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionButton>

namespace {

class ProgramStyle : public QProxyStyle {
public:
    // Sees the key events of every window: see SH_UnderlineShortcut.
    ProgramStyle() { qApp->installEventFilter(this); }

    // An underline under the access letter of a Persian caption cuts the
    // joining of its word ("بـرش"): like the desktop's own programs, access
    // letters are underlined only while Alt is held, and the windows are
    // redrawn when it goes down or up.
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget, QStyleHintReturn *returnData) const override
    {
        if (hint == SH_UnderlineShortcut)
            return m_altHeld;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Alt)
            setAltHeld(event->type() == QEvent::KeyPress);
        else if (event->type() == QEvent::ApplicationDeactivate)
            setAltHeld(false); // the release goes to another program
        return QProxyStyle::eventFilter(watched, event);
    }

    // Between picture and caption, as Qt's push button counts it in its size.
    static constexpr int spacing = 4;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        if (element == CE_ComboBoxLabel && option->direction != painter->layoutDirection()) {
            // A painter reads text in the application's direction, not the
            // widget's: a combo box turned left to right (a file dialog's
            // folder box) showed "/home/ali" as "home/ali/".
            painter->save();
            painter->setLayoutDirection(option->direction);
            QProxyStyle::drawControl(element, option, painter, widget);
            painter->restore();
            return;
        }
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        if (element != CE_PushButtonLabel || !button || button->direction != Qt::RightToLeft || button->icon.isNull()
            || button->text.isEmpty()) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        // Right to left: the picture at the right, the caption at its left,
        // the two centred together in the button.
        const bool enabled = button->state & State_Enabled;
        const QIcon::Mode mode = !enabled ? QIcon::Disabled : (button->state & State_HasFocus) ? QIcon::Active : QIcon::Normal;
        const QPixmap pixmap = button->icon.pixmap(button->iconSize, painter->device()->devicePixelRatio(), mode,
                                                   (button->state & State_On) ? QIcon::On : QIcon::Off);
        const QSize picture = pixmap.deviceIndependentSize().toSize();
        int flags = Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
        if (!proxy()->styleHint(SH_UnderlineShortcut, button, widget))
            flags |= Qt::TextHideMnemonic;
        const QRect area = button->rect;
        const int textWidth = button->fontMetrics.boundingRect(area, flags, button->text).width();
        const int left = area.x() + (area.width() - (textWidth + spacing + picture.width())) / 2;
        const QRect textRect(left, area.y(), textWidth, area.height());
        const QRect pictureRect(QPoint(textRect.right() + 1 + spacing, area.y() + (area.height() - picture.height()) / 2), picture);
        painter->drawPixmap(pictureRect, pixmap);
        proxy()->drawItemText(painter, textRect, flags, button->palette, enabled, button->text, QPalette::ButtonText);
    }

private:
    void setAltHeld(bool held)
    {
        if (held == m_altHeld)
            return;
        m_altHeld = held;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible())
                window->update();
    }

    bool m_altHeld = false;
};

} // namespace

void installProgramStyle()
{
    QApplication::setStyle(new ProgramStyle);
}
