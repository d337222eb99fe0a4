#include "RemoteWidgetView.h"

#include "ExtensionSupervisor.h"
#include "monitors/SessionSight.h"
#include "views/WidgetContainer.h"

#include <QPainter>
#include <QVBoxLayout>

namespace {

// The frame fills the container: the extension draws to the widget's edges.
class FrameView : public QWidget {
public:
    explicit FrameView(const QImage &frame) : m_frame(frame) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_frame.isNull())
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_frame);
    }

private:
    const QImage &m_frame;
};

}  // namespace

RemoteWidgetView::RemoteWidgetView(const QString &name, const QString &family,
                                   extensions::ExtensionSupervisor &supervisor, SettingsManager &settings,
                                   QWidget *parent)
    : QWidget(parent), m_name(name), m_family(family), m_supervisor(&supervisor),
      m_container(new WidgetContainer(settings, new FrameView(m_frame)))
{
    pellix::ui::installSpokenTextAccessibility();
    m_container->layout()->setContentsMargins(0, 0, 0, 0);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_container);
    connect(&supervisor, &extensions::ExtensionSupervisor::frameArrived, this,
            [this](const QString &name, const QImage &image, const QString &text) {
                if (name != m_name)
                    return;
                m_frame = image;
                m_text = text;
                m_container->content()->update();
                pellix::ui::announceSpokenText(this, m_spoken);
            });
    SessionSight::shared().follow(this);
    // At once, at the primary screen's scale: the process started for the
    // extension's hello is kept for this widget rather than let go and started again.
    requestFrames();
}

RemoteWidgetView::~RemoteWidgetView()
{
    if (m_supervisor && m_requestedScale > 0)
        m_supervisor->hide(m_name);
}

QString RemoteWidgetView::spokenText() const
{
    return m_text;
}

void RemoteWidgetView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    requestFrames();
}

// The screen's scale is known once painting: a window moved to another screen asks anew.
void RemoteWidgetView::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    requestFrames();
}

void RemoteWidgetView::requestFrames()
{
    const qreal scale = std::clamp(devicePixelRatioF(), 1.0, 4.0);
    if (!m_supervisor || scale == m_requestedScale)
        return;
    m_requestedScale = scale;
    m_supervisor->show(m_name, m_family, scale);
}
