#include "JsonSettingsFormat.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace {

QVariant fromJson(const QJsonValue &value)
{
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        QStringList strings;
        for (const QJsonValue &v : array) {
            if (!v.isString())
                return array.toVariantList();  // not a string list: readers fall back to defaults
            strings.append(v.toString());
        }
        return strings;
    }
    return value.toVariant();
}

QJsonValue toJson(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    case QMetaType::QStringList:
        return QJsonArray::fromStringList(value.toStringList());
    default:
        return QJsonValue::fromVariant(value);
    }
}

}  // namespace

bool readJsonSettings(QIODevice &device, QSettings::SettingsMap &map)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(device.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return false;
    const QJsonObject object = doc.object();
    for (auto it = object.begin(); it != object.end(); ++it)
        if (!it.value().isNull())
            map.insert(it.key(), fromJson(it.value()));
    return true;
}

bool writeJsonSettings(QIODevice &device, const QSettings::SettingsMap &map)
{
    QJsonObject object;
    for (auto it = map.begin(); it != map.end(); ++it)
        object.insert(it.key(), toJson(it.value()));
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    return device.write(bytes) == bytes.size();
}

QSettings::Format jsonSettingsFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat("json", readJsonSettings, writeJsonSettings, Qt::CaseSensitive);
    return format;
}
