#include "WidgetViewFactory.h"

#include "BatteryWidgetView.h"
#include "ClockWidgetView.h"
#include "WeatherWidgetView.h"
#include "monitors/WeatherMonitor.h"
#include "settings/WidgetNames.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace {

// Stands in for the now-playing widget until its view exists: a translucent
// rounded panel with the widget's name.
class PlaceholderView : public QWidget {
public:
    PlaceholderView(const QString &name, QWidget *parent) : QWidget(parent), m_name(name)
    {
        setAttribute(Qt::WA_TranslucentBackground);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath glass;
        glass.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 28, 28);
        p.fillPath(glass, QColor(28, 28, 32, 170));
        p.setPen(QPen(QColor(255, 255, 255, 50), 1));
        p.drawPath(glass);
        QFont font = p.font();
        font.setPixelSize(20);
        font.setWeight(QFont::DemiBold);
        p.setFont(font);
        p.setPen(QColor(255, 255, 255, 220));
        p.drawText(rect(), Qt::AlignCenter, m_name);
    }

private:
    QString m_name;
};

}  // namespace

QWidget *createWidgetView(const QString &name, SettingsManager &settings, QWidget *parent)
{
    if (name == "clock")
        return new ClockWidgetView(settings, parent);
    if (name == "weather")
        return new WeatherWidgetView(settings, WeatherMonitor::shared(), parent);
    if (name == "battery")
        return new BatteryWidgetView(settings, parent);
    if (widgetIndex(name) < 0)
        return nullptr;
    return new PlaceholderView(name, parent);
}
