// pellix-widget-host: its command line, the real binary with the real plug-in,
// and the reload schedule of a shown widget under an injected clock.
#include "ExtensionLoader.h"
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

#include <sys/stat.h>

#include <thread>

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

// The project's own extension first, then the example shipped with it.
TEST(HostBinary, ListsTheExtensionsBesideItWithTheirWidgets)
{
    const HostRun list = host({"--list"});
    EXPECT_EQ(list.status, 0) << list.err.toStdString();
    QStringList extensions;
    QString widgets;
    for (const QString &line : list.out.split('\n', Qt::SkipEmptyParts)) {
        if (line.startsWith('\t'))
            widgets += line + '\n';
        else
            extensions << line.section(' ', 0, 0);
    }
    EXPECT_EQ(extensions, QStringList({"com.pellixwidget.PellixWidgetExtension", "com.pellixwidget.examples.System"}));
    EXPECT_EQ(widgets,
              "\tPellixClockWidget\tPellix - Orologio\tsmall\tVisualizza l'ora corrente e la data.\n"
              "\tPellixWeatherWidget\tPellix - Meteo\tsmall\tVisualizza la temperatura e le condizioni del meteo corrente.\n"
              "\tPellixMusicWidget\tPellix - Now Playing\tsmall,medium\tVisualizza il brano attualmente in riproduzione.\n"
              "\tPellixBatteryWidget\tPellix - Batteria\tsmall,medium\t"
              "Controlla lo stato della batteria del MacBook e degli accessori.\n"
              "\tPellixSystemWidget\tSistema\tsmall,medium\tCarico della CPU, memoria, disco e tempo di attività.\n");
}

// The rules the host (and, later, the app's supervisor) applies before loading
// any code; the real files and plug-ins are system/extension_sdk.sh's.
TEST(ExtensionRules, VersionPermissionsAndSearchOrder)
{
    using extensions::ApiVersion;
    const QList<std::tuple<ApiVersion, ApiVersion, bool>> versions{
        {{1, 0}, {1, 0}, true}, {{1, 0}, {1, 3}, true}, {{1, 3}, {1, 0}, false}, {{2, 0}, {1, 9}, false},
        {{0, 9}, {1, 0}, false}};
    for (const auto &[plugin, host, compatible] : versions)
        EXPECT_EQ(!extensions::versionProblem(plugin, host), compatible) << plugin.text().toStdString();
    EXPECT_EQ(extensions::versionProblem({2, 1}, {1, 0}), "creato per la API dei widget 2.1, questo host ha la 1.0");
    EXPECT_EQ(extensions::parseApiVersion("12.3"), (ApiVersion{12, 3}));
    for (const char *wrong : {"1", "1.0.0", "1.x", "", " 1.0", "-1.0"})
        EXPECT_FALSE(extensions::parseApiVersion(wrong)) << wrong;

    constexpr uint kUser = 1000;
    const auto chain = [](std::initializer_list<std::pair<uint, uint>> owners) {
        QList<extensions::PathOwner> result;
        for (const auto &[owner, mode] : owners)
            result << extensions::PathOwner{QString("/p%1").arg(result.size()), owner, mode};
        return result;
    };
    const uint dir = S_IFDIR;
    const uint file = S_IFREG;
    EXPECT_FALSE(extensions::permissionProblem(chain({{0, dir | 0755}, {0, dir | 01777}, {kUser, dir | 0700}, {kUser, file | 0644}}), kUser));
    EXPECT_FALSE(extensions::permissionProblem(chain({{0, dir | 0755}, {0, file | 0755}}), kUser));
    EXPECT_EQ(extensions::permissionProblem(chain({{0, dir | 0755}, {kUser, dir | 0775}, {kUser, file | 0644}}), kUser),
              "/p1 è scrivibile da altri utenti");
    EXPECT_TRUE(extensions::permissionProblem(chain({{0, dir | 0777}, {kUser, file | 0644}}), kUser));
    EXPECT_TRUE(extensions::permissionProblem(chain({{0, dir | 0755}, {kUser, file | 01646}}), kUser));  // sticky file
    EXPECT_EQ(extensions::permissionProblem(chain({{0, dir | 0755}, {1234, file | 0644}}), kUser),
              "/p1 appartiene a un altro utente (uid 1234)");

    EXPECT_EQ(extensions::searchPath("/a:/b/x.so:", "", "", "/home/u", {"/own/P.so", "/own/"}),
              QStringList({"/a", "/b/x.so", "/home/u/.local/share/pellix-widget/extensions",
                           "/usr/local/share/pellix-widget/extensions", "/usr/share/pellix-widget/extensions",
                           "/own/P.so", "/own"}));
    EXPECT_EQ(extensions::searchPath("", "/d", "/x:/y/", "/h", {}),
              QStringList({"/d/pellix-widget/extensions", "/x/pellix-widget/extensions", "/y/pellix-widget/extensions"}));
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
    session.setReloadFloorMs(0);
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

// A provider that answers from its own thread with two entries: each is shown
// from its date on, and a timeline that asks to reload at its end is asked for
// again at its last entry's date.
TEST(TimelineSession, ShowsEachEntryAtItsDateWhicheverThreadAnswers)
{
    struct Numbered : widgetkit::TimelineEntry {
        int n = 0;
    };
    class TwoEntries : public widgetkit::Widget {
    public:
        ~TwoEntries() override
        {
            for (std::thread &t : threads)
                t.join();
        }
        widgetkit::WidgetDescriptor descriptor() const override { return {"Two", "", "", {}}; }
        widgetkit::EntryPtr placeholder(const widgetkit::TimelineContext &) const override { return entry(0, 0); }
        void getSnapshot(const widgetkit::TimelineContext &, const std::function<void(widgetkit::EntryPtr)> &) const override {}
        void getTimeline(const widgetkit::TimelineContext &,
                         const std::function<void(widgetkit::Timeline)> &completion) const override
        {
            threads.emplace_back([completion] {
                completion({{entry(1, -1000), entry(2, 600)}, widgetkit::ReloadPolicy::atEnd()});
            });
        }
        void render(QPainter &, const QRectF &, const widgetkit::TimelineEntry &,
                    const widgetkit::WidgetEnvironment &) const override {}
        static widgetkit::EntryPtr entry(int n, int inMs)
        {
            auto e = std::make_shared<Numbered>();
            e->n = n;
            e->date = QDateTime::currentDateTime().addMSecs(inMs);
            return e;
        }
        mutable std::vector<std::thread> threads;
    } widget;
    TimelineSession session(widget, {});
    session.setReloadFloorMs(0);
    int requests = 0;
    QObject::connect(&session, &TimelineSession::timelineRequested, [&] { ++requests; });
    const auto shown = [&] { return session.entry() ? static_cast<const Numbered &>(*session.entry()).n : -1; };
    session.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown() == 1; }, 5000));
    const QDateTime end = session.reloadDate();
    EXPECT_GT(end, QDateTime::currentDateTime());
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown() == 2; }, 5000));
    EXPECT_GE(QDateTime::currentDateTime(), end);
    EXPECT_TRUE(QTest::qWaitFor([&] { return requests == 2; }, 5000));
}

// The refresh budget: a timeline's entries past the cap are dropped, a reload
// date sooner than the floor waits for it, and a provider that never answers
// keeps its last entry and is asked again at the floor.
TEST(TimelineSession, KeepsTheRefreshBudget)
{
    struct Numbered : widgetkit::TimelineEntry {
        int n = 0;
    };
    class Greedy : public widgetkit::Widget {
    public:
        widgetkit::WidgetDescriptor descriptor() const override { return {"Greedy", "", "", {}}; }
        widgetkit::EntryPtr placeholder(const widgetkit::TimelineContext &) const override { return nullptr; }
        void getSnapshot(const widgetkit::TimelineContext &, const std::function<void(widgetkit::EntryPtr)> &) const override {}
        void getTimeline(const widgetkit::TimelineContext &,
                         const std::function<void(widgetkit::Timeline)> &completion) const override
        {
            if (calls++ > 0)
                return;  // silent from now on
            widgetkit::Timeline timeline{{}, widgetkit::ReloadPolicy::after(QDateTime::currentDateTime())};
            for (int n = 0; n < kMaxTimelineEntries + 50; ++n) {
                auto e = std::make_shared<Numbered>();
                e->n = n;
                e->date = QDateTime::currentDateTime().addSecs(n - 1000);
                timeline.entries << e;
            }
            completion(timeline);
        }
        void render(QPainter &, const QRectF &, const widgetkit::TimelineEntry &,
                    const widgetkit::WidgetEnvironment &) const override {}
        mutable int calls = 0;
    } widget;
    TimelineSession session(widget, {});
    constexpr qint64 floorMs = 400;
    session.setReloadFloorMs(floorMs);
    QList<QDateTime> requests;
    QObject::connect(&session, &TimelineSession::timelineRequested, [&] { requests << QDateTime::currentDateTime(); });
    session.start();
    ASSERT_TRUE(session.entry());
    EXPECT_EQ(static_cast<const Numbered &>(*session.entry()).n, kMaxTimelineEntries - 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return requests.size() == 3; }, 5000));
    EXPECT_GE(requests[0].msecsTo(requests[1]), floorMs);
    EXPECT_GE(requests[1].msecsTo(requests[2]), floorMs);
    EXPECT_EQ(static_cast<const Numbered &>(*session.entry()).n, kMaxTimelineEntries - 1);

    const QDateTime asked = QDateTime::currentDateTime();
    EXPECT_EQ(flooredReloadDate(asked.addSecs(5), asked, 60'000), asked.addSecs(60));
    EXPECT_EQ(flooredReloadDate(asked.addSecs(90), asked, 60'000), asked.addSecs(90));
    EXPECT_FALSE(flooredReloadDate({}, asked, 60'000).isValid());
}
