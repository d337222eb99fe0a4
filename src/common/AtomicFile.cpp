#include "AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// ".<name>.tmp-" followed by a 32-bit random number in base 36.
QByteArray temporaryPrefix(const QString &target)
{
    return QFile::encodeName("." + QFileInfo(target).fileName() + ".tmp-");
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
