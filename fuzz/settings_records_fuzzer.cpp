// Any bytes under "weather" or a position key, and any settings file.
#include "settings/JsonSettingsFormat.h"
#include "settings/SettingsRecords.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto w = decodeWeatherSettings(bytes)) {
        const auto again = encodeWeatherSettings(*w);
        if (!again || decodeWeatherSettings(*again) != w)
            std::abort();
    }
    if (const auto p = decodePosition(bytes)) {
        const auto again = encodePosition(*p);
        if (!again || decodePosition(*again) != p)
            std::abort();
    }
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    QSettings::SettingsMap map;
    if (readJsonSettings(in, map)) {
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        writeJsonSettings(buffer, map);
    }
    return 0;
}
