#include "HostedWidgetView.h"

#include "WidgetRendering.h"

#include <QPainter>

HostedWidgetView::HostedWidgetView(const widgetkit::Widget &widget, widgetkit::WidgetFamily family, QWidget *parent)
    : QWidget(parent), m_widget(widget), m_family(family)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(widgetkit::familySize(family));
    pellix::ui::installSpokenTextAccessibility();
}

void HostedWidgetView::setEntry(widgetkit::EntryPtr entry)
{
    m_entry = std::move(entry);
    update();
    pellix::ui::announceSpokenText(this, m_spoken);
}

QString HostedWidgetView::spokenText() const
{
    // A widget that says nothing of its entry is still named.
    const QString text = m_entry ? m_widget.accessibleText(*m_entry) : QString();
    return text.isEmpty() ? m_widget.descriptor().displayName : text;
}

QSize HostedWidgetView::sizeHint() const
{
    return widgetkit::familySize(m_family);
}

void HostedWidgetView::paintEvent(QPaintEvent *)
{
    if (!m_entry)
        return;
    QPainter painter(this);
    paintWidget(painter, rect(), m_widget, m_family, *m_entry);
}
