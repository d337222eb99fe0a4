#include "SharedDataFile.h"

#include "SharedWidgetDataJson.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

QString resolveSharedDirectory(const QString &platformContainer, const QString &homeDirectory)
{
    if (!platformContainer.isEmpty())
        return platformContainer;
    return homeDirectory + "/Library/Group Containers/" + kAppGroupIdentifier;
}

static QString platformContainer()
{
#ifdef Q_OS_MACOS
    return QDir::homePath() + "/Library/Group Containers/" + kAppGroupIdentifier;
#else
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + '/' + kAppGroupIdentifier;
#endif
}

QString sharedDirectory()
{
    return resolveSharedDirectory(platformContainer(), QDir::homePath());
}

QString sharedDataFilePath()
{
    return sharedDirectory() + '/' + kSharedDataFileName;
}

void writeSharedDataFile(const QString &path, const SharedWidgetData &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const auto bytes = encodeSharedWidgetData(data);
    if (!bytes)
        return;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(*bytes) == bytes->size())
        file.commit();
}

std::optional<SharedWidgetData> readSharedDataFile(const QString &path)
{
    // The app writes a few KiB; anything huge is not ours and is not read whole.
    constexpr qint64 maxBytes = 4 << 20;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxBytes)
        return std::nullopt;
    return decodeSharedWidgetData(file.read(maxBytes));
}

std::optional<SharedWidgetData> readSharedData()
{
    return readSharedDataFile(sharedDataFilePath());
}
