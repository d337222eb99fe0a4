#include "BoundedProcess.h"

#include <QDeadlineTimer>
#include <QProcess>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

namespace {

// Kills the whole group: `zsh -c` may have forked the tool, and a grandchild
// left behind would keep running (and holding our pipe) forever.
void killTree(QProcess &process)
{
#ifdef Q_OS_UNIX
    const qint64 pid = process.processId();
    if (pid > 0)
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
#endif
    process.kill();
    process.waitForFinished(1000);
}

}  // namespace

std::optional<QByteArray> runBoundedProcess(const QString &program, const QStringList &arguments,
                                            ProcessOutput output, const BoundedProcessLimits &limits,
                                            ExitRule exitRule)
{
    QProcess process;
    if (output == ProcessOutput::MergedChannels)
        process.setProcessChannelMode(QProcess::MergedChannels);
    else
        process.setStandardErrorFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX
    // Own process group, so a time-out can take down whatever the program started.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
#endif

    QDeadlineTimer deadline(limits.timeoutMs);
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(int(qMax<qint64>(deadline.remainingTime(), 0))))
        return std::nullopt;

    QByteArray bytes;
    // Read while waiting so output larger than the pipe buffer cannot stall the child.
    while (process.state() != QProcess::NotRunning) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0) {
            killTree(process);
            return std::nullopt;
        }
        // A program that closed its output but keeps running makes waitForReadyRead
        // return at once; wait on its exit instead of spinning.
        if (!process.waitForReadyRead(int(qMin<qint64>(left, 200))) && process.state() != QProcess::NotRunning)
            process.waitForFinished(int(qMin<qint64>(deadline.remainingTime(), 50)));
        bytes += process.readAll();
        if (bytes.size() > limits.maxOutputBytes) {
            killTree(process);
            return std::nullopt;
        }
    }
    bytes += process.readAll();
    if (bytes.size() > limits.maxOutputBytes)
        return std::nullopt;
    if (exitRule == ExitRule::ZeroStatusOnly
        && (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0))
        return std::nullopt;
    return bytes;
}
