// The command source end to end: real /bin/zsh, fake pmset/ioreg/scutil on PATH.
#include "monitors/CommandBatterySource.h"

#include "test_support.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const char kReport[] = "Now drawing from 'Battery Power'\n"
                       " -InternalBattery-0 (id=4653155)\t85%; discharging; 5:12 remaining present: true\n";
const char kRegistry[] = "+-o AppleDeviceManagementHIDEventService  <class AppleDeviceManagementHIDEventService>\n"
                         "    {\n      \"BatteryPercent\" = 42\n      \"Product\" = \"Magic Mouse\"\n    }\n";

const BatteryDevice kMac85{"macbook", "MacBook", 85, false, "macbook"};
const BatteryDevice kMacDefault{"macbook", "MacBook", 100, false, "macbook"};
const BatteryDevice kMouse42{"magic-mouse", "Magic Mouse", 42, false, "mouse"};

// Shell text that prints `text` as it stands (quotes and tabs included).
QString printing(const char *text) { return QString("cat <<'PELLIX_END'\n%1\nPELLIX_END").arg(QString::fromUtf8(text)); }

class CommandSource : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::exists("/bin/zsh")) << "zsh is needed for the command source";
        qputenv("PATH", dir.path().toUtf8() + ":" + savedPath);
        writeTool("pmset", printing(kReport));
        writeTool("ioreg", printing(kRegistry));
    }
    void TearDown() override { qputenv("PATH", savedPath); }

    // A fake tool: a sh script that first records its arguments.
    void writeTool(const QString &name, const QString &body)
    {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(pellix::test::writeFile(path, QString("#!/bin/sh\nprintf '%s\\n' \"$*\" > '%1.args'\n%2\n").arg(path, body).toUtf8()));
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    }
    QString argsOf(const QString &name) const { return pellix::test::readFile(dir.filePath(name + ".args")).trimmed(); }
    // Short bound so the hanging cases stay quick.
    CommandBatterySource source() const { return CommandBatterySource(dir.filePath("scutil"), {800, 1024 * 1024}); }

    QTemporaryDir dir;
    const QByteArray savedPath = qgetenv("PATH");
};

// Gone, or a zombie waiting for init: either way it no longer runs.
bool processGone(qint64 pid)
{
    const QByteArray stat = pellix::test::readFile(QString("/proc/%1/stat").arg(pid));
    const qsizetype close = stat.lastIndexOf(')');
    return stat.isEmpty() || (close > 0 && close + 2 < stat.size() && QByteArray("ZX").contains(stat[close + 2]));
}

TEST_F(CommandSource, ParsesBothToolsAndPassesTheShellQuotedArguments)
{
    EXPECT_EQ(source().getBatteryDevices(), (QList<BatteryDevice>{kMac85, kMouse42}));
    EXPECT_EQ(argsOf("pmset"), "-g batt");
    EXPECT_EQ(argsOf("ioreg"), "-r -d 1 -k BatteryPercent");
    // Invalid UTF-8 and output over the 1 MiB cap read as nothing; just under the cap is parsed.
    const struct {
        QString pmset, ioreg;
        QList<BatteryDevice> devices;
    } cases[] = {
        {"printf 'Now drawing from \\047AC Power\\047\\n 55%%; charging \\377\\n'",
         printing(kRegistry) + "\nprintf '\\300\\n'", {kMacDefault}},
        {printing(kReport), printing(kRegistry) + "\nhead -c 2097152 /dev/zero | tr '\\000' x", {kMac85}},
        {printing(kReport), "head -c 900000 /dev/zero | tr '\\000' x; echo\n" + printing(kRegistry), {kMac85, kMouse42}},
    };
    for (const auto &c : cases) {
        writeTool("pmset", c.pmset);
        writeTool("ioreg", c.ioreg);
        EXPECT_EQ(source().getBatteryDevices(), c.devices) << c.ioreg.left(40).toStdString();
    }
}

TEST_F(CommandSource, HungToolsAreBoundedAndKilledWithTheirChildren)
{
    // One keeps its output open behind a background child, one closes it and keeps running.
    writeTool("ioreg", QString("sleep 30 & echo $! > '%1'; wait").arg(dir.filePath("child.pid")));
    writeTool("pmset", "exec >/dev/null 2>&1; sleep 30");
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(source().getBatteryDevices(), QList<BatteryDevice>{kMacDefault});
    EXPECT_LT(clock.elapsed(), 5000);

    const qint64 child = pellix::test::readFile(dir.filePath("child.pid")).trimmed().toLongLong();
    ASSERT_GT(child, 0);
    for (int i = 0; i < 100 && !processGone(child); ++i)
        QThread::msleep(20);
    EXPECT_TRUE(processGone(child)) << "the tool's background child survived";
}

}  // namespace
