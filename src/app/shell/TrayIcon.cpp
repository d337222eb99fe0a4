#include "TrayIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace {

// Drawn at whatever size the tray asks for, when it asks: the icon keeps no
// pixmaps of its own for the life of the app.
class GridIconEngine : public QIconEngine {
public:
    void paint(QPainter *p, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        const qreal side = qMin(rect.width(), rect.height());
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->translate(rect.topLeft());
        p->setPen(QPen(QColor(0, 0, 0, 120), side / 32.0));
        p->setBrush(QColor(235, 235, 240));
        const qreal cell = side / 2.0;
        const qreal radius = cell * 0.36;
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 2; ++col)
                p->drawEllipse(QPointF(cell * (col + 0.5), cell * (row + 0.5)), radius, radius);
        p->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        paint(&p, pixmap.rect(), mode, state);
        return pixmap;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = qMin(size.width(), size.height());
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : {16, 22, 24, 32, 48, 64})
            sizes.append({side, side});
        return sizes;
    }

    QIconEngine *clone() const override { return new GridIconEngine; }
    QString key() const override { return QStringLiteral("pellix-grid"); }
};

}  // namespace

QIcon makeTrayIcon()
{
    return QIcon(new GridIconEngine);
}
