#pragma once

#include <QObject>

namespace x11 {

// Whether a compositing manager runs, followed live: a session may start the
// compositor after the app (autostart entries race), or restart it. Windows
// that blend with what lies below switch between their translucent and opaque
// looks when it changes. Off X11 it reports "running" once and never changes:
// there the platform composites.
class CompositorWatch : public QObject {
    Q_OBJECT

public:
    static CompositorWatch &instance();
    bool isRunning() const { return m_running; }

signals:
    void runningChanged(bool running);

private:
    CompositorWatch();
    void recheck();

    bool m_running = true;
};

}  // namespace x11
