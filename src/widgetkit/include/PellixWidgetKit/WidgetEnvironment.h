#pragma once

// What the host tells a widget's view about the place it draws in.

#include <PellixWidgetKit/WidgetFamily.h>

#include <QString>

namespace widgetkit {

enum class ColorScheme { Dark, Light };

struct WidgetEnvironment {
    WidgetFamily family = WidgetFamily::Small;
    // Device pixels per logical pixel of the painter's device (1, 2, or fractional).
    qreal scale = 1;
    // The host's interface language, an ISO 639-1 code ("it", "en", "de", "fr", "es", ...).
    // QLocale() in the plug-in speaks the same language.
    QString uiLanguage = QStringLiteral("en");
    // The desktop's: light or dark windows around the widget.
    ColorScheme colorScheme = ColorScheme::Dark;
};

}  // namespace widgetkit
