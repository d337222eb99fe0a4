#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <optional>

// Runs one outside program with a hard bound on time and on output size, so a
// hung or chatty tool can never freeze the caller.
struct BoundedProcessLimits {
    int timeoutMs = 2000;
    qsizetype maxOutputBytes = 1024 * 1024;
    // Where a program that gave no output is reported (nowhere when null).
    const QLoggingCategory *diagnostics = nullptr;
};

enum class ProcessOutput { StdoutOnly, MergedChannels };

// Whether a program that exits with an error status still counts as answering.
enum class ExitRule { AnyStatus, ZeroStatusOnly };

// The bytes the program wrote, or nullopt when it could not be started, ran
// past the time-out, printed more than the cap or (with ZeroStatusOnly) did not
// exit normally with status 0. On a time-out or an overflow the program and
// everything it started in its process group are killed.
std::optional<QByteArray> runBoundedProcess(const QString &program, const QStringList &arguments,
                                            ProcessOutput output,
                                            const BoundedProcessLimits &limits = {},
                                            ExitRule exitRule = ExitRule::AnyStatus);
