#pragma once
#include <QHash>
#include <QString>
#include <QStringList>

// Runs a program outside this process and waits until it ends. `environment`
// adds values to this process's environment (or replaces them), for what must
// not stand on a command line, such as a password. Throws DataError with the
// program's own error output when it cannot be started, crashes or ends with
// an exit code other than 0.
void runProgram(const QString &program, const QStringList &arguments,
                const QHash<QString, QString> &environment = {});
