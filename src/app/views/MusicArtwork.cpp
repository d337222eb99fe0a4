#include "MusicArtwork.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

namespace {

constexpr int kGrid = 10;
constexpr int kDecodeLimitMb = 128;

}  // namespace

std::optional<QColor> averageColor(const QImage &image)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return std::nullopt;
    double red = 0, green = 0, blue = 0;
    int count = 0;
    for (int x = 0; x < kGrid; ++x)
        for (int y = 0; y < kGrid; ++y) {
            const int px = int(double(x) / kGrid * image.width());
            const int py = int(double(y) / kGrid * image.height());
            const QColor c = image.pixelColor(px, py);
            red += c.redF();
            green += c.greenF();
            blue += c.blueF();
            ++count;
        }
    return QColor::fromRgbF(float(red / count), float(green / count), float(blue / count), 1.0f);
}

std::optional<QByteArray> decodeDataUrl(const QString &url, qint64 maxBytes)
{
    if (!url.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
        return std::nullopt;
    const qsizetype comma = url.indexOf(u',');
    // Three characters per byte at the most (percent-encoded): anything longer cannot fit.
    if (comma < 0 || url.size() - comma - 1 > 3 * maxBytes)
        return std::nullopt;
    const QString header = url.mid(5, comma - 5);
    const QByteArray payload = url.mid(comma + 1).toLatin1();
    QByteArray bytes;
    if (header.endsWith(QLatin1String(";base64"), Qt::CaseInsensitive)) {
        auto decoded = QByteArray::fromBase64Encoding(QByteArray::fromPercentEncoding(payload),
                                                      QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            return std::nullopt;
        bytes = std::move(*decoded);
    } else {
        bytes = QByteArray::fromPercentEncoding(payload);
    }
    if (bytes.size() > maxBytes)
        return std::nullopt;
    return bytes;
}

bool pngChunksFit(const QByteArray &bytes)
{
    if (!bytes.startsWith(QByteArrayView("\x89PNG\r\n\x1a\n", 8)))
        return true;
    // Length, type, data, CRC: 12 bytes beside the data.
    for (qsizetype at = 8; at + 8 <= bytes.size();) {
        const quint64 length = qFromBigEndian<quint32>(bytes.constData() + at);
        if (length + 12 > quint64(bytes.size() - at))
            return false;
        if (QByteArrayView(bytes).sliced(at + 4, 4) == "IEND")
            break;
        at += qsizetype(length) + 12;
    }
    return true;
}

std::optional<Artwork> decodeArtwork(const QByteArray &bytes)
{
    if (!pngChunksFit(bytes))
        return std::nullopt;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kDecodeLimitMb);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    Artwork art{image, averageColor(image)};
    if (image.width() > kArtworkDisplaySize || image.height() > kArtworkDisplaySize)
        art.image = image.scaled(kArtworkDisplaySize, kArtworkDisplaySize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return art;
}
