#pragma once

// A widget's content in a window of the host: the entry it was last given.

#include "SpokenText.h"

#include <PellixWidgetKit/WidgetBundle.h>

#include <QWidget>

class HostedWidgetView : public QWidget, public pellix::ui::SpokenText {
    Q_OBJECT

public:
    HostedWidgetView(const widgetkit::Widget &widget, widgetkit::WidgetFamily family, QWidget *parent = nullptr);

    void setEntry(widgetkit::EntryPtr entry);
    widgetkit::EntryPtr entry() const { return m_entry; }
    QSize sizeHint() const override;
    // What the widget says its entry shows.
    QString spokenText() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const widgetkit::Widget &m_widget;
    widgetkit::WidgetFamily m_family;
    widgetkit::EntryPtr m_entry;
    QString m_spoken;
};
