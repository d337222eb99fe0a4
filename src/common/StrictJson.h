#pragma once

// Strict field readers for decoding JSON records: a required key that is missing
// or null, or any value of the wrong JSON type, marks the whole decode as failed;
// an optional key that is missing or null reads as absent. Integers must be whole
// numbers that fit in 64 bits.

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>
#include <type_traits>

class StrictJson {
public:
    explicit StrictJson(const QJsonObject &object) : m_object(object) {}

    bool ok() const { return m_ok; }
    // Marks the decode as failed because of the value under `key`.
    void fail(const QString &key);
    // The first key whose value failed the decode (for diagnostics); empty while ok().
    QString failedKey() const { return m_failedKey; }

    QString string(const QString &key) { return required(key, optString(key)); }
    bool boolean(const QString &key) { return required(key, optBoolean(key)); }
    double number(const QString &key) { return required(key, optNumber(key)); }
    int64_t integer(const QString &key) { return required(key, optInteger(key)); }
    QJsonObject object(const QString &key) { return required(key, optObject(key)); }
    QJsonArray array(const QString &key) { return required(key, optArray(key)); }

    std::optional<QString> optString(const QString &key);
    std::optional<bool> optBoolean(const QString &key);
    std::optional<double> optNumber(const QString &key);
    std::optional<int64_t> optInteger(const QString &key);
    std::optional<QJsonObject> optObject(const QString &key);
    std::optional<QJsonArray> optArray(const QString &key);

    // Elements of arrays follow the same rules (null is not an element value).
    static std::optional<int64_t> toInteger(const QJsonValue &value);
    // Whole arrays of one element type; any other element fails the array.
    static std::optional<QList<QString>> toStrings(const QJsonArray &array);
    static std::optional<QList<double>> toNumbers(const QJsonArray &array);
    static std::optional<QList<int64_t>> toIntegers(const QJsonArray &array);

    // Every element through `read` (QJsonValue -> std::optional<T>); one failure fails the array.
    template <typename Read>
    static auto toList(const QJsonArray &array, Read read)
        -> std::optional<QList<typename std::invoke_result_t<Read, const QJsonValue &>::value_type>>
    {
        QList<typename std::invoke_result_t<Read, const QJsonValue &>::value_type> out;
        out.reserve(array.size());
        for (const QJsonValue &v : array) {
            auto element = read(v);
            if (!element)
                return std::nullopt;
            out.append(std::move(*element));
        }
        return out;
    }

private:
    template <typename T>
    T required(const QString &key, const std::optional<T> &value)
    {
        if (!value) {
            fail(key);
            return T{};
        }
        return *value;
    }
    // The value under key when present and not null; a wrong type fails the decode.
    std::optional<QJsonValue> present(const QString &key, QJsonValue::Type type);

    QJsonObject m_object;
    bool m_ok = true;
    QString m_failedKey;
};

// The bytes parsed as one JSON object, or nothing (with why: the parser's error
// and its offset, or that the document is not an object).
std::optional<QJsonObject> parseJsonObject(const QByteArray &bytes, QString *why = nullptr);
