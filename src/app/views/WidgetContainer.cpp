#include "WidgetContainer.h"

#include "Colors.h"
#include "settings/SettingsManager.h"

#include <QPaintEvent>
#include <QPainter>
#include <QVBoxLayout>

WidgetContainer::WidgetContainer(QWidget *content, const QColor &glowColor, QWidget *parent)
    : WidgetContainer(SettingsManager::shared(), content, glowColor, parent)
{
}

WidgetContainer::WidgetContainer(SettingsManager &settings, QWidget *content,
                                 const QColor &glowColor, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_content(content ? content : new QWidget),
      m_glowColor(glowColor)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto *layout = new QVBoxLayout(this);
    const int inset = int(pellix::ui::kContentInset);
    layout->setContentsMargins(inset, inset, inset, inset);
    layout->setSpacing(0);
    layout->addWidget(m_content);

    // Only the theme changes the panel; other settings leave it alone.
    connect(&m_settings, &SettingsManager::changed, this, [this](const QString &property) {
        if (property == QLatin1String("glassTheme"))
            update();
    });
}

void WidgetContainer::setVerticalBleed(int points)
{
    const int inset = int(pellix::ui::kContentInset);
    const int bleed = qBound(0, points, inset);
    layout()->setContentsMargins(inset, inset - bleed, inset, inset - bleed);
}

void WidgetContainer::setGlowColor(const QColor &color)
{
    if (color == m_glowColor)
        return;
    m_glowColor = color;
    update();
}

pellix::ui::GlassStyle WidgetContainer::glassStyle() const
{
    return pellix::ui::glassStyle(m_settings.glassTheme());
}

bool WidgetContainer::hasGlowLayer() const
{
    return !pellix::ui::isClear(m_glowColor);
}

// The sheen and glow are painted here, not child widgets, so a press on them
// reaches the content or, ignored, the window below (which starts the drag).
void WidgetContainer::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    pellix::ui::drawLayerPart(painter, m_cache.pixmap(size(), devicePixelRatioF(), m_settings.glassTheme(), m_glowColor),
                              event->region());
}
