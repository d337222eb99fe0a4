#pragma once

#include <QString>

#include <chrono>

// An advisory lock between processes (the app on two X displays shares one
// settings file), held while the object lives. It waits at most `bound` for the
// other holder, and gives up at once when something other than a regular file
// sits at the path: the caller then goes on unlocked. A lost race between two
// saves costs at most one key; a hang would freeze the app.
// The lock file is removed on release, so none is left beside the settings.
class BoundedFileLock {
public:
    BoundedFileLock(const QString &path, std::chrono::milliseconds bound);
    ~BoundedFileLock();
    BoundedFileLock(const BoundedFileLock &) = delete;
    BoundedFileLock &operator=(const BoundedFileLock &) = delete;

    bool locked() const { return m_fd >= 0; }

private:
    QByteArray m_path;
    int m_fd = -1;
};
