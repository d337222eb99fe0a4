#pragma once

// How the host draws a widget: the extension's view clipped to the widget's
// rounded shape (the same as the app's widget windows).

#include <PellixWidgetKit/WidgetBundle.h>

#include <QImage>
#include <QRectF>

class QPainter;

// What the host tells a view: its family, the painter's device-pixel ratio,
// the host's language and the desktop's colour scheme.
widgetkit::WidgetEnvironment hostEnvironment(widgetkit::WidgetFamily family, qreal scale);

void paintWidget(QPainter &painter, const QRectF &rect, const widgetkit::Widget &widget,
                 widgetkit::WidgetFamily family, const widgetkit::TimelineEntry &entry);

// The widget at its family's size times `scale` device pixels per logical pixel.
QImage renderWidget(const widgetkit::Widget &widget, widgetkit::WidgetFamily family,
                    const widgetkit::TimelineEntry &entry, qreal scale);
