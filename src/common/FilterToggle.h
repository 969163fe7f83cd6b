#pragma once
#include <QList>

class QCheckBox;
class QWidget;

// The filter toggle of the lists: a filter is switched on while its field is
// enabled, and its check box keeps the two equal. Ticked, the fields become
// enabled and yellow and `focus` (the first field when none is given) gets
// the focus; unticked, they are disabled and get the window colour again.
// Their texts stay as they are.
void toggleFilter(QCheckBox *box, const QList<QWidget *> &fields, QWidget *focus = nullptr);

// Paints a field's background: yellow for a switched-on filter, otherwise the
// system's window colour.
void setFilterColour(QWidget *field, bool switchedOn);
