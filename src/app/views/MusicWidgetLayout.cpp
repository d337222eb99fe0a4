#include "MusicWidgetLayout.h"

#include "Colors.h"
#include "ExactSizeText.h"
#include "Fonts.h"
#include "MusicVisualizer.h"

#include <QFontMetricsF>

using namespace pellix::ui;

QColor musicAccentColor(const std::optional<QString> &source)
{
    return source == QLatin1String("spotify") ? spotifyGreen() : musicPink();
}

QString musicPlayerName(const std::optional<QString> &source, const QString &playerName)
{
    if (source == QLatin1String("spotify"))
        return QStringLiteral("Spotify");
    return playerName.isEmpty() ? QStringLiteral("Apple Music") : playerName;
}

QString musicBadgeText(const std::optional<QString> &source, const QString &playerName)
{
    return musicPlayerName(source, playerName).toUpper();
}

QString musicFieldText(const std::optional<QString> &field)
{
    return field ? *field : QStringLiteral("\u2014");
}

MusicTextStyle musicBadgeStyle() { return {systemFont(9.5, Weight::Bold, 0.8), white(0.55)}; }
MusicTextStyle musicTitleStyle(bool medium) { return {systemFont(medium ? 17 : 13, Weight::Semibold), white()}; }
MusicTextStyle musicArtistStyle(bool medium) { return {systemFont(medium ? 13 : 11, Weight::Regular), white(0.55)}; }
MusicTextStyle musicWaitingStyle() { return {systemFont(13, Weight::Medium), white(0.55)}; }

double musicMediumTextsHeight()
{
    return TextMetrics(musicBadgeStyle().font).height() + kMediumTextSpacing
        + QFontMetricsF(musicTitleStyle(true).font).height() + kMediumTextSpacing
        + QFontMetricsF(musicArtistStyle(true).font).height();
}

MusicLayout musicLayout(bool playing, const QString &size)
{
    if (!playing)
        return MusicLayout::Waiting;
    return size == QLatin1String("small") ? MusicLayout::Small : MusicLayout::Medium;
}

MusicMediumGeometry musicMediumGeometry(const QRectF &content)
{
    constexpr double kColumnPadding = 20, kButtonSpacing = 16, kMeterLift = 10, kHeaderSpacing = 8;
    constexpr double kSmallButton = 32, kLargeButton = 40;
    MusicMediumGeometry g;
    g.art = QRectF(content.left(), content.center().y() - kMediumArtSize / 2, kMediumArtSize, kMediumArtSize);
    g.column = QRectF(g.art.right() + kColumnPadding, content.top(), 0, content.height());
    g.column.setRight(content.right());

    const QSizeF meter = MusicVisualizer::barsSize();
    const double textsHeight = musicMediumTextsHeight();
    g.texts = QRectF(g.column.left(), g.column.top(),
                     qMax(0.0, g.column.width() - meter.width() - 2 * kHeaderSpacing), textsHeight);
    // In the header row the meter is centred on the texts, then lifted.
    g.meter = QRectF(QPointF(g.column.right() - meter.width(),
                             g.texts.center().y() - meter.height() / 2 - kMeterLift), meter);

    const double rowTop = g.column.bottom() - kLargeButton;
    const auto button = [&](double x, double diameter) {
        return QRectF(x, rowTop + (kLargeButton - diameter) / 2, diameter, diameter);
    };
    g.previous = button(g.column.left(), kSmallButton);
    g.playPause = button(g.previous.right() + kButtonSpacing, kLargeButton);
    g.next = button(g.playPause.right() + kButtonSpacing, kSmallButton);
    return g;
}
