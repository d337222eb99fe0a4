#include "Symbols.h"

#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QPainter>

namespace pellix::ui {

namespace {

// The one table from symbol name to Material Icons ligature. Add new symbols here.
const QHash<QString, QString> &table()
{
    static const QHash<QString, QString> t = {
        // devices
        {"laptopcomputer", "laptop"},
        {"applewatch", "watch"},
        {"mouse", "mouse"},
        {"computermouse", "mouse"},
        {"magicmouse", "mouse"},
        {"keyboard", "keyboard"},
        {"airpods", "headphones"},
        {"headphones", "headphones"},
        {"ipad.and.trackpad", "tablet_mac"},
        {"pencil", "edit"},
        {"battery.100", "battery_full"},
        {"bolt.fill", "bolt"},
        // music
        {"music.note", "music_note"},
        {"backward.fill", "skip_previous"},
        {"forward.fill", "skip_next"},
        {"play.fill", "play_arrow"},
        {"pause.fill", "pause"},
        {"playpause.fill", "play_arrow"},
        // weather
        {"sun.max.fill", "wb_sunny"},
        {"cloud.sun", "wb_cloudy"},
        {"cloud.sun.fill", "wb_cloudy"},
        {"cloud.fill", "cloud"},
        {"cloud.fog.fill", "blur_on"},
        {"cloud.drizzle.fill", "grain"},
        {"cloud.rain.fill", "umbrella"},
        {"snowflake", "ac_unit"},
        {"cloud.bolt.rain.fill", "flash_on"},
        // app and panel
        {"circle.grid.2x2.fill", "grid_view"},
        {"puzzlepiece.extension", "extension"},
        {"clock", "schedule"},
        {"checkmark.square.fill", "check_box"},
        {"square", "check_box_outline_blank"},
    };
    return t;
}

}  // namespace

std::optional<QString> symbolLigature(const QString &symbol)
{
    auto it = table().constFind(symbol);
    if (it == table().constEnd())
        return std::nullopt;
    return *it;
}

QStringList knownSymbols()
{
    QStringList names = table().keys();
    names.sort();
    return names;
}

QString symbolFamily()
{
    return QStringLiteral("Material Icons");
}

// Debian ships the font as TTF, WOFF and WOFF2, and Qt picks the WOFF2 it finds
// last: decompressing it costs about 5 ms of CPU in every process that draws a
// symbol. Registering the TTF again makes it the one used.
static void preferTrueTypeFile()
{
    static const bool once = [] {
        const QString ttf =
            QStringLiteral("/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf");
        if (QFile::exists(ttf))
            QFontDatabase::addApplicationFont(ttf);
        return true;
    }();
    (void)once;
}

QFont symbolFont(double size)
{
    preferTrueTypeFile();
    QFont font(symbolFamily());
    font.setPixelSize(qMax(1, qRound(size)));
    // Ligatures need the text shaped as one run; no letter spacing, no fallback mixing.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
    return font;
}

void drawSymbol(QPainter &painter, const QRectF &rect, const QString &symbol, double size,
                const QColor &color)
{
    const auto ligature = symbolLigature(symbol);
    if (!ligature)
        return;
    painter.save();
    painter.setFont(symbolFont(size));
    painter.setPen(color);
    painter.drawText(rect, Qt::AlignCenter, *ligature);
    painter.restore();
}

}  // namespace pellix::ui
