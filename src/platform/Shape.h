#pragma once
#include <QColor>
#include <QWidget>

// A filled geometric shape used as a signal light or decoration: a circle
// (the largest one that fits, centred) or a rectangle, filled with the brush
// colour and outlined with a thin black pen.
class Shape : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Circle, Rectangle };

    explicit Shape(Kind kind = Kind::Circle, QWidget *parent = nullptr);

    QColor brushColor() const { return m_brush; }
    void setBrushColor(const QColor &colour);

    QSize sizeHint() const override { return QSize(17, 17); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
    QColor m_brush = Qt::white;
};
