#include "WidgetRendering.h"

#include "shell/WidgetWindow.h"

#include <QPainter>
#include <QPainterPath>

void paintWidget(QPainter &painter, const QRectF &rect, const widgetkit::Widget &widget,
                 const widgetkit::TimelineEntry &entry)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(rect, WidgetWindow::kCornerRadius, WidgetWindow::kCornerRadius);
    painter.setClipPath(shape);
    widget.render(painter, rect, entry);
    painter.restore();
}

QImage renderWidget(const widgetkit::Widget &widget, widgetkit::WidgetFamily family,
                    const widgetkit::TimelineEntry &entry, int scale)
{
    const QSize size = widgetkit::familySize(family);
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintWidget(painter, QRectF(QPointF(0, 0), QSizeF(size)), widget, entry);
    return image;
}
