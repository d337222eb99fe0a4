#pragma once

#include "SharedWidgetData.h"

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QPaintEvent>
#include <QString>

#include <functional>
#include <ostream>

namespace pellix::test {

// Points HOME and every XDG_* directory below `root` (created as needed).
void useHome(const QString &root);

QByteArray readFile(const QString &path);
bool writeFile(const QString &path, const QByteArray &bytes);

// An image as PNG bytes; one pixel of one colour as PNG bytes.
QByteArray png(const QImage &image);
QByteArray onePixel(QRgb rgb);

// A playing track as a player reports it.
inline MusicData track(const char *title, std::optional<QString> artist, std::optional<QString> art, const char *source)
{
    return {title, std::move(artist), std::move(art), source, true};
}

// How many pixels of `image` pass `test`.
int countPixels(const QImage &image, const std::function<bool(const QColor &)> &test);

// Everything repainted in the watched widgets, each in its own coordinates.
struct PaintSpy : QObject {
    PaintSpy(std::initializer_list<QObject *> watched)
    {
        for (QObject *w : watched)
            w->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(e)->region();
        return false;
    }
    int area() const
    {
        int n = 0;
        for (const QRect &r : painted)
            n += r.width() * r.height();
        return n;
    }
    QRegion painted;
};

}  // namespace pellix::test

// Readable failure messages for the project's strings and records.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const MusicData &m, std::ostream *os)
{
    const auto field = [](const std::optional<QString> &s) { return s ? '"' + s->toStdString() + '"' : std::string("-"); };
    *os << "{track " << field(m.track) << ", artist " << field(m.artist) << ", artwork " << field(m.artwork)
        << ", source " << field(m.source) << ", playing " << m.playing << "}";
}
