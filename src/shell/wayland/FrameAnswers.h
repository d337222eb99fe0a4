#pragma once

// Whether the compositor shows a window's surface. Compositors stop answering
// a surface's frame callbacks while it is not shown (its output off or
// disabled, the surface under opaque windows): a window whose repaint is due
// while the last one is still unanswered counts as unseen until the answer
// comes. Qt's Wayland platform holds QWindow::requestUpdate() until the last
// commit's frame callback is answered, so one asked for as each repaint starts
// brings the answer with no request, timer or wake-up of our own. Null off
// native Wayland.

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>

class QWidget;
class QWindow;

namespace wayland {

class FrameAnswers : public QObject {
    Q_OBJECT

public:
    static FrameAnswers *shared();

    // Follows the window holding `view` from its next show on.
    void watch(QWidget *view);
    bool isUnseen(const QWindow *window) const { return m_unseen.contains(window); }

signals:
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FrameAnswers() = default;
    void setUnseen(const QWindow *window, bool unseen);

    QSet<const QWindow *> m_windows;
    QHash<const QWindow *, QElapsedTimer> m_asked;  // since when each window waits for an answer
    QSet<const QWindow *> m_unseen;
};

}  // namespace wayland
