#pragma once

// The medium clock's side panel: a thin divider, then the weekday, the day of
// the month and the fixed agenda line. It repaints only when the day changes.

#include <QDateTime>
#include <QWidget>

class ClockSidePanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kDividerPadding = 16;
    static constexpr int kColumnWidth = 140;

    explicit ClockSidePanel(QWidget *parent = nullptr);

    void setDate(const QDateTime &date);
    QString weekday() const { return m_weekday; }
    QString dayNumber() const { return m_dayNumber; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QDate m_date;
    QString m_weekday;
    QString m_dayNumber;
};
