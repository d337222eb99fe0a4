#pragma once

// What a widget's provider hands the host: entries, each shown from its date
// on, and when the host asks again.

#include <QDateTime>
#include <QJsonValue>
#include <QList>

#include <memory>

namespace widgetkit {

// Subclass it with the data the widget draws; the host only reads `date`.
struct TimelineEntry {
    QDateTime date;

    virtual ~TimelineEntry() = default;
    // What the entry carries, as JSON, for a host that prints timelines.
    virtual QJsonValue content() const { return QJsonValue::Null; }
};

using EntryPtr = std::shared_ptr<const TimelineEntry>;

// When the host asks the provider for the next timeline.
struct ReloadPolicy {
    enum Kind {
        AtEnd,  // at the last entry's date (an empty timeline: never)
        After,  // at `date`, never earlier
        Never,  // only when the widget is shown anew
    };
    Kind kind = AtEnd;
    QDateTime date;

    static ReloadPolicy atEnd() { return {AtEnd, {}}; }
    static ReloadPolicy after(const QDateTime &date) { return {After, date}; }
    static ReloadPolicy never() { return {Never, {}}; }
};

struct Timeline {
    QList<EntryPtr> entries;  // in date order; the host shows each from its date on
    ReloadPolicy policy;
};

}  // namespace widgetkit
