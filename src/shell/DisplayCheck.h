#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Why no window can be opened, in one line, or nothing. Checked before the
// application object exists, because Qt aborts when its platform fails. Only
// the X11 platform is checked (the default, and under Wayland the app's own
// choice through XWayland); a platform the user picked reports its own failures.
std::optional<QString> missingDisplay(const QByteArray &qtQpaPlatform, const QByteArray &display);
