#pragma once

// The glass frame every desktop widget draws in: the panel (backdrop, tint,
// sheen, optional bottom glow, border) and the widget's content inset by 18
// points. The panel follows the glass theme of the settings.

#include "GlassStyle.h"

#include <QColor>
#include <QWidget>

class SettingsManager;

class WidgetContainer : public QWidget {
    Q_OBJECT

public:
    // Takes ownership of `content`. A clear glow colour means no glow layer.
    explicit WidgetContainer(QWidget *content, const QColor &glowColor = QColor(0, 0, 0, 0),
                             QWidget *parent = nullptr);
    // Same, observing a given settings object instead of the shared one.
    WidgetContainer(SettingsManager &settings, QWidget *content,
                    const QColor &glowColor = QColor(0, 0, 0, 0), QWidget *parent = nullptr);

    QWidget *content() const { return m_content; }
    // Lets the content reach `points` into the inset above and below, for drawing
    // that spills out of its cell (a ring's stroke); the content then keeps its
    // own cells that far inside its edges.
    void setVerticalBleed(int points);
    QColor glowColor() const { return m_glowColor; }
    void setGlowColor(const QColor &color);

    // What the current theme and glow colour select (read at every paint).
    pellix::ui::GlassStyle glassStyle() const;
    bool hasGlowLayer() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SettingsManager &m_settings;
    QWidget *m_content;
    QColor m_glowColor;
    pellix::ui::GlassPanelCache m_cache;
};
