#pragma once

// The digital face: long date on top, the time with its seconds in the middle,
// the city at the bottom.

#include <QDateTime>
#include <QWidget>

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
    QDateTime m_date;
    QString m_city;
    bool m_medium = false;
};
