#include "HostCommands.h"

#include "ProviderAnswer.h"
#include "WidgetRendering.h"

#include <QJsonArray>

namespace {

// With its offset from UTC, so a reader needs no time zone.
QString isoDate(const QDateTime &date)
{
    return date.toOffsetFromUtc(date.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

}  // namespace

QStringList familyNames(const QList<widgetkit::WidgetFamily> &families)
{
    QStringList names;
    for (widgetkit::WidgetFamily family : families)
        names << widgetkit::familyName(family);
    return names;
}

LoadedWidgets::LoadedWidgets(const QList<extensions::Extension> &found)
{
    for (const extensions::Extension &extension : found) {
        if (extension.bundle)
            m_widgets += extension.bundle->widgets();
    }
}

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

void listExtensions(const QList<extensions::Extension> &found, QTextStream &out)
{
    for (const extensions::Extension &extension : found) {
        if (!extension.bundle) {
            const QString who = extension.id.isEmpty() ? QString() : QStringLiteral(" (%1 %2)").arg(extension.id, extension.version);
            out << "refused: " << extension.path << who << ": " << extension.refusal << '\n';
            continue;
        }
        out << extension.id << ' ' << extension.version << ", widget API " << extension.apiVersion << ": "
            << extension.path << '\n';
        for (const widgetkit::Widget *widget : extension.bundle->widgets()) {
            const widgetkit::WidgetDescriptor d = widget->descriptor();
            out << '\t' << d.kind << '\t' << d.displayName << '\t' << familyNames(d.supportedFamilies).join(',')
                << '\t' << d.description << '\n';
        }
    }
}

QDateTime reloadDate(const widgetkit::Timeline &timeline)
{
    switch (timeline.policy.kind) {
    case widgetkit::ReloadPolicy::AtEnd:
        return timeline.entries.isEmpty() ? QDateTime() : timeline.entries.last()->date;
    case widgetkit::ReloadPolicy::After:
        return timeline.policy.date;
    case widgetkit::ReloadPolicy::Never:
        break;
    }
    return {};
}

std::optional<QJsonObject> timelineJson(const widgetkit::Widget &widget)
{
    const auto timeline = awaitAnswer<widgetkit::Timeline>(
        [&widget](const auto &completion) { widget.getTimeline({}, completion); }, kAnswerTimeoutMs);
    if (!timeline)
        return std::nullopt;
    QJsonArray entries;
    for (const widgetkit::EntryPtr &entry : timeline->entries)
        entries.append(QJsonObject{{"date", isoDate(entry->date)}, {"data", entry->content()}});
    const QDateTime reload = reloadDate(*timeline);
    return QJsonObject{{"kind", widget.descriptor().kind},
                       {"entries", entries},
                       {"reloadDate", reload.isValid() ? QJsonValue(isoDate(reload)) : QJsonValue::Null}};
}

QString renderToFile(const ShownWidget &shown, bool placeholder, int scale, const QString &path)
{
    const widgetkit::TimelineContext context{shown.family, true};
    widgetkit::EntryPtr entry;
    if (placeholder) {
        entry = shown.widget->placeholder(context);
    } else {
        entry = awaitAnswer<widgetkit::EntryPtr>(
                    [&](const auto &completion) { shown.widget->getSnapshot(context, completion); }, kAnswerTimeoutMs)
                    .value_or(nullptr);
    }
    if (!entry)
        return QStringLiteral("%1 gave no entry").arg(shown.widget->descriptor().kind);
    // zlib's fastest level: a third less CPU than the default for a file 30 % larger.
    constexpr int kPngQuality = 80;
    if (!renderWidget(*shown.widget, shown.family, *entry, scale).save(path, "PNG", kPngQuality))
        return QStringLiteral("cannot write %1").arg(path);
    return {};
}
