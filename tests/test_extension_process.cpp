#include "extensions/ExtensionProtocol.h"
#include "extensions/ExtensionSupervisor.h"
#include "extensions/RestartRule.h"
#include "test_support.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace extensions;

// 1, 2, 4, 8 s between starts; the fifth failure within ten minutes stops it;
// failures older than that are forgotten.
TEST(RestartRule, GrowingDelaysThenGivesUp)
{
    RestartRule rule;
    qint64 now = 0;
    for (int delay : {1000, 2000, 4000, 8000}) {
        rule.failed(now);
        EXPECT_FALSE(rule.givesUp(now));
        EXPECT_EQ(rule.delayMs(now), delay);
        now += delay + 100;
    }
    rule.failed(now);
    EXPECT_TRUE(rule.givesUp(now));

    RestartRule spread;
    for (int i = 0; i < 10; ++i) {
        spread.failed(qint64(i) * 3 * 60 * 1000);  // one every three minutes
        EXPECT_FALSE(spread.givesUp(qint64(i) * 3 * 60 * 1000)) << i;
    }
    EXPECT_EQ(spread.delayMs(9ll * 3 * 60 * 1000), 8000);  // four within the window
}

namespace {

QByteArray png(const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return buffer.data();
}

QByteArray frameLine(const QByteArray &pngData, const QString &family, const QString &scale)
{
    return R"({"type":"frame","kind":"K","family":")" + family.toUtf8() + R"(","scale":)" + scale.toUtf8() +
           R"(,"png":")" + pngData.toBase64() + R"(","text":"t","extra":[1]})";
}

}  // namespace

// Whatever a process writes: lines past the cap are dropped whole, malformed
// or mis-sized messages are no messages, and a PNG is never decoded at a size
// other than the frame's.
TEST(ExtensionProtocol, DecodersSurviveAnyInput)
{
    LineSplitter lines;
    EXPECT_TRUE(lines.feed("{\"type\":").isEmpty());
    EXPECT_EQ(lines.feed("\"pong\",\"seq\":4}\nrest"), QList<QByteArray>{"{\"type\":\"pong\",\"seq\":4}"});
    const QList<QByteArray> afterHuge = lines.feed(QByteArray(kMaxLineBytes, 'x') + "\nnext\n");
    EXPECT_EQ(afterHuge, QList<QByteArray>{"next"});

    for (const QByteArray &junk : {QByteArray(""), QByteArray("[1,2]"), QByteArray("{\"type\":7}"),
                                   QByteArray("{\"type\":\"hello\"}"), QByteArray("{\"type\":\"pong\"}"),
                                   QByteArray("{\"type\":\"frame\",\"kind\":\"K\",\"png\":\"!!\"}"),
                                   QByteArray("\xff\xfe{")})
        EXPECT_TRUE(std::holds_alternative<std::monostate>(decodeChildMessage(junk))) << junk.constData();

    const auto frame = decodeChildMessage(frameLine(png({680, 340}), "medium", "2"));
    ASSERT_TRUE(std::holds_alternative<FrameMessage>(frame));
    EXPECT_EQ(std::get<FrameMessage>(frame).image.size(), QSize(680, 340));
    EXPECT_EQ(std::get<FrameMessage>(frame).image.devicePixelRatio(), 2);
    EXPECT_EQ(std::get<FrameMessage>(frame).text, "t");
    for (const auto &[size, family, scale] : {std::tuple{QSize(170, 170), "medium", "1"},
                                              std::tuple{QSize(170, 170), "small", "9"},
                                              std::tuple{QSize(171, 170), "small", "1"}})
        EXPECT_TRUE(std::holds_alternative<std::monostate>(decodeChildMessage(frameLine(png(size), family, scale))));
    // A header that claims 60000 × 60000 pixels: refused by its size, nothing allocated.
    QByteArray giant = png({170, 170});
    giant.replace(16, 8, QByteArray::fromHex("0000ea600000ea60"));
    EXPECT_TRUE(decodeFrameImage(giant.toBase64(), "small", 1).isNull());

    const auto hello = decodeChildMessage(
        R"({"type":"hello","id":"a.b","version":"1","api":"1.0","widgets":[{"kind":"W","name":"Wi\nde","families":["medium","huge"]},{"kind":"N","families":[]},7]})");
    ASSERT_TRUE(std::holds_alternative<HelloMessage>(hello));
    const QList<ExtensionWidgetInfo> widgets = std::get<HelloMessage>(hello).widgets;
    ASSERT_EQ(widgets.size(), 1);  // a widget without a family it can be shown in is left out
    EXPECT_EQ(widgets[0].name, "ext:W");
    EXPECT_EQ(widgets[0].displayName, "Wi de");
    EXPECT_EQ(widgets[0].families, QStringList{"medium"});
}

namespace {

// Processes this one started that still run.
int children()
{
    int count = 0;
    const QString self = QString::number(::getpid());
    for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile stat("/proc/" + pid + "/stat");
        if (stat.open(QIODevice::ReadOnly)) {
            const QByteArray text = stat.readAll();
            const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
            count += fields.size() > 1 && fields[1] == self.toUtf8();
        }
    }
    return count;
}

}  // namespace

// The real host finds the System example beside it and a file that is no
// plug-in: the catalog holds what each said of itself or why it is refused,
// the project's own extension is left out, and no process stays while no
// widget is shown; a shown widget gets its frames until it is hidden.
TEST(ExtensionSupervisor, FillsTheCatalogAndRunsOnlyWhatIsShown)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(pellix::test::writeFile(dir.filePath("nothing.so"), "no plug-in"));
    qputenv("PELLIX_EXTENSION_PATH", dir.path().toUtf8());
    qputenv("LANGUAGE", "de");  // the host speaks the app's language (Italian here), not the environment's
    ExtensionCatalog catalog;
    ExtensionSupervisor supervisor(catalog, PELLIX_BINARY_DIR "/src/host/pellix-widget-host");
    QSignalSpy learnt(&supervisor, &ExtensionSupervisor::widgetsLearnt);
    supervisor.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !learnt.isEmpty(); }, 15000));
    const QString name = "ext:PellixSystemWidget";
    EXPECT_EQ(learnt.first().first().toStringList(), QStringList{name});
    QStringList refused;
    for (const ExtensionInfo &extension : catalog.extensions()) {
        EXPECT_NE(extension.id, kOwnExtensionId);
        if (extension.state == ExtensionInfo::State::Refused)
            refused << QFileInfo(extension.path).fileName() + ": " + extension.reason;
    }
    EXPECT_EQ(refused, QStringList{"nothing.so: non è un plug-in Qt"});
    const ExtensionWidgetInfo *system = catalog.widget(name);
    ASSERT_TRUE(system);
    EXPECT_EQ(system->families, (QStringList{"small", "medium"}));
    EXPECT_EQ(system->displayName, "Sistema");
    EXPECT_EQ(catalog.extensionOf(name)->state, ExtensionInfo::State::Running);
    EXPECT_TRUE(QTest::qWaitFor([] { return children() == 0; }, 5000)) << "the process stays with nothing shown";

    QSignalSpy frames(&supervisor, &ExtensionSupervisor::frameArrived);
    supervisor.show(name, "medium", 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frames.isEmpty(); }, 10000));
    EXPECT_EQ(frames.first().at(1).value<QImage>().size(), QSize(340, 170));
    EXPECT_EQ(children(), 1);
    supervisor.hide(name);
    EXPECT_TRUE(QTest::qWaitFor([] { return children() == 0; }, 5000)) << "the process stays once hidden";
    qunsetenv("PELLIX_EXTENSION_PATH");
}
