#pragma once

// The now-playing widget: when shown, when the players say something changed,
// and every 3 seconds while the process is awake anyway (alone, every minute;
// with AppleScript, which has no signals, every 3 seconds) it asks the music
// monitor what plays, publishes it to the shared file and shows it in the
// glass container, glowing with the cover art's average colour. Its buttons
// send the transport commands and read the state again 0.3 s after the last
// press. The players are asked off the GUI thread: the answer comes later.

#include "EdgeTimer.h"
#include "SpokenText.h"
#include "monitors/MusicPlayers.h"

#include <QColor>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>

class ArtworkLoader;
class MusicContentView;
class SettingsManager;
class WidgetContainer;

class MusicWidgetView : public QWidget, public pellix::ui::SpokenText {
    Q_OBJECT

public:
    explicit MusicWidgetView(QWidget *parent = nullptr);
    explicit MusicWidgetView(SettingsManager &settings, QWidget *parent = nullptr);
    ~MusicWidgetView() override;

    static constexpr int kRefreshIntervalMs = 3000;
    static constexpr int kControlRefreshDelayMs = 300;
    static constexpr int kSafetyRefreshMs = 60000;  // for changes nobody signals

    // Where the state comes from and the commands go: the shared monitor unless
    // tests or tools say otherwise. Neither may block; the answer to an `ask`
    // comes (at once or later) to showNowPlaying.
    using NowPlayingSource = std::function<void()>;
    // `shown`: the player of the track on screen, none while nothing plays.
    using CommandSink = std::function<void(const QString &action, const std::optional<PlayerAddress> &shown)>;
    void setCollector(NowPlayingSource ask, CommandSink control);

    const NowPlaying &nowPlaying() const { return m_shown; }
    QColor glowColor() const { return m_glowColor; }
    const QImage &artImage() const { return m_image; }
    WidgetContainer *container() const { return m_container; }
    MusicContentView *content() const { return m_content; }
    bool isRefreshing() const { return m_timer.isActive(); }

    // One refresh, as the timer does it: asks what plays.
    void refreshMusic();
    // An answer: keep, publish, fetch new art, show.
    void showNowPlaying(const NowPlaying &playing);
    // Sends the command, then refreshes 0.3 s after the last command.
    void control(const QString &action);

    QString spokenText() const override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void extractAverageColor();
    void render();

    SettingsManager &m_settings;
    NowPlayingSource m_ask;
    CommandSink m_control;
    NowPlaying m_shown;
    // The art URL the image and glow belong to (or were last asked for): kept
    // while paused, so a resumed track keeps its art and any other track,
    // with art or without, gets its own.
    std::optional<QString> m_artUrl;
    QColor m_glowColor;
    QImage m_image;
    EdgeTimer m_timer{kRefreshIntervalMs};  // riding the clock's seconds
    QTimer m_afterControl;
    QMetaObject::Connection m_onPlayersChanged;
    QString m_spoken;
    ArtworkLoader *m_loader;
    MusicContentView *m_content;
    WidgetContainer *m_container;
};
