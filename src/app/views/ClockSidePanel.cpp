#include "ClockSidePanel.h"

#include "ClockText.h"
#include "Colors.h"
#include "Fonts.h"

#include <QFontMetricsF>
#include <QPainter>

using namespace pellix::ui;

ClockSidePanel::ClockSidePanel(QWidget *parent) : QWidget(parent)
{
    setFixedWidth(2 * kDividerPadding + 1 + kColumnWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void ClockSidePanel::setDate(const QDateTime &date)
{
    // Named through the locale, so worth skipping on all ticks but the day's first.
    if (date.date() == m_date)
        return;
    m_date = date.date();
    const QString weekday = ClockText::weekdayName(date);
    const QString day = ClockText::dayNumString(date);
    if (weekday == m_weekday && day == m_dayNumber)
        return;
    m_weekday = weekday;
    m_dayNumber = day;
    update();
}

void ClockSidePanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(QRectF(kDividerPadding, 4, 1, height() - 8), white(0.08));

    const QFont weekdayFont = systemFont(11, Weight::Bold, 0.8);
    const QFont dayFont = systemFont(48, Weight::Thin, -2);
    const QFont agendaFont = systemFont(11, Weight::Regular);
    const double weekdayH = QFontMetricsF(weekdayFont).height();
    const double dayH = QFontMetricsF(dayFont).height();
    const QFontMetricsF agendaMetrics(agendaFont);
    const double twoLines = agendaMetrics.lineSpacing() + agendaMetrics.height();
    const QString agenda = tr("Nessun altro impegno oggi");
    const double agendaH = std::min(
        twoLines, agendaMetrics.boundingRect(QRectF(0, 0, kColumnWidth, 1000), Qt::TextWordWrap,
                                             agenda).height());

    const double left = 2 * kDividerPadding + 1;
    double y = (height() - (weekdayH + 2 + dayH + 2 + agendaH)) / 2;

    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(weekdayFont);
    p.setPen(accentRed());
    p.drawText(QRectF(left, y, kColumnWidth, weekdayH), Qt::AlignLeft | Qt::AlignVCenter, m_weekday);
    y += weekdayH + 2;
    p.setFont(dayFont);
    p.setPen(Qt::white);
    p.drawText(QRectF(left - 2, y, kColumnWidth + 2, dayH), Qt::AlignLeft | Qt::AlignVCenter, m_dayNumber);
    y += dayH + 2;
    p.setFont(agendaFont);
    p.setPen(white(0.55));
    p.setClipRect(QRectF(left, y, kColumnWidth, agendaH));
    p.drawText(QRectF(left, y, kColumnWidth, agendaH), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               agenda);
}
