#pragma once
#include <QLineEdit>

// A masked edit for the masks the windows use: "!9999/99/00;1;_" (a Jalali
// date), "!90:00;1;_" (a time of day) and "0000;1;_" (a four-digit year).
// In these masks 0 is a required digit and 9 an optional one; the literals are
// kept in the text and an empty position reads as a blank, so an untouched
// date reads "    /  /  ". "_" marks an empty position on screen.
class MaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskEdit(const QString &mask, QWidget *parent = nullptr);

    QString editMask() const { return m_mask; }
    QString text() const;                 // literals kept, blanks as spaces
    void setText(const QString &text);    // blanks may be given as spaces
    void clear() { setText(QString()); }

    // The mask converted to Qt's notation (whose 9 and 0 are the other way round).
    static QString toQtMask(const QString &mask);

private:
    QString m_mask;
};
