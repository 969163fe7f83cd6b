#pragma once
#include <QDialog>
#include <QHash>

class Report;

// The base of the printed-form windows: a window that is created at start-up,
// never shown itself, and holds one banded layout `QuickRep1`. The lists fill
// its value labels by name and open the layout's print preview.
class PrintedForm : public QDialog {
    Q_OBJECT
public:
    explicit PrintedForm(const QString &name, QWidget *parent = nullptr);

    Report *QuickRep1;

    // The text of a value label; set texts stay until set again.
    void setValue(const QString &labelName, const QString &text);
    QString value(const QString &labelName) const;
    QStringList valueNames() const;

    // Opens the print preview of the layout through the platform.
    void preview();
};
