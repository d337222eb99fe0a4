#pragma once

#include <QString>

#include <array>

// The four widget names: settings keys, the window table and the panel's callbacks use them.
inline const std::array<QString, 4> kWidgetNames{"clock", "weather", "battery", "music"};

// Index of a widget name in kWidgetNames, or -1.
inline int widgetIndex(const QString &name)
{
    for (int i = 0; i < int(kWidgetNames.size()); ++i)
        if (kWidgetNames[i] == name)
            return i;
    return -1;
}
