#include "DirectoryListing.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

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
