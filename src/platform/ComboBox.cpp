#include "ComboBox.h"
#include <QLineEdit>

ComboBox::ComboBox(bool editable, QWidget *parent) : QComboBox(parent)
{
    setEditable(editable);
    setLayoutDirection(Qt::RightToLeft);
    setInsertPolicy(QComboBox::NoInsert);
    if (editable) {
        connect(lineEdit(), &QLineEdit::textEdited, this, [this] { Q_EMIT changed(); });
        // An editable combo must not complete into an item behind the user's back.
        setCompleter(nullptr);
    }
    connect(this, &QComboBox::activated, this, [this] {
        showBeginning();
        Q_EMIT changed();
    });
}

void ComboBox::showBeginning()
{
    // A line edit given a whole text puts the cursor after it and scrolls
    // to its end: a long name read as its last words. The cursor at the
    // start shows its first ones.
    if (isEditable())
        lineEdit()->setCursorPosition(0);
}

QString ComboBox::text() const
{
    return isEditable() ? lineEdit()->text() : currentText();
}

void ComboBox::setText(const QString &text)
{
    {
        const QSignalBlocker blocker(this);
        if (isEditable()) {
            const int i = findText(text, Qt::MatchExactly);
            setCurrentIndex(i);
            lineEdit()->setText(text);
            showBeginning();
        } else {
            setCurrentIndex(findText(text, Qt::MatchExactly));
        }
    }
    Q_EMIT textSet();
}

void ComboBox::clearItems()
{
    const QString kept = text();
    // The text stays: neither the combo nor its line edit tells of a change.
    const QSignalBlocker blocker(this);
    const QSignalBlocker lineBlocker(lineEdit());
    clear();
    if (isEditable())
        lineEdit()->setText(kept);
}

void ComboBox::setItems(const QStringList &items)
{
    const QString kept = text();
    const QSignalBlocker blocker(this);
    const QSignalBlocker lineBlocker(lineEdit());
    clear();
    addItems(items);
    setCurrentIndex(-1);
    if (isEditable())
        lineEdit()->setText(kept);
}
