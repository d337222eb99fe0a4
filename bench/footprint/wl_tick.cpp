// wl-tick [--idle]: the least a Qt program pays on a Wayland desktop for one
// repaint a second. One small translucent window repaints a 24x24 square on
// each second's edge (--idle: never), nothing else: the wake-ups it costs are
// Qt's floor, to set beside the app's own (wayland.sh).
#include <QApplication>
#include <QDateTime>
#include <QPainter>
#include <QTimer>
#include <QWidget>

class Tick : public QWidget
{
public:
    explicit Tick(bool idle)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setWindowFlags(Qt::FramelessWindowHint);
        resize(200, 200);
        if (!idle)
            arm();
    }

private:
    void arm()
    {
        QTimer::singleShot(1000 - QTime::currentTime().msec(), Qt::PreciseTimer, this, [this] {
            update(QRect(88, 88, 24, 24));
            arm();
        });
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(QRect(88, 88, 24, 24), QTime::currentTime().second() % 2 ? Qt::white : Qt::black);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Tick w(app.arguments().contains(QStringLiteral("--idle")));
    w.show();
    return app.exec();
}
