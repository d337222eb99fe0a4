#pragma once

// What the render tools share: a view shown like a widget window (frameless,
// translucent, never focused) at --pos, or rendered once to the --png file.

#include <QApplication>
#include <QCommandLineParser>
#include <QImage>
#include <QWidget>

inline QList<QCommandLineOption> toolWindowOptions()
{
    return {{"pos", "window position X,Y", "pos", "40,40"}, {"png", "render to this file and exit", "png"}};
}

// Runs the tool: the event loop, or the exit status of writing the PNG.
inline int runToolWindow(QApplication &app, const QCommandLineParser &cli, QWidget &view, int width)
{
    view.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    view.setAttribute(Qt::WA_TranslucentBackground);
    view.setAttribute(Qt::WA_ShowWithoutActivating);
    view.resize(width, 170);
    const QStringList pos = cli.value("pos").split(',');
    if (pos.size() == 2)
        view.move(pos[0].toInt(), pos[1].toInt());
    view.show();
    if (cli.isSet("png")) {
        app.processEvents();
        return view.grab().toImage().save(cli.value("png")) ? 0 : 1;
    }
    return app.exec();
}
