#include "CallWatchdog.h"

CallWatchdog::CallWatchdog(std::chrono::milliseconds limit, std::function<void(const char *)> overrun)
    : m_limit(limit), m_overrun(std::move(overrun)), m_thread([this] { run(); })
{
}

CallWatchdog::~CallWatchdog()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void CallWatchdog::set(const char *call, std::chrono::steady_clock::time_point deadline)
{
    {
        std::lock_guard lock(m_mutex);
        m_call = call;
        m_deadline = deadline;
        ++m_serial;
    }
    m_changed.notify_all();
}

void CallWatchdog::run()
{
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (!m_call) {
            m_changed.wait(lock);
            continue;
        }
        const std::uint64_t serial = m_serial;
        if (!m_changed.wait_until(lock, m_deadline, [&] { return m_quit || m_serial != serial; }))
            m_overrun(m_call);
    }
}

CallWatchdog::Scope::Scope(CallWatchdog &watchdog, const char *call) : m_watchdog(watchdog)
{
    {
        std::lock_guard lock(watchdog.m_mutex);
        m_outer = watchdog.m_call;
        m_outerDeadline = watchdog.m_deadline;
    }
    watchdog.set(call, std::chrono::steady_clock::now() + watchdog.m_limit);
}

CallWatchdog::Scope::~Scope()
{
    m_watchdog.set(m_outer, m_outerDeadline);
}
