#include "EdgeTimer.h"

#include <QDateTime>
#include <QList>
#include <QPointer>
#include <QTimer>

#include <algorithm>

qint64 EdgeTimerRules::nextEdge(qint64 nowMs, int periodMs, int marginMs)
{
    const qint64 period = qMax(1, periodMs);
    const qint64 base = nowMs - marginMs;
    // Floor division: the epoch's edges hold before 1970 too.
    const qint64 edge = (base >= 0 ? base / period : (base - period + 1) / period) * period;
    return edge + period + marginMs;
}

// The one system timer behind every EdgeTimer: aimed at the earliest deadline,
// and firing every timer due by then in the same wake-up.
class EdgeScheduler : public QObject {
public:
    static EdgeScheduler &shared()
    {
        static EdgeScheduler *instance = new EdgeScheduler;
        return *instance;
    }

    void add(EdgeTimer *t)
    {
        aim(t, now());
        if (!m_timers.contains(t))
            m_timers.append(t);
        arm();
    }
    void remove(EdgeTimer *t)
    {
        t->m_deadline = t->m_latestDeadline = -1;
        m_timers.removeAll(t);
        arm();
    }

private:
    // Timers that fire up to this much early join the wake-up of an earlier one.
    static constexpr qint64 kSlackMs = 2;

    EdgeScheduler()
    {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, &EdgeScheduler::fire);
    }
    static qint64 now() { return QDateTime::currentMSecsSinceEpoch(); }
    static void aim(EdgeTimer *t, qint64 at)
    {
        t->m_deadline = EdgeTimerRules::nextEdge(at, t->m_periodMs);
        t->m_latestDeadline = t->m_latestMs > 0 ? EdgeTimerRules::nextEdge(at, t->m_latestMs) : -1;
    }

    void arm()
    {
        if (m_timers.isEmpty()) {
            m_timer.stop();
            return;
        }
        qint64 first = m_timers.first()->ownDeadline();
        for (EdgeTimer *t : std::as_const(m_timers))
            first = std::min(first, t->ownDeadline());
        m_timer.start(int(std::clamp<qint64>(first - now(), 0, 24 * 3600 * 1000)));
    }

    void fire()
    {
        const qint64 at = now();
        QList<QPointer<EdgeTimer>> due;
        for (EdgeTimer *t : std::as_const(m_timers)) {
            // Awake anyway: a rider whose edge has come goes along.
            if (t->m_deadline <= at + kSlackMs || t->ownDeadline() <= at + kSlackMs) {
                due.append(t);
                aim(t, at + kSlackMs);
            } else if (t->ownDeadline() - at > std::max(t->m_periodMs, t->m_latestMs) + EdgeTimerRules::kMarginMs) {
                // The wall clock went back: re-aim rather than wait out the difference.
                aim(t, at);
            }
        }
        arm();
        for (const QPointer<EdgeTimer> &t : std::as_const(due))
            if (t && t->isActive())
                emit t->timeout();
    }

    QTimer m_timer;
    QList<EdgeTimer *> m_timers;
};

EdgeTimer::EdgeTimer(int periodMs, QObject *parent) : QObject(parent), m_periodMs(periodMs) {}

EdgeTimer::~EdgeTimer() { stop(); }

void EdgeTimer::start()
{
    if (!isActive())
        EdgeScheduler::shared().add(this);
}

void EdgeTimer::stop()
{
    if (isActive())
        EdgeScheduler::shared().remove(this);
}
