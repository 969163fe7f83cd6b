#pragma once
#include <QDialog>
#include <QHash>
#include <QImage>

class Report;
class ReportLabel;

// The base of the printed-form windows: a window that is created at start-up,
// never shown itself, and holds one banded layout `QuickRep1`. The lists fill
// its value labels by name and open the layout's print preview. A value label
// prints the text last set into it, and nothing until then.
class PrintedForm : public QDialog {
    Q_OBJECT
public:
    // `caption` names the form to the user: the preview's caption and the
    // document's name in the print queue.
    PrintedForm(const QString &name, const QString &caption, QWidget *parent = nullptr);

    Report *QuickRep1;

    // The text of a value label; set texts stay until set again.
    void setValue(const QString &labelName, const QString &text);
    QString value(const QString &labelName) const;
    // The names of the layout's value labels, in the order they were laid out.
    QStringList valueNames() const;
    // A value label of the layout; nullptr when it has none of that name.
    ReportLabel *valueLabel(const QString &labelName) const;

    // Opens the print preview of the layout through the platform.
    void preview();

    // The organisation's own pieces that several layouts print.
    static QImage logo();                // the emblem
    static QString organisationName();   // its name, as the headers print it
    static QString documentCode();       // document-control code of a form
    static QString documentRevision();   // document-control revision of a form

private:
    // Texts set under a name the layout has no label for: kept, not printed.
    QHash<QString, QString> m_unplaced;
};
