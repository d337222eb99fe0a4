#pragma once

#include <QByteArray>
#include <QString>

// The bytes of a small file, read without ever blocking: a FIFO, a device or a
// socket at the path is reported, never opened for a blocking read.
struct FileRead {
    enum Status {
        Ok,
        Missing,     // nothing at the path (or a parent is not a directory)
        NotRegular,  // a directory, FIFO, device or socket
        TooLarge,    // more than the cap; `bytes` holds the first maxBytes
        Failed,      // there, but it could not be read (permissions, I/O)
    };
    Status status = Missing;
    QByteArray bytes;  // with Ok, and the prefix with TooLarge

    // What a reader of text attributes takes: the whole file or its first maxBytes.
    bool hasText() const { return status == Ok || status == TooLarge; }
};

FileRead readRegularFile(const QString &path, qint64 maxBytes);
// The same for `name` in the open directory `dirFd` (AT_FDCWD: the working directory).
FileRead readRegularFileAt(int dirFd, const char *name, qint64 maxBytes);
