#pragma once

// What the now-playing widget shows and where, decided from its state alone.

#include "SharedWidgetData.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

// Spotify's green for "spotify", the Music player's pink for anything else.
QColor musicAccentColor(const std::optional<QString> &source);
// "Spotify" for the source "spotify", else the player's own name (MPRIS), else "Apple Music".
QString musicPlayerName(const std::optional<QString> &source, const QString &playerName);
// The player badge, in capitals: "SPOTIFY" for the source "spotify", else the
// player's own name when it has one (MPRIS), else "APPLE MUSIC".
QString musicBadgeText(const std::optional<QString> &source, const QString &playerName);
// The field, or "—" when it is absent.
QString musicFieldText(const std::optional<QString> &field);

enum class MusicLayout { Waiting, Small, Medium };
// Waiting while nothing plays; the compact layout for "small", the wide one for any other size.
MusicLayout musicLayout(bool playing, const QString &size);

struct MusicTextStyle {
    QFont font;
    QColor color;
};
MusicTextStyle musicBadgeStyle();
MusicTextStyle musicTitleStyle(bool medium);
MusicTextStyle musicArtistStyle(bool medium);
MusicTextStyle musicWaitingStyle();
inline constexpr double kMediumTextSpacing = 1;
inline constexpr double kSmallTextSpacing = 2;
inline constexpr double kSmallStackSpacing = 10;
// Badge, title and artist stacked, as the medium layout shows them.
double musicMediumTextsHeight();

inline constexpr double kSmallArtSize = 82;
inline constexpr double kMediumArtSize = 124;
inline constexpr double kArtCornerRadius = 14;

// The medium layout inside the content rectangle: the art on the left, then
// (20 points further) a column with the texts at the top, the meter at their
// right and the three buttons at the bottom.
struct MusicMediumGeometry {
    QRectF art;
    QRectF column;
    QRectF texts;  // badge, title and artist, stacked
    QRectF meter;
    QRectF previous, playPause, next;
};
MusicMediumGeometry musicMediumGeometry(const QRectF &content);
