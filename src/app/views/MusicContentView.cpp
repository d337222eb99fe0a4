#include "MusicContentView.h"

#include "Colors.h"
#include "ContinuousRect.h"
#include "Emoji.h"
#include "ExactSizeText.h"
#include "GlassStyle.h"
#include "MusicVisualizer.h"
#include "MusicWidgetLayout.h"
#include "Shadow.h"
#include "TransportButton.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <functional>

using namespace pellix::ui;

namespace {

const QString kNote = QString::fromUtf16(u"\U0001F3B5");
constexpr double kNoteSize = 32;

struct ArtShadow {
    double blur;
    double opacity;
    QPointF offset;
};
constexpr ArtShadow kImageShadow{10, 0.45, {0, 8}};
constexpr ArtShadow kPlaceholderShadow{8, 0.3, {0, 6}};

double lineHeight(const QFont &font) { return TextMetrics(font).height(); }

void drawLine(QPainter &p, const QRectF &rect, const QString &text, const MusicTextStyle &style,
              Qt::Alignment alignment)
{
    p.setPen(style.color);
    const QString shown = TextMetrics(style.font).elidedText(text, Qt::ElideRight, rect.width());
    drawText(p, rect, int(alignment | Qt::AlignVCenter), shown, style.font);
}

// Draws `paint` (which draws into a rectangle of `size` at the origin) at
// `topLeft`, with a soft shadow of what it drew beneath it.
void drawWithShadow(QPainter &p, const QPointF &topLeft, const QSizeF &size, const ArtShadow &shadow,
                    const std::function<void(QPainter &)> &paint)
{
    const double ratio = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    const double margin = 2 * shadow.blur;
    QImage layer(((size + QSizeF(2 * margin, 2 * margin)) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.setRenderHint(QPainter::SmoothPixmapTransform);
        lp.translate(margin, margin);
        paint(lp);
    }
    const QPointF origin = topLeft - QPointF(margin, margin);
    p.drawImage(origin + shadow.offset, dropShadow(layer, shadow.blur, black(shadow.opacity)));
    p.drawImage(origin, layer);
}

void paintArt(QPainter &p, const QRectF &frame, const QImage &art)
{
    const QRectF local(QPointF(0, 0), frame.size());
    const QPainterPath shape = continuousRoundedRect(local, kArtCornerRadius);
    if (!art.isNull()) {
        drawWithShadow(p, frame.topLeft(), frame.size(), kImageShadow, [&](QPainter &lp) {
            lp.setClipPath(shape);
            // Scaled to fill the frame, aspect kept, the overflow cut evenly.
            const QSizeF filled = QSizeF(art.size()).scaled(local.size(), Qt::KeepAspectRatioByExpanding);
            lp.drawImage(QRectF(local.center() - QPointF(filled.width() / 2, filled.height() / 2), filled), art);
        });
        return;
    }
    drawWithShadow(p, frame.topLeft(), frame.size(), kPlaceholderShadow, [&](QPainter &lp) {
        QLinearGradient fill(local.topLeft(), local.bottomRight());
        fill.setColorAt(0, rgba(255, 55, 95, 0.25));
        fill.setColorAt(1, rgba(255, 159, 10, 0.25));
        lp.fillPath(shape, fill);
        lp.setOpacity(0.7);
        drawEmoji(lp, local, kNote, kNoteSize);
    });
}

void paintWaiting(QPainter &p, const QRectF &content)
{
    const MusicTextStyle caption = musicWaitingStyle();
    const QString text = MusicContentView::tr("In attesa di musica…");
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    const QRectF textBox = QFontMetricsF(caption.font).boundingRect(QRectF(0, 0, content.width(), 1e4), flags, text);
    const double noteHeight = lineHeight(emojiFont(kNoteSize));
    const double top = content.center().y() - (noteHeight + 8 + textBox.height()) / 2;
    drawEmoji(p, QRectF(content.left(), top, content.width(), noteHeight), kNote, kNoteSize);
    p.setFont(caption.font);
    p.setPen(caption.color);
    p.drawText(QRectF(content.left(), top + noteHeight + 8, content.width(), textBox.height()), flags, text);
}

void paintSmall(QPainter &p, const QRectF &content, const MusicData &music, const QImage &art)
{
    const MusicTextStyle title = musicTitleStyle(false), artist = musicArtistStyle(false);
    const double total = kSmallArtSize + kSmallStackSpacing + lineHeight(title.font) + kSmallTextSpacing
        + lineHeight(artist.font);
    double y = content.center().y() - total / 2;
    paintArt(p, QRectF(content.center().x() - kSmallArtSize / 2, y, kSmallArtSize, kSmallArtSize), art);
    y += kSmallArtSize + kSmallStackSpacing;
    drawLine(p, QRectF(content.left(), y, content.width(), lineHeight(title.font)), musicFieldText(music.track), title,
             Qt::AlignHCenter);
    y += lineHeight(title.font) + kSmallTextSpacing;
    drawLine(p, QRectF(content.left(), y, content.width(), lineHeight(artist.font)), musicFieldText(music.artist),
             artist, Qt::AlignHCenter);
}

void paintMedium(QPainter &p, const QRectF &content, const MusicData &music, const QString &playerName,
                 const QImage &art)
{
    const MusicMediumGeometry g = musicMediumGeometry(content);
    paintArt(p, g.art, art);
    const std::pair<QString, MusicTextStyle> lines[] = {
        {musicBadgeText(music.source, playerName), musicBadgeStyle()},
        {musicFieldText(music.track), musicTitleStyle(true)},
        {musicFieldText(music.artist), musicArtistStyle(true)},
    };
    double y = g.texts.top();
    for (const auto &[text, style] : lines) {
        const double h = lineHeight(style.font);
        drawLine(p, QRectF(g.texts.left(), y, g.texts.width(), h), text, style, Qt::AlignLeft);
        y += h + kMediumTextSpacing;
    }
}

}  // namespace

void paintMusicContent(QPainter &p, const QRectF &content, const MusicData &music, const QString &playerName,
                       const QImage &art, bool medium)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!music.playing)
        paintWaiting(p, content);
    else if (medium)
        paintMedium(p, content, music, playerName, art);
    else
        paintSmall(p, content, music, art);
    p.restore();
}

MusicContentView::MusicContentView(QWidget *parent)
    : QWidget(parent),
      m_meter(new MusicVisualizer(musicPink(), this)),
      m_previous(new TransportButton("backward.fill", 12, 32, white(0.08), tr("Brano precedente"), this)),
      m_playPause(new TransportButton("playpause.fill", 14, 40, musicPink(), tr("Riproduci"), this)),
      m_next(new TransportButton("forward.fill", 12, 32, white(0.08), tr("Brano successivo"), this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    const std::pair<TransportButton *, const char *> actions[] = {
        {m_previous, "previous"}, {m_playPause, "playpause"}, {m_next, "next"}};
    for (const auto &[button, action] : actions)
        connect(button, &QAbstractButton::clicked, this, [this, action = QString(action)] { emit commandRequested(action); });
    placeChildren();
}

QRectF MusicContentView::contentRect() const
{
    return QRectF(rect()).adjusted(kContentInset, kContentInset, -kContentInset, -kContentInset);
}

bool MusicContentView::showsControls() const { return m_music.playing && m_medium; }

void MusicContentView::setState(const MusicData &music, const QString &playerName, const QImage &art, bool medium)
{
    if (music == m_music && playerName == m_playerName && art.cacheKey() == m_art.cacheKey() && medium == m_medium)
        return;
    m_music = music;
    m_playerName = playerName;
    m_art = art;
    m_medium = medium;
    m_layer = QPixmap();
    // Named for what a press will do.
    const QString playPause = m_music.playing ? tr("Metti in pausa") : tr("Riproduci");
    if (m_playPause->accessibleName() != playPause)
        m_playPause->setAccessibleName(playPause);
    placeChildren();
    update();
}

void MusicContentView::placeChildren()
{
    const bool controls = showsControls();
    if (controls) {
        const MusicMediumGeometry g = musicMediumGeometry(contentRect());
        const QColor accent = musicAccentColor(m_music.source);
        m_meter->setColor(accent);
        m_playPause->setFill(accent);
        m_meter->move(g.meter.topLeft().toPoint());
        m_previous->move(g.previous.topLeft().toPoint());
        m_playPause->move(g.playPause.topLeft().toPoint());
        m_next->move(g.next.topLeft().toPoint());
    }
    for (QWidget *child : {static_cast<QWidget *>(m_meter), static_cast<QWidget *>(m_previous),
                           static_cast<QWidget *>(m_playPause), static_cast<QWidget *>(m_next)})
        child->setVisible(controls);
}

void MusicContentView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_layer = QPixmap();
    placeChildren();
}

void MusicContentView::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_layer.isNull() || m_layer.devicePixelRatio() != ratio) {
        m_layer = QPixmap((QSizeF(size()) * ratio).toSize());
        m_layer.setDevicePixelRatio(ratio);
        m_layer.fill(Qt::transparent);
        QPainter lp(&m_layer);
        paintMusicContent(lp, contentRect(), m_music, m_playerName, m_art, m_medium);
    }
    QPainter p(this);
    p.drawPixmap(0, 0, m_layer);
}
