#pragma once

#include <QString>

#include <functional>

// How the control panel reaches the widget manager. The functions hold the
// manager weakly: once it is gone a call does nothing.
struct ControlPanelCallbacks {
    std::function<void(const QString &name, bool enabled)> onToggleWidget;
    std::function<void(const QString &name, const QString &size)> onResizeWidget;
    std::function<void(const QString &name, bool enabled)> onClickThroughChanged;
};
