#include "EdgeBorder.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace panel {

QPainterPath EdgeBorder::path(const QRectF &b) const
{
    QPainterPath p;
    for (Edge edge : edges) {
        switch (edge) {
        case Edge::Top: p.addRect(b.x(), b.y(), b.width(), width); break;
        case Edge::Leading: p.addRect(b.x(), b.y(), width, b.height()); break;
        case Edge::Bottom: p.addRect(b.x(), b.y() + b.height() - width, b.width(), width); break;
        case Edge::Trailing: p.addRect(b.x() + b.width() - width, b.y(), width, b.height()); break;
        }
    }
    return p;
}

namespace {

// Paints on the view's paint event before the view itself: a plain container
// paints nothing of its own, so the lines end up behind its children.
class EdgeBorderPainter : public QObject {
public:
    EdgeBorderPainter(QWidget *view, EdgeBorder border, QColor color)
        : QObject(view), m_border(std::move(border)), m_color(color)
    {
        view->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            auto *view = static_cast<QWidget *>(watched);
            QPainter p(view);
            p.fillPath(m_border.path(QRectF(view->rect())), m_color);
        }
        return false;
    }

private:
    EdgeBorder m_border;
    QColor m_color;
};

}  // namespace

void border(QWidget *view, double width, const QList<Edge> &edges, const QColor &color)
{
    new EdgeBorderPainter(view, EdgeBorder{width, edges}, color);
}

}  // namespace panel
