#include "HostCommandLine.h"

namespace {

std::optional<WidgetChoice> choice(const QString &text, QString *error)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() > 2 || parts[0].isEmpty()) {
        *error = QStringLiteral("\"%1\" is not KIND or KIND:small|medium").arg(text);
        return std::nullopt;
    }
    WidgetChoice result{parts[0], std::nullopt};
    if (parts.size() == 2) {
        result.family = widgetkit::familyFromName(parts[1]);
        if (!result.family) {
            *error = QStringLiteral("unknown family \"%1\" (small or medium)").arg(parts[1]);
            return std::nullopt;
        }
    }
    return result;
}

}  // namespace

HostCommandLine::HostCommandLine()
{
    m_parser.setApplicationDescription(QStringLiteral(
        "Plays the system's part for the PellixWidget extension: lists its widgets, asks for their\n"
        "timelines, honours the reload dates and shows the widgets on the desktop.\n"
        "Without a command: --show."));
    addStandardOptions(m_parser);
    m_parser.addOptions({
        {QStringLiteral("list"), QStringLiteral("List the widgets: kind, display name, families, description.")},
        {QStringLiteral("show"),
         QStringLiteral("Show the widgets given as arguments (KIND or KIND:small|medium; default: all four)"
                        " on the desktop and keep them current.")},
        {QStringLiteral("gallery"), QStringLiteral("Show every widget in every family in one window.")},
        {QStringLiteral("render"), QStringLiteral("Render the widget's snapshot to a PNG."), QStringLiteral("KIND")},
        {QStringLiteral("family"), QStringLiteral("With --render: small or medium (default: the widget's first)."),
         QStringLiteral("family")},
        {QStringLiteral("placeholder"), QStringLiteral("With --render: the placeholder instead of a snapshot.")},
        {QStringLiteral("scale"), QStringLiteral("With --render: device-pixel ratio, 1 or 2."), QStringLiteral("n"),
         QStringLiteral("1")},
        {QStringLiteral("out"), QStringLiteral("With --render: the PNG file to write."), QStringLiteral("file")},
        {QStringLiteral("timeline"), QStringLiteral("Print the widget's timeline as JSON."), QStringLiteral("KIND")},
        {QStringLiteral("serve"),
         QStringLiteral("Draw the widgets of the one extension at PATH for PellixWidget, JSON lines on stdin and"
                        " stdout."),
         QStringLiteral("PATH")},
        {QStringLiteral("discover"),
         QStringLiteral("Print each extension found, loading none, as a JSON line: path, id, version, api,"
                        " refusal.")},
    });
    m_parser.addPositionalArgument(QStringLiteral("widgets"), QStringLiteral("With --show: KIND[:small|medium] ..."),
                                   QStringLiteral("[KIND[:family] ...]"));
}

bool HostCommandLine::helpRequested() const { return ::helpRequested(m_parser); }

QString HostCommandLine::helpText() const { return ::helpText(m_parser, QStringLiteral("pellix-widget-host")); }

bool HostCommandLine::versionRequested() const { return ::versionRequested(m_parser); }

bool HostCommandLine::fail(const QString &error)
{
    m_error = error;
    return false;
}

bool HostCommandLine::parse(const QStringList &arguments)
{
    if (!m_parser.parse(arguments))
        return fail(m_parser.errorText());
    if (helpRequested() || versionRequested())
        return true;

    using Mode = HostOptions::Mode;
    const QList<std::pair<QString, Mode>> modes{{"show", Mode::Show},
                                                {"list", Mode::List},
                                                {"gallery", Mode::Gallery},
                                                {"render", Mode::Render},
                                                {"timeline", Mode::Timeline},
                                                {"serve", Mode::Serve},
                                                {"discover", Mode::Discover}};
    QStringList chosen;
    for (const auto &[name, mode] : modes) {
        if (m_parser.isSet(name)) {
            chosen << "--" + name;
            m_options.mode = mode;
        }
    }
    if (chosen.size() > 1)
        return fail(QStringLiteral("choose one of %1").arg(chosen.join(QStringLiteral(", "))));

    const bool render = m_options.mode == Mode::Render;
    for (const char *option : {"family", "placeholder", "scale", "out"}) {
        if (!render && m_parser.isSet(QString::fromLatin1(option)))
            return fail(QStringLiteral("--%1 goes with --render").arg(QString::fromLatin1(option)));
    }
    const QStringList positional = m_parser.positionalArguments();
    if (m_options.mode != Mode::Show && !positional.isEmpty())
        return fail(QStringLiteral("unexpected argument \"%1\"").arg(positional.first()));

    QString error;
    for (const QString &text : positional) {
        const auto widget = choice(text, &error);
        if (!widget)
            return fail(error);
        m_options.show << *widget;
    }
    if (render || m_options.mode == Mode::Timeline) {
        m_options.target.kind = m_parser.value(render ? QStringLiteral("render") : QStringLiteral("timeline"));
        if (m_options.target.kind.isEmpty())
            return fail(QStringLiteral("a widget kind is needed"));
    }
    if (m_options.mode == Mode::Serve) {
        m_options.servePath = m_parser.value(QStringLiteral("serve"));
        if (m_options.servePath.isEmpty())
            return fail(QStringLiteral("--serve needs the extension's PATH"));
    }
    if (render) {
        if (m_parser.isSet(QStringLiteral("family"))) {
            m_options.target.family = widgetkit::familyFromName(m_parser.value(QStringLiteral("family")));
            if (!m_options.target.family)
                return fail(QStringLiteral("--family is small or medium"));
        }
        const QString scale = m_parser.value(QStringLiteral("scale"));
        if (scale != QLatin1String("1") && scale != QLatin1String("2"))
            return fail(QStringLiteral("--scale is 1 or 2"));
        m_options.scale = scale.toInt();
        m_options.placeholder = m_parser.isSet(QStringLiteral("placeholder"));
        m_options.out = m_parser.value(QStringLiteral("out"));
        if (m_options.out.isEmpty())
            return fail(QStringLiteral("--render needs --out FILE.png"));
    }
    return true;
}
