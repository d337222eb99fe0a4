#pragma once

// Whether the X screen is blanked: the server's screen saver is active, told by
// the MIT-SCREEN-SAVER extension's ScreenSaverNotify. That covers DPMS too: the
// server raises its screen saver whenever DPMS leaves On and resets it on the
// way back, so no DPMS request or poll is needed. Null off X11, without the
// extension, or when built without xcb-screensaver.

#include <QObject>

namespace x11 {

class ScreenBlank : public QObject {
    Q_OBJECT

public:
    static ScreenBlank *shared();

    bool isBlank() const { return m_blank; }

signals:
    void changed(bool blank);

private:
    explicit ScreenBlank(int firstEvent);
    void setBlank(bool blank);

    bool m_blank = false;
};

}  // namespace x11
