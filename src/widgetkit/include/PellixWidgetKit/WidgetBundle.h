#pragma once

// The contract between a widget extension (a Qt plug-in) and the host that
// shows its widgets. The host loads the plug-in, asks its bundle for the
// widgets, asks each widget's provider for entries and has the widget draw them.

#include <PellixWidgetKit/Timeline.h>
#include <PellixWidgetKit/Version.h>
#include <PellixWidgetKit/WidgetEnvironment.h>
#include <PellixWidgetKit/WidgetFamily.h>

#include <QList>
#include <QString>
#include <QtPlugin>

#include <functional>

class QPainter;
class QRectF;

namespace widgetkit {

struct WidgetDescriptor {
    QString kind;  // unique among all extensions: prefix it with your own name
    QString displayName;
    QString description;
    QList<WidgetFamily> supportedFamilies;  // the first is the default
};

// Passed with every request; a provider may ignore it.
struct TimelineContext {
    WidgetFamily family = WidgetFamily::Small;
    bool isPreview = false;  // the gallery, not the desktop
};

// One widget with a static configuration (no user options): its description,
// its timeline provider's three requests and the view that draws an entry.
// The host calls every function on its GUI thread.
class Widget {
public:
    virtual ~Widget() = default;

    // The texts in the host's language (QLocale()), read anew whenever shown.
    virtual WidgetDescriptor descriptor() const = 0;

    // Something to show before any data, at once, without reading anything slow.
    virtual EntryPtr placeholder(const TimelineContext &context) const = 0;
    // The provider calls the completion exactly once, at once or later, from
    // any thread (slow reads belong on a worker thread, never the GUI thread).
    virtual void getSnapshot(const TimelineContext &context, const std::function<void(EntryPtr)> &completion) const = 0;
    virtual void getTimeline(const TimelineContext &context,
                             const std::function<void(Timeline)> &completion) const = 0;

    // Draws `entry` (one of this widget's own) into `rect`, in logical pixels.
    // Draw only: it runs on the GUI thread at every repaint.
    virtual void render(QPainter &painter, const QRectF &rect, const TimelineEntry &entry,
                        const WidgetEnvironment &environment) const = 0;

    // What a screen reader says for `entry`; empty: the display name only.
    virtual QString accessibleText(const TimelineEntry &entry) const
    {
        Q_UNUSED(entry);
        return {};
    }
};

// The plug-in's entry point: a QObject that also derives from WidgetBundle,
// declared with Q_PLUGIN_METADATA(IID PellixWidgetBundle_iid FILE "pellix-extension.json")
// and Q_INTERFACES(widgetkit::WidgetBundle).
class WidgetBundle {
public:
    virtual ~WidgetBundle() = default;
    // In the order the bundle declares them; the bundle keeps ownership.
    virtual QList<const Widget *> widgets() const = 0;
};

}  // namespace widgetkit

Q_DECLARE_INTERFACE(widgetkit::WidgetBundle, PellixWidgetBundle_iid)
