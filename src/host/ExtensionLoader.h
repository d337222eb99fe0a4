#pragma once

// Finds the widget extensions and loads the ones that may run. A plug-in is
// refused, with a one-line reason, when its file or a folder above it may be
// written by another user, when it is no widget extension of ours, when it was
// built for a widget API this host does not speak, when an extension with its
// id came first, or when it fails to load. Every check but the last reads the
// file only: no code of a refused plug-in runs.

#include <PellixWidgetKit/WidgetBundle.h>

#include <QCoreApplication>
#include <QList>
#include <QPluginLoader>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace extensions {

struct ApiVersion {
    int major = 0;
    int minor = 0;
    QString text() const { return QStringLiteral("%1.%2").arg(major).arg(minor); }
    bool operator==(const ApiVersion &) const = default;
};

ApiVersion hostApiVersion();
// "major.minor", or nothing.
std::optional<ApiVersion> parseApiVersion(const QString &text);

// Why a plug-in built for `plugin` cannot run in a host of `host`, or nothing:
// the same major, and a minor no newer than the host's (a newer minor's
// additions would be missing here).
std::optional<QString> versionProblem(ApiVersion plugin, ApiVersion host);

// One file or folder on the way from the root to a plug-in.
struct PathOwner {
    QString path;
    uint owner;
    uint mode;  // st_mode
};
// Why the plug-in at the end of `chain` must not be loaded by `user`, or
// nothing: every element must belong to the user or root and be writable by
// no group or other user; a sticky folder (/tmp) may be, as others cannot
// replace what is not theirs in it.
std::optional<QString> permissionProblem(const QList<PathOwner> &chain, uint user);
// The chain of `path` as found on disk (the path as given and its target,
// when links lead elsewhere), or nothing when a part cannot be read.
std::optional<QList<PathOwner>> pathOwners(const QString &path);

// Where extensions are looked for, in this order: each entry of
// PELLIX_EXTENSION_PATH (a folder or a plug-in file), $XDG_DATA_HOME and
// each $XDG_DATA_DIRS entry's pellix-widget/extensions, then the
// installation's own plug-in folders. Empty variables take the XDG defaults.
QStringList searchPath(const QString &extensionPath, const QString &dataHome, const QString &dataDirs,
                       const QString &home, const QStringList &ownFolders);

// The plug-in files of a search path: a file entry itself, a folder's *.so
// files in name order; missing entries are skipped.
QStringList candidateFiles(const QStringList &searchPath);

struct Extension {
    QString path;
    QString id;       // from the metadata, when readable
    QString version;  // the extension's own
    QString apiVersion;
    QString refusal;  // empty: loaded
    const widgetkit::WidgetBundle *bundle = nullptr;
};

// The metadata of the plug-in at `path` and, when it must not be loaded, why.
// Reads the file only.
Extension inspect(const QString &path);

// Every candidate of the search path inspected, and an id that came first
// refuses the later ones. `load`, when given, loads each one not refused (and
// may refuse it in turn) before its id counts as taken.
QList<Extension> inspectAll(const QStringList &searchPath, const std::function<void(Extension &)> &load = {});

}  // namespace extensions

inline constexpr char kExtensionFileName[] = "PellixWidgetExtension.so";

class ExtensionLoader {
    // The refusals are read in the panel and by --list: in the user's language.
    Q_DECLARE_TR_FUNCTIONS(ExtensionLoader)

public:
    // Every candidate of the search path, loaded or refused. The bundles live
    // as long as the loader.
    QList<extensions::Extension> discover(const QStringList &searchPath);
    // The search path of this host's environment and installation.
    static QStringList defaultSearchPath();

private:
    std::vector<std::unique_ptr<QPluginLoader>> m_loaders;
};
