#include "WidgetEntry.h"

#include "SharedWidgetDataJson.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace pellix::extension {

WidgetEntry::WidgetEntry(const QDateTime &entryDate, std::optional<SharedWidgetData> entryData, bool isPlaceholder)
    : data(std::move(entryData)), placeholder(isPlaceholder)
{
    date = entryDate;
}

QJsonValue WidgetEntry::content() const
{
    if (!data)
        return QJsonValue::Null;
    // Decoded data is always encodable: the file's JSON cannot hold a non-finite number.
    const auto bytes = encodeSharedWidgetData(*data);
    return bytes ? QJsonValue(QJsonDocument::fromJson(*bytes).object()) : QJsonValue::Null;
}

}  // namespace pellix::extension
