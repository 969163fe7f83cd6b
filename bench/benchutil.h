#pragma once
// Small helpers shared by the benchmarks: memory readings and timing of an
// outside command (the raw engine's own client).
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <sys/resource.h>

namespace bench {

// A value of /proc/self/status in kB ("VmRSS", "VmHWM").
inline long statusKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toLong();
    return -1;
}

// Resets the peak so that VmHWM measures what comes next.
inline void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

struct CommandRun {
    double seconds = 0;
    long peakKb = 0;
    bool ok = false;
};

// Runs a shell command (its output to /dev/null) and reports wall time and
// the peak memory of the child.
inline CommandRun runCommand(const QString &shellCommand, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    CommandRun run;
    QProcess p;
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    // exec: the shell is replaced by the command, so the child's peak is the command's own.
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exec ") + shellCommand});
    run.ok = p.waitForFinished(-1) && p.exitCode() == 0;
    run.seconds = t.nsecsElapsed() / 1e9;
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    run.peakKb = usage.ru_maxrss;
    return run;
}

} // namespace bench
