#pragma once

// One battery of the desktop widget as a ring: the charge arc, the percentage
// (small) or the device's symbol (medium) in the centre, the bolt while
// charging, and two labels underneath.

#include "BatteryRing.h"
#include "SharedWidgetData.h"

#include <QVariantAnimation>
#include <QWidget>

class BatteryRingView : public QWidget {
    Q_OBJECT

public:
    BatteryRingView(const BatteryDevice &device, bool isSmall, const QString &customName,
                    QWidget *parent = nullptr);

    static constexpr int kArcAnimationMs = 800;
    // The view reaches this far above and below the cell its ring and labels are
    // centred in: the large ring's stroke straddles its circle and its stack is
    // taller than the small widget's content, and both must be drawn whole.
    static constexpr int kBleed = 10;

    const BatteryDevice &device() const { return m_device; }
    bool isSmall() const { return m_isSmall; }
    QString customName() const { return m_customName; }
    pellix::ui::BatteryRingStyle style() const;
    QRectF cell() const;  // rect() without the bleed
    QList<pellix::ui::BatteryRingLabel> labels() const;

    // Takes a newer reading of the same battery; a new percentage eases the arc over.
    void setReading(const BatteryDevice &device, const QString &customName);
    double arcFraction() const { return m_arcFraction; }
    bool isAnimating() const { return m_animation.state() == QAbstractAnimation::Running; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    BatteryDevice m_device;
    bool m_isSmall;
    QString m_customName;
    double m_arcFraction;
    QVariantAnimation m_animation;
};
