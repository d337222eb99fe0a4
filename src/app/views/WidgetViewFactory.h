#pragma once

#include <QString>

class QWidget;
class SettingsManager;

// The view a widget window shows, by widget name; nullptr for an unknown name.
// Views leave left-button presses to the window, which starts the drag.
// The widget's name as the control panel titles its card, in the interface's language.
QString widgetTitle(const QString &name);

QWidget *createWidgetView(const QString &name, SettingsManager &settings, QWidget *parent = nullptr);
