#pragma once

// The analogue face: tick ring, optional city and date texts, three hands and
// the centre cap. Ring and texts change rarely and are kept in a pixmap; a tick
// repaints only the band each moving hand left and entered.

#include <QDateTime>
#include <QPixmap>
#include <QWidget>

class AnalogClockFace : public QWidget {
    Q_OBJECT

public:
    explicit AnalogClockFace(QWidget *parent = nullptr);

    void setTime(const QDateTime &date);
    void setCity(const QString &city);
    void setShowsTexts(bool shows);  // the city and short date, in the small size only
    bool showsTexts() const { return m_showsTexts; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QPixmap &staticLayer();
    const QPixmap &capLayer(QRect &target, qreal ratio);
    QRegion handsChange(const QTime &before, const QTime &now) const;
    void paintTexts(QPainter &painter, const QRectF &area) const;

    QDateTime m_date;
    QString m_city;
    QString m_shortDate;
    bool m_showsTexts = true;

    QPixmap m_static;
    QSize m_staticSize;
    qreal m_staticRatio = 0;
    QString m_staticKey;
    QPixmap m_cap;
    QRect m_capTarget;
};
