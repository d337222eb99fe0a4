// Whole-file writes that fail leave the previous file byte for byte; what the
// writers never do: follow a link, leave a killed writer's copies, open a file to others.
#include "AtomicFile.h"
#include "SharedDataFile.h"
#include "settings/SettingsManager.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
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

mode_t modeOf(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

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
    const mode_t savedUmask = ::umask(077);  // a file's own mode survives only if the writer sets it
    for (const auto &[what, calls, written] : cases) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(writeFile(path, "old text"));
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
        g_calls = 0;
        EXPECT_EQ(writeFileAtomically(path, "the new text", calls), written);
        EXPECT_EQ(readFile(path), written ? "the new text" : "old text");
        EXPECT_EQ(modeOf(path), 0640u);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"settings.json"});  // no temporary file left behind
    }
    ::umask(savedUmask);
}

// Both files written once: the settings (the clock on) and the shared data.
void saveBoth(const QString &settingsPath, const QString &sharedPath)
{
    SettingsManager settings(settingsPath);
    settings.setSharedDataPath(sharedPath);
    settings.saveSetting(true, SettingsManager::enabledKey("clock"));
    settings.updateSharedWidgetData();
}

// In a fresh home under the usual umask both files come out private, in folders
// made for them that are private too; a folder that was there is left alone.
TEST(FileSafety, NewFilesAndTheFoldersMadeForThemArePrivate)
{
    QTemporaryDir home;
    ::chmod(QFile::encodeName(home.path()).constData(), 0755);
    const mode_t savedUmask = ::umask(022);
    saveBoth(home.filePath("config/settings.json"), home.filePath("data/group/widget-data.json"));
    ::umask(savedUmask);
    for (const auto &[path, mode] : {std::pair{"config/settings.json", 0600u}, {"data/group/widget-data.json", 0600u},
                                     {"config", 0700u}, {"data", 0700u}, {"data/group", 0700u}, {"", 0755u}})
        EXPECT_EQ(modeOf(home.filePath(path)), mode) << path;
}

// Links at both paths (planted to make the app overwrite a dotfile, or set one
// aside as damaged settings): the path is replaced, the link itself is what is
// set aside, and what it pointed to is never touched.
TEST(FileSafety, LinksAtBothPathsAreReplacedNeverFollowed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeFile(dir.filePath("bashrc"), "alias ls='ls --color'\n"));
    ASSERT_TRUE(writeFile(dir.filePath("profile"), "export PATH\n"));
    ASSERT_TRUE(QFile::link("bashrc", dir.filePath("settings.json")));
    ASSERT_TRUE(QFile::link("profile", dir.filePath("widget-data.json")));
    saveBoth(dir.filePath("settings.json"), dir.filePath("widget-data.json"));

    EXPECT_EQ(readFile(dir.filePath("bashrc")), "alias ls='ls --color'\n");
    EXPECT_EQ(readFile(dir.filePath("profile")), "export PATH\n");
    EXPECT_TRUE(readFile(dir.filePath("settings.json")).contains("\"widget.clock.enabled\": true"));
    EXPECT_EQ(readFile(dir.filePath("widget-data.json")), R"({"clockStyle":"analog"})");
    const QStringList aside = QDir(dir.path()).entryList({"settings.json.damaged-*"}, QDir::AllEntries | QDir::System);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(QFileInfo(dir.filePath(aside[0])).symLinkTarget(), dir.filePath("bashrc"));
}

// A writer killed between creating its copy and renaming it leaves the copy; the
// next save of the same file removes such copies, and only those: not a young one
// (another process may be writing it), not other names, links or folders.
TEST(FileSafety, AKilledWritersCopiesGoAtTheNextSave)
{
    QTemporaryDir dir;
    const QStringList stale{".settings.json.tmp-1z141z3", ".widget-data.json.tmp-0"};
    const QStringList kept{".settings.json.tmp-ABC", ".settings.json.tmp-12345678", ".other.json.tmp-abc",
                           ".widget-data.json.tmp-link", ".widget-data.json.tmp-dir", ".settings.json.tmp-young"};
    for (const QString &name : stale + kept.mid(0, 3))
        ASSERT_TRUE(writeFile(dir.filePath(name), "{\"half\":"));
    ASSERT_TRUE(QFile::link("widget-data.json", dir.filePath(kept[3])));
    ASSERT_TRUE(QDir(dir.path()).mkdir(kept[4]));
    const timespec old[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
    for (const QString &name : stale + kept.mid(0, 5))
        ::utimensat(AT_FDCWD, QFile::encodeName(dir.filePath(name)).constData(), old, AT_SYMLINK_NOFOLLOW);
    ASSERT_TRUE(writeFile(dir.filePath(kept[5]), "{\"half\":"));

    saveBoth(dir.filePath("settings.json"), dir.filePath("widget-data.json"));
    QStringList expected = kept + QStringList{"settings.json", "widget-data.json"};
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                         QDir::Name),
              expected);
}

// A write that failed for want of room is not taken for done: with room again the
// same record is written. (That both files stay as they were: system/settings_files.sh.)
TEST(AtomicFile, AWriteThatFoundTheDiskFullIsDoneAgain)
{
    QTemporaryDir dir;
    const QByteArray disk = QFile::encodeName(dir.path());
    if (::mount("tmpfs", disk, "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "mounting a tmpfs needs root; AnyFailingStepLeavesTheOldFile covers the failing steps";
    const QString sharedPath = dir.filePath("widget-data.json");
    SettingsManager settings(dir.filePath("settings.json"));
    settings.setSharedDataPath(sharedPath);
    settings.updateSharedWidgetData();
    const int filler = ::open(disk + "/filler", O_WRONLY | O_CREAT, 0600);
    while (::write(filler, QByteArray(4096, 'x').constData(), 4096) > 0) {
    }
    ::close(filler);
    settings.setClockStyle("digital");
    settings.updateSharedWidgetData();
    EXPECT_EQ(readFile(sharedPath), R"({"clockStyle":"analog"})");
    ::unlink(disk + "/filler");
    settings.updateSharedWidgetData();
    EXPECT_EQ(readFile(sharedPath), R"({"clockStyle":"digital"})");
    ::umount2(disk.constData(), MNT_DETACH);
}

}  // namespace
