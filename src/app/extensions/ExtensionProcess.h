#pragma once

// One extension's process (pellix-widget-host --serve PATH), kept running
// while any of its widgets is shown and supervised: started within a bound, a
// heartbeat while widgets are shown, restarted after a failure with a growing
// delay, given up after repeated failures with the reason a user can read.
// It runs under a memory cap and dies with the app.

#include "ExtensionProtocol.h"
#include "RestartRule.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QProcess>
#include <QTimer>

#include <utility>

namespace extensions {

inline constexpr int kHelloTimeoutMs = 5000;
inline constexpr int kHeartbeatMs = 5000;  // also the time a ping has to be answered
inline constexpr quint64 kMemoryCapBytes = 256ull * 1024 * 1024;

// The environment of every host process the app starts.
QProcessEnvironment hostEnvironment();

// Why a process that ended on its own ended, as the panel says it.
QString endReason(QProcess::ExitStatus status, int code, const QString &fault);

class ExtensionProcess : public QObject {
    Q_OBJECT

public:
    ExtensionProcess(QString hostProgram, QString extensionPath, QObject *parent = nullptr);
    ~ExtensionProcess() override;

    QString extensionPath() const { return m_path; }
    // Starts the process for its hello alone: it ends again unless a widget is shown.
    void learn();
    void show(const QString &kind, const QString &family, qreal scale);
    void hide(const QString &kind);
    void setAsleep(bool asleep);
    bool running() const { return m_process != nullptr; }
    bool gaveUp() const { return m_gaveUp; }
    qint64 processId() const { return m_process ? m_process->processId() : 0; }

signals:
    void helloReceived(const extensions::HelloMessage &hello);
    void frameReceived(const extensions::FrameMessage &frame);
    void restarting(const QString &reason);
    void gaveUpWith(const QString &reason);  // stopped for good; its widgets go

private:
    void startProcess();
    void stopProcess();
    void send(const QJsonObject &message);
    void readOutput();
    void readErrors();
    void handle(const ChildMessage &message);
    void finished(QProcess *process, int code, QProcess::ExitStatus status);
    void killWith(const QString &reason);
    void beat();
    bool wanted() const { return !m_helloSeen || !m_shown.isEmpty(); }

    const QString m_host;
    const QString m_path;
    QProcess *m_process = nullptr;
    LineSplitter m_lines;
    QHash<QString, std::pair<QString, qreal>> m_shown;  // kind: family, scale
    bool m_helloSeen = false;
    bool m_greeted = false;  // this run's hello came
    bool m_asleep = false;
    bool m_gaveUp = false;
    QString m_fault;       // the run's fault line or why we ended it
    qint64 m_pingSeq = 0;
    qint64 m_pongSeq = 0;
    qint64 m_errorBytes = 0;  // stderr passed on in this run
    RestartRule m_rule;
    QElapsedTimer m_clock;
    QTimer m_helloTimer;
    QTimer m_heartbeat;
    QTimer m_restartTimer;
};

}  // namespace extensions
