#pragma once

// A repeating timer that fires on the edges of its period counted from the
// epoch (every whole second, every fourth second, ...), shortly after the edge.
// All edge timers of the process share one system timer, so timers whose edges
// meet (the clock's second and the battery's fourth second) wake the process
// once, not once each.
//
// A riding timer fires on its edges only when the process wakes for another
// edge timer anyway, and on its own only every `latestMs`: a refresh whose
// changes also come by signal costs no wake-up of its own while the clock runs.

#include <QObject>
#include <QtGlobal>

namespace EdgeTimerRules {
// Past the edge, so that a clock read in the handler is already in the new second.
inline constexpr int kMarginMs = 4;
// The first edge of `periodMs` (plus the margin) strictly after `nowMs`, in ms since the epoch.
qint64 nextEdge(qint64 nowMs, int periodMs, int marginMs = kMarginMs);
}  // namespace EdgeTimerRules

class EdgeTimer : public QObject {
    Q_OBJECT

public:
    explicit EdgeTimer(int periodMs, QObject *parent = nullptr);
    ~EdgeTimer() override;

    int period() const { return m_periodMs; }
    // Rides other timers' wake-ups, waking the process itself at most every `latestMs`.
    void setRiding(int latestMs) { m_latestMs = latestMs; }
    bool isActive() const { return m_deadline >= 0; }
    void start();  // no-op while active: the edges stay where they are
    void stop();

signals:
    void timeout();

private:
    friend class EdgeScheduler;
    qint64 ownDeadline() const { return m_latestMs > 0 ? m_latestDeadline : m_deadline; }
    int m_periodMs;
    int m_latestMs = 0;
    qint64 m_deadline = -1;  // ms since the epoch; -1 when stopped
    qint64 m_latestDeadline = -1;  // a rider's own wake-up
};
