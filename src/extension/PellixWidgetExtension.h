#pragma once

// The plug-in the host loads: the bundle behind the widget-bundle interface.

#include "PellixWidgets.h"
#include "UiLanguage.h"

#include <QObject>

class PellixWidgetExtension : public QObject, public pellix::extension::PellixWidgetWidgetsBundle {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PellixWidgetBundle_iid FILE "pellix-extension.json")
    Q_INTERFACES(widgetkit::WidgetBundle)

public:
    // Loaded into a running host: speak the language the host's user reads.
    PellixWidgetExtension() { pellix::i18n::useSystemLanguage(); }
};
