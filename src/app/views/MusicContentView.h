#pragma once

// The now-playing widget's content: the waiting message, or the art and texts
// of the playing track (small), with the player badge, the meter and the
// transport buttons (medium). It covers the whole panel and keeps the
// container's 18-point inset itself, so the art's shadow is not cut at the
// inset's edge. Everything but the meter and the buttons is painted once per
// state into a cached layer.

#include "SharedWidgetData.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

class MusicVisualizer;
class QPainter;
class TransportButton;

// Paints the static part of one state into `content` (the inset rectangle);
// `playerName` as musicBadgeText takes it.
void paintMusicContent(QPainter &painter, const QRectF &content, const MusicData &music, const QString &playerName,
                       const QImage &art, bool medium);

class MusicContentView : public QWidget {
    Q_OBJECT

public:
    explicit MusicContentView(QWidget *parent = nullptr);

    void setState(const MusicData &music, const QString &playerName, const QImage &art, bool medium);
    QRectF contentRect() const;

    MusicVisualizer *visualizer() const { return m_meter; }
    TransportButton *previousButton() const { return m_previous; }
    TransportButton *playPauseButton() const { return m_playPause; }
    TransportButton *nextButton() const { return m_next; }

signals:
    void commandRequested(const QString &action);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool showsControls() const;
    void placeChildren();

    MusicData m_music;
    QString m_playerName;
    QImage m_art;
    bool m_medium = false;
    QPixmap m_layer;  // null when it must be painted again

    MusicVisualizer *m_meter;
    TransportButton *m_previous;
    TransportButton *m_playPause;
    TransportButton *m_next;
};
