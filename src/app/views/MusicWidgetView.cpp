#include "MusicWidgetView.h"

#include "ArtworkLoader.h"
#include "Colors.h"
#include "MusicContentView.h"
#include "WidgetContainer.h"
#include "WidgetSpeech.h"
#include "monitors/MusicBounds.h"
#include "monitors/MusicMonitor.h"
#include "monitors/SessionSight.h"
#include "settings/SettingsManager.h"

#include <QLayout>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

MusicWidgetView::MusicWidgetView(QWidget *parent) : MusicWidgetView(SettingsManager::shared(), parent) {}

MusicWidgetView::MusicWidgetView(SettingsManager &settings, QWidget *parent)
    : QWidget(parent),
      m_settings(settings),
      m_ask([] { MusicMonitor::shared().requestNowPlaying(); }),
      m_control([](const QString &action, const std::optional<PlayerAddress> &shown) {
          MusicMonitor::shared().requestControl(action, shown);
      }),
      m_glowColor(pellix::ui::musicPink()),
      m_loader(new ArtworkLoader(this)),
      m_content(new MusicContentView),
      m_container(new WidgetContainer(settings, m_content))
{
    pellix::ui::installSpokenTextAccessibility();
    // The content keeps the inset itself (see MusicContentView).
    m_container->layout()->setContentsMargins(0, 0, 0, 0);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_container);

    connect(&m_timer, &EdgeTimer::timeout, this, &MusicWidgetView::refreshMusic);
    // Unseen, the refreshes go on for the shared file; only the paints wait.
    SessionSight::shared().follow(this);
    // A burst of presses is one refresh, after the last.
    m_afterControl.setSingleShot(true);
    m_afterControl.setInterval(kControlRefreshDelayMs);
    connect(&m_afterControl, &QTimer::timeout, this, &MusicWidgetView::refreshMusic);
    connect(&MusicMonitor::shared(), &MusicMonitor::nowPlayingRead, this, &MusicWidgetView::showNowPlaying);
    // MPRIS players say what changes, so the poll need not wake the process;
    // AppleScript has no signals and keeps its pace.
    if (MusicMonitor::selectedSource() == MusicMonitor::Source::Mpris) {
        m_timer.setRiding(kSafetyRefreshMs);
        m_onPlayersChanged = connect(&MusicMonitor::shared(), &MusicMonitor::playersChanged, this, [this] {
            if (m_timer.isActive())  // hidden, it asks again when shown
                refreshMusic();
        });
    }
    connect(m_content, &MusicContentView::commandRequested, this, &MusicWidgetView::control);
    connect(&m_settings, &SettingsManager::changed, this, [this](const QString &property) {
        if (property == QLatin1String("musicSize"))
            render();
    });
    render();
}

MusicWidgetView::~MusicWidgetView() = default;

void MusicWidgetView::setCollector(NowPlayingSource ask, CommandSink control)
{
    disconnect(&MusicMonitor::shared(), &MusicMonitor::nowPlayingRead, this, &MusicWidgetView::showNowPlaying);
    disconnect(m_onPlayersChanged);
    m_timer.setRiding(0);
    m_ask = std::move(ask);
    m_control = std::move(control);
}

void MusicWidgetView::refreshMusic() { m_ask(); }

void MusicWidgetView::showNowPlaying(const NowPlaying &playing)
{
    m_shown = playing;
    const MusicData &info = m_shown.music;

    SharedWidgetData shared = m_settings.sharedData();
    shared.music = publishedMusic(info);
    m_settings.setSharedData(shared);
    m_settings.updateSharedWidgetData();

    // Compared with the URL the image and glow belong to, not with the last
    // answer: a pause in between (no art in the answer) changes nothing.
    if (info.playing && info.artwork != m_artUrl) {
        m_artUrl = info.artwork;
        m_image = QImage();
        extractAverageColor();
    }
    render();
}

void MusicWidgetView::control(const QString &action)
{
    m_control(action, m_shown.music.playing ? std::optional(m_shown.player) : std::nullopt);
    m_afterControl.start();
}

// Downloads are not cancelled; an answer for an art URL that is no longer the
// current one is dropped, so the image and glow always belong to the track shown.
void MusicWidgetView::extractAverageColor()
{
    if (!m_artUrl || !QUrl(*m_artUrl, QUrl::StrictMode).isValid() || m_artUrl->isEmpty()) {
        m_glowColor = pellix::ui::musicPink();
        return;
    }
    m_loader->load(*m_artUrl, [this, requested = *m_artUrl](std::optional<Artwork> art) {
        if (!art || m_artUrl != requested)
            return;
        m_image = art->image;
        if (art->averageColor)
            m_glowColor = *art->averageColor;
        render();
    });
}

void MusicWidgetView::render()
{
    m_container->setGlowColor(m_shown.music.playing ? m_glowColor : pellix::ui::clear());
    m_content->setState(m_shown.music, m_shown.name, m_image, m_settings.musicSize() != QLatin1String("small"));
    pellix::ui::announceSpokenText(this, m_spoken);
}

QString MusicWidgetView::spokenText() const
{
    return musicSpeech(m_shown.music, m_shown.name);
}

void MusicWidgetView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    refreshMusic();
    m_timer.start();
}

void MusicWidgetView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_timer.stop();
}
