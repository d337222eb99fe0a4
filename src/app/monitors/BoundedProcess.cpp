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

// Nothing, after saying why in the caller's diagnostics.
std::nullopt_t failed(const BoundedProcessLimits &limits, const QString &program, const QStringList &arguments,
                      const QString &why)
{
    if (limits.diagnostics && limits.diagnostics->isWarningEnabled()) {
        const QString command = (QStringList{program} + arguments).join(' ');
        QMessageLogger().warning(*limits.diagnostics, "%s: %s", qPrintable(command), qPrintable(why));
    }
    return std::nullopt;
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
        return failed(limits, program, arguments, "cannot start: " + process.errorString());
    const auto overflow = [&] {
        const QString why = QStringLiteral("more than %1 bytes of output").arg(limits.maxOutputBytes);
        return failed(limits, program, arguments, why);
    };

    QByteArray bytes;
    // Read while waiting so output larger than the pipe buffer cannot stall the child.
    while (process.state() != QProcess::NotRunning) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0) {
            killTree(process);
            return failed(limits, program, arguments, QStringLiteral("timed out after %1 ms").arg(limits.timeoutMs));
        }
        // A program that closed its output but keeps running makes waitForReadyRead
        // return at once; wait on its exit instead of spinning.
        if (!process.waitForReadyRead(int(qMin<qint64>(left, 200))) && process.state() != QProcess::NotRunning)
            process.waitForFinished(int(qMin<qint64>(deadline.remainingTime(), 50)));
        bytes += process.readAll();
        if (bytes.size() > limits.maxOutputBytes) {
            killTree(process);
            return overflow();
        }
    }
    bytes += process.readAll();
    if (bytes.size() > limits.maxOutputBytes)
        return overflow();
    if (exitRule == ExitRule::ZeroStatusOnly
        && (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0))
        return failed(limits, program, arguments, QStringLiteral("exit status %1").arg(process.exitCode()));
    return bytes;
}
