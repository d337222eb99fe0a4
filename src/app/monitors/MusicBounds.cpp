#include "MusicBounds.h"

#include <QTextBoundaryFinder>

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
    // Only a window is cleaned, so a 10 M-character title costs no more than a
    // short one; it is wider than the cut because cleaning shortens it.
    const QStringView window = QStringView(text).left(2 * maxLength + 16);
    QString kept;
    kept.reserve(window.size());
    for (const QChar c : window) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph || c == u' ') {
            // Line breaks, tabs and the like would cut a one-line label: one space per run.
            if (!kept.isEmpty() && kept.back() != u' ')
                kept.append(u' ');
        } else if (!isBidiControl(c.unicode())) {
            kept.append(c);
        }
    }
    // Cut where a character ends as a reader sees it: never inside an emoji
    // sequence or between a letter and its marks. Where the window itself cut
    // the text, its last cluster may be incomplete and goes too.
    qsizetype end = qMin(kept.size(), maxLength);
    if (end < kept.size() || window.size() < text.size()) {
        QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, kept);
        clusters.setPosition(end);
        if (!clusters.isAtBoundary() || end == kept.size())
            end = qMax<qsizetype>(0, clusters.toPreviousBoundary());
    }
    kept.truncate(end);
    if (!kept.isEmpty() && kept.back() == u' ')
        kept.chop(1);
    return kept;
}

bool hasVisibleText(const QString &text)
{
    for (const QChar c : text) {
        switch (c.category()) {
        case QChar::Separator_Space:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
        case QChar::Other_Control:
        case QChar::Other_Format:  // zero-width spaces and joiners, direction marks
        case QChar::Mark_NonSpacing:
        case QChar::Mark_Enclosing:
            continue;
        default:
            // The Hangul fillers are letters that draw nothing.
            if (c != u'\u115F' && c != u'\u1160' && c != u'\u3164' && c != u'\uFFA0')
                return true;
        }
    }
    return false;
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
