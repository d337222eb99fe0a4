#pragma once

// One widget on screen, kept current as the system does: a fresh snapshot when
// it is first shown, then its timeline, and a new timeline at each reload date,
// never earlier. Between reloads nothing runs but one timer.
//
// The refresh budget: a provider is asked again no sooner than
// kReloadFloorSeconds after it was last asked, whatever reload date it gives,
// and a provider that never answers keeps its last entry and is asked again
// after the same time. Of a timeline only the first kMaxTimelineEntries count.

#include <PellixWidgetKit/WidgetBundle.h>

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

inline constexpr int kReloadFloorSeconds = 60;
inline constexpr int kMaxTimelineEntries = 100;

// The reload date a provider asked at `askedAt` gets for wanting `wanted`
// (invalid: none): never sooner than the floor.
QDateTime flooredReloadDate(const QDateTime &wanted, const QDateTime &askedAt, qint64 floorMs);

class TimelineSession : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;
    // A function, not &QDateTime::currentDateTime: Qt 6.8 overloads that one.
    static QDateTime systemClock() { return QDateTime::currentDateTime(); }

    // `clock` tells the time the reload dates are compared with.
    TimelineSession(const widgetkit::Widget &widget, widgetkit::TimelineContext context,
                    Clock clock = &systemClock, QObject *parent = nullptr);

    void start();

    // Runs each call into the provider (its name, the call); the host's
    // watchdog watches them through it. By default the call just runs.
    using CallGuard = std::function<void(const char *call, const std::function<void()> &run)>;
    void setCallGuard(CallGuard guard) { m_guard = std::move(guard); }
    // kReloadFloorSeconds unless set (tests that cannot wait a minute).
    void setReloadFloorMs(qint64 floorMs) { m_reloadFloorMs = floorMs; }

    const widgetkit::Widget &widget() const { return m_widget; }
    widgetkit::EntryPtr entry() const { return m_entry; }
    QDateTime reloadDate() const { return m_reloadDate; }  // invalid: none asked for

signals:
    void entryChanged();
    void timelineRequested();  // just before the provider is asked

private:
    void requestTimeline();
    void apply(const widgetkit::Timeline &timeline);
    void showDueEntry();
    void scheduleReload();
    void reloadIfDue();

    const widgetkit::Widget &m_widget;
    widgetkit::TimelineContext m_context;
    Clock m_clock;
    CallGuard m_guard;
    QDateTime m_askedAt;
    qint64 m_reloadFloorMs = kReloadFloorSeconds * 1000;
    widgetkit::EntryPtr m_entry;
    QList<widgetkit::EntryPtr> m_entries;  // of the last timeline
    QDateTime m_reloadDate;
    QTimer m_reloadTimer;
    QTimer m_entryTimer;
};
