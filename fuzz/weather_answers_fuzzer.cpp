// Any bytes as an answer of the three weather services: each decoder returns a
// record or nothing, and a decoded record encodes and decodes back to itself.
#include "monitors/WeatherRecords.h"

#include <cstdint>
#include <cstdlib>

namespace {

template <typename Decode, typename Encode>
void roundTrip(const QByteArray &bytes, Decode decode, Encode encode)
{
    const auto decoded = decode(bytes, nullptr);
    if (!decoded)
        return;
    const auto encoded = encode(*decoded);
    if (encoded && decode(*encoded, nullptr) != decoded)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    roundTrip(bytes, decodeIPLocation, encodeIPLocation);
    roundTrip(bytes, decodeGeocodingResponse, encodeGeocodingResponse);
    roundTrip(bytes, decodeWeatherResponse, encodeWeatherResponse);
    return 0;
}
