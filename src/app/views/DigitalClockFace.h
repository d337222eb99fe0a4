#pragma once

// The digital face: long date on top, the time with its seconds in the middle,
// the city at the bottom. A tick repaints the lines whose text changed.

#include <QDateTime>
#include <QFont>
#include <QWidget>

class QPainter;

class DigitalClockFace : public QWidget {
    Q_OBJECT

public:
    explicit DigitalClockFace(QWidget *parent = nullptr);

    void setTime(const QDateTime &date);
    void setCity(const QString &city);
    void setMedium(bool medium);  // smaller time, no side padding
    bool isMedium() const { return m_medium; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Lines {
        QSize size;
        bool medium = false;
        QFont dateFont, timeFont, secondsFont, cityFont;
        QRectF date, time, seconds, city;
    };
    const Lines &lines();  // re-laid out when the size or the medium switch changes
    void paintTime(QPainter &p, const Lines &l) const;

    QDateTime m_date;
    QString m_fullDate;
    QString m_compactDate;  // when the full one does not fit the line
    QString m_city;
    bool m_medium = false;
    Lines m_lines;
    bool m_linesValid = false;
};
