#pragma once

// What the host does for each command, once the extension is loaded and the
// arguments are checked. Each returns the process's exit status.

#include "ExtensionLoader.h"
#include "HostCommandLine.h"
#include <PellixWidgetKit/WidgetBundle.h>

#include <QJsonObject>
#include <QTextStream>

// The widgets of every loaded extension, in discovery order.
class LoadedWidgets : public widgetkit::WidgetBundle {
public:
    explicit LoadedWidgets(const QList<extensions::Extension> &found);
    QList<const widgetkit::Widget *> widgets() const override { return m_widgets; }

private:
    QList<const widgetkit::Widget *> m_widgets;
};

// How long the host waits for a provider's answer on the command line.
inline constexpr int kAnswerTimeoutMs = 10'000;

// "small", "medium", as the families are named on the command line and in listings.
QStringList familyNames(const QList<widgetkit::WidgetFamily> &families);

// The widget of that kind, or nothing (the first of that kind).
const widgetkit::Widget *findWidget(const widgetkit::WidgetBundle &bundle, const QString &kind);

// Widgets and families the arguments name, or an error message (an unknown kind, a family the widget lacks).
struct ShownWidget {
    const widgetkit::Widget *widget;
    widgetkit::WidgetFamily family;
};
QList<ShownWidget> resolveWidgets(const widgetkit::WidgetBundle &bundle, const QList<WidgetChoice> &choices,
                                  QString *error);

// Each extension in a line: "ID VERSION, widget API X.Y: PATH", followed by its
// widgets, a line each: tab, kind, display name, families (comma-separated),
// description, tab-separated; each refused one as "refused: PATH[ (ID VERSION)]: REASON".
void listExtensions(const QList<extensions::Extension> &found, QTextStream &out);

// One timeline request answered as JSON: {kind, entries: [{date, data}], reloadDate},
// or nothing when the provider did not answer in time.
std::optional<QJsonObject> timelineJson(const widgetkit::Widget &widget);

// The reload date of a timeline, invalid when it asks for none.
QDateTime reloadDate(const widgetkit::Timeline &timeline);

// An empty string when the PNG was written, else why not.
QString renderToFile(const ShownWidget &shown, bool placeholder, int scale, const QString &path);
