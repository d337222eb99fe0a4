#pragma once

// Ends the process when one call into a plug-in runs past its limit: the
// plug-in's code runs on the GUI thread, so nothing else could stop it. A
// thread of its own waits on a condition variable, without waking up while no
// call runs and once per call otherwise.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

class CallWatchdog {
public:
    // `overrun` runs on the watchdog's thread with the call's name and must end the process.
    CallWatchdog(std::chrono::milliseconds limit, std::function<void(const char *call)> overrun);
    ~CallWatchdog();

    // Watches one call for as long as it lives; calls may nest (a provider that
    // answers at once draws the entry within its own call).
    class Scope {
    public:
        Scope(CallWatchdog &watchdog, const char *call);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        CallWatchdog &m_watchdog;
        const char *m_outer;
        std::chrono::steady_clock::time_point m_outerDeadline;
    };

    std::chrono::milliseconds limit() const { return m_limit; }

private:
    void run();
    void set(const char *call, std::chrono::steady_clock::time_point deadline);

    const std::chrono::milliseconds m_limit;
    std::function<void(const char *)> m_overrun;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    const char *m_call = nullptr;
    std::chrono::steady_clock::time_point m_deadline;
    std::uint64_t m_serial = 0;
    bool m_quit = false;
    std::thread m_thread;
};
