#include "ExtensionLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QStringList extensionCandidates(const QString &environmentPath, const QString &hostDirectory,
                                const QString &installDirectory)
{
    if (!environmentPath.isEmpty()) {
        if (QFileInfo(environmentPath).isDir())
            return {environmentPath + '/' + kExtensionFileName};
        return {environmentPath};
    }
    return {hostDirectory + '/' + kExtensionFileName, installDirectory + '/' + kExtensionFileName};
}

widgetkit::WidgetBundle *ExtensionLoader::load(QString *error)
{
    // Relative to the host, so an install under any prefix (a package's /usr,
    // a user's ~/.local) finds its own plug-in.
    const QString hostDirectory = QCoreApplication::applicationDirPath();
    const QStringList candidates = extensionCandidates(
        qEnvironmentVariable("PELLIX_EXTENSION_PATH"), hostDirectory,
        QDir::cleanPath(hostDirectory + QStringLiteral("/" PELLIX_EXTENSION_DIR_FROM_HOST)));
    for (const QString &path : candidates) {
        if (!QFileInfo::exists(path))
            continue;
        m_loader.setFileName(path);
        if (auto *bundle = qobject_cast<widgetkit::WidgetBundle *>(m_loader.instance()))
            return bundle;
        *error = QStringLiteral("cannot load the widget extension %1: %2").arg(path, m_loader.errorString());
        return nullptr;
    }
    *error = QStringLiteral("no widget extension found (looked for %1)").arg(candidates.join(QStringLiteral(", ")));
    return nullptr;
}
