#pragma once
#include <QLineEdit>

// A masked edit for the masks the windows use: "!9999/99/00;1;_" (a Jalali
// date), "!90:00;1;_" (a time of day) and "0000;1;_" (a four-digit year).
// In these masks 0 is a required digit and 9 an optional one; the literals are
// kept in the text and an empty position reads as a blank, so an untouched
// date reads "    /  /  ". "_" marks an empty position on screen. Persian and
// Arabic-Indic digits, typed or given, are taken as ASCII digits.
class MaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskEdit(const QString &mask, QWidget *parent = nullptr);

    QString editMask() const { return m_mask; }
    QString text() const;                 // literals kept, blanks as spaces
    // Blanks may be given as spaces. A text stored in another shape of the
    // same groups ("1403/5/12", "7:30") is put with each group filled out
    // with zeros ("1403/05/12", "07:30"), never with a digit dropped.
    void setText(const QString &text);
    void clear() { setText(QString()); }

    // The mask converted to Qt's notation (whose 9 and 0 are the other way round).
    static QString toQtMask(const QString &mask);

    // Whether the text may be left as it is: untouched (every digit position
    // blank) or with every required position filled and no blank after a
    // digit of the same group (a one-digit month typed as "5 " is refused;
    // blanks may only lead a group, as an optional digit left out does).
    bool complete() const;

    // The platform's message when a field is left half filled.
    static const QString InvalidInput;

    // Asked before a save writes anything: a text that is not complete takes
    // the focus and ends the save with a DataError of InvalidInput. A refusal
    // still queued from leaving the field (a click whose press and release
    // came together) is then dropped, so the message is shown once.
    void requireComplete();

Q_SIGNALS:
    // Code set the text, changed or not.
    void textSet();
protected:
    // Leaving an edited field whose required positions are partly filled is
    // refused: the focus comes back, the invalid-input message is shown and a
    // button pressed on the way out is released without its click.
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    // Escape abandons the edits since the field was entered.
    void keyPressEvent(QKeyEvent *event) override;

private:
    // One character per position: Qt's "9" (required digit), "0" (optional
    // digit) or the literal itself.
    QString positions() const;
    void refuseLeaving();

    QString m_mask;
    QString m_entered; // the text when the field was entered
    bool m_refusalQueued = false;
};
