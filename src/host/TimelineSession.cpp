#include "TimelineSession.h"

#include <algorithm>

namespace {

// A reload date in the past or at the same moment must not turn into a busy loop.
constexpr qint64 kMinimumDelayMs = 1000;
// QTimer counts in int milliseconds; farther dates are reached in steps.
constexpr qint64 kMaximumDelayMs = 24 * 3600 * 1000;

}  // namespace

TimelineSession::TimelineSession(const widgetkit::Widget &widget, widgetkit::TimelineContext context, Clock clock,
                                 QObject *parent)
    : QObject(parent), m_widget(widget), m_context(context), m_clock(std::move(clock))
{
    m_reloadTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early: 15 s before a 5-minute reload date.
    m_reloadTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_reloadTimer, &QTimer::timeout, this, &TimelineSession::reloadIfDue);
}

void TimelineSession::start()
{
    m_widget.getSnapshot(m_context, [this](widgetkit::EntryPtr entry) {
        m_entry = std::move(entry);
        emit entryChanged();
    });
    requestTimeline();
}

void TimelineSession::requestTimeline()
{
    emit timelineRequested();
    m_widget.getTimeline(m_context, [this](const widgetkit::Timeline &timeline) { apply(timeline); });
}

void TimelineSession::apply(const widgetkit::Timeline &timeline)
{
    // The latest entry already due, else the first.
    const QDateTime now = m_clock();
    widgetkit::EntryPtr due = timeline.entries.isEmpty() ? nullptr : timeline.entries.first();
    for (const widgetkit::EntryPtr &entry : timeline.entries) {
        if (entry->date <= now)
            due = entry;
    }
    if (due) {
        m_entry = due;
        emit entryChanged();
    }
    m_reloadDate = timeline.reloadAfter;
    scheduleReload();
}

void TimelineSession::scheduleReload()
{
    if (!m_reloadDate.isValid())
        return;
    const qint64 remaining = m_clock().msecsTo(m_reloadDate);
    m_reloadTimer.start(int(std::clamp(remaining, kMinimumDelayMs, kMaximumDelayMs)));
}

// The wall clock may have been set back since the timer was armed: check again.
void TimelineSession::reloadIfDue()
{
    if (m_clock() >= m_reloadDate)
        requestTimeline();
    else
        scheduleReload();
}
