#include "ProgramCommandLine.h"

void addStandardOptions(QCommandLineParser &parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")},
        {{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the version and exit.")},
    });
}

bool helpRequested(const QCommandLineParser &parser) { return parser.isSet(QStringLiteral("help")); }

bool versionRequested(const QCommandLineParser &parser) { return parser.isSet(QStringLiteral("version")); }

QString helpText(const QCommandLineParser &parser, const QString &program)
{
    // Without an application object the parser cannot know the program's name.
    return parser.helpText().replace(QStringLiteral("<executable_name>"), program);
}
