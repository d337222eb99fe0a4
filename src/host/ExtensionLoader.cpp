#include "ExtensionLoader.h"

#include <QCoreApplication>
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
    const QStringList candidates = extensionCandidates(qEnvironmentVariable("PELLIX_EXTENSION_PATH"),
                                                       QCoreApplication::applicationDirPath(),
                                                       QStringLiteral(PELLIX_EXTENSION_INSTALL_DIR));
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
