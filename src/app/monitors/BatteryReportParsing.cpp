#include "BatteryReportParsing.h"

#include "ValueBounds.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace battery {

namespace {

// Group 1 of the first match, or nothing.
std::optional<QString> firstCapture(const QString &pattern, const QString &text)
{
    const QRegularExpression re(pattern);
    if (!re.isValid())
        return std::nullopt;
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch() || m.capturedStart(1) < 0)
        return std::nullopt;
    return m.captured(1);
}

int64_t percentFrom(const QString &pattern, const QString &text)
{
    const std::optional<QString> digits = firstCapture(pattern, text);
    if (!digits)
        return 100;
    bool ok = false;
    const qlonglong value = digits->toLongLong(&ok, 10);
    return ok ? int64_t(value) : 100;
}

const QStringList &driverClassNames()
{
    static const QStringList names{"AppleDeviceManagementHIDEventService", "AppleBluetoothHIDDevice",
                                   "AppleDeviceBluetoothHIDDriver"};
    return names;
}

QString nameFromBlock(const QString &block)
{
    for (const char *key : {"Product", "DeviceProduct", "Name"}) {
        const QString pattern = QStringLiteral("\"?%1\"?\\s*=\\s*\"([^\"]+)\"").arg(QLatin1String(key));
        if (const std::optional<QString> name = firstCapture(pattern, block))
            return *name;
    }
    // No property names it: fall back to the entry's tree line.
    static const QRegularExpression newlines(QStringLiteral("[\\n\\r\\x{0B}\\x{0C}\\x{85}\\x{2028}\\x{2029}]"));
    const QString firstLine = block.split(newlines).value(0);
    if (const std::optional<QString> name =
            firstCapture(QStringLiteral("\\+-o\\s+([^<]+?)\\s+<class"), QStringLiteral("+-o") + firstLine))
        return name->trimmed();
    return {};
}

}  // namespace

QString decodeUtf8OrEmpty(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString() : text;
}

int64_t powerReportPercent(const QString &report)
{
    return percentFrom(QStringLiteral("(\\d+)%"), report);
}

bool powerReportCharging(const QString &report)
{
    if (report.contains(QLatin1String("drawing from 'AC Power'")))
        return true;
    if (report.contains(QLatin1String("charging")))
        return !report.contains(QLatin1String("discharging"));
    return false;
}

BatteryDevice computerEntry(int64_t percent, bool charging)
{
    return BatteryDevice{"macbook", "MacBook", bounds::clampPercent(percent), charging, "macbook"};
}

BatteryDevice computerEntryFromPowerReport(const QString &report)
{
    return computerEntry(powerReportPercent(report), powerReportCharging(report));
}

QString accessoryType(const QString &name)
{
    const QString lower = name.toLower();
    if (lower.contains(QLatin1String("mouse")))
        return "mouse";
    if (lower.contains(QLatin1String("keyboard")))
        return "keyboard";
    if (lower.contains(QLatin1String("trackpad")))
        return "trackpad";
    if (lower.contains(QLatin1String("pencil")))
        return "pencil";
    if (lower.contains(QLatin1String("airpods")) || lower.contains(QLatin1String("headphone")))
        return "airpods";
    if (lower.contains(QLatin1String("watch")))
        return "watch";
    return "accessory";
}

QString accessoryId(const QString &name)
{
    return QString(name).replace(QLatin1Char(' '), QLatin1Char('-')).toLower();
}

BatteryDevice accessoryEntry(const QString &name, int64_t percent, const QString &type)
{
    const QString shown = bounds::displayName(name);
    return BatteryDevice{accessoryId(shown), shown, bounds::clampPercent(percent), false, type};
}

std::optional<BatteryDevice> accessoryFromRegistryBlock(const QString &block)
{
    if (!block.contains(QLatin1String("BatteryPercent")))
        return std::nullopt;
    QString name = bounds::displayName(nameFromBlock(block));
    const int64_t percent = percentFrom(QStringLiteral("\"?BatteryPercent\"?\\s*=\\s*(\\d+)"), block);
    if (driverClassNames().contains(name))
        name.clear();
    if (name.isEmpty())
        return std::nullopt;
    return accessoryEntry(name, percent, accessoryType(name));
}

QList<BatteryDevice> accessoriesFromRegistry(const QString &listing)
{
    QList<BatteryDevice> devices;
    for (const QString &block : listing.split(QStringLiteral("+-o")))
        if (std::optional<BatteryDevice> device = accessoryFromRegistryBlock(block))
            devices.append(*device);
    return devices;
}

}  // namespace battery
