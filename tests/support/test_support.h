#pragma once

#include "SharedWidgetData.h"

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QString>

#include <ostream>

namespace pellix::test {

// Points HOME and every XDG_* directory below `root` (created as needed).
void useHome(const QString &root);

QByteArray readFile(const QString &path);
bool writeFile(const QString &path, const QByteArray &bytes);

// An image as PNG bytes; one pixel of one colour as PNG bytes.
QByteArray png(const QImage &image);
QByteArray onePixel(QRgb rgb);

}  // namespace pellix::test

// Readable failure messages for the project's strings and records.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const MusicData &m, std::ostream *os)
{
    const auto field = [](const std::optional<QString> &s) { return s ? '"' + s->toStdString() + '"' : std::string("-"); };
    *os << "{track " << field(m.track) << ", artist " << field(m.artist) << ", artwork " << field(m.artwork)
        << ", source " << field(m.source) << ", playing " << m.playing << "}";
}
