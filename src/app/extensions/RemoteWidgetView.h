#pragma once

// An extension's widget on the desktop: the glass container the built-in
// widgets draw in, and inside it the last frame the extension's process drew.
// While that process restarts the frame stays; a screen reader hears the text
// the extension gave with the frame.

#include "SpokenText.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class SettingsManager;
class WidgetContainer;

namespace extensions {
class ExtensionSupervisor;
}

class RemoteWidgetView : public QWidget, public pellix::ui::SpokenText {
    Q_OBJECT

public:
    RemoteWidgetView(const QString &name, const QString &family, extensions::ExtensionSupervisor &supervisor,
                     SettingsManager &settings, QWidget *parent = nullptr);
    ~RemoteWidgetView() override;

    QString spokenText() const override;
    QImage frame() const { return m_frame; }

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void requestFrames();

    const QString m_name;
    const QString m_family;
    QPointer<extensions::ExtensionSupervisor> m_supervisor;
    WidgetContainer *m_container;
    QImage m_frame;
    QString m_text;
    QString m_spoken;
    qreal m_requestedScale = 0;
};
