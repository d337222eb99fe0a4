#include "FittedLabel.h"

#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace panel {

FittedLabel::FittedLabel(const QString &text, int maxLines, QWidget *parent)
    : QLabel(text, parent), m_maxLines(qMax(1, maxLines))
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QStringList FittedLabel::lines(int width) const
{
    QStringList out;
    QString whole = text();
    whole.replace('\n', QChar::LineSeparator);  // a line break of its own, as a QLabel shows it
    if (whole.isEmpty() || width <= 0)
        return out;
    QTextLayout layout(whole, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (out.size() == m_maxLines - 1) {
            // The last line shown holds the rest of the text, elided.
            out << fontMetrics().elidedText(whole.mid(line.textStart()).simplified(), Qt::ElideRight, width);
            break;
        }
        out << whole.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return out;
}

QSize FittedLabel::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(text()) + 1, minimumSizeHint().height()};
}

// As tall as a QLabel of the lines it shows at its present width: no height-for-width in
// the layouts, which would let every card around grow when the panel has room to spare.
QSize FittedLabel::minimumSizeHint() const
{
    return {fontMetrics().averageCharWidth() * 4,
            fontMetrics().height() + (qMax(1, m_lineCount) - 1) * fontMetrics().lineSpacing()};
}

void FittedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    const QStringList shown = lines(width());
    if (int(shown.size()) != m_lineCount) {
        m_lineCount = int(shown.size());
        updateGeometry();
    }
    const bool elided = !shown.isEmpty() && shown.last().endsWith(QChar(0x2026)) && !text().endsWith(QChar(0x2026));
    setToolTip(elided ? text() : QString());
}

void FittedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.setFont(font());
    int y = fontMetrics().ascent();
    for (const QString &line : lines(width())) {
        painter.drawText(QPointF(0, y), line);
        y += fontMetrics().lineSpacing();
    }
}

}  // namespace panel
