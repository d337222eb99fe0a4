#pragma once

// What a widget's provider hands the host: entries, each shown from its date
// on, and the date after which the host asks again.

#include <QDateTime>
#include <QJsonValue>
#include <QList>

#include <memory>

namespace widgetkit {

struct TimelineEntry {
    QDateTime date;

    virtual ~TimelineEntry() = default;
    // What the entry carries, as JSON, for a host that prints timelines.
    virtual QJsonValue content() const { return QJsonValue::Null; }
};

using EntryPtr = std::shared_ptr<const TimelineEntry>;

struct Timeline {
    QList<EntryPtr> entries;
    // The "after" reload policy: the host asks for a new timeline at this date, never earlier.
    QDateTime reloadAfter;
};

}  // namespace widgetkit
