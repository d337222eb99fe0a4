#include "AppCommandLine.h"

#include "shell/ProgramCommandLine.h"

#include <QTextStream>

std::optional<int> handleAppCommandLine(const QStringList &arguments, const QString &version, QTextStream &out,
                                        QTextStream &err)
{
    const QString program = QStringLiteral("pellix-widget");
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Desktop widgets (clock, weather, battery, now playing) with a tray icon and a control panel.\n"
        "All settings are made in the control panel; see pellix-widget(1)."));
    addStandardOptions(parser);
    if (!parser.parse(arguments)) {
        err << program << ": " << parser.errorText() << " (see --help)\n";
        return kUsageExitCode;
    }
    if (helpRequested(parser)) {
        out << helpText(parser, program);
        return 0;
    }
    if (versionRequested(parser)) {
        out << program << ' ' << version << '\n';
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << program << ": unexpected argument \"" << parser.positionalArguments().first() << "\" (see --help)\n";
        return kUsageExitCode;
    }
    return std::nullopt;
}
