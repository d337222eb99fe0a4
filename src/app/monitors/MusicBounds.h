#pragma once

// What the music monitor lets through from a player, whatever it sends: texts
// cut to a length a line can show and freed of control and bidi-override
// characters, art URLs of a sane length, so no answer can stall the layout or
// swell the shared file (the extension refuses files over 4 MiB).

#include "MusicPlayers.h"

inline constexpr qsizetype kMaxTrackTextLength = 300;   // title, artist, source
inline constexpr qsizetype kMaxPlayerNameLength = 32;   // the badge
inline constexpr qsizetype kMaxArtists = 20;
inline constexpr qsizetype kMaxArtUrlLength = 4096;
// A data: URL holds the image itself: base64 of the largest art decoded, 10 MiB.
inline constexpr qsizetype kMaxDataUrlLength = 14 * 1024 * 1024;

// At most `maxLength` UTF-16 units of `text`, cut between grapheme clusters;
// control characters (C0, DEL, C1) and line and paragraph separators become
// spaces, runs of spaces one space, none at either end; the bidi embeddings,
// overrides and isolates are dropped.
QString boundedPlayerText(const QString &text, qsizetype maxLength);

// Whether `text` draws anything: not only spaces, zero-width characters and marks.
bool hasVisibleText(const QString &text);

// The answer with every field bounded; an art URL over its limit is dropped
// (a cut URL would name another file).
NowPlaying boundedNowPlaying(NowPlaying playing);

// What of a bounded record the shared file gets: all but a data: art URL
// longer than any other URL may be.
MusicData publishedMusic(MusicData music);
