#pragma once

#include "SharedWidgetData.h"

#include <QByteArray>
#include <QString>

#include <ctime>
#include <optional>
#include <sys/types.h>

// Which file is at a path, and as of when: inode, size and change times.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    static std::optional<FileStamp> of(const QString &path);
    friend bool operator==(const FileStamp &a, const FileStamp &b);
};

// The app's writer of the shared file. The views publish every few seconds and
// mostly the same record: when the encoded bytes equal the last ones written and
// the file is still the one this writer left, the disk is not touched. A file
// changed, replaced or deleted behind its back is written again.
class SharedDataWriter {
public:
    // True when the file holds `data` afterwards.
    bool write(const QString &path, const SharedWidgetData &data);

private:
    QString m_path;
    QByteArray m_bytes;
    std::optional<FileStamp> m_stamp;
};
