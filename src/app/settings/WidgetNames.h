#pragma once

#include <QString>

#include <array>

// The widget names: settings keys, the window table and the panel's callbacks use them.
// The four built-in ones:
inline const std::array<QString, 4> kWidgetNames{"clock", "weather", "battery", "music"};

// Index of a widget name in kWidgetNames, or -1.
inline int widgetIndex(const QString &name)
{
    for (int i = 0; i < int(kWidgetNames.size()); ++i)
        if (kWidgetNames[i] == name)
            return i;
    return -1;
}

// An extension's widget goes by its kind behind this prefix, which no built-in
// name has: "ext:com.example.system" (keys "widget.ext:com.example.system.enabled"...).
inline constexpr char kExtensionWidgetPrefix[] = "ext:";

inline QString extensionWidgetName(const QString &kind)
{
    return QLatin1String(kExtensionWidgetPrefix) + kind;
}

inline bool isExtensionWidgetName(const QString &name)
{
    return name.startsWith(QLatin1String(kExtensionWidgetPrefix)) && name.size() > 4;
}

// The kind of an extension widget's name, or an empty string.
inline QString extensionKindOf(const QString &name)
{
    return isExtensionWidgetName(name) ? name.mid(4) : QString();
}
