// Any bytes as the output of the battery tools and as /etc/machine-info: the
// readers must return (never crash or hang), and what they return must hold
// together: the computer entry first and fixed, accessories with a name and the
// id made from it, a trimmed computer name.
#include "monitors/BatteryReportParsing.h"
#include "monitors/LinuxBatterySource.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = battery::decodeUtf8OrEmpty(bytes);
    // Valid input decodes to itself (a leading byte-order mark is dropped).
    const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    if (!text.isEmpty() && text.toUtf8() != body)
        std::abort();

    const BatteryDevice mac = battery::computerEntryFromPowerReport(text);
    if (mac.id != "macbook" || mac.name != "MacBook" || mac.type != "macbook")
        std::abort();

    for (const BatteryDevice &d : battery::accessoriesFromRegistry(text)) {
        if (d.name.isEmpty() || d.id != battery::accessoryId(d.name) || d.charging ||
            d.type != battery::accessoryType(d.name))
            std::abort();
    }

    const QString pretty = battery::prettyHostName(text);
    if (pretty != pretty.trimmed())
        std::abort();
    return 0;
}
