#pragma once
#include <QComboBox>

// A combo box with the change semantics the windows rely on: `changed` is
// emitted only when the user types in it or picks an item, never when code
// sets its text, and clearing or replacing its items keeps its text without
// any change signal. A text picked or set whole shows its beginning.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    // editable: a combo the user may type into; otherwise a pick-only list.
    explicit ComboBox(bool editable = true, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);   // no `changed`
    void clearItems();                   // keeps the text
    // Replaces the items, keeping the text and selecting no item.
    void setItems(const QStringList &items);

Q_SIGNALS:
    void changed();
    // Code set the text, changed or not.
    void textSet();

private:
    void showBeginning();
};
