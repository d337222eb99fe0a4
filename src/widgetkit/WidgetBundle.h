#pragma once

// The contract between a widget extension (a Qt plug-in) and the host that
// plays the system's part. The host loads the plug-in, asks its bundle for the
// widgets, asks each widget's provider for entries and has the widget draw them.

#include "Timeline.h"
#include "WidgetFamily.h"

#include <QList>
#include <QString>
#include <QtPlugin>

#include <functional>

class QPainter;
class QRectF;

namespace widgetkit {

struct WidgetDescriptor {
    QString kind;
    QString displayName;
    QString description;
    QList<WidgetFamily> supportedFamilies;  // the first is the default
};

// Passed with every request, as the system does; a provider may ignore it.
struct TimelineContext {
    WidgetFamily family = WidgetFamily::Small;
    bool isPreview = false;  // the gallery, not the desktop
};

// One widget: its description, its provider's three requests and its content.
class Widget {
public:
    virtual ~Widget() = default;

    virtual WidgetDescriptor descriptor() const = 0;

    // Synchronous; something to show before any data.
    virtual EntryPtr placeholder(const TimelineContext &context) const = 0;
    virtual void getSnapshot(const TimelineContext &context, const std::function<void(EntryPtr)> &completion) const = 0;
    virtual void getTimeline(const TimelineContext &context,
                             const std::function<void(Timeline)> &completion) const = 0;

    // Draws `entry` (one of this widget's own) into `rect`, in logical pixels.
    virtual void render(QPainter &painter, const QRectF &rect, const TimelineEntry &entry) const = 0;

    // What `entry` shows, in words, for assistive technology (screen readers),
    // in the interface's language. By default the widget's display name.
    virtual QString accessibleText(const TimelineEntry &entry) const
    {
        Q_UNUSED(entry);
        return descriptor().displayName;
    }
};

// The plug-in's entry point.
class WidgetBundle {
public:
    virtual ~WidgetBundle() = default;
    // In the order the bundle declares them; the bundle keeps ownership.
    virtual QList<const Widget *> widgets() const = 0;
};

}  // namespace widgetkit

// The minor version grows with every addition to these classes: a plug-in built
// for an older one lacks their new entries, so the host does not take it.
#define PellixWidgetBundle_iid "com.pellixwidget.WidgetBundle/1.1"
Q_DECLARE_INTERFACE(widgetkit::WidgetBundle, PellixWidgetBundle_iid)
