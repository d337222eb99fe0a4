#pragma once

// Diagnostics the app and the extension keep to themselves unless asked:
// every category is off by default and switched on with, for example,
// QT_LOGGING_RULES="pellix.*=true" (or "pellix.weather=true" for one).

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcWeather)    // pellix.weather: why a request gave no weather
Q_DECLARE_LOGGING_CATEGORY(lcBattery)    // pellix.battery: battery tools and UPower calls that failed
Q_DECLARE_LOGGING_CATEGORY(lcSettings)   // pellix.settings: a settings file that cannot be read or written
Q_DECLARE_LOGGING_CATEGORY(lcShell)      // pellix.shell: display, tray and single-instance hand-over
Q_DECLARE_LOGGING_CATEGORY(lcMusic)      // pellix.music: players that did not answer
Q_DECLARE_LOGGING_CATEGORY(lcExtension)  // pellix.extension: the data file as the extension read it
Q_DECLARE_LOGGING_CATEGORY(lcExtensions) // pellix.extensions: extension processes, why they ended, their stderr
