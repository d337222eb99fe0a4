// Whole-file writes that fail leave the previous file byte for byte.
#include "AtomicFile.h"
#include "SharedDataFile.h"
#include "settings/SettingsManager.h"
#include "settings/SettingsStore.h"
#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>

using pellix::test::readFile;
using pellix::test::writeFile;

namespace {

int g_calls = 0;  // system calls made through the replaced function of the current case

ssize_t oneByteAtATime(int fd, const void *buffer, size_t count)
{
    return ::write(fd, buffer, count > 0 ? 1 : 0);
}
ssize_t interruptedEveryOtherCall(int fd, const void *buffer, size_t count)
{
    if (g_calls++ % 2 == 0) {
        errno = EINTR;
        return -1;
    }
    return ::write(fd, buffer, count);
}
ssize_t diskFull(int, const void *, size_t)
{
    errno = ENOSPC;
    return -1;
}
ssize_t diskFullAfterHalf(int fd, const void *buffer, size_t count)
{
    if (g_calls++ == 0)
        return ::write(fd, buffer, count / 2);
    errno = ENOSPC;
    return -1;
}
ssize_t claimsAll(int, const void *, size_t count)
{
    return ssize_t(count);
}
int ioError(int)
{
    errno = EIO;
    return -1;
}
int closeThenIoError(int fd)
{
    ::close(fd);
    errno = EIO;
    return -1;
}
int crossDevice(const char *, const char *)
{
    errno = EXDEV;
    return -1;
}

TEST(AtomicFile, AnyFailingStepLeavesTheOldFile)
{
    struct Case {
        const char *what;
        AtomicWriteCalls calls;
        bool written;
    };
    const auto with = [](auto change) {
        AtomicWriteCalls c;
        change(c);
        return c;
    };
    const Case cases[] = {
        {"one byte per write", with([](auto &c) { c.write = oneByteAtATime; }), true},
        {"interrupted writes", with([](auto &c) { c.write = interruptedEveryOtherCall; }), true},
        {"no space", with([](auto &c) { c.write = diskFull; }), false},
        {"no space after half", with([](auto &c) { c.write = diskFullAfterHalf; }), false},
        {"write claims bytes it never wrote", with([](auto &c) { c.write = claimsAll; }), false},
        {"fsync fails", with([](auto &c) { c.fsync = ioError; }), false},
        {"close fails", with([](auto &c) { c.close = closeThenIoError; }), false},
        {"rename fails", with([](auto &c) { c.rename = crossDevice; }), false},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.json");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(writeFile(path, "old text"));
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
        g_calls = 0;
        EXPECT_EQ(writeFileAtomically(path, "the new text", c.calls), c.written);
        EXPECT_EQ(readFile(path), c.written ? "the new text" : "old text");
        EXPECT_EQ(QFileInfo(path).permissions(),
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"settings.json"});  // no temporary file left behind
    }
}

// A tmpfs of a few pages mounted over a directory for one test, unmounted after.
class TinyDisk {
public:
    explicit TinyDisk(const QString &dir) : m_dir(QFile::encodeName(dir))
    {
        m_mounted = ::mount("tmpfs", m_dir.constData(), "tmpfs", 0, "size=64k") == 0;
        m_error = errno;
    }
    ~TinyDisk()
    {
        if (m_mounted)
            ::umount2(m_dir.constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    const char *error() const { return std::strerror(m_error); }

    // Takes every free page.
    void fill()
    {
        const int fd = ::open((m_dir + "/filler").constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        const QByteArray page(4096, 'x');
        while (::write(fd, page.constData(), page.size()) > 0) {
        }
        EXPECT_EQ(errno, ENOSPC);
        ::close(fd);
    }
    void clear() { ::unlink((m_dir + "/filler").constData()); }

private:
    QByteArray m_dir;
    bool m_mounted = false;
    int m_error = 0;
};

TEST(AtomicFile, AFullDiskLeavesTheSettingsAndTheSharedFile)
{
    QTemporaryDir dir;
    TinyDisk disk(dir.path());
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs (" << disk.error() << "; needs root): "
                     << "AnyFailingStepLeavesTheOldFile covers the failing steps";
    const QString settingsPath = dir.filePath("settings.json");
    const QString sharedPath = dir.filePath("group/widget-data.json");
    SettingsManager settings(settingsPath);
    settings.setSharedDataPath(sharedPath);
    settings.saveSetting(true, SettingsManager::enabledKey("clock"));
    settings.updateSharedWidgetData();
    const QByteArray settingsBefore = readFile(settingsPath);
    const QByteArray sharedBefore = readFile(sharedPath);
    ASSERT_TRUE(settingsBefore.contains("widget.clock.enabled"));
    ASSERT_EQ(sharedBefore, R"({"clockStyle":"analog"})");

    disk.fill();
    settings.saveSetting(true, SettingsManager::enabledKey("weather"));
    settings.setClockStyle("digital");
    settings.updateSharedWidgetData();
    EXPECT_EQ(readFile(settingsPath), settingsBefore);
    EXPECT_EQ(readFile(sharedPath), sharedBefore);
    EXPECT_FALSE(SettingsStore(settingsPath).set("glass-theme", QString("opaque")));
    SharedWidgetData digital;
    digital.clockStyle = "digital";
    EXPECT_FALSE(writeSharedDataFile(sharedPath, digital));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"filler", "group", "settings.json"}));
    EXPECT_EQ(QDir(dir.filePath("group")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"widget-data.json"});

    // A failed write is not taken for done: with room again the same record is written.
    disk.clear();
    settings.updateSharedWidgetData();
    EXPECT_EQ(readFile(sharedPath), R"({"clockStyle":"digital"})");
}

}  // namespace
