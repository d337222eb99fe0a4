#include "ExtensionServer.h"

#include "ExtensionLoader.h"
#include "HostCommands.h"
#include "WidgetRendering.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>

#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <new>

namespace {

// Lines from the app are short; anything longer is no message of ours.
constexpr qsizetype kMaxInputLine = 64 * 1024;

// A line written whole with write(2), from any thread, even with the heap exhausted.
void writeLine(const char *line)
{
    size_t left = std::strlen(line);
    while (left > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, line, left);
        if (written <= 0)
            return;
        line += written;
        left -= size_t(written);
    }
}

// The fault reasons in the user's language, written out before any plug-in
// code runs: when one is needed the heap may be exhausted or the GUI thread stuck.
struct FaultTexts {
    char drawing[256];
    char providing[256];
    char other[256];  // "%1" stands for the call
    char memory[256];
};
FaultTexts faultTexts;

void keepText(char (&out)[256], const QString &text)
{
    // They go into a JSON string as they are.
    QByteArray utf8 = text.toUtf8().replace('"', '\'').replace('\\', '/');
    qstrncpy(out, utf8.constData(), sizeof out);
}

[[noreturn]] void endWithFault(const char *reason)
{
    // The newline first ends a frame cut off by this line, which the app then drops.
    char line[384];
    std::snprintf(line, sizeof line, "\n{\"type\":\"fault\",\"reason\":\"%s\"}\n", reason);
    writeLine(line);
    ::_exit(3);
}

void onOverrun(const char *call)
{
    const bool drawing = !std::strcmp(call, "render") || !std::strcmp(call, "accessibleText");
    const bool providing = !std::strcmp(call, "placeholder") || !std::strcmp(call, "getSnapshot") ||
                           !std::strcmp(call, "getTimeline");
    if (drawing || providing)
        endWithFault(drawing ? faultTexts.drawing : faultTexts.providing);
    char reason[256];
    const char *mark = std::strstr(faultTexts.other, "%1");
    const int before = mark ? int(mark - faultTexts.other) : int(std::strlen(faultTexts.other));
    std::snprintf(reason, sizeof reason, "%.*s%s%s", before, faultTexts.other, mark ? call : "", mark ? mark + 2 : "");
    endWithFault(reason);
}

void onOutOfMemory() { endWithFault(faultTexts.memory); }

}  // namespace

ExtensionServer::ExtensionServer()
    : m_watchdog(kCallLimit, onOverrun), m_input(STDIN_FILENO, QSocketNotifier::Read)
{
    const int seconds = int(kCallLimit.count() / 1000);
    keepText(faultTexts.drawing, tr("bloccato nel disegno per %1 s").arg(seconds));
    keepText(faultTexts.providing, tr("bloccato nel suo provider per %1 s").arg(seconds));
    keepText(faultTexts.other, tr("bloccato in %1 per %2 s").arg(QStringLiteral("%1"), QString::number(seconds)));
    struct rlimit limit;
    const bool capped = ::getrlimit(RLIMIT_DATA, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY;
    keepText(faultTexts.memory, capped ? tr("ha superato il suo limite di memoria di %1 MB").arg(limit.rlim_cur >> 20)
                                       : tr("ha superato il suo limite di memoria"));
    std::set_new_handler(onOutOfMemory);
    connect(&m_input, &QSocketNotifier::activated, this, &ExtensionServer::readInput);
}

ExtensionServer::~ExtensionServer() = default;

bool ExtensionServer::start(const QString &path)
{
    static ExtensionLoader loader;  // the plug-in stays loaded until the process ends
    extensions::Extension extension;
    {
        CallWatchdog::Scope watch(m_watchdog, "load");
        extension = loader.discover({path}).value(0, extensions::Extension{path, {}, {}, {}, {}, nullptr});
    }
    QJsonObject hello{{"type", "hello"},
                      {"id", extension.id},
                      {"version", extension.version},
                      {"api", extension.apiVersion}};
    if (!extension.bundle) {
        hello.insert("refusal", extension.refusal.isEmpty() ? ExtensionLoader::tr("non si può leggere") : extension.refusal);
        send(hello);
        return false;
    }
    QJsonArray widgets;
    {
        CallWatchdog::Scope watch(m_watchdog, "widgets");
        m_widgets = extension.bundle->widgets();
    }
    for (const widgetkit::Widget *widget : std::as_const(m_widgets)) {
        const widgetkit::WidgetDescriptor descriptor = descriptorOf(*widget);
        widgets << QJsonObject{{"kind", descriptor.kind},
                               {"name", descriptor.displayName},
                               {"description", descriptor.description},
                               {"families", QJsonArray::fromStringList(familyNames(descriptor.supportedFamilies))}};
    }
    hello.insert("widgets", widgets);
    send(hello);
    return true;
}

void ExtensionServer::readInput()
{
    char chunk[16 * 1024];
    const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN)) {
        m_input.setEnabled(false);
        QCoreApplication::exit(0);  // the app went away or let us go
        return;
    }
    if (got < 0)
        return;
    m_buffer.append(chunk, got);
    qsizetype newline;
    while ((newline = m_buffer.indexOf('\n')) >= 0) {
        const QByteArray line = m_buffer.left(newline);
        m_buffer.remove(0, newline + 1);
        if (m_skippingLine) {
            m_skippingLine = false;
            continue;
        }
        const QJsonDocument document = QJsonDocument::fromJson(line);
        if (document.isObject())
            handle(document.object());
    }
    if (m_buffer.size() > kMaxInputLine) {
        m_buffer.clear();
        m_skippingLine = true;
    }
}

void ExtensionServer::handle(const QJsonObject &message)
{
    const QString type = message.value("type").toString();
    const QString kind = message.value("kind").toString();
    if (type == QLatin1String("ping")) {
        send({{"type", "pong"}, {"seq", message.value("seq")}});
    } else if (type == QLatin1String("show")) {
        const auto family = widgetkit::familyFromName(message.value("family").toString());
        const qreal scale = message.value("scale").toDouble(1);
        if (family && scale >= 1 && scale <= 4)
            show(kind, *family, scale);
    } else if (type == QLatin1String("hide")) {
        m_shown.erase(kind);
    } else if (type == QLatin1String("sleep")) {
        m_asleep = true;
        for (auto &[kind, shown] : m_shown)
            shown.session.reset();
    } else if (type == QLatin1String("wake") && m_asleep) {
        m_asleep = false;
        for (auto &[kind, shown] : m_shown) {
            sendFrame(kind);
            startSession(shown);
        }
    }
}

widgetkit::WidgetDescriptor ExtensionServer::descriptorOf(const widgetkit::Widget &widget)
{
    CallWatchdog::Scope watch(m_watchdog, "descriptor");
    return widget.descriptor();
}

void ExtensionServer::show(const QString &kind, widgetkit::WidgetFamily family, qreal scale)
{
    for (const widgetkit::Widget *widget : std::as_const(m_widgets)) {
        const widgetkit::WidgetDescriptor descriptor = descriptorOf(*widget);
        if (descriptor.kind != kind || !descriptor.supportedFamilies.contains(family))
            continue;
        auto found = m_shown.find(kind);
        if (found != m_shown.end() && found->second.family == family) {
            // Only the scale changed: the same entry drawn again.
            found->second.scale = scale;
            sendFrame(kind);
            return;
        }
        Shown &shown = m_shown[kind];
        shown = Shown{widget, family, scale, nullptr, nullptr};
        {
            CallWatchdog::Scope watch(m_watchdog, "placeholder");
            shown.entry = widget->placeholder({family, false});
        }
        sendFrame(kind);
        if (!m_asleep)
            startSession(shown);
        return;
    }
}

void ExtensionServer::startSession(Shown &shown)
{
    shown.session = std::make_unique<TimelineSession>(*shown.widget, widgetkit::TimelineContext{shown.family, false});
    shown.session->setCallGuard([this](const char *call, const std::function<void()> &run) {
        CallWatchdog::Scope watch(m_watchdog, call);
        run();
    });
    TimelineSession *session = shown.session.get();
    QString kind;
    for (const auto &[key, value] : m_shown)
        if (&value == &shown)
            kind = key;
    connect(session, &TimelineSession::entryChanged, this, [this, kind, session] {
        auto found = m_shown.find(kind);
        if (found == m_shown.end() || found->second.session.get() != session || !session->entry())
            return;
        found->second.entry = session->entry();
        if (!m_asleep)
            sendFrame(kind);
    });
    session->start();
}

void ExtensionServer::sendFrame(const QString &kind)
{
    const auto found = m_shown.find(kind);
    if (found == m_shown.end() || !found->second.entry)
        return;
    const Shown &shown = found->second;
    QImage image;
    QString text;
    {
        CallWatchdog::Scope watch(m_watchdog, "render");
        image = renderWidget(*shown.widget, shown.family, *shown.entry, shown.scale);
    }
    {
        CallWatchdog::Scope watch(m_watchdog, "accessibleText");
        text = shown.widget->accessibleText(*shown.entry);
    }
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    QImageWriter writer(&png, "png");
    writer.setCompression(1);  // fast: the pipe is local, the CPU is shared
    if (!writer.write(image))
        return;
    send({{"type", "frame"},
          {"kind", kind},
          {"family", widgetkit::familyName(shown.family)},
          {"scale", shown.scale},
          {"png", QString::fromLatin1(png.data().toBase64())},
          {"text", text}});
}

void ExtensionServer::send(const QJsonObject &message)
{
    const QByteArray line = QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n';
    writeLine(line.constData());
}

void printDiscovered(const QList<extensions::Extension> &found)
{
    for (const extensions::Extension &extension : found) {
        const QJsonObject line{{"path", extension.path},
                               {"id", extension.id},
                               {"version", extension.version},
                               {"api", extension.apiVersion},
                               {"refusal", extension.refusal}};
        std::fputs(QJsonDocument(line).toJson(QJsonDocument::Compact).append('\n').constData(), stdout);
    }
    std::fflush(stdout);
}
