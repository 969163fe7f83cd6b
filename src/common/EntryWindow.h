#pragma once
#include <QList>
#include <functional>
#include <QString>
#include <QStringList>

class ComboBox;
class MaskEdit;
class QLineEdit;
class QWidget;
class Query;

// What the person, vehicle and trip entry windows share: their fields are
// controls named after the columns they feed, the lists fill or empty them
// before showing the window, and the window writes them back through the
// list's own query.

// The text of a field control (edit, masked edit, combo box, label) and its
// setting from code. A masked edit gives its text with the literals kept and
// blanks as spaces; setting a combo box's text raises no change event.
QString controlText(const QWidget *control);
void setControlText(QWidget *control, const QString &text);

// Replaces a combo box's items with the values of `column` of the rows the
// one-line statement returns, in the order the server returns them; the
// combo's text stays.
void fillComboFromStatement(ComboBox *combo, Query &query, const QString &line, const QString &column);

// Each control gets the text of the column of the same name in the query's
// current row (the empty text for NULL, and for an empty result set), and
// keeps it as the text it was loaded with.
void loadControlsFromRow(const QList<QWidget *> &controls, Query &rows);

// The duplicate question: runs `lines` on `query`; when a row comes back a
// warning with Yes, No and Cancel asks `question` followed by the first row's
// `keyColumn`. True when there is no duplicate or the answer is Yes. An edit
// names its row in `exceptId`: the row being edited is no duplicate of itself.
bool duplicateAllowed(Query &query, const QStringList &lines, const QString &question, const QString &keyColumn,
                      const QString &exceptId = QString());

// Makes an entry window's fields and hands each, with its caption, to the
// window's own way of placing it: plain edits (right to left where they hold
// free Persian text, left to right otherwise), editable combo boxes that read
// right to left as every combo box of the program, and masked edits.
class FieldMaker {
public:
    using Place = std::function<void(QWidget *field, const char *name, int row, int column, const QString &caption)>;
    FieldMaker(QWidget *window, Place place) : m_window(window), m_place(std::move(place)) {}
    QLineEdit *edit(const char *name, int row, int column, const QString &caption, bool rightToLeft = false);
    ComboBox *combo(const char *name, int row, int column, const QString &caption);
    MaskEdit *masked(const char *name, int row, int column, const QString &caption, const QString &mask);

private:
    QWidget *m_window;
    Place m_place;
};

enum class RowMode { Append, Edit };

// Writes every control's text into the column named like the control (a
// money edit's amount without its digit grouping), in the order given, on a
// new row (Append) or on the current row (Edit) of `rows`, opening it first
// when it is closed, and posts the row. When the server refuses the row, the
// row is cancelled before the error goes on, so the shared result set is
// never left half-assigned. An edit skips a control nobody changed since it
// was loaded (one changed and changed back is written), so that only what
// the user changed is written.
//
// Before anything else a masked field that is not complete stops the save,
// with the focus on it and the masked edit's invalid-input message; then a
// text its column cannot take (no number, too long, out of range) stops it
// the same way, the message naming the field by its caption. Only then
// `checksPassed` runs the window's own checks and questions, and a false
// from it ends the save with nothing written. True when the row was stored.
bool storeControls(Query &rows, const QList<QWidget *> &controls, RowMode mode,
                   const std::function<bool()> &checksPassed = nullptr);
