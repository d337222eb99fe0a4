#pragma once

// pellix-widget-host --serve: one extension's widgets drawn for the app, which
// never loads a plug-in itself. Newline-delimited JSON objects, app to host on
// stdin, host to app on stdout:
//   out: hello {id, version, api, widgets: [{kind, name, description, families}]}
//        or hello {id, version, api, refusal} and the end; frame {kind, family,
//        scale, png (base64), text}; pong {seq}; fault {reason} just before the
//        process ends itself.
//   in:  show {kind, family, scale}, hide {kind}, ping {seq}, sleep, wake.
// End of input ends the process. Every call into the plug-in is watched: one
// that runs past kCallLimit ends the process with a fault.

#include "CallWatchdog.h"
#include "TimelineSession.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace extensions {
struct Extension;
}

inline constexpr std::chrono::milliseconds kCallLimit{5000};

class ExtensionServer : public QObject {
    Q_OBJECT

public:
    ExtensionServer();
    ~ExtensionServer() override;

    // Loads the plug-in at `path` (under the watchdog) and says hello; false
    // when it was refused (said in the hello): the process then ends.
    bool start(const QString &path);

private:
    struct Shown {
        const widgetkit::Widget *widget;
        widgetkit::WidgetFamily family;
        qreal scale;
        widgetkit::EntryPtr entry;
        std::unique_ptr<TimelineSession> session;
    };

    widgetkit::WidgetDescriptor descriptorOf(const widgetkit::Widget &widget);  // under the watchdog
    void readInput();
    void handle(const QJsonObject &message);
    void show(const QString &kind, widgetkit::WidgetFamily family, qreal scale);
    void startSession(Shown &shown);
    void sendFrame(const QString &kind);
    void send(const QJsonObject &message);

    CallWatchdog m_watchdog;
    QSocketNotifier m_input;
    QByteArray m_buffer;
    bool m_skippingLine = false;  // the rest of a line past the cap
    bool m_asleep = false;
    QList<const widgetkit::Widget *> m_widgets;
    std::unordered_map<QString, Shown> m_shown;
};

// --discover: every extension of the search path as a JSON line {path, id,
// version, api, refusal}, none loaded.
void printDiscovered(const QList<extensions::Extension> &found);
