// Any bytes under "weather" or a position key, and any settings file.
#include "settings/SettingsFile.h"
#include "settings/SettingsRecords.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto w = decodeWeatherSettings(bytes)) {
        const auto again = encodeWeatherSettings(*w);
        if (!again || decodeWeatherSettings(*again) != w)
            std::abort();
    }
    if (const auto p = decodePosition(bytes)) {
        if (!(std::abs(p->x) <= 32768 && std::abs(p->y) <= 32768))
            std::abort();
        const auto again = encodePosition(*p);
        if (!again || decodePosition(*again) != p)
            std::abort();
    }
    // What the store writes back it reads back the same.
    if (const auto values = decodeSettingsFile(bytes)) {
        if (decodeSettingsFile(encodeSettingsFile(*values)) != values)
            std::abort();
    }
    return 0;
}
