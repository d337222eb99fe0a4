#pragma once

// An on/off switch drawn as a switch: a rounded track, accent blue when on,
// with a white knob at its end. A checkable button, so screen readers see its
// state and a toggle action, and Space flips it when it has the focus.

#include <QAbstractButton>

namespace panel {

class SwitchButton : public QAbstractButton {
    Q_OBJECT

public:
    // `scale` draws the switch at a fraction of its normal 38 x 22 size.
    explicit SwitchButton(const QString &accessibleName, double scale = 1.0, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    // Sets the state without emitting toggled(): for reflecting the store.
    void showChecked(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    double m_scale;

    bool m_focusRing = false;
};

}  // namespace panel
