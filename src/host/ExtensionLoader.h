#pragma once

// Finds and loads the widget extension, as the system would: the plug-in named
// by PELLIX_EXTENSION_PATH (the file, or a directory holding it) when that is
// set, else the one beside the host, else the one in the install's directory
// (<libdir>/pellix-widget of the host's own prefix).

#include "WidgetBundle.h"

#include <QPluginLoader>
#include <QStringList>

inline constexpr char kExtensionFileName[] = "PellixWidgetExtension.so";

// The files to try, in order.
QStringList extensionCandidates(const QString &environmentPath, const QString &hostDirectory,
                                const QString &installDirectory);

class ExtensionLoader {
public:
    // The bundle of the first candidate that exists, or nothing with `error` set.
    widgetkit::WidgetBundle *load(QString *error);

private:
    QPluginLoader m_loader;
};
