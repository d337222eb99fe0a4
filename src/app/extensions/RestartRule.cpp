#include "RestartRule.h"

#include <algorithm>

namespace extensions {

void RestartRule::failed(qint64 nowMs)
{
    m_failures << nowMs;
    m_failures.removeIf([nowMs](qint64 at) { return nowMs - at >= kFailureWindowMs; });
}

int RestartRule::recentFailures(qint64 nowMs) const
{
    return int(std::count_if(m_failures.begin(), m_failures.end(),
                             [nowMs](qint64 at) { return nowMs - at < kFailureWindowMs; }));
}

int RestartRule::delayMs(qint64 nowMs) const
{
    const int failures = std::clamp(recentFailures(nowMs), 1, 5);
    return 1000 << (failures - 1);
}

}  // namespace extensions
