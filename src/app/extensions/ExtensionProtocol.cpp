#include "ExtensionProtocol.h"

#include "settings/WidgetNames.h"

#include <QBuffer>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace extensions {

QList<QByteArray> LineSplitter::feed(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        const qsizetype end = newline < 0 ? bytes.size() : newline;
        if (!m_skipping) {
            if (m_pending.size() + (end - start) > kMaxLineBytes) {
                m_pending.clear();
                m_skipping = true;
            } else {
                m_pending.append(bytes.constData() + start, end - start);
            }
        }
        if (newline < 0)
            break;
        if (!m_skipping)
            lines << m_pending;
        m_pending.clear();
        m_skipping = false;
        start = newline + 1;
    }
    return lines;
}

QString oneLine(const QString &text, int maxLength)
{
    QString line;
    for (const QChar c : text)
        line += c.isPrint() ? c : QChar(' ');
    line = line.simplified();
    return line.size() > maxLength ? line.left(maxLength - 1) + QChar(0x2026) : line;
}

namespace {

QSize frameSize(const QString &family, qreal scale)
{
    const QSize logical = family == QLatin1String("medium") ? QSize(340, 170) : QSize(170, 170);
    return (QSizeF(logical) * scale).toSize();
}

bool validScale(qreal scale) { return scale >= 1 && scale <= 4; }

std::optional<ExtensionWidgetInfo> widgetInfo(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    const QString kind = object.value("kind").toString();
    if (kind.isEmpty() || kind.size() > 200)
        return std::nullopt;
    ExtensionWidgetInfo info{extensionWidgetName(kind), kind, oneLine(object.value("name").toString(), 80),
                             oneLine(object.value("description").toString(), 300), {}};
    for (const QJsonValue &family : object.value("families").toArray()) {
        const QString name = family.toString();
        if ((name == QLatin1String("small") || name == QLatin1String("medium")) && !info.families.contains(name))
            info.families << name;
    }
    if (info.families.isEmpty())
        return std::nullopt;
    if (info.displayName.isEmpty())
        info.displayName = kind;
    return info;
}

}  // namespace

QImage decodeFrameImage(const QByteArray &base64, const QString &family, qreal scale)
{
    if (!validScale(scale))
        return {};
    QByteArray png = QByteArray::fromBase64(base64);
    QBuffer buffer(&png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setAllocationLimit(64);  // MB: a medium frame at scale 4 is 3.5
    if (reader.size() != frameSize(family, scale))
        return {};
    QImage image = reader.read();
    if (image.size() != frameSize(family, scale))
        return {};
    image.setDevicePixelRatio(scale);
    return image;
}

ChildMessage decodeChildMessage(const QByteArray &line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {};
    const QJsonObject object = document.object();
    const QString type = object.value("type").toString();
    if (type == QLatin1String("hello")) {
        HelloMessage hello{oneLine(object.value("id").toString(), 200), oneLine(object.value("version").toString(), 40),
                           oneLine(object.value("api").toString(), 20), oneLine(object.value("refusal").toString()), {}};
        if (hello.id.isEmpty() && hello.refusal.isEmpty())
            return {};
        for (const QJsonValue &value : object.value("widgets").toArray()) {
            if (hello.widgets.size() >= 64)
                break;
            if (const auto widget = widgetInfo(value))
                hello.widgets << *widget;
        }
        return hello;
    }
    if (type == QLatin1String("frame")) {
        FrameMessage frame{object.value("kind").toString(), object.value("family").toString(),
                           object.value("scale").toDouble(), {}, object.value("text").toString().left(2000)};
        if (frame.kind.isEmpty())
            return {};
        frame.image = decodeFrameImage(object.value("png").toString().toLatin1(), frame.family, frame.scale);
        if (frame.image.isNull())
            return {};
        return frame;
    }
    if (type == QLatin1String("pong") && object.value("seq").isDouble())
        return PongMessage{qint64(object.value("seq").toDouble())};
    if (type == QLatin1String("fault"))
        return FaultMessage{oneLine(object.value("reason").toString())};
    return {};
}

}  // namespace extensions
