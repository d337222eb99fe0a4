#pragma once

// One of the now-playing widget's transport buttons: a symbol in white centred
// on a filled circle. A real button: a click on it runs its command and does
// not drag the widget.

#include <QAbstractButton>
#include <QColor>

class TransportButton : public QAbstractButton {
    Q_OBJECT

public:
    TransportButton(const QString &symbol, double symbolSize, double diameter, const QColor &fill,
                    const QString &accessibleName, QWidget *parent = nullptr);

    QString symbol() const { return m_symbol; }
    QColor fill() const { return m_fill; }
    void setFill(const QColor &fill);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QString m_symbol;
    double m_symbolSize;
    double m_diameter;
    QColor m_fill;
};
