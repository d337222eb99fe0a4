#include "ExtensionProcess.h"

#include "PellixLogging.h"
#include "UiLanguage.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace extensions {

namespace {

constexpr qint64 kMaxErrorBytesPerRun = 16 * 1024;  // a chatty plug-in does not fill the log
constexpr int kStopGraceMs = 2000;

}  // namespace

QString endReason(QProcess::ExitStatus status, int code, const QString &fault)
{
    if (!fault.isEmpty())
        return fault;
    if (status == QProcess::CrashExit)
        return ExtensionProcess::tr("si è chiuso in modo anomalo (segnale %1)").arg(code);
    return ExtensionProcess::tr("è uscito da solo (stato %1)").arg(code);
}

QProcessEnvironment hostEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Draws into images only; speaks the app's language, its reasons included.
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("LANGUAGE", pellix::i18n::uiLanguage());
    // Drawn on the app's glass, which is dark in every theme (the built-ins write
    // white on it), whatever the colours of the desktop around it.
    environment.insert("PELLIX_COLOR_SCHEME", "dark");
    return environment;
}

ExtensionProcess::ExtensionProcess(QString hostProgram, QString extensionPath, QObject *parent)
    : QObject(parent), m_host(std::move(hostProgram)), m_path(std::move(extensionPath))
{
    m_clock.start();
    m_helloTimer.setSingleShot(true);
    m_helloTimer.setInterval(kHelloTimeoutMs);
    connect(&m_helloTimer, &QTimer::timeout, this,
            [this] { killWith(tr("non si è avviato entro %1 s").arg(kHelloTimeoutMs / 1000)); });
    m_heartbeat.setInterval(kHeartbeatMs);
    connect(&m_heartbeat, &QTimer::timeout, this, &ExtensionProcess::beat);
    m_restartTimer.setSingleShot(true);
    connect(&m_restartTimer, &QTimer::timeout, this, [this] {
        if (wanted())
            startProcess();
    });
}

ExtensionProcess::~ExtensionProcess()
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(1000);
        delete m_process;
    }
}

void ExtensionProcess::learn()
{
    if (!m_process && !m_gaveUp)
        startProcess();
}

void ExtensionProcess::show(const QString &kind, const QString &family, qreal scale)
{
    if (m_gaveUp)
        return;
    m_shown.insert(kind, {family, scale});
    if (!m_process && !m_restartTimer.isActive())
        startProcess();
    else if (m_greeted)
        send({{"type", "show"}, {"kind", kind}, {"family", family}, {"scale", scale}});
    if (m_greeted && !m_asleep && !m_heartbeat.isActive())
        m_heartbeat.start();
}

void ExtensionProcess::hide(const QString &kind)
{
    if (!m_shown.remove(kind))
        return;
    send({{"type", "hide"}, {"kind", kind}});
    if (m_shown.isEmpty() && m_helloSeen)
        stopProcess();
}

void ExtensionProcess::setAsleep(bool asleep)
{
    m_asleep = asleep;
    send({{"type", asleep ? "sleep" : "wake"}});
    if (asleep) {
        m_heartbeat.stop();
    } else if (m_greeted && !m_shown.isEmpty()) {
        m_pongSeq = m_pingSeq;
        m_heartbeat.start();
    }
}

void ExtensionProcess::startProcess()
{
    auto *process = new QProcess(this);
    m_process = process;
    m_greeted = false;
    m_fault.clear();
    m_errorBytes = 0;
    m_lines = LineSplitter();
    process->setProcessEnvironment(hostEnvironment());
    process->setChildProcessModifier([] {
        // A plug-in's runaway allocation ends its own process, not the machine's memory;
        // the process ends with the app, even when the app is killed.
        const rlimit cap{kMemoryCapBytes, kMemoryCapBytes};
        ::setrlimit(RLIMIT_DATA, &cap);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    connect(process, &QProcess::readyReadStandardOutput, this, &ExtensionProcess::readOutput);
    connect(process, &QProcess::readyReadStandardError, this, &ExtensionProcess::readErrors);
    connect(process, &QProcess::finished, this,
            [this, process](int code, QProcess::ExitStatus status) { finished(process, code, status); });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            m_fault = tr("non si può eseguire %1").arg(m_host);
            finished(process, 127, QProcess::NormalExit);
        }
    });
    m_helloTimer.start();
    process->start(m_host, {QStringLiteral("--serve"), m_path});
    qCInfo(lcExtensions) << "started" << m_path;
}

void ExtensionProcess::stopProcess()
{
    m_heartbeat.stop();
    m_helloTimer.stop();
    if (!m_process)
        return;
    // The end of its input lets it go; a process that does not go is killed.
    QProcess *process = m_process;
    m_process = nullptr;
    process->disconnect(this);
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->closeWriteChannel();
    QTimer::singleShot(kStopGraceMs, process, [process] { process->kill(); });
    qCInfo(lcExtensions) << "let go" << m_path;
}

void ExtensionProcess::send(const QJsonObject &message)
{
    if (m_process && m_greeted)
        m_process->write(QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n');
}

void ExtensionProcess::readOutput()
{
    if (!m_process)
        return;
    QProcess *process = m_process;
    for (const QByteArray &line : m_lines.feed(process->readAllStandardOutput())) {
        handle(decodeChildMessage(line));
        if (m_process != process)
            return;  // stopped on the way
    }
}

void ExtensionProcess::readErrors()
{
    if (!m_process)
        return;
    const QByteArray text = m_process->readAllStandardError();
    if (m_errorBytes >= kMaxErrorBytesPerRun)
        return;
    m_errorBytes += text.size();
    qCInfo(lcExtensions).noquote() << m_path << "says:" << QString::fromUtf8(text.left(kMaxErrorBytesPerRun)).trimmed();
    if (m_errorBytes >= kMaxErrorBytesPerRun)
        qCInfo(lcExtensions) << m_path << "says more; the rest of this run is left out";
}

void ExtensionProcess::handle(const ChildMessage &message)
{
    if (const auto *hello = std::get_if<HelloMessage>(&message)) {
        if (m_greeted)
            return;
        m_helloTimer.stop();
        if (!hello->refusal.isEmpty()) {
            m_gaveUp = true;  // refused: no run will do better
            emit helloReceived(*hello);
            stopProcess();
            return;
        }
        m_greeted = true;
        m_helloSeen = true;
        emit helloReceived(*hello);
        if (!m_process)
            return;  // the hello's receivers let it go
        if (m_shown.isEmpty()) {
            stopProcess();
            return;
        }
        for (auto it = m_shown.cbegin(); it != m_shown.cend(); ++it)
            send({{"type", "show"}, {"kind", it.key()}, {"family", it->first}, {"scale", it->second}});
        if (m_asleep) {
            send({{"type", "sleep"}});
        } else {
            m_pongSeq = m_pingSeq;
            m_heartbeat.start();
        }
    } else if (const auto *frame = std::get_if<FrameMessage>(&message)) {
        if (m_shown.contains(frame->kind))
            emit frameReceived(*frame);
    } else if (const auto *pong = std::get_if<PongMessage>(&message)) {
        m_pongSeq = std::max(m_pongSeq, pong->seq);
    } else if (const auto *fault = std::get_if<FaultMessage>(&message)) {
        m_fault = fault->reason;
    }
}

void ExtensionProcess::beat()
{
    if (!m_process || !m_greeted)
        return;
    if (m_pongSeq < m_pingSeq) {
        killWith(tr("non risponde da %1 s").arg(kHeartbeatMs / 1000));
        return;
    }
    send({{"type", "ping"}, {"seq", ++m_pingSeq}});
}

void ExtensionProcess::killWith(const QString &reason)
{
    if (!m_process)
        return;
    m_fault = reason;
    m_process->kill();  // finished() follows
}

void ExtensionProcess::finished(QProcess *process, int code, QProcess::ExitStatus status)
{
    if (process != m_process)
        return;
    m_heartbeat.stop();
    m_helloTimer.stop();
    m_process = nullptr;
    process->deleteLater();
    if (m_gaveUp)
        return;
    const QString reason = endReason(status, code, m_fault);
    const qint64 now = m_clock.elapsed();
    m_rule.failed(now);
    if (m_rule.givesUp(now)) {
        m_gaveUp = true;
        m_shown.clear();
        qCInfo(lcExtensions).noquote() << m_path << "stopped:" << reason;
        emit gaveUpWith(reason);
        return;
    }
    const int delay = m_rule.delayMs(now);
    qCInfo(lcExtensions).noquote() << m_path << "ended:" << reason << "- again in" << delay << "ms";
    emit restarting(reason);
    m_restartTimer.start(delay);
}

}  // namespace extensions
