#include "ScriptedPlatform.h"
#include <QWidget>

Platform::Button ScriptedPlatform::messageBox(BoxKind kind, const QString &text, const QList<Button> &buttons)
{
    calls << Call{QStringLiteral("message"), text, kind, buttons, {}, {}};
    if (!buttonAnswers.isEmpty())
        return buttonAnswers.dequeue();
    return buttons.isEmpty() ? Button::Ok : buttons.first();
}

std::optional<QString> ScriptedPlatform::inputBox(const QString &caption, const QString &prompt, const QString &defaultText)
{
    calls << Call{QStringLiteral("input"), prompt, BoxKind::Plain, {}, caption, defaultText};
    if (inputAnswers.isEmpty())
        return std::nullopt;
    return inputAnswers.dequeue();
}

QString ScriptedPlatform::openFileName(const QString &caption, const QString &filter)
{
    calls << Call{QStringLiteral("openFile"), filter, BoxKind::Plain, {}, caption, {}};
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString ScriptedPlatform::saveFileName(const QString &caption, const QString &proposedName, const QString &filter)
{
    calls << Call{QStringLiteral("saveFile"), filter, BoxKind::Plain, {}, caption, proposedName};
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString ScriptedPlatform::chooseFolder(const QString &caption)
{
    calls << Call{QStringLiteral("folder"), caption, BoxKind::Plain, {}, caption, {}};
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

bool ScriptedPlatform::openWithAssociatedProgram(const QString &path)
{
    calls << Call{QStringLiteral("open"), path, BoxKind::Plain, {}, {}, {}};
    return !refuseOpening;
}

bool ScriptedPlatform::openSpreadsheet(const QString &path)
{
    calls << Call{QStringLiteral("spreadsheet"), path, BoxKind::Plain, {}, {}, {}};
    return !refuseOpening;
}

void ScriptedPlatform::playSystemSound(const QString &name)
{
    calls << Call{QStringLiteral("sound"), name, BoxKind::Plain, {}, {}, {}};
}

void ScriptedPlatform::activateKeyboardLayout(const QString &layoutId)
{
    calls << Call{QStringLiteral("keyboard"), layoutId, BoxKind::Plain, {}, {}, {}};
}

int ScriptedPlatform::showModal(QWidget *window)
{
    calls << Call{QStringLiteral("modal"), window->objectName(), BoxKind::Plain, {}, {}, {}};
    window->show();
    if (onModal)
        onModal(window);
    return 0;
}

void ScriptedPlatform::printPreview(Report &report)
{
    calls << Call{QStringLiteral("preview"), {}, BoxKind::Plain, {}, {}, {}};
    if (onPreview)
        onPreview(report);
}

QStringList ScriptedPlatform::messages() const
{
    QStringList out;
    for (const Call &c : calls)
        if (c.what == QLatin1String("message"))
            out << c.text;
    return out;
}

QList<ScriptedPlatform::Call> ScriptedPlatform::callsOf(const QString &what) const
{
    QList<Call> out;
    for (const Call &c : calls)
        if (c.what == what)
            out << c;
    return out;
}

void ScriptedPlatform::reset()
{
    calls.clear();
    buttonAnswers.clear();
    inputAnswers.clear();
    fileAnswers.clear();
    refuseOpening = false;
}
