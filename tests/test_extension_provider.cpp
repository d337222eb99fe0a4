// The extension's provider against real files in the test's own home: what the
// placeholder, snapshot and timeline requests read, and the reload date.
#include "SharedDataFile.h"
#include "SimpleProvider.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

using namespace pellix::extension;

namespace {

const QByteArray kBattery = R"({"battery":[{"id":"macbook","name":"MacBook","percent":64,"charging":true,"type":"macbook"}]})";

class ProviderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(path);
        QDir().mkpath(sharedDirectory());
    }
    void TearDown() override { QFile::remove(path); }

    std::shared_ptr<const WidgetEntry> snapshot() const
    {
        std::shared_ptr<const WidgetEntry> result;
        provider.getSnapshot({}, [&](widgetkit::EntryPtr e) { result = std::dynamic_pointer_cast<const WidgetEntry>(e); });
        return result;
    }
    std::pair<std::shared_ptr<const WidgetEntry>, widgetkit::Timeline> timeline() const
    {
        widgetkit::Timeline result;
        provider.getTimeline({}, [&](widgetkit::Timeline t) { result = std::move(t); });
        EXPECT_EQ(result.entries.size(), 1);
        return {std::dynamic_pointer_cast<const WidgetEntry>(result.entries.value(0)), result};
    }

    const QString path = sharedDataFilePath();
    SimpleProvider provider;
};

// Opens of the file while `request` runs, seen through inotify.
int opensDuring(const QString &file, const std::function<void()> &request)
{
    const int fd = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(fd, QFile::encodeName(file).constData(), IN_OPEN | IN_ACCESS);
    request();
    int events = 0;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        events += int(n / sizeof(inotify_event));
    close(fd);
    return events;
}

}  // namespace

TEST_F(ProviderTest, PlaceholderNeverOpensTheFileEvenWhenItExists)
{
    ASSERT_TRUE(pellix::test::writeFile(path, kBattery));
    std::shared_ptr<const WidgetEntry> placeholder;
    EXPECT_EQ(opensDuring(path, [&] { placeholder = provider.placeholder({}); }), 0);
    EXPECT_FALSE(placeholder->data);
    EXPECT_TRUE(placeholder->placeholder);  // its views show sample values
    // The same file read by a snapshot: it is there and valid.
    EXPECT_GT(opensDuring(path, [&] { EXPECT_TRUE(snapshot()->data); }), 0);
    EXPECT_FALSE(snapshot()->placeholder);
}

// The entry is dated before the read, the reload counted from the clock read after it.
// (A request after the file changed reads it again: TimelineSession in
// test_extension_host, and the real host in system/extension_host.sh.)
TEST(Timeline, ReloadIsCountedFromTheTimeTakenAfterTheRead)
{
    const QDateTime t0(QDate(2026, 3, 29), QTime(1, 58, 0), QTimeZone::utc());
    QList<QDateTime> ticks{t0, t0.addSecs(7)};
    int clockCallsAtRead = -1;
    int calls = 0;
    const widgetkit::Timeline timeline = makeTimeline([&] { return ticks.value(calls++); },
                                                      [&] {
                                                          clockCallsAtRead = calls;
                                                          return std::optional<SharedWidgetData>();
                                                      });
    EXPECT_EQ(clockCallsAtRead, 1);
    EXPECT_EQ(timeline.entries.first()->date, t0);
    EXPECT_EQ(timeline.policy.kind, widgetkit::ReloadPolicy::After);
    EXPECT_EQ(timeline.policy.date, QDateTime(QDate(2026, 3, 29), QTime(2, 3, 7), QTimeZone::utc()));
    // No date five minutes on: the reload date is the moment itself.
    EXPECT_EQ(reloadDate(QDateTime()), QDateTime());
}

TEST_F(ProviderTest, DamagedFileGivesNoData)
{
    for (const QByteArray &damaged : {QByteArray(kBattery).chopped(3), QByteArray(R"({"music":{"track":"x"}})"),
                                      QByteArray("\xff\xfe\0garbage", 10), QByteArray()}) {
        ASSERT_TRUE(pellix::test::writeFile(path, damaged));
        EXPECT_FALSE(snapshot()->data) << damaged.toStdString();
        EXPECT_FALSE(timeline().first->data) << damaged.toStdString();
    }
}

// Opening a FIFO without a writer blocks: the request must not wait for one.
TEST_F(ProviderTest, FifoAtThePathReadsAsNoFile)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    auto request = std::async(std::launch::async, [this] { return timeline().first->data.has_value(); });
    if (request.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        QFile writer(path);  // let the blocked reader go
        writer.open(QIODevice::WriteOnly);
        writer.close();
        request.wait();
        FAIL() << "the timeline request blocked on the FIFO";
    }
    EXPECT_FALSE(request.get());
}
