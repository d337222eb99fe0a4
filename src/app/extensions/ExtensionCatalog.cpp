#include "ExtensionCatalog.h"

std::pair<const ExtensionInfo *, const ExtensionWidgetInfo *> ExtensionCatalog::find(const QString &name) const
{
    for (const ExtensionInfo &extension : m_extensions)
        for (const ExtensionWidgetInfo &widget : extension.widgets)
            if (widget.name == name)
                return {&extension, &widget};
    return {nullptr, nullptr};
}

void ExtensionCatalog::setExtensions(QList<ExtensionInfo> extensions)
{
    m_extensions = std::move(extensions);
    emit changed();
}

void ExtensionCatalog::update(const ExtensionInfo &extension)
{
    for (ExtensionInfo &known : m_extensions) {
        if (known.path == extension.path) {
            known = extension;
            emit changed();
            return;
        }
    }
    m_extensions.append(extension);
    emit changed();
}
