#include "PellixWidgetApp.h"

#include "AppCommandLine.h"
#include "AppDelegate.h"
#include "shell/DisplayCheck.h"
#include "PellixLogging.h"
#include "shell/PlatformChoice.h"
#include "SingleInstance.h"
#include "shell/WidgetSurface.h"
#include "settings/SettingsManager.h"
#include "UiLanguage.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <optional>

int PellixWidgetApp::run(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    {
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (const auto status = handleAppCommandLine(arguments, QStringLiteral(PELLIX_VERSION), out, err))
            return *status;
    }

    const PlatformChoice choice = choosePlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                                 qgetenv("XDG_SESSION_TYPE"), buildHasLayerShell(),
                                                 compositorHasLayerShell);
    applyPlatformChoice(choice);
    if (!choice.note.isEmpty())
        qCInfo(lcShell, "%s", qPrintable(choice.note));
    if (const auto why = missingDisplay(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"))) {
        std::fprintf(stderr, "pellix-widget: %s\n", qPrintable(*why));
        return 1;
    }

    std::optional<PlatformThreadsPolicy> relayThreads(std::in_place, qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    relayThreads.reset();
    app.setQuitOnLastWindowClosed(false);
    pellix::i18n::useSystemLanguage();

    SingleInstance instance;
    switch (instance.claim()) {
    case SingleInstance::Role::HandedOver:
        return 0;
    case SingleInstance::Role::Refused:
        std::fprintf(stderr, "pellix-widget: %s; not starting\n", qPrintable(instance.refusal()));
        return 1;
    case SingleInstance::Role::Primary:
        break;
    }

    AppDelegate appDelegate(SettingsManager::shared());
    QObject::connect(&instance, &SingleInstance::showRequested, &appDelegate, &AppDelegate::showControlPanel);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &appDelegate, &AppDelegate::applicationWillTerminate);
    appDelegate.applicationDidFinishLaunching();
    return app.exec();
}
