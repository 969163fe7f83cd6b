#include "Program.h"
#include "DataError.h"
#include <QProcess>
#include <QProcessEnvironment>

void runProgram(const QString &program, const QStringList &arguments, const QHash<QString, QString> &environment)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (auto it = environment.cbegin(); it != environment.cend(); ++it)
        env.insert(it.key(), it.value());
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(-1))
        throw DataError(program + QStringLiteral(": ") + process.errorString());
    const QString errors = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit)
        throw DataError(program + QStringLiteral(": ") + (errors.isEmpty() ? process.errorString() : errors));
    if (process.exitCode() != 0)
        throw DataError(errors.isEmpty() ? program + QStringLiteral(": exit code %1").arg(process.exitCode()) : errors);
}
