#pragma once

// The sizes a widget comes in on the desktop.

#include <QList>
#include <QSize>
#include <QString>

#include <optional>

namespace widgetkit {

enum class WidgetFamily { Small, Medium };

// "small" or "medium", as the host's command line and listings name them.
inline QString familyName(WidgetFamily family)
{
    return family == WidgetFamily::Small ? QStringLiteral("small") : QStringLiteral("medium");
}

inline std::optional<WidgetFamily> familyFromName(const QString &name)
{
    if (name == QLatin1String("small"))
        return WidgetFamily::Small;
    if (name == QLatin1String("medium"))
        return WidgetFamily::Medium;
    return std::nullopt;
}

// In logical pixels; the host multiplies by the environment's scale.
inline QSize familySize(WidgetFamily family)
{
    return family == WidgetFamily::Small ? QSize(170, 170) : QSize(340, 170);
}

}  // namespace widgetkit
