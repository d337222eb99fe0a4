#include "SettingsFile.h"

#include "RegularFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<QJsonObject> decodeSettingsFile(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    return doc.object();
}

QByteArray encodeSettingsFile(const QJsonObject &values)
{
    return QJsonDocument(values).toJson(QJsonDocument::Indented);
}

QJsonValue toSettingsValue(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    case QMetaType::QStringList:
        return QJsonArray::fromStringList(value.toStringList());
    default:
        return QJsonValue::fromVariant(value);
    }
}

SettingsFileRead readSettingsFile(const QString &path)
{
    // Ours is a few hundred bytes; a huge file is damaged, not read whole.
    constexpr qint64 maxBytes = 1 << 20;
    const FileRead file = readRegularFile(path, maxBytes);
    switch (file.status) {
    case FileRead::Missing:
        return {SettingsFileRead::Absent, {}};
    case FileRead::Failed:
        return {SettingsFileRead::Unreadable, {}};
    case FileRead::NotRegular:
    case FileRead::TooLarge:
        return {SettingsFileRead::Damaged, {}};
    case FileRead::Ok:
        break;
    }
    if (file.bytes.isEmpty())
        return {SettingsFileRead::Absent, {}};
    if (const auto values = decodeSettingsFile(file.bytes))
        return {SettingsFileRead::Readable, *values};
    return {SettingsFileRead::Damaged, {}};
}

bool setAsideDamaged(const QString &path, const QDateTime &now)
{
    const QByteArray from = QFile::encodeName(path);
    const QString stem = path + ".damaged-" + now.toString("yyyyMMdd-HHmmss");
    for (int n = 1; n <= 1000; ++n) {
        const QByteArray to = QFile::encodeName(n == 1 ? stem : stem + '-' + QString::number(n));
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
            return true;
        if (errno == EINVAL || errno == ENOSYS) {
            // A file system without no-replace renames: look, then move.
            struct stat st {};
            if (::lstat(to.constData(), &st) == 0)
                continue;
            return ::rename(from.constData(), to.constData()) == 0;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}
