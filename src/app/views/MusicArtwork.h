#pragma once

// The cover art of the playing track: its bytes from a data: URL, the decoded
// image and the average colour the glow takes from it.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

#include <optional>

inline constexpr qint64 kMaxArtworkBytes = 10 * 1024 * 1024;

// The mean red, green and blue of a 10 x 10 grid of samples (pixel
// (floor(x / 10 * width), floor(y / 10 * height)) for x, y = 0 ... 9), at full
// opacity; nothing for an empty image.
std::optional<QColor> averageColor(const QImage &image);

// The payload of "data:[<type>][;base64],<data>"; nothing when it is not one,
// does not decode or holds more than `maxBytes`.
std::optional<QByteArray> decodeDataUrl(const QString &url, qint64 maxBytes = kMaxArtworkBytes);

struct Artwork {
    QImage image;                      // at most kArtworkDisplaySize on its longer side
    std::optional<QColor> averageColor;  // of the image as it was sent
};
inline constexpr int kArtworkDisplaySize = 512;

// False for a PNG with a chunk longer than the bytes that follow it. libpng
// allocates what a chunk's length claims before reading it: 300 bytes
// claiming a 2 GB text chunk cost 2 GB. True for anything else.
bool pngChunksFit(const QByteArray &bytes);

// Decodes any image format Qt reads; nothing for bytes that are not an image
// (or one too large to decode, or a PNG whose chunks do not fit).
std::optional<Artwork> decodeArtwork(const QByteArray &bytes);
