#include "HostCommands.h"

#include "WidgetRendering.h"

#include <QJsonArray>

namespace {

// With its offset from UTC, so a reader needs no time zone.
QString isoDate(const QDateTime &date)
{
    return date.toOffsetFromUtc(date.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QStringList familyNames(const QList<widgetkit::WidgetFamily> &families)
{
    QStringList names;
    for (widgetkit::WidgetFamily family : families)
        names << widgetkit::familyName(family);
    return names;
}

}  // namespace

const widgetkit::Widget *findWidget(const widgetkit::WidgetBundle &bundle, const QString &kind)
{
    for (const widgetkit::Widget *widget : bundle.widgets()) {
        if (widget->descriptor().kind == kind)
            return widget;
    }
    return nullptr;
}

QList<ShownWidget> resolveWidgets(const widgetkit::WidgetBundle &bundle, const QList<WidgetChoice> &choices,
                                  QString *error)
{
    QList<ShownWidget> shown;
    for (const WidgetChoice &choice : choices) {
        const widgetkit::Widget *widget = findWidget(bundle, choice.kind);
        if (!widget) {
            *error = QStringLiteral("unknown widget kind \"%1\" (see --list)").arg(choice.kind);
            return {};
        }
        const QList<widgetkit::WidgetFamily> families = widget->descriptor().supportedFamilies;
        const widgetkit::WidgetFamily family = choice.family.value_or(families.value(0));
        if (!families.contains(family)) {
            *error = QStringLiteral("%1 has no %2 family").arg(choice.kind, widgetkit::familyName(family));
            return {};
        }
        shown << ShownWidget{widget, family};
    }
    return shown;
}

void listWidgets(const widgetkit::WidgetBundle &bundle, QTextStream &out)
{
    for (const widgetkit::Widget *widget : bundle.widgets()) {
        const widgetkit::WidgetDescriptor d = widget->descriptor();
        out << d.kind << '\t' << d.displayName << '\t' << familyNames(d.supportedFamilies).join(',') << '\t'
            << d.description << '\n';
    }
}

QJsonObject timelineJson(const widgetkit::Widget &widget)
{
    QJsonObject json{{"kind", widget.descriptor().kind}};
    widget.getTimeline({}, [&json](const widgetkit::Timeline &timeline) {
        QJsonArray entries;
        for (const widgetkit::EntryPtr &entry : timeline.entries)
            entries.append(QJsonObject{{"date", isoDate(entry->date)}, {"data", entry->content()}});
        json.insert("entries", entries);
        json.insert("reloadDate", timeline.reloadAfter.isValid() ? QJsonValue(isoDate(timeline.reloadAfter))
                                                                 : QJsonValue::Null);
    });
    return json;
}

int renderToFile(const ShownWidget &shown, bool placeholder, int scale, const QString &path)
{
    const widgetkit::TimelineContext context{shown.family, true};
    widgetkit::EntryPtr entry = placeholder ? shown.widget->placeholder(context) : nullptr;
    if (!placeholder)
        shown.widget->getSnapshot(context, [&entry](widgetkit::EntryPtr snapshot) { entry = std::move(snapshot); });
    if (!entry)
        return 1;
    // zlib's fastest level: a third less CPU than the default for a file 30 % larger.
    constexpr int kPngQuality = 80;
    return renderWidget(*shown.widget, shown.family, *entry, scale).save(path, "PNG", kPngQuality) ? 0 : 1;
}
