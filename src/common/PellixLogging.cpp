#include "PellixLogging.h"

// QtFatalMsg as the threshold: no level at all is on until a rule says so.
Q_LOGGING_CATEGORY(lcWeather, "pellix.weather", QtFatalMsg)
Q_LOGGING_CATEGORY(lcBattery, "pellix.battery", QtFatalMsg)
Q_LOGGING_CATEGORY(lcSettings, "pellix.settings", QtFatalMsg)
Q_LOGGING_CATEGORY(lcShell, "pellix.shell", QtFatalMsg)
Q_LOGGING_CATEGORY(lcMusic, "pellix.music", QtFatalMsg)
Q_LOGGING_CATEGORY(lcExtension, "pellix.extension", QtFatalMsg)
Q_LOGGING_CATEGORY(lcExtensions, "pellix.extensions", QtFatalMsg)
