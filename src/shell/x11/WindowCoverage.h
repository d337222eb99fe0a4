#pragma once

// Whether a window of ours is entirely hidden under other windows. X11's own
// answer (VisibilityNotify) reads "unobscured" for every window once a
// compositor redirects them, which is how translucent widgets are shown, so the
// stacking is read instead: a window is covered when the opaque, mapped
// top-level windows above its frame leave none of it showing. Windows of 32-bit
// depth count as see-through. Null off X11.

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>

class QWindow;

namespace x11 {

class WindowCoverage : public QObject {
    Q_OBJECT

public:
    static WindowCoverage *shared();

    void watch(QWindow *window);
    bool isCovered(const QWindow *window) const { return m_covered.contains(window); }

signals:
    void changed();

private:
    WindowCoverage();
    void check();

    QList<QPointer<QWindow>> m_windows;
    QSet<const QWindow *> m_covered;
    QTimer m_pending;  // the top-level windows come and go in bursts (a drag): one check per burst
};

}  // namespace x11
