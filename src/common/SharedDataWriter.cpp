#include "SharedDataWriter.h"

#include "AtomicFile.h"
#include "SharedWidgetDataJson.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

static bool operator==(const timespec &a, const timespec &b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool operator==(const FileStamp &a, const FileStamp &b)
{
    return a.device == b.device && a.inode == b.inode && a.size == b.size && a.modified == b.modified &&
           a.changed == b.changed;
}

std::optional<FileStamp> FileStamp::of(const QString &path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return FileStamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

bool SharedDataWriter::write(const QString &path, const SharedWidgetData &data)
{
    const auto bytes = encodeSharedWidgetData(data);
    if (!bytes)
        return false;
    if (m_stamp && path == m_path && *bytes == m_bytes && FileStamp::of(path) == m_stamp)
        return true;

    m_stamp.reset();
    makePrivateDirectories(QFileInfo(path).absolutePath());
    if (!writeFileAtomically(path, *bytes))
        return false;
    m_path = path;
    m_bytes = *bytes;
    m_stamp = FileStamp::of(path);
    return true;
}
