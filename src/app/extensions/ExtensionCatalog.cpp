#include "ExtensionCatalog.h"

const ExtensionWidgetInfo *ExtensionCatalog::widget(const QString &name) const
{
    for (const ExtensionInfo &extension : m_extensions)
        for (const ExtensionWidgetInfo &widget : extension.widgets)
            if (widget.name == name)
                return &widget;
    return nullptr;
}

const ExtensionInfo *ExtensionCatalog::extensionOf(const QString &name) const
{
    for (const ExtensionInfo &extension : m_extensions)
        for (const ExtensionWidgetInfo &widget : extension.widgets)
            if (widget.name == name)
                return &extension;
    return nullptr;
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
