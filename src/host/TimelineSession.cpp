#include "TimelineSession.h"

#include "HostCommands.h"
#include "ProviderAnswer.h"

#include <algorithm>

namespace {

// A reload date in the past or at the same moment must not turn into a busy loop.
constexpr qint64 kMinimumDelayMs = 1000;
// QTimer counts in int milliseconds; farther dates are reached in steps.
constexpr qint64 kMaximumDelayMs = 24 * 3600 * 1000;

}  // namespace

QDateTime flooredReloadDate(const QDateTime &wanted, const QDateTime &askedAt, qint64 floorMs)
{
    if (!wanted.isValid())
        return {};
    return std::max(wanted, askedAt.addMSecs(floorMs));
}

TimelineSession::TimelineSession(const widgetkit::Widget &widget, widgetkit::TimelineContext context, Clock clock,
                                 QObject *parent)
    : QObject(parent), m_widget(widget), m_context(context), m_clock(std::move(clock)),
      m_guard([](const char *, const std::function<void()> &run) { run(); })
{
    m_reloadTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early: 15 s before a 5-minute reload date.
    m_reloadTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_reloadTimer, &QTimer::timeout, this, &TimelineSession::reloadIfDue);
    m_entryTimer.setSingleShot(true);
    m_entryTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_entryTimer, &QTimer::timeout, this, &TimelineSession::showDueEntry);
}

void TimelineSession::start()
{
    const auto completion = onGuiThread<widgetkit::EntryPtr>(this, [this](widgetkit::EntryPtr entry) {
        // A timeline that came first wins over a late snapshot.
        if (entry && m_entries.isEmpty()) {
            m_entry = std::move(entry);
            emit entryChanged();
        }
    });
    m_guard("getSnapshot", [&] { m_widget.getSnapshot(m_context, completion); });
    requestTimeline();
}

void TimelineSession::requestTimeline()
{
    emit timelineRequested();
    // Asked again at the floor when no answer comes; an answer sets its own date.
    m_askedAt = m_clock();
    m_reloadDate = m_askedAt.addMSecs(m_reloadFloorMs);
    scheduleReload();
    const auto completion =
        onGuiThread<widgetkit::Timeline>(this, [this](const widgetkit::Timeline &timeline) { apply(timeline); });
    m_guard("getTimeline", [&] { m_widget.getTimeline(m_context, completion); });
}

void TimelineSession::apply(const widgetkit::Timeline &timeline)
{
    m_entries.clear();
    for (const widgetkit::EntryPtr &entry : timeline.entries) {
        if (entry && m_entries.size() < kMaxTimelineEntries)
            m_entries << entry;
    }
    showDueEntry();
    m_reloadDate = flooredReloadDate(::reloadDate(timeline), m_askedAt, m_reloadFloorMs);
    m_reloadTimer.stop();
    scheduleReload();
}

// The latest entry already due, else the first; then a timer for the next one.
void TimelineSession::showDueEntry()
{
    if (m_entries.isEmpty())
        return;
    const QDateTime now = m_clock();
    widgetkit::EntryPtr due = m_entries.first();
    QDateTime next;
    for (const widgetkit::EntryPtr &entry : m_entries) {
        if (entry->date <= now)
            due = entry;
        else if (!next.isValid() || entry->date < next)
            next = entry->date;
    }
    if (due != m_entry) {
        m_entry = due;
        emit entryChanged();
    }
    if (next.isValid())
        m_entryTimer.start(int(std::clamp(now.msecsTo(next), qint64(0), kMaximumDelayMs)));
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
