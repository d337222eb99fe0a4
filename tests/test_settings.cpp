#include "settings/SettingsManager.h"
#include "settings/WidgetNames.h"
#include "test_support.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

TEST_F(SettingsTest, EveryKeyRoundTripsThroughAFreshInstance)
{
    const WeatherSettings weather{true, "San Donà di Piave", 45.6297, 12.5683};
    {
        SettingsManager s(path());
        for (const QString &w : kWidgetNames) {
            s.saveSetting(true, SettingsManager::enabledKey(w));
            s.saveSetting(w != "battery", SettingsManager::clickThroughKey(w));
            s.saveSetting(w == "music" ? "small" : "medium", SettingsManager::sizeKey(w));
        }
        s.saveSetting("digital", SettingsManager::kClockStyleKey);
        s.saveSetting("opaque", SettingsManager::kGlassThemeKey);
        s.saveSetting(QStringList{"airpods"}, SettingsManager::kBatteryVisibleDevicesKey);
        s.saveWeatherSettings(weather);
        s.setClockPosition(Position{0.1 + 0.2, -3.5e-7});
        s.setMusicPosition(Position{1e300, 1440});
        s.setClockStyle("analog");  // assigned but not saved: not persisted
        s.setEnabled("weather", false);
    }
    SettingsManager s(path());
    for (const QString &w : kWidgetNames) {
        EXPECT_TRUE(s.isEnabled(w));
        EXPECT_EQ(s.isClickThrough(w), w != "battery");
        EXPECT_EQ(s.size(w), w == "music" ? "small" : "medium");
    }
    EXPECT_EQ(s.clockStyle(), "digital");
    EXPECT_EQ(s.glassTheme(), "opaque");
    EXPECT_EQ(s.batteryVisibleDevices(), QStringList{"airpods"});
    EXPECT_EQ(s.weatherSettings(), weather);
    EXPECT_EQ(s.clockPosition(), (Position{0.1 + 0.2, -3.5e-7}));  // exact, no rounding
    EXPECT_EQ(s.musicPosition(), (Position{1e300, 1440}));
    EXPECT_FALSE(s.weatherPosition().has_value());

    // The file keeps JSON types: a one-element list is an array, flags are booleans,
    // the two records are strings holding their JSON text.
    const QJsonObject file = stored();
    EXPECT_TRUE(file.value("widget.battery.visibleDevices").isArray());
    EXPECT_TRUE(file.value("widget.clock.enabled").isBool());
    EXPECT_TRUE(file.value("weather").isString());
    EXPECT_TRUE(QJsonDocument::fromJson(file.value("widget.clock.position").toString().toUtf8()).isObject());
}

TEST_F(SettingsTest, LoadKeepsStoredValuesTheStoreDoesNotValidate)
{
    {
        SettingsManager s(path());
        s.saveSetting(QStringList{}, SettingsManager::kBatteryVisibleDevicesKey);
        s.saveSetting("large", SettingsManager::sizeKey("clock"));
        s.saveWeatherSettings(WeatherSettings{false, "Milano", std::nullopt, std::nullopt});
    }
    const QJsonObject weather = QJsonDocument::fromJson(stored().value("weather").toString().toUtf8()).object();
    EXPECT_EQ(weather.keys(), QStringList({"city", "useManual"}));

    SettingsManager s(path());
    EXPECT_EQ(s.batteryVisibleDevices(), QStringList{});
    EXPECT_EQ(s.clockSize(), "large");
    EXPECT_EQ(s.weatherSettings(), (WeatherSettings{false, "Milano", std::nullopt, std::nullopt}));
}

TEST_F(SettingsTest, EveryAssignmentAnnouncesBeforeTheValueIsVisible)
{
    SettingsManager s(path());
    QStringList seenBefore;
    QObject::connect(&s, &SettingsManager::willChange, [&](const QString &property) {
        if (property == "glassTheme")
            seenBefore << s.glassTheme();
    });
    QSignalSpy after(&s, &SettingsManager::changed);

    s.setGlassTheme("opaque");
    s.setGlassTheme("opaque");  // equal values announce too
    EXPECT_EQ(seenBefore, QStringList({"transparent", "opaque"}));
    ASSERT_EQ(after.count(), 2);
    EXPECT_EQ(after.at(0).at(0).toString(), "glassTheme");

    s.setClickThrough("music", true);
    EXPECT_EQ(after.last().at(0).toString(), "musicClickThrough");
}

TEST_F(SettingsTest, SaveWeatherSettingsStoresBeforeAnnouncingAndRefusesNonFinite)
{
    SettingsManager s(path());
    QByteArray storedWhenAnnounced;
    QObject::connect(&s, &SettingsManager::willChange, [&] { storedWhenAnnounced = readFile(path()); });
    s.saveWeatherSettings(WeatherSettings{true, "Roma", 41.9, 12.5});
    EXPECT_TRUE(storedWhenAnnounced.contains("Roma"));
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

TEST_F(SettingsTest, DamagedFilesGiveDefaultsAndStayUntilASave)
{
    const QList<QByteArray> damaged{
        "not json at all {",
        "[1, 2, 3]",
        "\"a string\"",
        "",
        "{\"widget.clock.enabled\": \"yes\", \"widget.music.size\": 3, \"glass-theme\": null,"
        " \"widget.battery.visibleDevices\": [\"mouse\", 7], \"weather\": 12,"
        " \"widget.clock.position\": {\"x\": 1, \"y\": 2}}",
        "{\"weather\": \"{\\\"city\\\": \\\"Roma\\\"}\", \"widget.clock.position\": \"garbage\","
        " \"widget.weather.position\": \"{\\\"x\\\": \\\"1\\\", \\\"y\\\": 2}\"}",
        QByteArray("{\"widget.clock.enabled\": true, ") + "\xff\xfe}",
    };
    for (const QByteArray &bytes : damaged) {
        SCOPED_TRACE(bytes.toStdString());
        store(bytes);
        {
            SettingsManager s(path());
            expectDefaults(s);
        }
        EXPECT_EQ(readFile(path()), bytes);  // loading never rewrites it
    }

    SettingsManager s(path());
    s.saveSetting(true, SettingsManager::enabledKey("battery"));
    SettingsManager reloaded(path());
    EXPECT_TRUE(reloaded.batteryEnabled());
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
