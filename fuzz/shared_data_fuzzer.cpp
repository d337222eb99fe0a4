// Any bytes in the shared file: the decoder returns a record or nothing, and a
// decoded record encodes and decodes back to itself.
#include "SharedWidgetDataJson.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto decoded = decodeSharedWidgetData(bytes);
    if (!decoded)
        return 0;
    const auto encoded = encodeSharedWidgetData(*decoded);
    if (!encoded || decodeSharedWidgetData(*encoded) != decoded)
        std::abort();
    return 0;
}
