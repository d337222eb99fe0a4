#pragma once

// --show: each chosen widget in a desktop window like the app's widgets
// (frameless, translucent, below other windows, on every desktop, dragged by
// its background), kept current by its own timeline session.

#include "HostCommands.h"
#include "TimelineSession.h"

#include <memory>
#include <vector>

class WidgetWindow;

class DesktopWidgets {
public:
    explicit DesktopWidgets(const QList<ShownWidget> &widgets,
                            const TimelineSession::Clock &clock = &TimelineSession::systemClock);
    ~DesktopWidgets();

    static constexpr int kMargin = 20;  // from the screen's edges and between widgets

    const std::vector<std::unique_ptr<TimelineSession>> &sessions() const { return m_sessions; }

private:
    std::vector<std::unique_ptr<TimelineSession>> m_sessions;
    std::vector<std::unique_ptr<WidgetWindow>> m_windows;
};
