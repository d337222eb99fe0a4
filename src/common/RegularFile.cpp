#include "RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileRead::Status statusOfOpenError(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileRead::Missing;
    case ENXIO:  // a socket, or a device without its driver
    case ENODEV:
        return FileRead::NotRegular;
    default:
        return FileRead::Failed;
    }
}

// Reads up to maxBytes + 1 so that "over the cap" is seen; a regular file reads
// short only at its end, which spares the extra call that would learn so.
FileRead readOpenFile(int fd, qint64 maxBytes)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return {FileRead::Failed, {}};
    if (!S_ISREG(st.st_mode))
        return {FileRead::NotRegular, {}};
    FileRead result{FileRead::Ok, QByteArray(qsizetype(maxBytes) + 1, Qt::Uninitialized)};
    qsizetype filled = 0;
    while (filled < result.bytes.size()) {
        const size_t wanted = size_t(result.bytes.size() - filled);
        const ssize_t n = ::read(fd, result.bytes.data() + filled, wanted);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {FileRead::Failed, {}};
        filled += n;
        if (n == 0 || size_t(n) < wanted)
            break;
    }
    if (filled > maxBytes) {
        result.status = FileRead::TooLarge;
        filled = qsizetype(maxBytes);
    }
    result.bytes.truncate(filled);
    return result;
}

}  // namespace

FileRead readRegularFileAt(int dirFd, const char *name, qint64 maxBytes)
{
    // Look before opening: opening some devices has effects of its own.
    struct stat st {};
    if (::fstatat(dirFd, name, &st, 0) != 0)
        return {statusOfOpenError(errno), {}};
    if (!S_ISREG(st.st_mode))
        return {FileRead::NotRegular, {}};
    // O_NONBLOCK: should a FIFO be swapped in after the look, open() still returns at once.
    const int fd = ::openat(dirFd, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {statusOfOpenError(errno), {}};
    FileRead result = readOpenFile(fd, maxBytes);
    ::close(fd);
    return result;
}

FileRead readRegularFile(const QString &path, qint64 maxBytes)
{
    return readRegularFileAt(AT_FDCWD, QFile::encodeName(path).constData(), maxBytes);
}
