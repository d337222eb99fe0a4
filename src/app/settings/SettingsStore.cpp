#include "SettingsStore.h"

#include "AtomicFile.h"
#include "BoundedFileLock.h"
#include "PellixLogging.h"
#include "SettingsFile.h"

#include <QDateTime>
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
    const SettingsFileRead file = readSettingsFile(m_path);
    QJsonObject values;
    switch (file.state) {
    case SettingsFileRead::Readable:
        values = file.values;
        break;
    case SettingsFileRead::Absent:  // also deleted on purpose, to start afresh
        break;
    case SettingsFileRead::Unreadable:
        qCWarning(lcSettings, "\"%s\" not saved: the file cannot be read", qPrintable(key));
        return false;
    case SettingsFileRead::Damaged:
        if (!setAsideDamaged(m_path, QDateTime::currentDateTime())) {
            qCWarning(lcSettings, "\"%s\" not saved: the unreadable file could not be moved aside", qPrintable(key));
            return false;
        }
        qCWarning(lcSettings, "the unreadable file is kept beside it as %s.damaged-<date>-<time>", qPrintable(m_path));
        values = m_lastGood;
        break;
    }
    // Saving what the file already holds (every enabled widget at launch) writes
    // nothing: no flush to disk, and the file keeps its time and bytes.
    if (file.state == SettingsFileRead::Readable && values.value(key) == value.value_or(QJsonValue::Undefined)) {
        m_lastGood = values;
        return true;
    }
    if (value)
        values.insert(key, *value);
    else
        values.remove(key);

    makePrivateDirectories(QFileInfo(m_path).absolutePath());
    if (!writeFileAtomically(m_path, encodeSettingsFile(values))) {
        qCWarning(lcSettings, "\"%s\" not saved: %s could not be written", qPrintable(key), qPrintable(m_path));
        return false;
    }
    m_lastGood = values;
    return true;
}
