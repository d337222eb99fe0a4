#include "ValueBounds.h"

#include <cmath>

namespace bounds {

int64_t clampPercent(int64_t percent) { return percent < 0 ? 0 : percent > 100 ? 100 : percent; }

std::optional<int64_t> percentFromDouble(double percent)
{
    if (!std::isfinite(percent))
        return std::nullopt;
    // Clamped before rounding: llround of a value beyond int64 has no defined result.
    return int64_t(std::llround(std::fmin(std::fmax(percent, 0.0), 100.0)));
}

QString displayName(const QString &name, qsizetype maxCharacters)
{
    QString shown;
    shown.reserve(qMin(name.size(), 2 * maxCharacters));
    qsizetype characters = 0;
    for (qsizetype i = 0; i < name.size() && characters < maxCharacters; ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            shown += c;
            shown += name[++i];
        } else if (c.isSurrogate() || c.category() == QChar::Other_Control) {
            continue;
        } else {
            shown += c;
        }
        ++characters;
    }
    return shown;
}

bool isPlausibleCelsius(double celsius) { return std::isfinite(celsius) && std::fabs(celsius) <= 100.0; }

std::optional<double> plausibleCelsius(std::optional<double> celsius)
{
    return celsius && isPlausibleCelsius(*celsius) ? celsius : std::nullopt;
}

}  // namespace bounds
