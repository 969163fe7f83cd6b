#pragma once
#include <QObject>

class QPrinter;

// The banded report: layout in millimetres, bands, elements, bound to a query
// or to none, rendered page by page with QPainter.
class Report : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Paper size and orientation of the layout.
    virtual void preparePrinter(QPrinter &printer) const;
    // Renders every page onto the printer.
    virtual void print(QPrinter &printer);
};
