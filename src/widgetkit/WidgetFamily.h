#pragma once

// The sizes a system widget comes in, as the desktop shows them.

#include <QList>
#include <QSize>
#include <QString>

#include <optional>

namespace widgetkit {

enum class WidgetFamily { Small, Medium };

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

// In logical pixels, like the app's own widgets.
inline QSize familySize(WidgetFamily family)
{
    return family == WidgetFamily::Small ? QSize(170, 170) : QSize(340, 170);
}

}  // namespace widgetkit
