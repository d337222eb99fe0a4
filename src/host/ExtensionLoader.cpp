#include "ExtensionLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonObject>
#include <QRegularExpression>

#include <sys/stat.h>
#include <unistd.h>

namespace extensions {

namespace {

constexpr char kIidPrefix[] = "com.pellixwidget.WidgetBundle/";

// "/a/b/c" -> "/", "/a", "/a/b", "/a/b/c".
QStringList withAncestors(const QString &absolutePath)
{
    QStringList paths;
    for (QString path = absolutePath;; path = QFileInfo(path).path()) {
        paths.prepend(path);
        if (path == QLatin1String("/"))
            return paths;
    }
}

}  // namespace

ApiVersion hostApiVersion() { return {PELLIX_WIDGETKIT_VERSION_MAJOR, PELLIX_WIDGETKIT_VERSION_MINOR}; }

std::optional<ApiVersion> parseApiVersion(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,4})\\.(\\d{1,4})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return ApiVersion{match.captured(1).toInt(), match.captured(2).toInt()};
}

std::optional<QString> versionProblem(ApiVersion plugin, ApiVersion host)
{
    if (plugin.major != host.major)
        return ExtensionLoader::tr("creato per la API dei widget %1, questo host ha la %2").arg(plugin.text(), host.text());
    if (plugin.minor > host.minor)
        return ExtensionLoader::tr("creato per la API dei widget %1, questo host ha la %2 (serve un PellixWidget più recente)")
            .arg(plugin.text(), host.text());
    return std::nullopt;
}

std::optional<QString> permissionProblem(const QList<PathOwner> &chain, uint user)
{
    for (const PathOwner &element : chain) {
        if (element.owner != user && element.owner != 0)
            return ExtensionLoader::tr("%1 appartiene a un altro utente (uid %2)").arg(element.path).arg(element.owner);
        const bool stickyFolder = S_ISDIR(element.mode) && (element.mode & S_ISVTX);
        if ((element.mode & (S_IWGRP | S_IWOTH)) && !stickyFolder)
            return ExtensionLoader::tr("%1 è scrivibile da altri utenti").arg(element.path);
    }
    return std::nullopt;
}

std::optional<QList<PathOwner>> pathOwners(const QString &path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList paths = withAncestors(absolute);
    const QString target = QFileInfo(absolute).canonicalFilePath();
    if (target.isEmpty())
        return std::nullopt;
    if (target != absolute)
        paths += withAncestors(target);
    QList<PathOwner> chain;
    for (const QString &p : paths) {
        struct stat s;
        // lstat: a link's own folder is checked through its path, its target through the target's.
        if (::lstat(QFile::encodeName(p).constData(), &s) != 0)
            return std::nullopt;
        if (!S_ISLNK(s.st_mode))
            chain << PathOwner{p, uint(s.st_uid), uint(s.st_mode)};
    }
    return chain;
}

QStringList searchPath(const QString &extensionPath, const QString &dataHome, const QString &dataDirs,
                       const QString &home, const QStringList &ownFolders)
{
    static const QString sub = QStringLiteral("/pellix-widget/extensions");
    QStringList path = extensionPath.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    path << (dataHome.isEmpty() ? home + QStringLiteral("/.local/share") : dataHome) + sub;
    const QString dirs = dataDirs.isEmpty() ? QStringLiteral("/usr/local/share:/usr/share") : dataDirs;
    for (const QString &dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        path << dir + sub;
    path << ownFolders;
    for (QString &entry : path)
        entry = QDir::cleanPath(entry);
    path.removeDuplicates();
    return path;
}

QStringList candidateFiles(const QStringList &searchPath)
{
    QStringList files;
    for (const QString &entry : searchPath) {
        const QFileInfo info(entry);
        if (info.isFile()) {
            files << info.absoluteFilePath();
        } else if (info.isDir()) {
            const QDir dir(entry);
            for (const QString &name : dir.entryList({QStringLiteral("*.so")}, QDir::Files, QDir::Name))
                files << dir.absoluteFilePath(name);
        }
    }
    files.removeDuplicates();
    return files;
}

Extension inspect(const QString &path)
{
    Extension extension{path, {}, {}, {}, {}, nullptr};
    const auto refuse = [&extension](const QString &reason) {
        extension.refusal = reason;
        return extension;
    };
    const auto chain = pathOwners(path);
    if (!chain)
        return refuse(ExtensionLoader::tr("non si può leggere"));
    if (const auto problem = permissionProblem(*chain, ::geteuid()))
        return refuse(*problem);

    // Read from the file, not loaded: no code of it runs.
    const QJsonObject metaData = QPluginLoader(path).metaData();
    const QString iid = metaData.value(QLatin1String("IID")).toString();
    if (metaData.isEmpty())
        return refuse(ExtensionLoader::tr("non è un plug-in Qt"));
    if (!iid.startsWith(QLatin1String(kIidPrefix)))
        return refuse(ExtensionLoader::tr("non è un'estensione di PellixWidget (la sua interfaccia è «%1»)").arg(iid));
    const QJsonObject ours = metaData.value(QLatin1String("MetaData")).toObject();
    extension.id = ours.value(QLatin1String("id")).toString();
    extension.version = ours.value(QLatin1String("version")).toString();
    extension.apiVersion = ours.value(QLatin1String("apiVersion")).toString();
    const auto api = parseApiVersion(extension.apiVersion);
    const auto major = parseApiVersion(iid.mid(int(sizeof kIidPrefix) - 1) + QStringLiteral(".0"));
    if (extension.id.isEmpty() || !api || !major || major->major != api->major)
        return refuse(ExtensionLoader::tr("mancano l'id o la versione della API nei suoi metadati (li dichiara pellix_add_widget_extension)"));
    if (const auto problem = versionProblem(*api, hostApiVersion()))
        return refuse(*problem);
    return extension;
}

QList<Extension> inspectAll(const QStringList &searchPath, const std::function<void(Extension &)> &load)
{
    QList<Extension> found;
    QHash<QString, QString> pathOfId;
    for (const QString &path : candidateFiles(searchPath)) {
        Extension extension = inspect(path);
        if (extension.refusal.isEmpty() && pathOfId.contains(extension.id))
            extension.refusal = ExtensionLoader::tr("l'id %1 è già usato da %2").arg(extension.id, pathOfId[extension.id]);
        if (extension.refusal.isEmpty() && load)
            load(extension);
        if (extension.refusal.isEmpty())
            pathOfId.insert(extension.id, path);
        found << extension;
    }
    return found;
}

}  // namespace extensions

QList<extensions::Extension> ExtensionLoader::discover(const QStringList &searchPath)
{
    return extensions::inspectAll(searchPath, [this](extensions::Extension &extension) {
        auto loader = std::make_unique<QPluginLoader>(extension.path);
        // Symbols resolved at once: a missing one fails the load, not a later call.
        loader->setLoadHints(QLibrary::ResolveAllSymbolsHint);
        QObject *instance = loader->instance();
        extension.bundle = qobject_cast<widgetkit::WidgetBundle *>(instance);
        if (!instance)
            extension.refusal = tr("non si può caricare: %1").arg(loader->errorString().simplified());
        else if (!extension.bundle)
            extension.refusal = tr("il suo oggetto plug-in non è un bundle di widget");
        else
            m_loaders.push_back(std::move(loader));
    });
}

QStringList ExtensionLoader::defaultSearchPath()
{
    // Relative to the host, so an install under any prefix (a package's /usr,
    // a user's ~/.local) finds its own plug-ins; in the build tree they are
    // beside the host.
    // The project's own extension first, then the others shipped with it.
    const QString hostDirectory = QCoreApplication::applicationDirPath();
    const QString installDirectory = QDir::cleanPath(hostDirectory + QStringLiteral("/" PELLIX_EXTENSION_DIR_FROM_HOST));
    const QStringList own{hostDirectory + '/' + kExtensionFileName, hostDirectory,
                          installDirectory + '/' + kExtensionFileName, installDirectory};
    return extensions::searchPath(qEnvironmentVariable("PELLIX_EXTENSION_PATH"), qEnvironmentVariable("XDG_DATA_HOME"),
                                  qEnvironmentVariable("XDG_DATA_DIRS"), QDir::homePath(), own);
}
