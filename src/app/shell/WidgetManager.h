#pragma once

#include "ScreenSpace.h"
#include "settings/SettingsRecords.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

class SettingsManager;
class WidgetWindow;

// Creates, places, snaps, resizes and closes the widget windows, at most one
// per widget name, and records their positions in the settings store.
class WidgetManager : public QObject {
    Q_OBJECT

public:
    explicit WidgetManager(SettingsManager &settings, QObject *parent = nullptr);
    ~WidgetManager() override;

    void restoreWidgets();
    void toggleWidget(const QString &name, bool enabled);
    void resizeWidget(const QString &name, const QString &size);
    void updateClickThrough(const QString &name, bool enabled);
    void spawnWidget(const QString &name);
    void despawnWidget(const QString &name);
    void closeAll();
    std::optional<Position> getSavedPosition(const QString &name) const;

    // Snaps a moved window and saves its position; ignores its own adjustments.
    void windowDidMove(WidgetWindow *window);

    WidgetWindow *window(const QString &name) const;
    QStringList openWidgets() const;  // in the table's order
    shell::Rect frameOf(const WidgetWindow *window) const;  // y-up

    // Where the screen and its visible frame come from (the primary screen by default).
    void setScreenSpaceProvider(std::function<shell::ScreenSpace()> provider);

private:
    shell::ScreenSpace screenSpace() const;
    QString nameOf(const WidgetWindow *window) const;

    SettingsManager &m_settings;
    QList<std::pair<QString, WidgetWindow *>> m_widgetWindows;  // insertion order
    bool m_isSnapping = false;
    std::function<shell::ScreenSpace()> m_screenSpace;
};
