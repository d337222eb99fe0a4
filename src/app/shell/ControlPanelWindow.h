#pragma once

#include "panel/ControlPanelCallbacks.h"

#include <QWidget>

// The settings window: created once, hidden (never deleted) when closed. It
// keeps the window manager's title bar; with a compositor its backdrop is
// translucent.
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
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void releaseWindowWhileHidden();

    ControlPanelCallbacks m_callbacks;
    QWidget *m_contentView = nullptr;
};
