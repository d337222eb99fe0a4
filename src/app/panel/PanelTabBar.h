#pragma once

// The two tabs of the panel, "Widget" and "Impostazioni", drawn as plain
// buttons: semibold 13 white titles padded 6 x 16, on white at 12 % (corner
// radius 6) for the active one, 8 points apart. A QTabBar underneath, so
// screen readers see page tabs and the arrow keys switch them.

#include <QTabBar>

namespace panel {

class PanelTabBar : public QTabBar {
    Q_OBJECT

public:
    explicit PanelTabBar(QWidget *parent = nullptr);

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

    bool m_focusRing = false;
};

}  // namespace panel
