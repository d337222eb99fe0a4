#include "BoundedFileLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool waitForLock(int fd, Clock::time_point deadline)
{
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK || Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace

BoundedFileLock::BoundedFileLock(const QString &path, std::chrono::milliseconds bound)
    : m_path(QFile::encodeName(path))
{
    const Clock::time_point deadline = Clock::now() + bound;
    do {
        struct stat there {};
        if (::lstat(m_path.constData(), &there) == 0 && !S_ISREG(there.st_mode))
            return;  // a directory, FIFO or link: not a lock of ours
        const int fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY,
                              0600);
        if (fd < 0)
            return;
        struct stat held {};
        const bool locked = ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && waitForLock(fd, deadline);
        if (locked && ::stat(m_path.constData(), &there) == 0 && sameFile(there, held)) {
            m_fd = fd;
            return;
        }
        ::close(fd);
        if (!locked)
            return;
        // The last holder removed the file while we waited for it: lock the new one.
    } while (Clock::now() < deadline);
}

BoundedFileLock::~BoundedFileLock()
{
    if (m_fd < 0)
        return;
    ::unlink(m_path.constData());  // while still held: the next taker sees it gone and makes its own
    ::close(m_fd);
}
