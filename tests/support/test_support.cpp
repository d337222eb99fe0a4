#include "test_support.h"

#include <QBuffer>
#include <QFile>

namespace pellix::test {

void useHome(const QString &root)
{
    const auto set = [&](const char *name, const QString &sub) {
        const QString dir = root + sub;
        QDir().mkpath(dir);
        qputenv(name, QFile::encodeName(dir));
    };
    set("HOME", "");
    set("XDG_CONFIG_HOME", "/.config");
    set("XDG_DATA_HOME", "/.local/share");
    set("XDG_CACHE_HOME", "/.cache");
    set("XDG_STATE_HOME", "/.local/state");
    set("XDG_RUNTIME_DIR", "/run");
    QFile::setPermissions(root + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray onePixel(QRgb rgb)
{
    QImage image(1, 1, QImage::Format_ARGB32);
    image.fill(rgb);
    return png(image);
}

int countPixels(const QImage &image, const std::function<bool(const QColor &)> &test)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(image.pixelColor(x, y));
    return n;
}

}  // namespace pellix::test
