#include "Shape.h"
#include <QPainter>

Shape::Shape(Kind kind, QWidget *parent) : QWidget(parent), m_kind(kind) {}

void Shape::setBrushColor(const QColor &colour)
{
    if (colour == m_brush)
        return;
    m_brush = colour;
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(m_brush);
    if (m_kind == Kind::Rectangle) {
        p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        return;
    }
    const qreal side = qMin(width(), height()) - 1;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    p.drawEllipse(circle);
}
