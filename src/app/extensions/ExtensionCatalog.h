#pragma once

// The widget extensions the app knows of, as the panel offers them: what each
// extension's own process said of itself, or why it does not run. The app
// never loads an extension; whatever fills the catalog learned it from the
// extension's process.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <utility>

struct ExtensionWidgetInfo {
    QString name;  // the app's name for it: extensionWidgetName(kind)
    QString kind;
    QString displayName;  // in the UI language, as the extension gives it
    QString description;
    QStringList families;  // "small", "medium": those it declares, the first its default

    // The size it is shown at: the stored one (empty when none) when declared, else its default.
    QString sizeFor(const QString &stored) const
    {
        return families.isEmpty() || families.contains(stored) ? stored : families.first();
    }
};

struct ExtensionInfo {
    enum class State { Starting, Running, Refused, Stopped };
    QString path;  // the plug-in file
    QString id;
    QString version;
    QString apiVersion;
    State state = State::Starting;
    QString reason;  // Refused or Stopped: one line
    QList<ExtensionWidgetInfo> widgets;
};

class ExtensionCatalog : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    QList<ExtensionInfo> extensions() const { return m_extensions; }
    // The extension widget of that name, or nothing; the pointer lives until the next change.
    const ExtensionWidgetInfo *widget(const QString &name) const { return find(name).second; }
    // The extension that declares the widget of that name, or nothing.
    const ExtensionInfo *extensionOf(const QString &name) const { return find(name).first; }

    void setExtensions(QList<ExtensionInfo> extensions);
    // Replaces the extension with the same path, or adds it.
    void update(const ExtensionInfo &extension);

signals:
    void changed();

private:
    std::pair<const ExtensionInfo *, const ExtensionWidgetInfo *> find(const QString &name) const;

    QList<ExtensionInfo> m_extensions;
};
