#pragma once

// What the host does for each command, once the extension is loaded and the
// arguments are checked. Each returns the process's exit status.

#include "HostCommandLine.h"
#include "WidgetBundle.h"

#include <QJsonObject>
#include <QTextStream>

// The widget of that kind, or nothing.
const widgetkit::Widget *findWidget(const widgetkit::WidgetBundle &bundle, const QString &kind);

// Widgets and families the arguments name, or an error message (an unknown kind, a family the widget lacks).
struct ShownWidget {
    const widgetkit::Widget *widget;
    widgetkit::WidgetFamily family;
};
QList<ShownWidget> resolveWidgets(const widgetkit::WidgetBundle &bundle, const QList<WidgetChoice> &choices,
                                  QString *error);

// One line a widget: kind, display name, families (comma-separated), description; tab-separated.
void listWidgets(const widgetkit::WidgetBundle &bundle, QTextStream &out);

// One timeline request answered as JSON: {kind, entries: [{date, data}], reloadDate}.
QJsonObject timelineJson(const widgetkit::Widget &widget);

// 0 when the PNG was written.
int renderToFile(const ShownWidget &shown, bool placeholder, int scale, const QString &path);
