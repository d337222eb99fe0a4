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
    // A preview (the gallery's): its views show sample values where a real
    // entry without data says it has none.
    bool placeholder = false;

    WidgetEntry(const QDateTime &date, std::optional<SharedWidgetData> data, bool placeholder = false);
    // The data in the shared file's own format, or null.
    QJsonValue content() const override;
};

}  // namespace pellix::extension
