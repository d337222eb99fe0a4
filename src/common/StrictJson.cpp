#include "StrictJson.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>

void StrictJson::fail(const QString &key)
{
    if (m_ok)
        m_failedKey = key;
    m_ok = false;
}

std::optional<QJsonValue> StrictJson::present(const QString &key, QJsonValue::Type type)
{
    const QJsonValue value = m_object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    if (value.type() != type) {
        fail(key);
        return std::nullopt;
    }
    return value;
}

std::optional<QString> StrictJson::optString(const QString &key)
{
    const auto v = present(key, QJsonValue::String);
    return v ? std::optional(v->toString()) : std::nullopt;
}

std::optional<bool> StrictJson::optBoolean(const QString &key)
{
    const auto v = present(key, QJsonValue::Bool);
    return v ? std::optional(v->toBool()) : std::nullopt;
}

std::optional<double> StrictJson::optNumber(const QString &key)
{
    const auto v = present(key, QJsonValue::Double);
    return v ? std::optional(v->toDouble()) : std::nullopt;
}

std::optional<int64_t> StrictJson::optInteger(const QString &key)
{
    const auto v = present(key, QJsonValue::Double);
    if (!v)
        return std::nullopt;
    const auto i = toInteger(*v);
    if (!i)
        fail(key);
    return i;
}

std::optional<QJsonObject> StrictJson::optObject(const QString &key)
{
    const auto v = present(key, QJsonValue::Object);
    return v ? std::optional(v->toObject()) : std::nullopt;
}

std::optional<QJsonArray> StrictJson::optArray(const QString &key)
{
    const auto v = present(key, QJsonValue::Array);
    return v ? std::optional(v->toArray()) : std::nullopt;
}

std::optional<int64_t> StrictJson::toInteger(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    // Qt keeps integer literals exact; two different fallbacks expose a value
    // that is not a whole number in range (a fraction, 1e300).
    const qint64 a = value.toInteger(0);
    const qint64 b = value.toInteger(1);
    if (a != b)
        return std::nullopt;
    return a;
}

std::optional<QList<QString>> StrictJson::toStrings(const QJsonArray &array)
{
    return toList(array, [](const QJsonValue &v) { return v.isString() ? std::optional(v.toString()) : std::nullopt; });
}

std::optional<QList<double>> StrictJson::toNumbers(const QJsonArray &array)
{
    return toList(array, [](const QJsonValue &v) { return v.isDouble() ? std::optional(v.toDouble()) : std::nullopt; });
}

std::optional<QList<int64_t>> StrictJson::toIntegers(const QJsonArray &array)
{
    return toList(array, toInteger);
}

std::optional<QJsonObject> parseJsonObject(const QByteArray &bytes, QString *why)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        if (why)
            *why = QStringLiteral("%1 at offset %2").arg(error.errorString()).arg(error.offset);
        return std::nullopt;
    }
    if (!doc.isObject()) {
        if (why)
            *why = QStringLiteral("not a JSON object");
        return std::nullopt;
    }
    return doc.object();
}
