// Any bytes as an osascript answer, as a player's text, as the payload of a
// data: URL and as cover art: the readers must return (never crash or hang),
// and what they return must hold together: a playing answer has its four first
// pieces, a bounded text is short and holds no control, bidi override or half
// surrogate pair, a decoded payload stays within its cap, a decoded image has a
// colour at full opacity and a display copy within its bound.
#include "monitors/AppleScriptPlayers.h"
#include "monitors/MusicBounds.h"
#include "views/MusicArtwork.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);

    const QStringList pieces = text.split(QStringLiteral("|||"));
    for (const bool keepArtwork : {true, false}) {
        const std::optional<MusicData> music = applescript::musicFromAnswer(text, keepArtwork);
        if (music.has_value() != (!text.isEmpty() && pieces.size() >= 4))
            std::abort();
        if (music && (!music->playing || music->track != pieces[0] || music->source != pieces[3] ||
                      (music->artwork && (!keepArtwork || music->artwork->isEmpty()))))
            std::abort();
    }

    const QString bounded = boundedPlayerText(text, 16);
    if (bounded.size() > 16 || (!bounded.isEmpty() && bounded.back().isHighSurrogate()))
        std::abort();
    for (const QChar c : bounded)
        if (c.category() == QChar::Other_Control || (c >= QChar(0x202A) && c <= QChar(0x202E)) ||
            (c >= QChar(0x2066) && c <= QChar(0x2069)))
            std::abort();

    constexpr qint64 cap = 4096;
    for (const QString &prefix : {QStringLiteral("data:image/png;base64,"), QStringLiteral("data:,")})
        if (const std::optional<QByteArray> payload = decodeDataUrl(prefix + text, cap); payload && payload->size() > cap)
            std::abort();

    if (const std::optional<Artwork> art = decodeArtwork(bytes)) {
        if (!art->averageColor || art->averageColor->alpha() != 255 || art->image.isNull() ||
            art->image.width() > kArtworkDisplaySize || art->image.height() > kArtworkDisplaySize)
            std::abort();
    }
    return 0;
}
