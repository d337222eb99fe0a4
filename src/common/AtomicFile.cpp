#include "AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// A write takes milliseconds; a temporary this old belongs to no write in progress.
constexpr time_t kStaleAfterSeconds = 60;

// ".<name>.tmp-" followed by a 32-bit random number in base 36.
QByteArray temporaryPrefix(const QString &target)
{
    return QFile::encodeName("." + QFileInfo(target).fileName() + ".tmp-");
}

bool isTemporaryName(const char *name, const QByteArray &prefix)
{
    if (std::strncmp(name, prefix.constData(), size_t(prefix.size())) != 0)
        return false;
    const char *suffix = name + prefix.size();
    const size_t length = std::strlen(suffix);
    return length >= 1 && length <= 7 &&
           std::all_of(suffix, suffix + length, [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
}

// A new file beside `target`, created exclusively so no other writer shares it.
int createTemporary(const QString &target, mode_t mode, QByteArray &name)
{
    const QString stem = QFileInfo(target).absolutePath() + '/' + QFile::decodeName(temporaryPrefix(target));
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = QFile::encodeName(stem + QString::number(QRandomGenerator::global()->generate(), 36));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const QByteArray &bytes, const AtomicWriteCalls &calls)
{
    const char *p = bytes.constData();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        const ssize_t n = calls.write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= size_t(n);
    }
    return true;
}

bool hasSize(int fd, qsizetype size)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 && st.st_size == size;
}

}  // namespace

void removeStaleTemporaries(const QString &path)
{
    const QByteArray prefix = temporaryPrefix(path);
    const int dirFd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                             O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return;
    DIR *dir = ::fdopendir(dirFd);
    if (!dir) {
        ::close(dirFd);
        return;
    }
    const time_t staleBefore = ::time(nullptr) - kStaleAfterSeconds;
    while (const dirent *entry = ::readdir(dir)) {
        if (!isTemporaryName(entry->d_name, prefix))
            continue;
        struct stat st {};
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && st.st_mtime < staleBefore)
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

bool makePrivateDirectories(const QString &dir)
{
    QStringList missing;
    for (QString at = QDir::cleanPath(QDir(dir).absolutePath()); !QFileInfo::exists(at);) {
        missing.prepend(at);
        const QString parent = QFileInfo(at).absolutePath();
        if (parent == at)
            break;
        at = parent;
    }
    for (const QString &each : std::as_const(missing))
        if (::mkdir(QFile::encodeName(each).constData(), 0700) != 0 && errno != EEXIST)
            return false;
    return QFileInfo(dir).isDir();
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, const AtomicWriteCalls &calls)
{
    removeStaleTemporaries(path);  // also frees the room a killed writer's copy takes on a full disk
    const QByteArray target = QFile::encodeName(path);
    struct stat st {};
    // lstat: a link at the path is replaced, so it is no file whose mode to keep.
    const bool replacing = ::lstat(target.constData(), &st) == 0 && S_ISREG(st.st_mode);
    const mode_t mode = replacing ? mode_t(st.st_mode & 07777) : 0600;

    QByteArray temporary;
    const int fd = createTemporary(path, mode, temporary);
    if (fd < 0)
        return false;
    if (replacing)
        ::fchmod(fd, mode);  // open() took the umask off; the old file's mode is what the user chose
    bool ok = writeAll(fd, bytes, calls) && calls.fsync(fd) == 0 && hasSize(fd, bytes.size());
    ok = calls.close(fd) == 0 && ok;  // NFS and quotas report write errors only here
    if (ok && calls.rename(temporary.constData(), target.constData()) == 0)
        return true;
    ::unlink(temporary.constData());
    return false;
}
