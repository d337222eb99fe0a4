// pellix-widget-host: plays the system's part for the PellixWidget extension.
#include "DesktopWidgets.h"
#include "ExtensionLoader.h"
#include "ExtensionServer.h"
#include "GalleryWindow.h"
#include "HostCommandLine.h"
#include "HostCommands.h"
#include "shell/DisplayCheck.h"
#include "shell/PlatformChoice.h"
#include "shell/WidgetSurface.h"
#include "UiLanguage.h"

#include <QApplication>
#include <QJsonDocument>

#include <cstdio>

namespace {

int failWith(const QString &message, int status)
{
    std::fprintf(stderr, "pellix-widget-host: %s\n", qPrintable(message));
    return status;
}

int runCommand(const HostOptions &options, const QList<extensions::Extension> &found)
{
    using Mode = HostOptions::Mode;
    QTextStream out(stdout);
    if (options.mode == Mode::List) {
        listExtensions(found, out);
        return 0;
    }
    // Said once on the way, as the listing does.
    for (const extensions::Extension &extension : found) {
        if (!extension.bundle)
            std::fprintf(stderr, "pellix-widget-host: refused %s: %s\n", qPrintable(extension.path),
                         qPrintable(extension.refusal));
    }
    const LoadedWidgets bundle(found);
    QString error;
    const bool oneWidget = options.mode == Mode::Render || options.mode == Mode::Timeline;
    QList<ShownWidget> widgets = resolveWidgets(bundle, oneWidget ? QList{options.target} : options.show, &error);
    if (!error.isEmpty())
        return failWith(error, kUsageExitCode);

    switch (options.mode) {
    case Mode::List:
    case Mode::Serve:
    case Mode::Discover:
        break;
    case Mode::Timeline:
        if (const auto json = timelineJson(*widgets.first().widget)) {
            out << QJsonDocument(*json).toJson(QJsonDocument::Indented);
            return 0;
        }
        return failWith(QStringLiteral("%1 gave no timeline").arg(options.target.kind), 1);
    case Mode::Render:
        error = renderToFile(widgets.first(), options.placeholder, options.scale, options.out);
        return error.isEmpty() ? 0 : failWith(error, 1);
    case Mode::Gallery: {
        GalleryWindow gallery(bundle);
        gallery.show();
        return qApp->exec();
    }
    case Mode::Show: {
        if (widgets.isEmpty()) {
            for (const widgetkit::Widget *widget : bundle.widgets())
                widgets << ShownWidget{widget, widget->descriptor().supportedFamilies.value(0)};
        }
        DesktopWidgets desktop(widgets);
        return qApp->exec();
    }
    }
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("pellix-widget-host"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PELLIX_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    HostCommandLine commandLine;
    if (!commandLine.parse(arguments))
        return failWith(commandLine.error(), kUsageExitCode);
    if (commandLine.helpRequested()) {
        std::fputs(qPrintable(commandLine.helpText()), stdout);
        return 0;
    }
    if (commandLine.versionRequested()) {
        std::printf("pellix-widget-host %s\n", PELLIX_VERSION);
        return 0;
    }

    const HostOptions options = commandLine.options();
    const bool windows = options.mode == HostOptions::Mode::Show || options.mode == HostOptions::Mode::Gallery;
    if (!windows && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");  // nothing to show: no display needed
    // --show's widgets are the app's own widget windows: native on Wayland where the app's are.
    applyPlatformChoice(choosePlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                       qgetenv("XDG_SESSION_TYPE"), buildHasLayerShell(), compositorHasLayerShell));
    if (const auto why = missingDisplay(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY")))
        return failWith(*why, 1);
    QApplication app(argc, argv);
    pellix::i18n::useSystemLanguage();
    // Extensions speak the host's language through QLocale().
    QLocale::setDefault(pellix::i18n::displayLocale());

    if (options.mode == HostOptions::Mode::Serve) {
        ExtensionServer server;
        if (!server.start(options.servePath))
            return 0;  // refused: the hello said why
        return app.exec();
    }
    ExtensionLoader loader;
    if (options.mode == HostOptions::Mode::Discover) {
        printDiscovered(extensions::inspectAll(ExtensionLoader::defaultSearchPath()));
        return 0;
    }
    const QStringList searchPath = ExtensionLoader::defaultSearchPath();
    const QList<extensions::Extension> found = loader.discover(searchPath);
    if (found.isEmpty())
        return failWith(QStringLiteral("no widget extension found in %1").arg(searchPath.join(QLatin1Char(':'))), 1);
    return runCommand(options, found);
}
