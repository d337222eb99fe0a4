#pragma once

#include <QSettings>

// A QSettings format that stores one JSON object and keeps every value's type:
// booleans, strings and string lists come back as they went in (an empty or
// one-element list included, which the INI format loses), and byte blobs are
// stored as strings holding their UTF-8 text (the store keeps JSON text in them).
QSettings::Format jsonSettingsFormat();

// The read and write halves, exposed for tests.
bool readJsonSettings(QIODevice &device, QSettings::SettingsMap &map);
bool writeJsonSettings(QIODevice &device, const QSettings::SettingsMap &map);
