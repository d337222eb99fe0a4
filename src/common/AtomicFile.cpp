#include "AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// A new file beside `target`, created exclusively so no other writer shares it.
int createTemporary(const QString &target, mode_t mode, QByteArray &name)
{
    const QFileInfo info(target);
    const QString stem = info.absolutePath() + "/." + info.fileName() + ".tmp-";
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

QString atomicWriteTarget(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();  // empty when the link dangles
        if (!target.isEmpty())
            return target;
    }
    return path;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, const AtomicWriteCalls &calls)
{
    const QByteArray target = QFile::encodeName(atomicWriteTarget(path));
    struct stat st {};
    const bool replacing = ::stat(target.constData(), &st) == 0 && S_ISREG(st.st_mode);
    const mode_t mode = replacing ? mode_t(st.st_mode & 07777) : 0666;

    QByteArray temporary;
    const int fd = createTemporary(QFile::decodeName(target), mode, temporary);
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
