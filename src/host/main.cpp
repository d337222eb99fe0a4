// pellix-widget-host: plays the system's part for the PellixWidget extension.
#include "DesktopWidgets.h"
#include "ExtensionLoader.h"
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

int runCommand(const HostOptions &options, const widgetkit::WidgetBundle &bundle)
{
    using Mode = HostOptions::Mode;
    QString error;
    const bool oneWidget = options.mode == Mode::Render || options.mode == Mode::Timeline;
    QList<ShownWidget> widgets = resolveWidgets(bundle, oneWidget ? QList{options.target} : options.show, &error);
    if (!error.isEmpty())
        return failWith(error, kUsageExitCode);

    QTextStream out(stdout);
    switch (options.mode) {
    case Mode::List:
        listWidgets(bundle, out);
        return 0;
    case Mode::Timeline:
        out << QJsonDocument(timelineJson(*widgets.first().widget)).toJson(QJsonDocument::Indented);
        return 0;
    case Mode::Render:
        if (renderToFile(widgets.first(), options.placeholder, options.scale, options.out) != 0)
            return failWith(QStringLiteral("cannot write %1").arg(options.out), 1);
        return 0;
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

    ExtensionLoader loader;
    QString error;
    const widgetkit::WidgetBundle *bundle = loader.load(&error);
    if (!bundle)
        return failWith(error, 1);
    return runCommand(options, *bundle);
}
