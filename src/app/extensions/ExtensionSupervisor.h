#pragma once

// The app's side of the extensions: finds them through the host (which reads
// the plug-ins' files without loading them, within a bound), runs one process
// per extension for its hello, keeps the catalog, and passes each shown
// widget's frames to its view. No extension code runs in the app.

#include "ExtensionCatalog.h"
#include "ExtensionProcess.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <memory>

class QProcess;

namespace extensions {

// The project's own extension: its widgets are the built-in ones.
inline constexpr char kOwnExtensionId[] = "com.pellixwidget.PellixWidgetExtension";
inline constexpr int kDiscoveryTimeoutMs = 5000;

// PELLIX_HOST when set, else the host beside the app or, in the build tree, in its own folder.
QString hostProgram();

class ExtensionSupervisor : public QObject {
    Q_OBJECT

public:
    explicit ExtensionSupervisor(ExtensionCatalog &catalog, QString host = hostProgram(), QObject *parent = nullptr);
    ~ExtensionSupervisor() override;

    // Looks for the extensions; the catalog fills as they answer.
    void start();
    ExtensionCatalog &catalog() const { return m_catalog; }
    // The widget of that name may be shown: its extension said hello and was not stopped.
    bool canShow(const QString &name) const;

    void show(const QString &name, const QString &family, qreal scale);
    void hide(const QString &name);
    void setAsleep(bool asleep);

signals:
    // Widgets an extension declared in its hello (again after each start).
    void widgetsLearnt(const QStringList &names);
    void frameArrived(const QString &name, const QImage &image, const QString &text);
    // An extension stopped for good: these widgets go from the desktop.
    void widgetsStopped(const QStringList &names);

private:
    void discovered(const QByteArray &output);
    ExtensionProcess *processOf(const QString &name) const;
    void setState(const QString &path, ExtensionInfo::State state, const QString &reason);

    ExtensionCatalog &m_catalog;
    const QString m_host;
    QPointer<QProcess> m_discovery;
    std::map<QString, std::unique_ptr<ExtensionProcess>> m_processes;  // by plug-in path
    bool m_asleep = false;
    bool m_followsSight = false;
};

}  // namespace extensions
