#include "SettingsFile.h"

#include "PellixLogging.h"
#include "RegularFile.h"
#include "StrictJson.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<QJsonObject> decodeSettingsFile(const QByteArray &bytes, QString *why)
{
    return parseJsonObject(bytes, why);
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
    const auto unusable = [&path](SettingsFileRead::State state, const QString &why) {
        qCWarning(lcSettings, "%s cannot be read, defaults are used: %s", qPrintable(path), qPrintable(why));
        return SettingsFileRead{state, {}};
    };
    switch (file.status) {
    case FileRead::Missing:
        return {SettingsFileRead::Absent, {}};
    case FileRead::Failed:
        return unusable(SettingsFileRead::Unreadable, QStringLiteral("no permission or an I/O error"));
    case FileRead::NotRegular:
        return unusable(SettingsFileRead::Damaged, QStringLiteral("not a regular file"));
    case FileRead::TooLarge:
        return unusable(SettingsFileRead::Damaged, QStringLiteral("larger than %1 bytes").arg(maxBytes));
    case FileRead::Ok:
        break;
    }
    if (file.bytes.isEmpty())
        return {SettingsFileRead::Absent, {}};
    QString why;
    if (const auto values = decodeSettingsFile(file.bytes, &why))
        return {SettingsFileRead::Readable, *values};
    return unusable(SettingsFileRead::Damaged, why);
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
