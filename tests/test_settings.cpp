#include "settings/SettingsManager.h"
#include "settings/SettingsStore.h"
#include "settings/WidgetNames.h"
#include "test_support.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <functional>
#include <future>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using pellix::test::readFile;
using pellix::test::writeFile;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    QString path() const { return dir.path() + "/group.com.pellixwidget.json"; }
    QJsonObject stored() const { return QJsonDocument::fromJson(readFile(path())).object(); }
    void store(const QByteArray &json) { ASSERT_TRUE(writeFile(path(), json)); }

    QTemporaryDir dir;
};

void expectDefaults(const SettingsManager &s)
{
    for (const QString &w : kWidgetNames) {
        EXPECT_FALSE(s.isEnabled(w)) << w.toStdString();
        EXPECT_FALSE(s.isClickThrough(w)) << w.toStdString();
        EXPECT_FALSE(s.getPosition(w).has_value()) << w.toStdString();
    }
    EXPECT_EQ(s.clockSize(), "small");
    EXPECT_EQ(s.weatherSize(), "small");
    EXPECT_EQ(s.batterySize(), "small");
    EXPECT_EQ(s.musicSize(), "medium");
    EXPECT_EQ(s.clockStyle(), "analog");
    EXPECT_EQ(s.glassTheme(), "transparent");
    EXPECT_EQ(s.weatherSettings(), WeatherSettings{});
    EXPECT_EQ(s.batteryVisibleDevices(), QStringList({"macbook", "watch", "mouse", "airpods"}));
    EXPECT_EQ(s.sharedData(), SharedWidgetData{});
}

}  // namespace

TEST_F(SettingsTest, FirstLaunchHasDefaultsAndWritesNothing)
{
    SettingsManager s(path());
    expectDefaults(s);
    EXPECT_FALSE(QFile::exists(path()));
}

// Values the store does not validate (an empty device list, a size of no menu)
// come back as saved; coordinates round-trip in the panel's tests.
TEST_F(SettingsTest, EveryKeyRoundTripsThroughAFreshInstance)
{
    const WeatherSettings weather{false, "San Donà di Piave", std::nullopt, std::nullopt};
    {
        SettingsManager s(path());
        for (const QString &w : kWidgetNames) {
            s.saveSetting(true, SettingsManager::enabledKey(w));
            s.saveSetting(w != "battery", SettingsManager::clickThroughKey(w));
            s.saveSetting(w == "music" ? "large" : "medium", SettingsManager::sizeKey(w));
        }
        s.saveSetting("digital", SettingsManager::kClockStyleKey);
        s.saveSetting("opaque", SettingsManager::kGlassThemeKey);
        s.saveSetting(QStringList{}, SettingsManager::kBatteryVisibleDevicesKey);
        s.saveWeatherSettings(weather);
        s.setClockPosition(Position{0.1 + 0.2, -3.5e-7});
        s.setMusicPosition(Position{1e300, -1e300});
        s.setClockStyle("analog");  // assigned but not saved: not persisted
        s.setEnabled("weather", false);
    }
    SettingsManager s(path());
    for (const QString &w : kWidgetNames) {
        EXPECT_TRUE(s.isEnabled(w));
        EXPECT_EQ(s.isClickThrough(w), w != "battery");
        EXPECT_EQ(s.size(w), w == "music" ? "large" : "medium");
    }
    EXPECT_EQ(s.clockStyle(), "digital");
    EXPECT_EQ(s.glassTheme(), "opaque");
    EXPECT_EQ(s.batteryVisibleDevices(), QStringList{});
    EXPECT_EQ(s.weatherSettings(), weather);
    EXPECT_EQ(s.clockPosition(), (Position{0.1 + 0.2, -3.5e-7}));  // exact, no rounding
    EXPECT_EQ(s.musicPosition(), (Position{32767, -32768}));  // clamped to X screen coordinates
    EXPECT_FALSE(s.weatherPosition().has_value());

    // The file keeps JSON types: the list is an array, flags are booleans, the two
    // records are strings holding their JSON text (the weather's without coordinates).
    const QJsonObject file = stored();
    EXPECT_TRUE(file.value("widget.battery.visibleDevices").isArray());
    EXPECT_TRUE(file.value("widget.clock.enabled").isBool());
    EXPECT_EQ(QJsonDocument::fromJson(file.value("weather").toString().toUtf8()).object().keys(),
              QStringList({"city", "useManual"}));
    EXPECT_TRUE(QJsonDocument::fromJson(file.value("widget.clock.position").toString().toUtf8()).isObject());
}

TEST_F(SettingsTest, AWeatherRecordWithANonFiniteCoordinateIsRefused)
{
    SettingsManager s(path());
    s.saveWeatherSettings(WeatherSettings{true, "Roma", 41.9, 12.5});
    s.saveWeatherSettings(WeatherSettings{true, "Nowhere", std::nan(""), 0});
    EXPECT_EQ(s.weatherSettings().city, "Roma");
    EXPECT_FALSE(readFile(path()).contains("Nowhere"));
}

TEST_F(SettingsTest, PositionsAreRemovedAndNeverCached)
{
    SettingsManager s(path());
    s.setBatteryPosition(Position{10, 20});
    s.setBatteryPosition(std::nullopt);
    EXPECT_FALSE(s.batteryPosition().has_value());
    EXPECT_FALSE(stored().contains("widget.battery.position"));

    s.setBatteryPosition(Position{std::numeric_limits<double>::infinity(), 0});
    EXPECT_FALSE(stored().contains("widget.battery.position"));

    // A change made on disk behind the store's back is seen at the next read.
    QJsonObject file = stored();
    file.insert("widget.battery.position", "{\"x\":5,\"y\":6}");
    QTest::qWait(1100);  // a different modification time, whatever the file system's resolution
    store(QJsonDocument(file).toJson());
    EXPECT_EQ(s.batteryPosition(), (Position{5, 6}));
}

TEST_F(SettingsTest, UnreadableTextGivesDefaultsAndASaveKeepsItAside)
{
    struct Case {
        const char *what;
        QByteArray bytes;
        bool setAside;
    };
    const Case cases[] = {
        {"trailing comma", "{\"widget.clock.enabled\": true,}", true},
        {"truncated", "{\"widget.clock.enabled\": true, \"widget.clo", true},
        {"UTF-16", QByteArray("\xff\xfe{\0}\0", 6), true},
        {"binary", QByteArray("\x7f" "ELF\x02\x01\x00\xff", 8), true},
        {"an array", "[]", true},
        {"invalid UTF-8 in a value", "{\"glass-theme\": \"\xff\xfe\"}", true},
        {"over 1 MiB", "{}" + QByteArray(1 << 20, ' '), true},
        {"zero bytes: no text to keep", "", false},
        {"values of the wrong types: read as defaults, kept on save",
         "{\"widget.clock.enabled\": \"yes\", \"widget.music.size\": 3, \"glass-theme\": null,"
         " \"widget.battery.visibleDevices\": [\"mouse\", 7], \"weather\": 12,"
         " \"widget.clock.position\": {\"x\": 1, \"y\": 2}, \"widget.weather.position\": \"garbage\"}",
         false},
    };
    QByteArrayList setAside;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        store(c.bytes);
        SettingsManager s(path());
        expectDefaults(s);
        EXPECT_EQ(readFile(path()), c.bytes);  // loading never rewrites it
        s.saveSetting(true, SettingsManager::enabledKey("battery"));
        QJsonObject expected = c.setAside ? QJsonObject{} : QJsonDocument::fromJson(c.bytes).object();
        expected.insert("widget.battery.enabled", true);
        EXPECT_EQ(stored(), expected);
        if (c.setAside)
            setAside.append(c.bytes);
    }

    // Every damaged text is kept, byte for byte; a later copy never replaces an
    // earlier one, though all were made within the same few seconds.
    QByteArrayList copies;
    const QRegularExpression name(R"(^group\.com\.pellixwidget\.json\.damaged-\d{8}-\d{6}(-\d+)?$)");
    for (const QString &file : QDir(dir.path()).entryList({"*.damaged-*"})) {
        EXPECT_TRUE(name.match(file).hasMatch()) << file.toStdString();
        copies.append(readFile(dir.filePath(file)));
    }
    std::sort(copies.begin(), copies.end());
    std::sort(setAside.begin(), setAside.end());
    EXPECT_EQ(copies, setAside);

}

TEST_F(SettingsTest, AFileDamagedWhileRunningGivesWayToTheLastValuesRead)
{
    SettingsManager s(path());
    s.saveSetting("digital", SettingsManager::kClockStyleKey);
    store("{\"widget.clock.style\": \"digital\",");  // a hand edit left half done
    s.saveSetting(true, SettingsManager::enabledKey("clock"));
    EXPECT_EQ(stored(), (QJsonObject{{"widget.clock.style", "digital"}, {"widget.clock.enabled", true}}));
    EXPECT_EQ(QDir(dir.path()).entryList({"*.damaged-*"}).size(), 1);
}

TEST_F(SettingsTest, SpecialFilesAtItsPathsNeverBlock)
{
    // Runs `work` on another thread and waits up to 5 s for it; on a time-out,
    // `release` lets the blocked thread finish, so the test ends either way.
    const auto returns = [](const std::function<void()> &work, const std::function<void()> &release) {
        std::promise<void> done;
        std::future<void> finished = done.get_future();
        std::thread worker([&] {
            work();
            done.set_value();
        });
        const bool inTime = finished.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
        if (!inTime)
            release();
        worker.join();
        return inTime;
    };
    const QByteArray file = QFile::encodeName(path());
    const QByteArray lock = file + ".lock";

    ASSERT_EQ(::mkfifo(file.constData(), 0600), 0);
    EXPECT_TRUE(returns([&] { SettingsManager(path()).saveSetting(true, SettingsManager::enabledKey("clock")); },
                        [&] { ::close(::open(file.constData(), O_WRONLY | O_NONBLOCK)); }));
    EXPECT_EQ(stored(), (QJsonObject{{"widget.clock.enabled", true}}));  // the FIFO was moved aside

    ASSERT_EQ(::mkdir(lock.constData(), 0700), 0);
    EXPECT_TRUE(returns([&] { SettingsManager(path()).saveSetting(true, SettingsManager::enabledKey("music")); },
                        [&] { ::rmdir(lock.constData()); }));
    EXPECT_TRUE(stored().value("widget.music.enabled").toBool());
    ::rmdir(lock.constData());

    // A lock kept by an instance that froze while saving: the save goes ahead after a while.
    const int held = ::open(lock.constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    EXPECT_TRUE(returns([&] { SettingsManager(path()).saveSetting(true, SettingsManager::enabledKey("weather")); },
                        [&] { ::close(held); }));
    EXPECT_TRUE(stored().value("widget.weather.enabled").toBool());
    ::close(held);
}

TEST_F(SettingsTest, TwoInstancesSavingAtOnceLoseNoKey)
{
    const auto saveKeys = [this](const QString &prefix) {
        SettingsStore store(path());
        for (int i = 0; i < 25; ++i)
            store.set(prefix + QString::number(i), true);
    };
    std::thread other(saveKeys, "other.");
    saveKeys("this.");
    other.join();
    EXPECT_EQ(stored().size(), 50);
}

TEST_F(SettingsTest, UnknownWidgetNamesAreHarmless)
{
    const QByteArray text = R"({"widget.dock.enabled": true, "widget.dock.position": "{\"x\":1,\"y\":2}"})";
    store(text);
    SettingsManager s(path());
    QSignalSpy announced(&s, &SettingsManager::changed);
    s.setEnabled("dock", true);
    s.setSize("dock", "medium");
    s.setPosition(Position{3, 4}, "dock");
    EXPECT_EQ(announced.count(), 0);
    EXPECT_FALSE(s.isEnabled("dock"));
    EXPECT_EQ(s.size("dock"), "small");
    EXPECT_FALSE(s.getPosition("dock").has_value());
    EXPECT_FALSE(s.clockEnabled());  // not taken for the clock either
    EXPECT_EQ(s.clockSize(), "small");
    EXPECT_EQ(readFile(path()), text);
}

TEST(SettingsRecords, DecodedPositionsStayWithinScreenCoordinates)
{
    const std::pair<QByteArray, std::optional<Position>> cases[] = {
        {R"({"x":-0.25,"y":1439.5})", Position{-0.25, 1439.5}},
        {R"({"x":32767.5,"y":-32768.5})", Position{32767, -32768}},
        {R"({"x":1e400,"y":0})", std::nullopt},  // beyond a double
        {R"({"x":NaN,"y":0})", std::nullopt},
        {"not json", std::nullopt}, {R"({"x":10})", std::nullopt}, {R"({"x":"10","y":5})", std::nullopt},
        {"[1,2]", std::nullopt},  // unreadable: the widget's default place (non-strings: UnreadableText...)
    };
    for (const auto &[json, position] : cases)
        EXPECT_EQ(decodePosition(json), position) << json.toStdString();
}

TEST_F(SettingsTest, UnwritableLocationFailsSilently)
{
    ASSERT_TRUE(writeFile(dir.path() + "/file", "x"));
    const QString blocked = dir.path() + "/file/sub/group.com.pellixwidget.json";  // parent is a file
    SettingsManager s(blocked);
    s.saveSetting(true, SettingsManager::enabledKey("clock"));
    s.saveWeatherSettings(WeatherSettings{true, "Roma", 1, 2});
    s.setClockPosition(Position{1, 2});
    EXPECT_FALSE(QFile::exists(blocked));
    EXPECT_EQ(s.weatherSettings().city, "Roma");
}
