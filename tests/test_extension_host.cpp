// pellix-widget-host: its command line, the real binary with the real plug-in,
// and the reload schedule of a shown widget under an injected clock.
#include "HostCommandLine.h"
#include "HostCommands.h"
#include "PellixWidgets.h"
#include "SharedDataFile.h"
#include "TimelineSession.h"
#include "WidgetEntry.h"
#include "test_support.h"

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kHost = PELLIX_BINARY_DIR "/src/host/pellix-widget-host";

struct HostRun {
    int status;
    QString out;
    QString err;
};

HostRun host(const QStringList &arguments, const QString &extensionPath = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LANGUAGE", "it");  // the names below are the Italian ones
    if (!extensionPath.isEmpty())
        env.insert("PELLIX_EXTENSION_PATH", extensionPath);
    p.setProcessEnvironment(env);
    p.start(kHost, arguments);
    if (!p.waitForFinished(20000))
        p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray battery(int percent)
{
    return QStringLiteral(R"({"battery":[{"id":"macbook","name":"MacBook","percent":%1,"charging":true,"type":"macbook"}]})")
        .arg(percent)
        .toUtf8();
}

}  // namespace

TEST(HostCommandLine, WrongArgumentsAreRefused)
{
    const QList<std::pair<QStringList, QString>> cases{
        {{}, ""},
        {{"--show", "PellixMusicWidget:medium", "PellixClockWidget"}, ""},
        {{"--render", "K", "--family", "medium", "--scale", "2", "--placeholder", "--out", "x.png"}, ""},
        {{"--timeline", "K"}, ""},
        {{"--bogus"}, "Unknown option 'bogus'."},
        {{"--list", "--gallery"}, "choose one of --list, --gallery"},
        {{"--list", "extra"}, "unexpected argument \"extra\""},
        {{"--family", "small"}, "--family goes with --render"},
        {{"--show", "K:large"}, "unknown family \"large\" (small or medium)"},
        {{"--render", "K"}, "--render needs --out FILE.png"},
        {{"--render", "K", "--scale", "3", "--out", "x.png"}, "--scale is 1 or 2"},
        {{"--timeline"}, "Missing value after '--timeline'."},
    };
    for (const auto &[arguments, error] : cases) {
        HostCommandLine commandLine;
        EXPECT_EQ(commandLine.parse(QStringList{"host"} + arguments), error.isEmpty()) << arguments.join(' ').toStdString();
        EXPECT_EQ(commandLine.error(), error);
    }
}

TEST(HostBinary, ListsTheWidgetsOfThePluginBesideIt)
{
    const HostRun list = host({"--list"});
    EXPECT_EQ(list.status, 0) << list.err.toStdString();
    EXPECT_EQ(list.out,
              "PellixClockWidget\tPellix - Orologio\tsmall\tVisualizza l'ora corrente e la data.\n"
              "PellixWeatherWidget\tPellix - Meteo\tsmall\tVisualizza la temperatura e le condizioni del meteo corrente.\n"
              "PellixMusicWidget\tPellix - Now Playing\tsmall,medium\tVisualizza il brano attualmente in riproduzione.\n"
              "PellixBatteryWidget\tPellix - Batteria\tsmall,medium\t"
              "Controlla lo stato della batteria del MacBook e degli accessori.\n");
    // PELLIX_EXTENSION_PATH wins over the plug-in beside the host; a directory holding it will do.
    EXPECT_EQ(host({"--list"}, PELLIX_BINARY_DIR "/src/host").out, list.out);
    const HostRun missing = host({"--list"}, "/nonexistent/PellixWidgetExtension.so");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.count('\n'), 1) << missing.err.toStdString();
}

TEST(HostBinary, WrongArgumentsExitWithStatusTwoAndOneLine)
{
    for (const QStringList &arguments : {QStringList{"--timeline", "PellixNoSuchWidget"},
                                         {"--render", "PellixClockWidget", "--family", "medium", "--out", "x.png"}}) {
        const HostRun run = host(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("pellix-widget-host: ") && run.err.count('\n') == 1) << run.err.toStdString();
    }
}

// Both families at both scales (every kind's views in both sizes: test_extension_views, test_language_fit).
TEST(HostBinary, RendersBothFamiliesAtScaleOneAndTwo)
{
    QTemporaryDir dir;
    const QList<std::pair<QString, QString>> widgets{{"PellixClockWidget", "small"}, {"PellixBatteryWidget", "medium"}};
    for (const auto &[kind, family] : widgets) {
        for (int scale : {1, 2}) {
            const QString out = dir.filePath(kind + family + QString::number(scale) + ".png");
            const HostRun run = host({"--render", kind, "--family", family, "--scale", QString::number(scale), "--out", out});
            ASSERT_EQ(run.status, 0) << run.err.toStdString();
            const QImage image(out);
            EXPECT_EQ(image.size(), QSize(family == "small" ? 170 : 340, 170) * scale) << out.toStdString();
            EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "rounded corner";
            EXPECT_GT(image.pixelColor(image.width() / 2, 2).alpha(), 0);
        }
    }
}

// The host's clock runs ahead of the provider's, so the five-minute reload date
// comes in a second and a half of real time.
TEST(TimelineSession, ReloadsAtTheReloadDateNeverEarlier)
{
    const QString path = sharedDataFilePath();
    ASSERT_TRUE(pellix::test::writeFile(path, battery(64)));
    pellix::extension::PellixWidgetWidgetsBundle bundle;
    qint64 aheadMs = 300'000 - 1'500;
    const TimelineSession::Clock clock = [&] { return QDateTime::currentDateTime().addMSecs(aheadMs); };
    TimelineSession session(*findWidget(bundle, "PellixBatteryWidget"), {}, clock);
    struct Request {
        QDateTime at;
        QDateTime due;
    };
    QList<Request> requests;
    QObject::connect(&session, &TimelineSession::timelineRequested,
                     [&] { requests << Request{clock(), session.reloadDate()}; });
    int entries = 0;
    QObject::connect(&session, &TimelineSession::entryChanged, [&] { ++entries; });
    const auto percent = [&] {
        return dynamic_cast<const pellix::extension::WidgetEntry &>(*session.entry()).data->battery->first().percent;
    };

    session.start();
    EXPECT_EQ(entries, 2);  // a fresh snapshot, then the timeline's entry
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(percent(), 64);

    ASSERT_TRUE(pellix::test::writeFile(path, battery(17)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return requests.size() == 2; }, 10000));
    EXPECT_GE(requests[1].at, requests[1].due);
    EXPECT_EQ(percent(), 17);

    // The clock set back while the timer runs: its firing is no reason to reload.
    aheadMs -= 1'500;
    ASSERT_TRUE(QTest::qWaitFor([&] { return requests.size() == 3; }, 10000));
    EXPECT_GE(requests[2].at, requests[2].due);
    QFile::remove(path);
}
