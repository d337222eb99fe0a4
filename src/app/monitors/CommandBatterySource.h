#pragma once

#include "BoundedProcess.h"
#include "SharedWidgetData.h"

#include <QList>
#include <QString>

// The macOS way: "pmset -g batt" and ioreg through zsh, and scutil for the name.
class CommandBatterySource {
public:
    explicit CommandBatterySource(QString scutilPath = QStringLiteral("/usr/sbin/scutil"),
                                  BoundedProcessLimits limits = {});

    QList<BatteryDevice> getBatteryDevices() const;
    QString getComputerName() const;

    // Everything the command line wrote to stdout and stderr, as UTF-8; empty on
    // any failure, time-out, oversized or non-UTF-8 output.
    QString shell(const QString &commandLine) const;

private:
    QString m_scutilPath;
    BoundedProcessLimits m_limits;
};

// The system's host name, or "MacBook" when it has none.
QString hostNameOrDefault();
