#include "WeatherContentView.h"

#include "Emoji.h"
#include "ExactSizeText.h"
#include "Fonts.h"
#include "Shadow.h"
#include "WeatherText.h"
#include "monitors/SessionSight.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <functional>

using namespace pellix::ui;

namespace {

constexpr double kForecastWidth = 140;
constexpr double kDividerPadding = 16;
constexpr double kEmojiShadowBlur = 6;
constexpr QPointF kEmojiShadowOffset{0, 4};

double lineHeight(const QFont &font) { return TextMetrics(font).height(); }

// One line of text from `topLeft`, clipped with an ellipsis to `maxWidth`.
void drawLine(QPainter &p, const QPointF &topLeft, const QString &text, const QFont &font,
                const QColor &color, double maxWidth = 1e9)
{
    const TextMetrics metrics(font);
    p.setPen(color);
    const QString shown = metrics.elidedText(text, Qt::ElideRight, maxWidth);
    drawText(p, QRectF(topLeft, QSizeF(maxWidth, metrics.height())), Qt::AlignLeft | Qt::AlignTop, shown, font);
}

// Memoised: measuring a colour emoji makes FreeType decode its PNG bitmap.
QSizeF emojiSize(const QString &emoji, double size)
{
    static QHash<QString, QSizeF> sizes;
    const QString key = emoji + QString::number(size);
    if (const auto found = sizes.constFind(key); found != sizes.constEnd())
        return *found;
    const QFontMetricsF m(emojiFont(size));
    if (sizes.size() > 64)
        sizes.clear();
    return *sizes.insert(key, QSizeF(m.horizontalAdvance(emoji), m.height()));
}

// Colour emoji are bitmaps scaled down at every draw, the costliest part of a
// frame; each is rendered once per emoji, size and pixel ratio, with a margin
// wide enough for its shadow.
struct RenderedEmoji {
    QImage image;
    QImage shadow;
    double margin;
};

const RenderedEmoji &renderedEmoji(const QString &emoji, double size, double ratio)
{
    static QHash<QString, RenderedEmoji> cache;
    const QString key = emoji + QString::number(size) + '@' + QString::number(ratio);
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    const double margin = kEmojiShadowBlur * 2;
    const QSizeF glyph = emojiSize(emoji, size);
    QImage image(((glyph + QSizeF(2 * margin, 2 * margin)) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter ip(&image);
    drawEmoji(ip, QRectF(QPointF(margin, margin), glyph), emoji, size);
    ip.end();
    if (cache.size() > 64)
        cache.clear();
    return *cache.insert(key, {image, dropShadow(image, kEmojiShadowBlur, black(0.3)), margin});
}

double ratioOf(const QPainter &p) { return p.device() ? p.device()->devicePixelRatioF() : 1.0; }

void drawCachedEmoji(QPainter &p, const QPointF &topLeft, const QString &emoji, double size, bool shadow = false)
{
    const RenderedEmoji &r = renderedEmoji(emoji, size, ratioOf(p));
    const QPointF origin = topLeft - QPointF(r.margin, r.margin);
    if (shadow)
        p.drawImage(origin + kEmojiShadowOffset, r.shadow);
    p.drawImage(origin, r.image);
}

// A centred vertical stack of a top item `topHeight` high, `spacing`, and a caption.
void paintCentredStatus(QPainter &p, const QRectF &content, double topHeight, double spacing,
                        const QString &caption, const std::function<void(const QRectF &)> &drawTop)
{
    const QFont font = systemFont(10, Weight::Bold);
    const double total = topHeight + spacing + lineHeight(font);
    const double top = content.center().y() - total / 2;
    drawTop(QRectF(content.left(), top, content.width(), topHeight));
    p.setFont(font);
    p.setPen(white(0.55));
    p.drawText(QRectF(content.left(), top + topHeight + spacing, content.width(), lineHeight(font)),
               Qt::AlignHCenter | Qt::AlignTop, caption);
}

void paintMainColumn(QPainter &p, const QRectF &col, const WeatherResponse &w, const QString &city,
                     bool medium)
{
    const int64_t code = w.current.weathercode;
    // Header: the city on the left, the pictogram on the right, top-aligned, 12 apart.
    const QString emoji = wmoEmoji(code);
    const QSizeF glyph = emojiSize(emoji, 26);
    drawCachedEmoji(p, QPointF(col.right() - glyph.width(), col.top()), emoji, 26, true);
    drawLine(p, col.topLeft(), city, systemFont(15, Weight::Semibold), white(),
             qMax(0.0, col.width() - glyph.width() - 12));

    // Temperature, description and high/low, pushed to the bottom.
    const QFont temperatureFont = systemFont(medium ? 50 : 58, Weight::Thin, -3.5);
    const QFont descFont = systemFont(12.5, Weight::Medium);
    const QFont highLowFont = systemFont(12, Weight::Medium);
    const std::optional<QString> highLow = highLowText(w);
    const double stack = lineHeight(temperatureFont) + 2 + lineHeight(descFont)
                         + (highLow ? 1 + lineHeight(highLowFont) : 0);
    double y = col.bottom() - stack;
    drawLine(p, QPointF(col.left() - 2, y), temperatureText(w.current.temperature_2m), temperatureFont,
             white(), col.width() + 2);
    y += lineHeight(temperatureFont) + 2;
    drawLine(p, QPointF(col.left(), y), wmoDesc(code), descFont, white(), col.width());
    if (highLow)
        drawLine(p, QPointF(col.left(), y + lineHeight(descFont) + 1), *highLow, highLowFont, white(0.55),
                 col.width());
}

void paintForecastColumn(QPainter &p, const QRectF &col, const WeatherResponse::DailyForecast &daily)
{
    const QList<ForecastRow> rows = forecastRows(daily);
    if (rows.isEmpty())
        return;
    const QFont dayFont = systemFont(12, Weight::Medium);
    const QFont highFont = systemFont(12, Weight::Semibold);
    const QFont lowFont = systemFont(12, Weight::Regular);
    const double emojiHeight = emojiSize(rows.first().emoji, 16).height();
    const double rowHeight = qMax(lineHeight(dayFont), emojiHeight);
    const double total = rows.size() * rowHeight + (rows.size() - 1) * 4;
    double y = col.center().y() - total / 2;
    constexpr double kSpacing = 8;
    for (const ForecastRow &row : rows) {
        const auto textTop = [&](const QFont &f) { return y + (rowHeight - lineHeight(f)) / 2; };
        drawLine(p, QPointF(col.left(), textTop(dayFont)), row.day, dayFont, white(0.55), 42);
        const QSizeF glyph = emojiSize(row.emoji, 16);
        drawCachedEmoji(p, QPointF(col.left() + 42 + kSpacing, y + (rowHeight - glyph.height()) / 2), row.emoji, 16);
        const double lowWidth = QFontMetricsF(lowFont).horizontalAdvance(row.low);
        const double highWidth = QFontMetricsF(highFont).horizontalAdvance(row.high);
        const double lowX = col.right() - lowWidth;
        drawLine(p, QPointF(lowX, textTop(lowFont)), row.low, lowFont, white(0.35), lowWidth + 1);
        drawLine(p, QPointF(lowX - kSpacing - highWidth, textTop(highFont)), row.high, highFont, white(),
                 highWidth + 1);
        y += rowHeight + 4;
    }
}

}  // namespace

WeatherDataLayout weatherDataLayout(const QRectF &content, bool medium, bool hasDaily)
{
    if (!medium || !hasDaily)
        return {content, std::nullopt, std::nullopt};
    const QRectF forecast(content.right() - kForecastWidth, content.top(), kForecastWidth, content.height());
    const double lineX = forecast.left() - kDividerPadding - 1;
    const QRectF divider(lineX, content.top() + 4, 1, content.height() - 8);
    const QRectF main(content.left(), content.top(), lineX - kDividerPadding - content.left(), content.height());
    return {main, divider, forecast};
}

void paintWeatherContent(QPainter &p, const QRectF &content, const WeatherViewState &state, bool medium,
                         int spinnerPhase)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (state.loading) {
        constexpr double kSpinner = 32;
        paintCentredStatus(p, content, kSpinner, 12, WeatherContentView::tr("AGGIORNAMENTO…"),
                           [&](const QRectF &top) {
                               const QRectF box(top.center().x() - kSpinner / 2, top.top(), kSpinner, kSpinner);
                               drawSpinner(p, box, spinnerPhase, white());
                           });
    } else if (state.connectionError) {
        const QString globe = QString::fromUtf16(u"\U0001F310");
        const QSizeF glyph = emojiSize(globe, 24);
        paintCentredStatus(p, content, glyph.height(), 8, WeatherContentView::tr("ERRORE DI RETE"),
                           [&](const QRectF &top) {
                               drawCachedEmoji(p, QPointF(top.center().x() - glyph.width() / 2, top.top()), globe, 24);
                           });
    } else if (state.weatherData) {
        const WeatherResponse &w = *state.weatherData;
        const WeatherDataLayout layout = weatherDataLayout(content, medium, w.daily.has_value());
        paintMainColumn(p, layout.mainColumn, w, state.cityName, medium);
        if (layout.divider) {
            p.fillRect(*layout.divider, white(0.08));
            paintForecastColumn(p, *layout.forecastColumn, *w.daily);
        }
    }
    p.restore();
}

WeatherContentView::WeatherContentView(QWidget *parent) : QWidget(parent)
{
    // Presses fall through to the window, which drags the widget.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_spinner.setInterval(100);
    connect(&m_spinner, &QTimer::timeout, this, [this] {
        m_spinnerPhase = (m_spinnerPhase + 1) % kSpinnerSpokes;
        update();
    });
    SessionSight::shared().follow(this, [this](bool) { updateSpinner(); });
}

void WeatherContentView::setState(const WeatherViewState &state, bool medium)
{
    m_state = state;
    m_medium = medium;
    updateSpinner();
    update();
}

void WeatherContentView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintWeatherContent(p, QRectF(rect()), m_state, m_medium, m_spinnerPhase);
}

void WeatherContentView::showEvent(QShowEvent *)
{
    updateSpinner();
}

void WeatherContentView::hideEvent(QHideEvent *)
{
    updateSpinner();
}

// The spinner turns only while it is on screen and seen.
void WeatherContentView::updateSpinner()
{
    const bool run = m_state.loading && isVisible() && SessionSight::shared().sees(this);
    if (run && !m_spinner.isActive())
        m_spinner.start();
    else if (!run)
        m_spinner.stop();
}
