#pragma once

// The settings file: one JSON object, written indented with its keys sorted.
// Values keep their type: booleans, strings, arrays of strings (an empty or
// one-element list included); the two records ("weather", positions) are strings
// holding their JSON text.

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QVariant>

#include <optional>

// The values, or nothing (with why: the parser's error and its offset).
std::optional<QJsonObject> decodeSettingsFile(const QByteArray &bytes, QString *why = nullptr);
QByteArray encodeSettingsFile(const QJsonObject &values);

// A value handed to saveSetting as it is stored: a byte blob becomes its UTF-8 text.
QJsonValue toSettingsValue(const QVariant &value);

struct SettingsFileRead {
    enum State {
        Absent,      // missing, or zero bytes: it holds no text of the user's
        Readable,    // a JSON object (values of the wrong type included)
        Damaged,     // anything else: not JSON, not an object, a FIFO or directory, over 1 MiB
        Unreadable,  // there but not readable now (permissions, I/O): keep away from it
    };
    State state = Absent;
    QJsonObject values;  // only when Readable
};

// Never blocks, whatever is at the path; says in the settings diagnostics why a
// file that is there cannot be used.
SettingsFileRead readSettingsFile(const QString &path);

// Moves a damaged file out of the way to "<path>.damaged-<yyyyMMdd-HHmmss>", with
// "-2", "-3", ... appended rather than replacing an earlier copy; a symbolic link
// at the path is what moves, never its target. False when it could not be moved.
bool setAsideDamaged(const QString &path, const QDateTime &now);
