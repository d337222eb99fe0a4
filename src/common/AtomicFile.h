#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>
#include <unistd.h>

// The system calls the writer makes. Tests replace them to fail any step: a
// real full disk needs a mount, and only root may mount.
struct AtomicWriteCalls {
    ssize_t (*write)(int fd, const void *buffer, size_t count) = ::write;
    int (*fsync)(int fd) = ::fsync;
    int (*close)(int fd) = ::close;
    int (*rename)(const char *from, const char *to) = ::rename;
};

// Replaces the file at `path` with `bytes`, or leaves it byte for byte as it was.
// The bytes go to a new temporary file in the same directory, are synced to disk
// and their size checked, and only then is it renamed over the path: readers in
// other processes see the old or the new content, never a mix. The path itself
// is replaced: a symbolic link there is replaced by the file, its target never
// written. A new file is private (0600); a regular file keeps its mode. Returns
// false on any failure, with the temporary file removed.
// QSaveFile is not used: in Qt 6.4 it ignores errors of its last flush and of fsync,
// and renames a short file over a good one when the disk is full.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, const AtomicWriteCalls &calls = {});

// Removes the temporaries of writes to `path` that a killed writer left behind:
// our own regular files named exactly as the writer names them and untouched for
// longer than any write takes, so another process's write in progress is spared.
void removeStaleTemporaries(const QString &path);

// Creates `dir` and its missing parents, each private (0700); existing ones are
// left as they are. False when it is not there afterwards.
bool makePrivateDirectories(const QString &dir);
