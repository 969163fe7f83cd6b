#pragma once
#include "Platform.h"
#include <QQueue>
#include <QStringList>
#include <QVariant>
#include <functional>

// The platform for tests: every call is recorded, and the answers come from
// queues the test fills beforehand. An empty queue gives the answer of a
// person who cancels: the first button, a cancelled input box, no file.
class ScriptedPlatform : public Platform {
public:
    struct Call {
        QString what;      // "message", "input", "openFile", "saveFile", "folder", "open",
                           // "spreadsheet", "sound", "keyboard", "modal", "preview"
        QString text;      // the message, prompt, path, window name ...
        BoxKind kind = BoxKind::Plain;
        QList<Button> buttons;
        QString caption;
        QString extra;     // default text, proposed name
    };

    QQueue<Button> buttonAnswers;
    QQueue<QString> inputAnswers;
    QQueue<QString> fileAnswers;     // open, save and folder dialogs
    QList<Call> calls;
    std::function<void(QWidget *)> onModal; // runs while a window is "modal"
    std::function<void(Report &)> onPreview;
    bool refuseOpening = false;      // no program takes a file to open

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

    // The texts of the message boxes shown so far, in order.
    QStringList messages() const;
    QList<Call> callsOf(const QString &what) const;
    void reset();
};

// Installs a scripted platform for the lifetime of the object.
class ScopedScriptedPlatform : public ScriptedPlatform {
public:
    ScopedScriptedPlatform() { installPlatform(this); }
    ~ScopedScriptedPlatform() override { installPlatform(nullptr); }
};
