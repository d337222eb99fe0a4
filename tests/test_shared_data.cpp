#include "SharedDataFile.h"
#include "SharedWidgetDataJson.h"
#include "settings/SettingsManager.h"
#include "test_support.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sys/stat.h>
#include <tuple>

using pellix::test::readFile;
using pellix::test::writeFile;

namespace {

QJsonObject fileObject(const QString &path)
{
    return QJsonDocument::fromJson(readFile(path)).object();
}

class SharedFileTest : public ::testing::Test {
protected:
    SharedFileTest() : settings(dir.path() + "/settings.json") { settings.setSharedDataPath(file()); }
    QString file() const { return dir.path() + "/group/widget-data.json"; }
    void publish(const std::function<void(SharedWidgetData &)> &change)
    {
        SharedWidgetData d = settings.sharedData();
        change(d);
        settings.setSharedData(d);
        settings.updateSharedWidgetData();
    }

    QTemporaryDir dir;
    SettingsManager settings;
};

}  // namespace

TEST_F(SharedFileTest, WrittenShapes)
{
    // A fresh start with only the clock: the style is the single key, taken at write time.
    settings.setClockStyle("digital");
    settings.updateSharedWidgetData();
    EXPECT_EQ(readFile(file()), R"({"clockStyle":"digital"})");
    EXPECT_FALSE(settings.sharedData().clockStyle.has_value());

    publish([](SharedWidgetData &d) { d.battery = QList<BatteryDevice>{}; });
    EXPECT_TRUE(fileObject(file()).value("battery").isArray());

    // The music record's shapes, playing and not: system/now_playing.sh reads them whole.
    publish([](SharedWidgetData &d) { d.weather = WeatherData{"Milano", 21.5, 3, std::nullopt}; });
    const QJsonObject weather = fileObject(file()).value("weather").toObject();
    EXPECT_FALSE(weather.contains("apparent"));
    EXPECT_EQ(weather.value("code").toInteger(), 3);
    EXPECT_FALSE(readFile(file()).contains('\n'));  // compact
}

TEST_F(SharedFileTest, NonFiniteNumberLeavesTheFileAsItWas)
{
    publish([](SharedWidgetData &d) { d.weather = WeatherData{"Roma", 18.0, 1, 17.0}; });
    const QByteArray before = readFile(file());
    publish([](SharedWidgetData &d) { d.weather->temp = std::nan(""); });
    EXPECT_EQ(readFile(file()), before);
    publish([](SharedWidgetData &d) { d.weather = WeatherData{"Roma", 1.0, 1, -INFINITY}; });
    EXPECT_EQ(readFile(file()), before);
}

TEST_F(SharedFileTest, AnUnchangedRecordLeavesTheDiskAlone)
{
    const auto stamp = [this] {
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(file()).constData(), &st), 0);
        return std::tuple(st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    };
    publish([](SharedWidgetData &d) { d.battery = QList<BatteryDevice>{{"macbook", "MacBook", 80, true, "macbook"}}; });
    const auto written = stamp();
    publish([](SharedWidgetData &) {});
    EXPECT_EQ(stamp(), written);

    publish([](SharedWidgetData &d) { (*d.battery)[0].percent = 79; });
    EXPECT_NE(stamp(), written);
    const QByteArray latest = readFile(file());
    EXPECT_TRUE(latest.contains("\"percent\":79"));

    // Changed or removed behind the writer's back: written again.
    for (const auto &meddle : std::initializer_list<std::function<void()>>{
             [this] { ASSERT_TRUE(writeFile(file(), "{}")); }, [this] { ASSERT_TRUE(QFile::remove(file())); }}) {
        meddle();
        settings.updateSharedWidgetData();
        EXPECT_EQ(readFile(file()), latest);
    }
}

TEST(SharedWidgetDataJson, FullRecordRoundTrips)
{
    SharedWidgetData d;
    d.battery = QList<BatteryDevice>{{"macbook", "MacBook", 100, true, "macbook"},
                                     {"magic-mouse", "Magic Mouse", 42, false, "mouse"},
                                     {"magic-mouse", "Magic Mouse", 7, false, "mouse"}};
    d.clockStyle = "analog";
    d.weather = WeatherData{"San Donà di Piave", -2.5, 95, 0.1 + 0.2};
    d.music = MusicData{"Song", "A One, A Two", "https://i.scdn.co/image/ab67", "spotify", true};
    const auto bytes = encodeSharedWidgetData(d);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(decodeSharedWidgetData(*bytes), d);
    EXPECT_EQ(decodeSharedWidgetData(*encodeSharedWidgetData(SharedWidgetData{})), SharedWidgetData{});
}

TEST(SharedWidgetDataJson, StrictDecoding)
{
    const QByteArray device = R"({"id":"macbook","name":"MacBook","percent":80,"charging":true,"type":"macbook"})";
    struct Case {
        const char *what;
        QByteArray json;
        bool readable;
    };
    const Case cases[] = {
        {"empty object", "{}", true},
        {"keys in any order, unknown keys at every level ignored",
         R"({"x":1,"weather":{"zz":[1],"temp":3},"music":{"playing":false,"more":{}},"battery":[{"type":"t","extra":null,"charging":false,"percent":1,"name":"n","id":"i"}]})",
         true},
        {"null optionals are absent", R"({"weather":null,"music":null,"battery":null,"clockStyle":null})", true},
        {"null fields inside weather", R"({"weather":{"city":null,"temp":null,"code":null}})", true},
        {"music without playing", R"({"music":{"track":"t"}})", false},
        {"music with playing null", R"({"music":{"playing":null}})", false},
        {"device without type", R"({"battery":[{"id":"a","name":"b","percent":1,"charging":false}]})", false},
        {"percent as a string", R"({"battery":[{"id":"a","name":"b","percent":"1","charging":false,"type":"x"}]})", false},
        {"percent with a fraction", R"({"battery":[{"id":"a","name":"b","percent":1.5,"charging":false,"type":"x"}]})", false},
        {"percent beyond 64 bits", R"({"battery":[{"id":"a","name":"b","percent":1e30,"charging":false,"type":"x"}]})", false},
        {"charging as a number", R"({"battery":[{"id":"a","name":"b","percent":1,"charging":1,"type":"x"}]})", false},
        {"battery as an object", "{\"battery\":" + device + "}", false},
        {"a device that is not an object", R"({"battery":[1]})", false},
        {"one bad device spoils the list", "{\"battery\":[" + device + ",{}]}", false},
        {"code with a fraction", R"({"weather":{"code":1.5}})", false},
        {"temp as a string", R"({"weather":{"temp":"20"}})", false},
        {"weather as an array", R"({"weather":[]})", false},
        {"clockStyle as a number", R"({"clockStyle":1})", false},
        {"top level array", "[]", false},
        {"empty file", "", false},
        {"trailing garbage", "{} {}", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(decodeSharedWidgetData(c.json).has_value(), c.readable) << c.what;

    EXPECT_EQ(decodeSharedWidgetData(R"({"weather":{"code":3.0,"city":null},"battery":[]})"),
              (SharedWidgetData{QList<BatteryDevice>{}, {}, WeatherData{{}, {}, 3, {}}, {}}));

    // Values the app would never write are read within its bounds, the rest of the file kept.
    const std::pair<QByteArray, SharedWidgetData> bounded[] = {
        {R"({"weather":{"temp":1.7e308,"apparent":-300,"code":2}})", {{}, {}, WeatherData{{}, {}, 2, {}}, {}}},
        {R"({"weather":{"temp":-100,"apparent":100}})", {{}, {}, WeatherData{{}, -100.0, {}, 100.0}, {}}},
        {R"({"battery":[{"id":"a","name":"N\u0007)" + QByteArray(70, 'x') + R"(","percent":4000,"charging":false,"type":"mouse"},)"
         R"({"id":"b","name":"b","percent":-5,"charging":true,"type":"watch"}]})",
         {QList<BatteryDevice>{{"a", "N" + QString(63, 'x'), 100, false, "mouse"}, {"b", "b", 0, true, "watch"}}, {}, {}, {}}},
    };
    for (const auto &[json, expected] : bounded)
        EXPECT_EQ(decodeSharedWidgetData(json), expected) << json.constData();
}

TEST(SharedDataLocation, PlatformContainerElseHomeFallback)
{
    EXPECT_EQ(resolveSharedDirectory("/data/group.com.pellixwidget", "/home/u"), "/data/group.com.pellixwidget");
    EXPECT_EQ(resolveSharedDirectory("", "/home/u"), "/home/u/Library/Group Containers/group.com.pellixwidget");

    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    ASSERT_FALSE(dataHome.isEmpty());  // set by the test main: never the real user's
    // The reader meeting the app's writer there: system/extension_host.sh.
    EXPECT_EQ(sharedDataFilePath(), dataHome + "/group.com.pellixwidget/widget-data.json");
}
