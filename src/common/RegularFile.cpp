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

}  // namespace

FileRead readRegularFile(const QString &path, qint64 maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    // Look before opening: opening some devices has effects of its own.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return {statusOfOpenError(errno), {}};
    if (!S_ISREG(st.st_mode))
        return {FileRead::NotRegular, {}};

    // O_NONBLOCK: should a FIFO be swapped in after the look, open() still returns at once.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {statusOfOpenError(errno), {}};
    FileRead result{FileRead::Ok, {}};
    if (::fstat(fd, &st) != 0) {
        result.status = FileRead::Failed;
    } else if (!S_ISREG(st.st_mode)) {
        result.status = FileRead::NotRegular;
    } else if (st.st_size > maxBytes) {
        result.status = FileRead::TooLarge;
    } else {
        // The file may grow while we read: the cap holds for what is read, too.
        result.bytes.reserve(qsizetype(st.st_size));
        char chunk[16384];
        for (;;) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                result.status = n == 0 ? FileRead::Ok : FileRead::Failed;
                break;
            }
            result.bytes.append(chunk, n);
            if (result.bytes.size() > maxBytes) {
                result.status = FileRead::TooLarge;
                break;
            }
        }
        if (result.status != FileRead::Ok)
            result.bytes.clear();
    }
    ::close(fd);
    return result;
}
