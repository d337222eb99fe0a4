#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <optional>

// The persistent key-value store behind SettingsManager: one JSON file, read
// afresh on every request and written whole, atomically, on every change. Each
// change is applied to the file as it is on disk then, so changes made by another
// instance of the app in between are kept.
// Text the store cannot read is never overwritten: a damaged file is moved aside
// before the write (see setAsideDamaged) and replaced by the last values read.
class SettingsStore {
public:
    explicit SettingsStore(const QString &path) : m_path(path) {}

    // The values on disk now; empty when the file is missing or cannot be read.
    QJsonObject values();
    // Stores `value` under `key`, or removes the key when there is none. False
    // when nothing was written (a full disk, an unreadable file); the file is then
    // as it was.
    bool set(const QString &key, const std::optional<QJsonValue> &value);

private:
    QString m_path;
    QJsonObject m_lastGood;  // the last values read or written
};
