#include "RegularFile.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<QByteArray> readRegularFileAt(int dirFd, const char *name, qint64 maxBytes)
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = ::openat(dirFd, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::optional<QByteArray> bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        QByteArray buffer(qsizetype(maxBytes), Qt::Uninitialized);
        qsizetype filled = 0;
        while (filled < buffer.size()) {
            const size_t wanted = size_t(buffer.size() - filled);
            const ssize_t n = ::read(fd, buffer.data() + filled, wanted);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            filled += n;
            if (size_t(n) < wanted)
                break;  // a regular file reads short only at its end: no second call to learn so
        }
        buffer.truncate(filled);
        bytes = buffer;
    }
    ::close(fd);
    return bytes;
}

std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes)
{
    return readRegularFileAt(AT_FDCWD, QFile::encodeName(path).constData(), maxBytes);
}

DirectoryListing::DirectoryListing(int parentFd, const QByteArray &path)
{
    const int fd = ::openat(parentFd < 0 ? AT_FDCWD : parentFd, path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    m_dir = ::fdopendir(fd);
    if (!m_dir) {
        ::close(fd);
        return;
    }
    while (const dirent *entry = ::readdir(m_dir)) {
        const char *name = entry->d_name;
        if (qstrcmp(name, ".") != 0 && qstrcmp(name, "..") != 0)
            m_names.append(QFile::decodeName(name));
    }
    m_fd = ::dirfd(m_dir);
}

DirectoryListing::~DirectoryListing()
{
    if (m_dir)
        ::closedir(m_dir);
}
