#include "FilterToggle.h"
#include <QApplication>
#include <QCheckBox>
#include <QPalette>
#include <QWidget>

void setFilterColour(QWidget *field, bool switchedOn)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, switchedOn ? QColor(Qt::yellow) : QApplication::palette(field).color(QPalette::Base));
    field->setPalette(palette);
}

void toggleFilter(QCheckBox *box, const QList<QWidget *> &fields, QWidget *focus)
{
    const bool on = box->isChecked();
    for (QWidget *field : fields) {
        field->setEnabled(on);
        setFilterColour(field, on);
    }
    if (on && !fields.isEmpty()) {
        QWidget *target = focus ? focus : fields.first();
        target->setFocus(Qt::OtherFocusReason);
    }
}
