#pragma once

// The host's command line. A wrong argument is reported in one line and the
// host exits with status 2.

#include <PellixWidgetKit/WidgetFamily.h>
#include "shell/ProgramCommandLine.h"

#include <QCommandLineParser>
#include <QList>

#include <optional>

struct WidgetChoice {
    QString kind;
    std::optional<widgetkit::WidgetFamily> family;  // nothing: the widget's first
};

struct HostOptions {
    enum class Mode { Show, List, Gallery, Render, Timeline, Serve, Discover };
    Mode mode = Mode::Show;
    QList<WidgetChoice> show;  // empty: every widget in its first family
    WidgetChoice target;       // of --render and --timeline
    bool placeholder = false;
    int scale = 1;
    QString out;
    QString servePath;  // of --serve
};

class HostCommandLine {
public:
    HostCommandLine();

    // False on a wrong argument, with error() saying why.
    bool parse(const QStringList &arguments);
    QString error() const { return m_error; }
    bool helpRequested() const;
    bool versionRequested() const;
    QString helpText() const;
    HostOptions options() const { return m_options; }

private:
    bool fail(const QString &error);

    QCommandLineParser m_parser;
    HostOptions m_options;
    QString m_error;
};
