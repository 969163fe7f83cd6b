#pragma once
#include <QDialog>

// A page of the program that prepares itself each time it is shown: its
// FormShow runs, through the handler guard, whenever code shows the window
// (not when the window system merely restores it). Pages without a cancel
// button are made with escapeCloses false, so that Esc does not close them.
class Page : public QDialog {
    Q_OBJECT
public:
    explicit Page(QWidget *parent = nullptr, bool escapeCloses = true);
    virtual void FormShow() {}

protected:
    void showEvent(QShowEvent *event) override;
};

// Makes Esc do nothing in a window that has no cancel button. A dialog closes
// on Esc by default, and a window whose opener clears its fields would then
// lose what was being typed.
void ignoreEscape(QDialog *dialog);
