#pragma once
#include <QList>
#include <QString>
#include <optional>

class QWidget;
class QPrinter;
class Report;

// Everything modal or outside the process goes through this one interface:
// message and input boxes, file and folder dialogs, the shell, the system
// sound, the keyboard layout, the print preview and the spreadsheet program.
// The program installs DesktopPlatform; tests install ScriptedPlatform, which
// answers from a queue and records every call, so no window ever blocks.
class Platform {
public:
    enum class Button { None, Ok, Yes, No, Cancel };
    // Plain: an outcome or refusal; Warning and Confirmation: as named;
    // Error: the default error box of an uncaught data-layer error.
    enum class BoxKind { Plain, Warning, Confirmation, Error };

    virtual ~Platform() = default;

    virtual Button messageBox(BoxKind kind, const QString &text, const QList<Button> &buttons) = 0;
    // The text confirmed with OK; no answer at all when the box is cancelled
    // (Cancel, Esc or the close box), whatever its default text.
    virtual std::optional<QString> inputBox(const QString &caption, const QString &prompt, const QString &defaultText) = 0;
    // Empty when cancelled.
    virtual QString openFileName(const QString &caption, const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &proposedName, const QString &filter) = 0;
    virtual QString chooseFolder(const QString &caption) = 0;
    // Both answer false when no program took the file.
    virtual bool openWithAssociatedProgram(const QString &path) = 0;
    virtual bool openSpreadsheet(const QString &path) = 0;
    virtual void playSystemSound(const QString &name) = 0;
    virtual void activateKeyboardLayout(const QString &layoutId) = 0;
    // Shows a window modally and returns when it closes.
    virtual int showModal(QWidget *window) = 0;
    // Shows a report in a print preview from which it can be printed.
    virtual void printPreview(Report &report) = 0;
};

Platform &platform();
void installPlatform(Platform *platform); // not owned; nullptr restores the desktop one

// Shorthands for the boxes the windows use.
void showMessage(const QString &text);                         // plain, OK
Platform::Button askYesNoCancel(const QString &text);          // warning, Yes/No/Cancel
void showWarning(const QString &text);                         // warning, Yes
void showConfirmation(const QString &text);                    // confirmation, Yes
void showDefaultError(const QString &text);                    // the default error box
// The default error box for a file that no program took: `noProgram` says
// so, and the file's full path follows, left to right, so that the user can
// open it by hand.
void showFileLeftAt(const QString &noProgram, const QString &path);
// A file's full path as a line of its own, reading left to right inside a
// right-to-left message.
QString pathLine(const QString &path);
// A file's full path within a line of text, reading left to right exactly as
// the file is named (digits and brackets after Persian words included): the
// folder and file names stand in the path's order, each read on its own.
QString leftToRightPath(const QString &path);
// The message of a file that could not be written: what failed, in Persian,
// the file's full path, and the system's own reason.
QString fileNotWritten(const QString &path, const QString &reason);
// The same for a file that could not be read.
QString fileNotRead(const QString &path, const QString &reason);

// Makes the boxes of Qt's file and print dialogs that hold a folder or file
// path read left to right in the right-to-left program, also in the dialogs
// Qt opens by itself (the print dialog's "print to file" browser). Call once,
// after the application object exists.
void installLeftToRightPathBoxes();

// The real implementation over Qt's dialogs and services.
class DesktopPlatform : public Platform {
public:
    Button messageBox(BoxKind kind, const QString &text, const QList<Button> &buttons) override;
    std::optional<QString> inputBox(const QString &caption, const QString &prompt, const QString &defaultText) override;
    QString openFileName(const QString &caption, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &proposedName, const QString &filter) override;
    QString chooseFolder(const QString &caption) override;
    bool openWithAssociatedProgram(const QString &path) override;
    bool openSpreadsheet(const QString &path) override;
    void playSystemSound(const QString &name) override;
    void activateKeyboardLayout(const QString &layoutId) override;
    int showModal(QWidget *window) override;
    void printPreview(Report &report) override;
};
