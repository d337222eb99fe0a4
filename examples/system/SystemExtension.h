#pragma once

// The plug-in: one bundle with the System widget.

#include "SystemWidget.h"

#include <PellixWidgetKit/WidgetBundle.h>

#include <QObject>

class SystemExtension : public QObject, public widgetkit::WidgetBundle {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PellixWidgetBundle_iid FILE "pellix-extension.json")
    Q_INTERFACES(widgetkit::WidgetBundle)

public:
    QList<const widgetkit::Widget *> widgets() const override { return {&m_system}; }

private:
    SystemWidget m_system;
};
