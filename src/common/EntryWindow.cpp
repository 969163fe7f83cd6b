#include "EntryWindow.h"
#include "platform/ComboBox.h"
#include "platform/Connection.h"
#include "platform/DataError.h"
#include "platform/FieldRefusal.h"
#include "platform/MaskEdit.h"
#include "platform/Platform.h"
#include "platform/Query.h"
#include <QLabel>
#include <QLineEdit>

QString controlText(const QWidget *control)
{
    if (auto *mask = qobject_cast<const MaskEdit *>(control))
        return mask->text();
    if (auto *combo = qobject_cast<const ComboBox *>(control))
        return combo->text();
    if (auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    return QString();
}

void setControlText(QWidget *control, const QString &text)
{
    if (auto *mask = qobject_cast<MaskEdit *>(control))
        mask->setText(text);
    else if (auto *combo = qobject_cast<ComboBox *>(control))
        combo->setText(text);
    else if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
}

void fillComboFromStatement(ComboBox *combo, Query &query, const QString &line, const QString &column)
{
    query.clear();
    query.add(line);
    query.open();
    const int c = query.columnIndex(column);
    QStringList items;
    items.reserve(query.recordCount());
    for (int row = 0; row < query.recordCount(); ++row)
        items << query.textAt(row, c);
    combo->setItems(items);
}

namespace {

// The text a control showed when the row was loaded into it, and whether its
// text has changed since, whoever changed it (the user, a look-up, a
// preset), even when it came back to that text: an edit leaves alone only a
// field nobody touched.
const char *const LoadedText = "loadedText";
const char *const ChangedSinceLoad = "changedSinceLoad";
const char *const Watched = "changeWatched";

void watchChanges(QWidget *control)
{
    if (control->property(Watched).toBool())
        return;
    control->setProperty(Watched, true);
    auto mark = [control] { control->setProperty(ChangedSinceLoad, true); };
    // Picked or typed by the user, or set from code even to the same text.
    auto *combo = qobject_cast<ComboBox *>(control);
    if (combo) {
        QObject::connect(combo, &ComboBox::changed, control, mark);
        QObject::connect(combo, &ComboBox::textSet, control, mark);
    } else if (auto *mask = qobject_cast<MaskEdit *>(control)) {
        QObject::connect(mask, &MaskEdit::textSet, control, mark);
    }
    if (QLineEdit *line = combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(control))
        QObject::connect(line, &QLineEdit::textChanged, control, mark);
}

// A plain line edit is marked modified when loaded: QLineEdit's setText
// resets that flag, so a text set from code since reads as not modified even
// when it is the same text, and the user's edits keep it set.
bool isPlainEdit(const QWidget *control)
{
    return qobject_cast<const QLineEdit *>(control) && !qobject_cast<const MaskEdit *>(control);
}

void rememberLoadedText(QWidget *control)
{
    control->setProperty(LoadedText, controlText(control));
    control->setProperty(ChangedSinceLoad, false);
    if (isPlainEdit(control))
        static_cast<QLineEdit *>(control)->setModified(true);
}

bool untouchedSinceLoad(const QWidget *control)
{
    const QVariant loaded = control->property(LoadedText);
    return loaded.isValid() && !control->property(ChangedSinceLoad).toBool() && loaded.toString() == controlText(control)
        && (!isPlainEdit(control) || static_cast<const QLineEdit *>(control)->isModified());
}

} // namespace

void loadControlsFromRow(const QList<QWidget *> &controls, Query &rows)
{
    for (QWidget *control : controls) {
        watchChanges(control);
        setControlText(control, rows.field(control->objectName()).asString());
        rememberLoadedText(control);
    }
}

bool duplicateAllowed(Query &query, const QStringList &lines, const QString &question, const QString &keyColumn,
                      const QString &exceptId)
{
    query.clear();
    for (const QString &line : lines)
        query.add(line);
    if (!exceptId.isEmpty())
        query.add(QStringLiteral(" and id<>") + query.connection()->dialect().quoted(exceptId));
    query.open();
    if (query.isEmpty())
        return true;
    query.first();
    return askYesNoCancel(question + query.field(keyColumn).asString()) == Platform::Button::Yes;
}

namespace {

// A masked field left half filled is refused before anything is written,
// however the click that saves arrived (the refusal on leaving the field may
// still be waiting behind it). A field an edit leaves as it was loaded is
// not written, so it is not asked either.
void requireCompleteMasks(const QList<QWidget *> &controls, RowMode mode)
{
    for (QWidget *control : controls)
        if (auto *mask = qobject_cast<MaskEdit *>(control); mask && !(mode == RowMode::Edit && untouchedSinceLoad(control)))
            mask->requireComplete();
}

// Every text to be written is taken as its column will take it, before
// anything is asked or written: a text that is no value of its column (no
// number, say) or does not fit it (too long, out of range) is refused under
// its field's caption. The column types and limits are read first, so that
// an error here is one of a field's text, never of the server.
void requireWritableTexts(Query &rows, const QList<QWidget *> &controls, RowMode mode)
{
    const QString table = rows.baseTable();
    Connection &connection = *rows.connection();
    connection.columnKinds(table);
    connection.columnLimits(table);
    for (QWidget *control : controls) {
        if (mode == RowMode::Edit && untouchedSinceLoad(control))
            continue;
        const QString column = control->objectName();
        QVariant value;
        try {
            value = rows.field(column).valueOfText(controlText(control));
        } catch (const DataError &error) {
            // "'    ' is no whole number" alone does not say which field.
            refuseAt(control, captionOf(control) + QStringLiteral(": ") + error.message(), error);
        }
        requireFitsIn(control, connection, table, column, value);
    }
}

} // namespace

bool storeControls(Query &rows, const QList<QWidget *> &controls, RowMode mode, const std::function<bool()> &checksPassed)
{
    requireCompleteMasks(controls, mode);
    if (!rows.isOpen())
        rows.open();
    requireWritableTexts(rows, controls, mode);
    if (checksPassed && !checksPassed())
        return false;
    if (mode == RowMode::Append)
        rows.append();
    else
        rows.edit();
    try {
        for (QWidget *control : controls) {
            // A field nobody touched since it was loaded is neither written
            // nor compared: an empty control would turn a NULL into '', and a
            // change another workstation made to the field since would
            // refuse the save. A touched one is written and compared even
            // when it shows the loaded text again.
            if (mode == RowMode::Edit && untouchedSinceLoad(control))
                continue;
            rows.field(control->objectName()).setText(controlText(control), Field::Write::Always);
        }
        rows.post();
    } catch (...) {
        rows.cancel();
        throw;
    }
    if (mode == RowMode::Edit)
        for (QWidget *control : controls)
            rememberLoadedText(control);
    return true;
}

QLineEdit *FieldMaker::edit(const char *name, int row, int column, const QString &caption, bool rightToLeft)
{
    auto *e = new QLineEdit(m_window);
    e->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    m_place(e, name, row, column, caption);
    return e;
}

ComboBox *FieldMaker::combo(const char *name, int row, int column, const QString &caption)
{
    auto *c = new ComboBox(true, m_window);
    m_place(c, name, row, column, caption);
    return c;
}

MaskEdit *FieldMaker::masked(const char *name, int row, int column, const QString &caption, const QString &mask)
{
    auto *m = new MaskEdit(mask, m_window);
    m_place(m, name, row, column, caption);
    return m;
}
