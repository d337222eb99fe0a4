// render-views: shows the clock in a frameless translucent window like a widget
// window, or renders it to a PNG.
//   render-views [--face analog|digital] [--size small|medium]
//                [--theme transparent|opaque] [--at 2025-12-05T09:07:05]
//                [--pos X,Y] [--png out.png]
#include "settings/SettingsManager.h"
#include "views/ClockWidgetView.h"
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
    cli.addOptions({{"face", "analog or digital", "face", "analog"},
                    {"size", "small or medium", "size", "small"},
                    {"theme", "transparent or opaque", "theme", "transparent"},
                    {"at", "a fixed instant (ISO 8601) instead of now", "at"},
                    {"city", "a manual city", "city"}});
    cli.addOptions(toolWindowOptions());
    cli.process(app);

    // A private store: the tool never touches the user's settings.
    QTemporaryDir dir;
    SettingsManager settings(dir.filePath("settings.json"));
    settings.setClockStyle(cli.value("face"));
    settings.setSize("clock", cli.value("size"));
    settings.setGlassTheme(cli.value("theme"));
    if (cli.isSet("city"))
        settings.setWeatherSettings({true, cli.value("city"), {}, {}});

    ClockWidgetView view(settings);
    if (cli.isSet("at")) {
        const QDateTime at = QDateTime::fromString(cli.value("at"), Qt::ISODate);
        view.setClock([at] { return at; });
    }
    return runToolWindow(app, cli, view, cli.value("size") == "medium" ? 340 : 170);
}
