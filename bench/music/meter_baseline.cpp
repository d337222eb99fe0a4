// meter-baseline: the least a now-playing widget can cost. One frameless,
// translucent 340 x 170 window like a widget window, its rounded glass panel
// painted once into a cached pixmap, and four bars taking new random heights
// every 0.15 s, repainting only the bars' rectangle: at once (the default), or
// with --eased easing to them (ease-in-out, 0.15 s) at 30 frames a second.
//   meter-baseline [--pos X,Y] [--eased]
#include <QApplication>
#include <QEasingCurve>
#include <QElapsedTimer>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

#include <array>

class Meter : public QWidget {
public:
    explicit Meter(bool eased)
    {
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnBottomHint);
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_ShowWithoutActivating);
        resize(340, 170);
        if (!eased) {
            connect(&m_timer, &QTimer::timeout, this, [this] {
                for (double &h : m_heights)
                    h = 4 + QRandomGenerator::global()->generateDouble() * 16;
                update(kBars.toAlignedRect());
            });
            m_timer.start(150);
            return;
        }
        m_curve.addCubicBezierSegment(QPointF(0.42, 0), QPointF(0.58, 1), QPointF(1, 1));
        m_clock.start();
        connect(&m_timer, &QTimer::timeout, this, [this] {
            qint64 t = m_clock.elapsed();
            if (t >= 150) {
                m_from = m_to;
                for (double &h : m_to)
                    h = 4 + QRandomGenerator::global()->generateDouble() * 16;
                m_clock.restart();
                t = 0;
            }
            const double eased = m_curve.valueForProgress(t / 150.0);
            for (int i = 0; i < 4; ++i)
                m_heights[i] = m_from[i] + (m_to[i] - m_from[i]) * eased;
            update(kBars.toAlignedRect());
        });
        m_timer.start(33);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_panel.isNull()) {
            m_panel = QPixmap(size() * devicePixelRatioF());
            m_panel.setDevicePixelRatio(devicePixelRatioF());
            m_panel.fill(Qt::transparent);
            QPainter pp(&m_panel);
            pp.setRenderHint(QPainter::Antialiasing);
            QPainterPath glass;
            glass.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 28, 28);
            pp.fillPath(glass, QColor(92, 104, 128, 51));
            pp.setPen(QPen(QColor(255, 255, 255, 41), 1));
            pp.drawPath(glass);
        }
        QPainter p(this);
        p.drawPixmap(0, 0, m_panel);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 55, 95));
        for (int i = 0; i < 4; ++i)
            p.drawRoundedRect(QRectF(kBars.left() + i * 7, kBars.bottom() - m_heights[i], 3.5, m_heights[i]), 2, 2);
    }

private:
    static constexpr QRectF kBars{297, 30, 25, 20};
    std::array<double, 4> m_heights{4, 4, 4, 4}, m_from{4, 4, 4, 4}, m_to{4, 4, 4, 4};
    QEasingCurve m_curve{QEasingCurve::BezierSpline};
    QElapsedTimer m_clock;
    QPixmap m_panel;
    QTimer m_timer;
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    Meter meter(args.contains("--eased"));
    const int at = args.indexOf("--pos");
    if (at > 0 && at + 1 < args.size()) {
        const QStringList xy = args[at + 1].split(',');
        meter.move(xy.value(0).toInt(), xy.value(1).toInt());
    }
    meter.show();
    return app.exec();
}
