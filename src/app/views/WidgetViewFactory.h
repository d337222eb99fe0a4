#pragma once

#include <QString>

class QWidget;

// The view a widget window shows, by widget name; nullptr for an unknown name.
QWidget *createWidgetView(const QString &name, QWidget *parent = nullptr);
