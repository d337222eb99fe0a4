#include "SettingsStore.h"

#include "AtomicFile.h"
#include "BoundedFileLock.h"
#include "SettingsFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

QJsonObject SettingsStore::values()
{
    SettingsFileRead file = readSettingsFile(m_path);
    if (file.state == SettingsFileRead::Readable)
        m_lastGood = file.values;
    return file.values;
}

bool SettingsStore::set(const QString &key, const std::optional<QJsonValue> &value)
{
    // Another holder gets one second; after that a save matters more than the race.
    const BoundedFileLock lock(m_path + ".lock", std::chrono::seconds(1));
    const QString target = atomicWriteTarget(m_path);
    const SettingsFileRead file = readSettingsFile(target);
    QJsonObject values;
    switch (file.state) {
    case SettingsFileRead::Readable:
        values = file.values;
        break;
    case SettingsFileRead::Absent:  // also deleted on purpose, to start afresh
        break;
    case SettingsFileRead::Unreadable:
        return false;
    case SettingsFileRead::Damaged:
        if (!setAsideDamaged(target, QDateTime::currentDateTime()))
            return false;
        values = m_lastGood;
        break;
    }
    if (value)
        values.insert(key, *value);
    else
        values.remove(key);

    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!writeFileAtomically(target, encodeSettingsFile(values)))
        return false;
    m_lastGood = values;
    return true;
}
