#pragma once

// Reads that can never wait on a special file. A FIFO, socket or device put
// where a small text file is expected (a sysfs attribute, /etc/machine-info)
// would hold a plain open() or read() forever; these open without waiting,
// read regular files only and stop at a size cap.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

#include <dirent.h>

// The first `maxBytes` bytes of the regular file at `path`; nothing when it is
// missing, unreadable or not a regular file.
std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes);
// The same, relative to the open directory `dirFd`.
std::optional<QByteArray> readRegularFileAt(int dirFd, const char *name, qint64 maxBytes);

// An open directory and the names in it (without "." and ".."), listed once.
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
