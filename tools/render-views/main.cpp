// render-views: shows the clock in a frameless translucent window like a widget
// window, or renders it to a PNG.
//   render-views [--face analog|digital] [--size small|medium]
//                [--theme transparent|opaque] [--at 2025-12-05T09:07:05]
//                [--pos X,Y] [--png out.png]
#include "settings/SettingsManager.h"
#include "views/ClockWidgetView.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QImage>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser cli;
    cli.addOptions({{"face", "analog or digital", "face", "analog"},
                    {"size", "small or medium", "size", "small"},
                    {"theme", "transparent or opaque", "theme", "transparent"},
                    {"at", "a fixed instant (ISO 8601) instead of now", "at"},
                    {"city", "a manual city", "city"},
                    {"pos", "window position X,Y", "pos", "40,40"},
                    {"png", "render to this file and exit", "png"}});
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
    view.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    view.setAttribute(Qt::WA_TranslucentBackground);
    view.setAttribute(Qt::WA_ShowWithoutActivating);
    view.resize(cli.value("size") == "medium" ? 340 : 170, 170);
    if (cli.isSet("at")) {
        const QDateTime at = QDateTime::fromString(cli.value("at"), Qt::ISODate);
        view.setClock([at] { return at; });
    }
    const QStringList pos = cli.value("pos").split(',');
    if (pos.size() == 2)
        view.move(pos[0].toInt(), pos[1].toInt());

    if (cli.isSet("png")) {
        view.show();
        app.processEvents();
        return view.grab().toImage().save(cli.value("png")) ? 0 : 1;
    }
    view.show();
    return app.exec();
}
