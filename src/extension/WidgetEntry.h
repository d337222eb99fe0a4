#pragma once

// One timeline entry of the extension: when it was built and what the shared
// file held then (nothing when it was missing or unreadable, and always
// nothing in a placeholder).

#include "SharedWidgetData.h"
#include <PellixWidgetKit/Timeline.h>

#include <optional>

namespace pellix::extension {

struct WidgetEntry : widgetkit::TimelineEntry {
    std::optional<SharedWidgetData> data;

    WidgetEntry(const QDateTime &date, std::optional<SharedWidgetData> data);
    // The data in the shared file's own format, or null.
    QJsonValue content() const override;
};

}  // namespace pellix::extension
