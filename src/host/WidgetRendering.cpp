#include "WidgetRendering.h"

#include "UiLanguage.h"
#include "shell/WidgetWindow.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QPalette>

#include <QPainter>
#include <QPainterPath>

widgetkit::WidgetEnvironment hostEnvironment(widgetkit::WidgetFamily family, qreal scale)
{
    // Qt 6.4 has no colour-scheme hint; the platform theme's window colour tells the same.
    const bool light = QGuiApplication::palette().color(QPalette::Window).lightness() >= 128;
    return {family, scale, pellix::i18n::uiLanguage(),
            light ? widgetkit::ColorScheme::Light : widgetkit::ColorScheme::Dark};
}

void paintWidget(QPainter &painter, const QRectF &rect, const widgetkit::Widget &widget,
                 widgetkit::WidgetFamily family, const widgetkit::TimelineEntry &entry)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(rect, WidgetWindow::kCornerRadius, WidgetWindow::kCornerRadius);
    painter.setClipPath(shape);
    widget.render(painter, rect, entry, hostEnvironment(family, painter.device()->devicePixelRatioF()));
    painter.restore();
}

QImage renderWidget(const widgetkit::Widget &widget, widgetkit::WidgetFamily family,
                    const widgetkit::TimelineEntry &entry, qreal scale)
{
    const QSize size = widgetkit::familySize(family);
    QImage image((QSizeF(size) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintWidget(painter, QRectF(QPointF(0, 0), QSizeF(size)), widget, family, entry);
    return image;
}
