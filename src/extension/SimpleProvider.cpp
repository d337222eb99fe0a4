#include "SimpleProvider.h"

#include "PellixLogging.h"
#include "SharedDataFile.h"

#include <QFileInfo>

namespace pellix::extension {

QDateTime reloadDate(const QDateTime &now)
{
    const QDateTime later = now.addSecs(kReloadMinutes * 60);
    return later.isValid() ? later : now;
}

widgetkit::Timeline makeTimeline(const std::function<QDateTime()> &clock,
                                 const std::function<std::optional<SharedWidgetData>()> &read)
{
    const QDateTime now = clock();
    auto entry = std::make_shared<const WidgetEntry>(now, read());
    return {{entry}, widgetkit::ReloadPolicy::after(reloadDate(clock()))};
}

std::optional<SharedWidgetData> readSharedRegularFile()
{
    const QString path = sharedDataFilePath();
    if (!QFileInfo(path).isFile()) {
        qCInfo(lcExtension, "no data file at %s: the widgets show no data", qPrintable(path));
        return std::nullopt;
    }
    auto data = readSharedDataFile(path);
    if (!data)
        qCWarning(lcExtension, "%s cannot be read or decoded: the widgets show no data", qPrintable(path));
    return data;
}

std::shared_ptr<const WidgetEntry> SimpleProvider::placeholder(const widgetkit::TimelineContext &) const
{
    return std::make_shared<const WidgetEntry>(QDateTime::currentDateTime(), std::nullopt, true);
}

void SimpleProvider::getSnapshot(const widgetkit::TimelineContext &,
                                 const std::function<void(widgetkit::EntryPtr)> &completion) const
{
    completion(std::make_shared<const WidgetEntry>(QDateTime::currentDateTime(), readSharedRegularFile()));
}

void SimpleProvider::getTimeline(const widgetkit::TimelineContext &,
                                 const std::function<void(widgetkit::Timeline)> &completion) const
{
    // A lambda: Qt 6.8 overloads QDateTime::currentDateTime.
    completion(makeTimeline([] { return QDateTime::currentDateTime(); }, readSharedRegularFile));
}

}  // namespace pellix::extension
