#include "SpokenText.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace pellix::ui {

namespace {

// Looked up at each call: while the widget is being destroyed it is no longer one.
const SpokenText *sourceOf(QObject *object)
{
    return dynamic_cast<const SpokenText *>(object);
}

// Read-only text without a caret or a selection.
class SpokenTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit SpokenTextAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            if (const SpokenText *source = sourceOf(object()))
                return source->spokenText();
        return QAccessibleWidget::text(t);
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(int startOffset, int endOffset) const override
    {
        return full().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(full().size()); }
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QString full() const
    {
        const SpokenText *source = sourceOf(object());
        return source ? source->spokenTextInFull() : QString();
    }
};

QAccessibleInterface *accessibleView(const QString &className, QObject *object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    // Qt reports a plain top-level widget as a filler; screen readers present windows by this role.
    if (className == QLatin1String("WidgetWindow"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    // Asked once per class up the hierarchy: answer for the object's own class only.
    if (className == QLatin1String(object->metaObject()->className()) && sourceOf(object))
        return new SpokenTextAccessible(widget);
    return nullptr;
}

}  // namespace

void installSpokenTextAccessibility()
{
    static const bool installed = (QAccessible::installFactory(accessibleView), true);
    Q_UNUSED(installed);
}

void announceSpokenText(QWidget *view, QString &lastSaid)
{
    if (!QAccessible::isActive())
        return;
    const SpokenText *source = sourceOf(view);
    const QString now = source ? source->spokenText() : QString();
    if (now == lastSaid)
        return;
    lastSaid = now;
    QAccessibleEvent event(view, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

}  // namespace pellix::ui
