#include "PanelTabBar.h"

#include "PanelStyle.h"

#include <QFontMetrics>
#include <QFocusEvent>
#include <QPainter>

namespace panel {

namespace {

constexpr int kPadX = 16;
constexpr int kPadY = 6;
constexpr int kSpacing = 8;  // kept at the trailing side of every tab but the last

}  // namespace

PanelTabBar::PanelTabBar(QWidget *parent) : QTabBar(parent)
{
    setFont(pellix::ui::systemFont(13, pellix::ui::Weight::Semibold));
    setDrawBase(false);
    setExpanding(false);
    setDocumentMode(true);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize PanelTabBar::tabSizeHint(int index) const
{
    const QFontMetrics fm(font());
    const int spacing = index < count() - 1 ? kSpacing : 0;
    return QSize(fm.horizontalAdvance(tabText(index)) + 2 * kPadX + spacing, fm.height() + 2 * kPadY);
}

void PanelTabBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font());
    for (int i = 0; i < count(); ++i) {
        QRectF r = tabRect(i);
        if (i < count() - 1)
            r.setWidth(r.width() - kSpacing);
        if (i == currentIndex()) {
            p.setPen(Qt::NoPen);
            p.setBrush(pellix::ui::white(0.12));
            p.drawRoundedRect(r, 6, 6);
            if (hasFocus() && m_focusRing) {
                QColor ring = accentBlue();
                ring.setAlphaF(0.6f);
                p.setPen(QPen(ring, 1.5));
                p.setBrush(Qt::NoBrush);
                p.drawRoundedRect(r.adjusted(0.75, 0.75, -0.75, -0.75), 6, 6);
            }
        }
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, tabText(i));
    }
}

void PanelTabBar::focusInEvent(QFocusEvent *event)
{
    m_focusRing = focusRingFor(event->reason());
    QTabBar::focusInEvent(event);
}

void PanelTabBar::focusOutEvent(QFocusEvent *event)
{
    m_focusRing = false;
    QTabBar::focusOutEvent(event);
}

}  // namespace panel
