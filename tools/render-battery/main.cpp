// render-battery: shows the battery widget in a frameless translucent window
// like a widget window, or renders it to a PNG.
//   render-battery [--size small|medium] [--theme transparent|opaque]
//                  [--fixed] [--computer-name "Computer"] [--visible macbook,mouse,...]
//                  [--pos X,Y] [--png out.png]
// Without --fixed the batteries come from the collector (PELLIX_BATTERY_SOURCE,
// PELLIX_POWER_SUPPLY_ROOT and the system bus decide what it sees).
#include "monitors/BatteryMonitor.h"
#include "settings/SettingsManager.h"
#include "views/BatteryWidgetView.h"
#include "UiLanguage.h"

#include "../ToolWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    pellix::i18n::useSystemLanguage();  // LANGUAGE=en … for the pictures of another language
    QCommandLineParser cli;
    cli.addOptions({{"size", "small or medium", "size", "small"},
                    {"theme", "transparent or opaque", "theme", "transparent"},
                    {"fixed", "a fixed set of batteries instead of the collector"},
                    {"computer-name", "the computer's name instead of the collector's", "name"},
                    {"visible", "visible device categories, comma-separated", "visible"}});
    cli.addOptions(toolWindowOptions());
    cli.process(app);

    // A private store and shared file: the tool never touches the user's.
    QTemporaryDir dir;
    SettingsManager settings(dir.filePath("settings.json"));
    settings.setSharedDataPath(dir.filePath("widget-data.json"));
    settings.setSize("battery", cli.value("size"));
    settings.setGlassTheme(cli.value("theme"));
    if (cli.isSet("visible"))
        settings.setBatteryVisibleDevices(cli.value("visible").split(','));

    BatteryWidgetView view(settings);
    BatteryWidgetView::DeviceSource devices = [] { return BatteryMonitor::shared().getBatteryDevices(); };
    if (cli.isSet("fixed"))
        devices = [] {
            return QList<BatteryDevice>{{"macbook", "MacBook", 64, true, "macbook"},
                                        {"magic-mouse", "Magic Mouse", 42, false, "mouse"},
                                        {"airpods-pro", "AirPods Pro", 15, false, "airpods"},
                                        {"apple-watch", "Apple Watch", 88, false, "watch"}};
        };
    BatteryWidgetView::NameSource name = [] { return BatteryMonitor::shared().getComputerName(); };
    if (cli.isSet("computer-name"))
        name = [n = cli.value("computer-name")] { return n; };
    view.setCollector(devices, name);

    return runToolWindow(app, cli, view, cli.value("size") == "small" ? 170 : 340);
}
