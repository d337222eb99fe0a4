#pragma once

#include <QByteArray>
#include <QStringList>

#include <dirent.h>

// An open directory and the names in it (without "." and ".."), listed once, so
// that only entries that exist are opened (relative to fd(), see readRegularFileAt).
class DirectoryListing {
public:
    // `path` is opened relative to `parentFd` (or the working directory for -1);
    // symbolic links to directories are followed, as sysfs class entries need.
    DirectoryListing(int parentFd, const QByteArray &path);
    ~DirectoryListing();
    DirectoryListing(const DirectoryListing &) = delete;
    DirectoryListing &operator=(const DirectoryListing &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    const QStringList &names() const { return m_names; }

private:
    DIR *m_dir = nullptr;
    int m_fd = -1;
    QStringList m_names;
};
