#pragma once

// What both programs' command lines share: parsed before any application
// object exists, so that --help and --version need no display.

#include <QCommandLineParser>
#include <QStringList>

inline constexpr int kUsageExitCode = 2;

// -h/--help and -v/--version, and a single dash before a word read as two
// (so Qt's own -platform is refused by its name). Not Qt's --help-all: it
// would list Qt's options, which neither program accepts.
void addStandardOptions(QCommandLineParser &parser);
bool helpRequested(const QCommandLineParser &parser);
bool versionRequested(const QCommandLineParser &parser);
// The parser's help with the program's name in its usage line.
QString helpText(const QCommandLineParser &parser, const QString &program);
