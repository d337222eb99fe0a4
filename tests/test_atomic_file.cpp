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
#include <algorithm>
#include <tuple>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>

using pellix::test::readFile;
using pellix::test::writeFile;

namespace {

int g_calls = 0;  // calls made so far through the replaced function

ssize_t shortAndInterrupted(int fd, const void *buffer, size_t count)
{
    if (g_calls++ % 2 == 0) {
        errno = EINTR;
        return -1;
    }
    return ::write(fd, buffer, std::min<size_t>(count, 3));
}
ssize_t fullAfterHalf(int fd, const void *buffer, size_t count)
{
    if (g_calls++ == 0)
        return ::write(fd, buffer, count / 2);
    errno = ENOSPC;
    return -1;
}
ssize_t claimsAll(int, const void *, size_t count) { return ssize_t(count); }
int ioError(int) { return errno = EIO, -1; }
int closeThenIoError(int fd) { return ::close(fd), errno = EIO, -1; }

TEST(AtomicFile, AnyFailingStepLeavesTheOldFile)
{
    const auto with = [](auto change) {
        AtomicWriteCalls calls;
        change(calls);
        return calls;
    };
    const std::tuple<const char *, AtomicWriteCalls, bool> cases[] = {
        {"short and interrupted writes", with([](auto &c) { c.write = shortAndInterrupted; }), true},
        {"no space after half", with([](auto &c) { c.write = fullAfterHalf; }), false},
        {"write claims bytes it never wrote", with([](auto &c) { c.write = claimsAll; }), false},
        {"fsync fails", with([](auto &c) { c.fsync = ioError; }), false},
        {"close fails", with([](auto &c) { c.close = closeThenIoError; }), false},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.json");
    for (const auto &[what, calls, written] : cases) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(writeFile(path, "old text"));
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
        g_calls = 0;
        EXPECT_EQ(writeFileAtomically(path, "the new text", calls), written);
        EXPECT_EQ(readFile(path), written ? "the new text" : "old text");
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"settings.json"});  // no temporary file left behind
    }
}

// A tmpfs of 64 KiB mounted over a directory for one test (root only).
struct TinyDisk {
    explicit TinyDisk(const QByteArray &dir) : dir(dir), mounted(::mount("tmpfs", dir, "tmpfs", 0, "size=64k") == 0) {}
    ~TinyDisk()
    {
        if (mounted)
            ::umount2(dir.constData(), MNT_DETACH);
    }
    void fill() const
    {
        const int fd = ::open(dir + "/filler", O_WRONLY | O_CREAT, 0600);
        while (::write(fd, QByteArray(4096, 'x').constData(), 4096) > 0) {
        }
        EXPECT_EQ(errno, ENOSPC);
        ::close(fd);
    }
    const QByteArray dir;
    const bool mounted;
};

TEST(AtomicFile, AFullDiskIsReportedAndLeavesTheFiles)
{
    QTemporaryDir dir;
    const TinyDisk disk(QFile::encodeName(dir.path()));
    if (!disk.mounted)
        GTEST_SKIP() << "mounting a tmpfs needs root; AnyFailingStepLeavesTheOldFile covers the failing steps";
    const QString settingsPath = dir.filePath("settings.json");
    const QString sharedPath = dir.filePath("widget-data.json");
    SettingsManager settings(settingsPath);
    settings.setSharedDataPath(sharedPath);
    settings.saveSetting(true, SettingsManager::enabledKey("clock"));
    settings.updateSharedWidgetData();
    const QByteArray settingsBefore = readFile(settingsPath);
    ASSERT_TRUE(settingsBefore.contains("widget.clock.enabled"));

    disk.fill();
    EXPECT_FALSE(SettingsStore(settingsPath).set("glass-theme", QString("opaque")));
    settings.setClockStyle("digital");
    settings.updateSharedWidgetData();
    EXPECT_EQ(readFile(settingsPath), settingsBefore);
    EXPECT_EQ(readFile(sharedPath), R"({"clockStyle":"analog"})");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"filler", "settings.json", "widget-data.json"}));

    // A failed write is not taken for done: with room again the same record is written.
    ::unlink(disk.dir + "/filler");
    settings.updateSharedWidgetData();
    EXPECT_EQ(readFile(sharedPath), R"({"clockStyle":"digital"})");
}

}  // namespace
