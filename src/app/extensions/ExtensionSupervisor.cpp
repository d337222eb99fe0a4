#include "ExtensionSupervisor.h"

#include "PellixLogging.h"
#include "monitors/SessionSight.h"
#include "settings/WidgetNames.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>

#include <malloc.h>

namespace extensions {

QString hostProgram()
{
    if (const QString program = qEnvironmentVariable("PELLIX_HOST"); !program.isEmpty())
        return program;
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString &candidate : {dir + "/pellix-widget-host", dir + "/../host/pellix-widget-host"})
        if (QFileInfo(candidate).isExecutable())
            return QFileInfo(candidate).absoluteFilePath();
    return QStringLiteral("pellix-widget-host");
}

namespace {

QStringList widgetNames(const ExtensionInfo &extension)
{
    QStringList names;
    for (const ExtensionWidgetInfo &widget : extension.widgets)
        names << widget.name;
    return names;
}

// What the catalog holds of the extension at `path`, or nothing yet.
ExtensionInfo knownAt(const ExtensionCatalog &catalog, const QString &path)
{
    for (const ExtensionInfo &known : catalog.extensions())
        if (known.path == path)
            return known;
    return {};
}

}  // namespace

ExtensionSupervisor::ExtensionSupervisor(ExtensionCatalog &catalog, QString host, QObject *parent)
    : QObject(parent), m_catalog(catalog), m_host(std::move(host))
{
}

ExtensionSupervisor::~ExtensionSupervisor()
{
    if (m_discovery)
        m_discovery->kill();
}

void ExtensionSupervisor::start()
{
    if (m_discovery)
        return;
    auto *discovery = new QProcess(this);
    m_discovery = discovery;
    discovery->setProcessEnvironment(hostEnvironment());
    discovery->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(discovery, &QProcess::finished, this, [this, discovery](int code, QProcess::ExitStatus status) {
        const QByteArray output = discovery->readAllStandardOutput();
        discovery->deleteLater();
        if (status == QProcess::NormalExit && code == 0)
            discovered(output);
        else
            qCInfo(lcExtensions) << "looking for extensions failed:" << status << code;
    });
    connect(discovery, &QProcess::errorOccurred, this, [discovery](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            qCInfo(lcExtensions) << "no extension host:" << discovery->errorString();
            discovery->deleteLater();
        }
    });
    // The files are read, not loaded: this is quick, and a stuck disk is no reason to wait.
    QTimer::singleShot(kDiscoveryTimeoutMs, discovery, [discovery] { discovery->kill(); });
    discovery->start(m_host, {QStringLiteral("--discover")});
}

void ExtensionSupervisor::discovered(const QByteArray &output)
{
    QList<ExtensionInfo> known;
    QList<QString> toLearn;
    LineSplitter lines;
    for (const QByteArray &line : lines.feed(output.endsWith('\n') ? output : output + '\n')) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        ExtensionInfo info;
        info.path = object.value("path").toString();
        info.id = oneLine(object.value("id").toString());
        info.version = oneLine(object.value("version").toString(), 40);
        info.apiVersion = oneLine(object.value("api").toString(), 20);
        info.reason = oneLine(object.value("refusal").toString());
        if (info.path.isEmpty() || info.id == QLatin1String(kOwnExtensionId) || m_processes.count(info.path))
            continue;
        info.state = info.reason.isEmpty() ? ExtensionInfo::State::Starting : ExtensionInfo::State::Refused;
        known << info;
        if (info.state == ExtensionInfo::State::Starting)
            toLearn << info.path;
    }
    m_catalog.setExtensions(known);
    m_awaitingHello = int(toLearn.size());
    for (const QString &path : toLearn) {
        auto process = std::make_unique<ExtensionProcess>(m_host, path);
        ExtensionProcess *p = process.get();
        connect(p, &ExtensionProcess::helloReceived, this, [this, path](const HelloMessage &hello) {
            ExtensionInfo info = knownAt(m_catalog, path);
            info.path = path;
            info.id = hello.id.isEmpty() ? info.id : hello.id;
            info.version = hello.version.isEmpty() ? info.version : hello.version;
            info.apiVersion = hello.api.isEmpty() ? info.apiVersion : hello.api;
            info.state = hello.refusal.isEmpty() ? ExtensionInfo::State::Running : ExtensionInfo::State::Refused;
            info.reason = hello.refusal;
            // A kind another extension (or a built-in) has already is not shown twice.
            info.widgets.clear();
            for (const ExtensionWidgetInfo &widget : hello.widgets) {
                const ExtensionInfo *owner = m_catalog.extensionOf(widget.name);
                if (!owner || owner->path == path)
                    info.widgets << widget;
            }
            m_catalog.update(info);
            if (const QStringList names = widgetNames(info); !names.isEmpty())
                emit widgetsLearnt(names);
            // The start-up's buffers (the hellos, the discovery) go back to the
            // system once every extension has answered: the idle app stays as small.
            if (m_awaitingHello > 0 && --m_awaitingHello == 0)
                QTimer::singleShot(0, this, [] { ::malloc_trim(0); });
        });
        connect(p, &ExtensionProcess::frameReceived, this, [this](const FrameMessage &frame) {
            emit frameArrived(extensionWidgetName(frame.kind), frame.image, frame.text);
        });
        connect(p, &ExtensionProcess::gaveUpWith, this, [this, path](const QString &reason) {
            const QStringList names = widgetNames(knownAt(m_catalog, path));
            setState(path, ExtensionInfo::State::Stopped, reason);
            emit widgetsStopped(names);
        });
        if (m_asleep)
            p->setAsleep(true);
        m_processes[path] = std::move(process);
        p->learn();
    }
}

void ExtensionSupervisor::setState(const QString &path, ExtensionInfo::State state, const QString &reason)
{
    for (ExtensionInfo info : m_catalog.extensions()) {
        if (info.path != path)
            continue;
        info.state = state;
        info.reason = reason;
        m_catalog.update(info);
        return;
    }
}

ExtensionProcess *ExtensionSupervisor::processOf(const QString &name) const
{
    const ExtensionInfo *extension = m_catalog.extensionOf(name);
    if (!extension)
        return nullptr;
    const auto found = m_processes.find(extension->path);
    return found == m_processes.end() ? nullptr : found->second.get();
}

bool ExtensionSupervisor::canShow(const QString &name) const
{
    const ExtensionInfo *extension = m_catalog.extensionOf(name);
    const ExtensionProcess *process = processOf(name);
    return extension && extension->state == ExtensionInfo::State::Running && process && !process->gaveUp();
}

void ExtensionSupervisor::show(const QString &name, const QString &family, qreal scale)
{
    if (!m_followsSight) {
        // Asleep while nobody can see the widgets: no timers, no frames.
        m_followsSight = true;
        connect(&SessionSight::shared(), &SessionSight::seenChanged, this, [this](bool seen) { setAsleep(!seen); });
        if (!SessionSight::shared().seen())
            setAsleep(true);
    }
    if (ExtensionProcess *process = processOf(name))
        process->show(extensionKindOf(name), family, scale);
}

void ExtensionSupervisor::hide(const QString &name)
{
    if (ExtensionProcess *process = processOf(name))
        process->hide(extensionKindOf(name));
}

void ExtensionSupervisor::setAsleep(bool asleep)
{
    m_asleep = asleep;
    for (const auto &[path, process] : m_processes)
        process->setAsleep(asleep);
}

}  // namespace extensions
