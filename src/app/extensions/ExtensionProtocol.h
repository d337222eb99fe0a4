#pragma once

// What an extension's process (pellix-widget-host --serve) says to the app,
// decoded so that no input, however long or malformed, does harm: lines are
// capped, messages validated field by field, unknown fields ignored, images
// checked for their size before they are decoded.

#include "ExtensionCatalog.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

namespace extensions {

// A frame of a medium widget at scale 4 is far below this; more is no frame.
inline constexpr qsizetype kMaxLineBytes = 8 * 1024 * 1024;

// Splits a byte stream into lines; a line past the cap is dropped whole.
class LineSplitter {
public:
    QList<QByteArray> feed(const QByteArray &bytes);

private:
    QByteArray m_pending;
    bool m_skipping = false;
};

struct HelloMessage {
    QString id, version, api;
    QString refusal;  // not empty: the extension may not run
    QList<ExtensionWidgetInfo> widgets;
};
struct FrameMessage {
    QString kind;
    QString family;
    qreal scale = 1;
    QImage image;
    QString text;
};
struct PongMessage {
    qint64 seq = 0;
};
struct FaultMessage {
    QString reason;
};
using ChildMessage = std::variant<std::monostate, HelloMessage, FrameMessage, PongMessage, FaultMessage>;

// One line; monostate when it is no valid message.
ChildMessage decodeChildMessage(const QByteArray &line);

// The PNG of a frame of `family` at `scale`, or a null image when it is not
// exactly that size or does not decode.
QImage decodeFrameImage(const QByteArray &base64, const QString &family, qreal scale);

// The one line a user reads: texts cut short, control characters gone.
QString oneLine(const QString &text, int maxLength = 200);

}  // namespace extensions
