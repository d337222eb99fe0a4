#pragma once

// A widget without user options: SimpleProvider paired with one view, whose
// content is the view built from the entry and nothing else.

#include "SimpleProvider.h"
#include <PellixWidgetKit/WidgetBundle.h>
#include "WidgetEntry.h"

#include <QCoreApplication>

namespace pellix::extension {

template <typename View>
class StaticConfiguration : public widgetkit::Widget {
public:
    // The display name and description are keys (the Italian texts), translated
    // whenever the descriptor is read, so it follows the language in use then.
    explicit StaticConfiguration(widgetkit::WidgetDescriptor descriptor) : m_descriptor(std::move(descriptor)) {}

    widgetkit::WidgetDescriptor descriptor() const override
    {
        widgetkit::WidgetDescriptor d = m_descriptor;
        d.displayName = QCoreApplication::translate("PellixWidgets", d.displayName.toUtf8().constData());
        d.description = QCoreApplication::translate("PellixWidgets", d.description.toUtf8().constData());
        return d;
    }

    widgetkit::EntryPtr placeholder(const widgetkit::TimelineContext &context) const override
    {
        return m_provider.placeholder(context);
    }
    void getSnapshot(const widgetkit::TimelineContext &context,
                     const std::function<void(widgetkit::EntryPtr)> &completion) const override
    {
        m_provider.getSnapshot(context, completion);
    }
    void getTimeline(const widgetkit::TimelineContext &context,
                     const std::function<void(widgetkit::Timeline)> &completion) const override
    {
        m_provider.getTimeline(context, completion);
    }

    void render(QPainter &painter, const QRectF &rect, const widgetkit::TimelineEntry &entry,
                const widgetkit::WidgetEnvironment &) const override
    {
        viewOf(entry).paint(painter, rect);
    }

    QString accessibleText(const widgetkit::TimelineEntry &entry) const override
    {
        return viewOf(entry).accessibleText();
    }

private:
    // Entries come from this widget's own provider; anything else shows the default content.
    static View viewOf(const widgetkit::TimelineEntry &entry)
    {
        const auto *own = dynamic_cast<const WidgetEntry *>(&entry);
        return View{own ? *own : WidgetEntry(entry.date, std::nullopt)};
    }

    widgetkit::WidgetDescriptor m_descriptor;
    SimpleProvider m_provider;
};

}  // namespace pellix::extension
