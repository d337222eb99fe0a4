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
        TooLarge,    // more than the cap: not a file we wrote
        Failed,      // there, but it could not be read (permissions, I/O)
    };
    Status status = Missing;
    QByteArray bytes;  // only with Ok
};

FileRead readRegularFile(const QString &path, qint64 maxBytes);
