#include "MusicBounds.h"

namespace {

bool isBidiControl(char16_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::optional<QString> bounded(const std::optional<QString> &text, qsizetype maxLength)
{
    if (!text)
        return std::nullopt;
    return boundedPlayerText(*text, maxLength);
}

bool isDataUrl(const QString &url) { return url.startsWith(QLatin1String("data:"), Qt::CaseInsensitive); }

}  // namespace

QString boundedPlayerText(const QString &text, qsizetype maxLength)
{
    QString kept;
    kept.reserve(qMin(text.size(), maxLength));
    for (const QChar c : QStringView(text).left(maxLength)) {
        if (c.category() == QChar::Other_Control) {
            if (c.isSpace())
                kept.append(u' ');
        } else if (!isBidiControl(c.unicode())) {
            kept.append(c);
        }
    }
    if (!kept.isEmpty() && kept.back().isHighSurrogate())
        kept.chop(1);
    return kept;
}

NowPlaying boundedNowPlaying(NowPlaying playing)
{
    MusicData &m = playing.music;
    m.track = bounded(m.track, kMaxTrackTextLength);
    m.artist = bounded(m.artist, kMaxTrackTextLength);
    // Not shown as text, so only cut: "music\n" stays what the player said.
    if (m.source)
        m.source = m.source->left(kMaxTrackTextLength);
    if (m.artwork && m.artwork->size() > (isDataUrl(*m.artwork) ? kMaxDataUrlLength : kMaxArtUrlLength))
        m.artwork.reset();
    playing.name = boundedPlayerText(playing.name, kMaxPlayerNameLength);
    return playing;
}

MusicData publishedMusic(MusicData music)
{
    if (music.artwork && music.artwork->size() > kMaxArtUrlLength)
        music.artwork.reset();
    return music;
}
