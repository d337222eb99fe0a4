#pragma once

// The one provider of all four widgets. It keeps nothing between requests:
// every snapshot and timeline reads the shared file afresh, and the placeholder
// never reads it.

#include "SharedWidgetData.h"
#include <PellixWidgetKit/WidgetBundle.h>
#include "WidgetEntry.h"

#include <functional>
#include <memory>
#include <optional>

namespace pellix::extension {

inline constexpr int kReloadMinutes = 5;

// Five minutes after `now`, or `now` itself when no such date exists.
QDateTime reloadDate(const QDateTime &now);

// The timeline: one entry of the moment and what `read` returns, and a reload
// date counted from the clock read again after the read.
widgetkit::Timeline makeTimeline(const std::function<QDateTime()> &clock,
                                 const std::function<std::optional<SharedWidgetData>()> &read);

// readSharedData(), but a path that is not a regular file (a FIFO, a device)
// reads as no file: opening one could block the request for ever.
std::optional<SharedWidgetData> readSharedRegularFile();

class SimpleProvider {
public:
    std::shared_ptr<const WidgetEntry> placeholder(const widgetkit::TimelineContext &context) const;
    void getSnapshot(const widgetkit::TimelineContext &context,
                     const std::function<void(widgetkit::EntryPtr)> &completion) const;
    void getTimeline(const widgetkit::TimelineContext &context,
                     const std::function<void(widgetkit::Timeline)> &completion) const;
};

}  // namespace pellix::extension
