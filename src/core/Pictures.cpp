#include "Pictures.h"
#include <QPainter>
#include <QPainterPath>

QPixmap windowPicture(WindowPicture picture)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (picture) {
    case WindowPicture::Person: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2f, 0x6d, 0xb5));
        p.drawEllipse(QRectF(7.5, 2, 9, 9));
        QPainterPath body;
        body.moveTo(3, 22);
        body.cubicTo(3, 13, 21, 13, 21, 22);
        body.closeSubpath();
        p.drawPath(body);
        break;
    }
    case WindowPicture::Key: {
        p.setPen(QPen(QColor(0xb8, 0x86, 0x0b), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(2.5, 8, 8, 8));
        p.drawLine(QPointF(10.5, 12), QPointF(21.5, 12));
        p.drawLine(QPointF(18.5, 12), QPointF(18.5, 16.5));
        p.drawLine(QPointF(15, 12), QPointF(15, 15.5));
        break;
    }
    case WindowPicture::Tick: {
        p.setPen(QPen(QColor(0x1e, 0x8e, 0x3e), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(4, 13), QPointF(10, 19), QPointF(20, 6)}));
        break;
    }
    case WindowPicture::Cross: {
        p.setPen(QPen(QColor(0xc6, 0x28, 0x28), 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
        break;
    }
    }
    return pixmap;
}
