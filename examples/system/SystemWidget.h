#pragma once

// The System widget: its provider samples the machine on a worker thread and
// asks to be asked again in a minute; its view draws three meters (CPU,
// memory, disk) and the uptime, with the amounts beside them in the medium family.

#include "SystemReadings.h"

#include <PellixWidgetKit/WidgetBundle.h>

struct SystemEntry : widgetkit::TimelineEntry {
    std::optional<SystemReadings> readings;  // nothing: a placeholder, or /proc unreadable
    QJsonValue content() const override;
};

class SystemWidget : public widgetkit::Widget {
public:
    static constexpr int kReloadSeconds = 60;

    widgetkit::WidgetDescriptor descriptor() const override;
    widgetkit::EntryPtr placeholder(const widgetkit::TimelineContext &context) const override;
    void getSnapshot(const widgetkit::TimelineContext &context,
                     const std::function<void(widgetkit::EntryPtr)> &completion) const override;
    void getTimeline(const widgetkit::TimelineContext &context,
                     const std::function<void(widgetkit::Timeline)> &completion) const override;
    void render(QPainter &painter, const QRectF &rect, const widgetkit::TimelineEntry &entry,
                const widgetkit::WidgetEnvironment &environment) const override;
    QString accessibleText(const widgetkit::TimelineEntry &entry) const override;
};
