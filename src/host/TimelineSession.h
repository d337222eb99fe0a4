#pragma once

// One widget on screen, kept current as the system does: a fresh snapshot when
// it is first shown, then its timeline, and a new timeline at each reload date,
// never earlier. Between reloads nothing runs but one timer.

#include <PellixWidgetKit/WidgetBundle.h>

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

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
    widgetkit::EntryPtr m_entry;
    QList<widgetkit::EntryPtr> m_entries;  // of the last timeline
    QDateTime m_reloadDate;
    QTimer m_reloadTimer;
    QTimer m_entryTimer;
};
