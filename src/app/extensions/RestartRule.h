#pragma once

// When an extension's process that ended is started again: after 1, 2, 4, 8
// and 16 s as failures add up within the window, and not at all once
// kMaxFailures have come within it.

#include <QList>

namespace extensions {

inline constexpr int kMaxFailures = 5;
inline constexpr qint64 kFailureWindowMs = 10 * 60 * 1000;

class RestartRule {
public:
    // Counts a failure at `nowMs` (a monotonic clock).
    void failed(qint64 nowMs);
    // The failures within the window before `nowMs`.
    int recentFailures(qint64 nowMs) const;
    bool givesUp(qint64 nowMs) const { return recentFailures(nowMs) >= kMaxFailures; }
    // The wait before the next start.
    int delayMs(qint64 nowMs) const;

private:
    QList<qint64> m_failures;
};

}  // namespace extensions
