#include "SharedDataFile.h"

#include "RegularFile.h"
#include "SharedWidgetDataJson.h"

#include <QDir>
#include <QFileInfo>
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

std::optional<SharedWidgetData> readSharedDataFile(const QString &path)
{
    // The app writes a few KiB; anything huge is not ours and is not read whole.
    constexpr qint64 maxBytes = 4 << 20;
    const FileRead file = readRegularFile(path, maxBytes);
    if (file.status != FileRead::Ok)
        return std::nullopt;
    return decodeSharedWidgetData(file.bytes);
}

std::optional<SharedWidgetData> readSharedData()
{
    return readSharedDataFile(sharedDataFilePath());
}
