#pragma once

#include "shell/ScreenSpace.h"
#include "settings/SettingsRecords.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <utility>

class QScreen;
namespace extensions {
class ExtensionSupervisor;
}
class SettingsManager;
class WidgetWindow;

// Creates, places, snaps, resizes and closes the widget windows, at most one
// per widget name, and records their positions in the settings store.
//
// Only what the user does is recorded: a drag (with its snap) and a resize. A
// widget whose place lies (almost) off every screen is shown inside the nearest
// screen instead, without recording that place, so the user's own comes back
// when its screen does.
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

    // Snaps a window the user dropped and saves its position; ignores its own adjustments.
    void windowDidMove(WidgetWindow *window);
    // Puts every widget back at its saved or default place, or on screen when
    // that place cannot be reached. Runs by itself shortly after screens change.
    void screensChanged();

    WidgetWindow *window(const QString &name) const;
    QStringList openWidgets() const;  // in the table's order
    shell::Rect frameOf(const WidgetWindow *window) const;  // y-up

    // Extension widgets ("ext:" names) come through the supervisor: shown once
    // their extension said hello, closed when it was stopped.
    void setExtensionSupervisor(extensions::ExtensionSupervisor *supervisor);

    // Where the screen and its visible frame come from (the primary screen by default).
    void setScreenSpaceProvider(std::function<shell::ScreenSpace()> provider);

private:
    shell::ScreenSpace screenSpace() const;
    QString nameOf(const WidgetWindow *window) const;
    // Where a widget of this width is shown: its saved or default place, kept reachable.
    shell::Rect homeFrame(const QString &name, double width, const shell::ScreenSpace &space) const;
    void watchScreen(QScreen *screen);
    bool isKnown(const QString &name) const;
    // The family an extension widget is shown in: its size when declared, else its first.
    QString extensionFamily(const QString &name) const;
    QWidget *createView(const QString &name);

    SettingsManager &m_settings;
    QList<std::pair<QString, WidgetWindow *>> m_widgetWindows;  // insertion order
    bool m_isSnapping = false;
    std::function<shell::ScreenSpace()> m_screenSpace;
    QTimer m_screensSettle;
    extensions::ExtensionSupervisor *m_extensions = nullptr;  // one pass for the burst of signals a screen change brings
};
