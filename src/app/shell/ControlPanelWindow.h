#pragma once

#include <QString>
#include <QWidget>

#include <functional>

// How the control panel reaches the widget manager. The functions hold the
// manager weakly: once it is gone a call does nothing.
struct ControlPanelCallbacks {
    std::function<void(const QString &name, bool enabled)> onToggleWidget;
    std::function<void(const QString &name, const QString &size)> onResizeWidget;
    std::function<void(const QString &name, bool enabled)> onClickThroughChanged;
};

// The settings window: created once, hidden (never destroyed) when closed.
class ControlPanelWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr char kTitle[] = "PellixWidget Control Panel";

    explicit ControlPanelWindow(ControlPanelCallbacks callbacks, QWidget *parent = nullptr);

    const ControlPanelCallbacks &callbacks() const { return m_callbacks; }
    // Replaces the window's content with `view` (the window takes it).
    void setContentView(QWidget *view);
    QWidget *contentView() const { return m_contentView; }
    // Shows, raises and focuses the window.
    void present();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ControlPanelCallbacks m_callbacks;
    QWidget *m_contentView = nullptr;
    bool m_exposed = false;
};
