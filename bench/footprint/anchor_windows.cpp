// anchor-windows: the least a desktop widget can cost, the yardstick the app's
// footprint and start-up are compared with. N frameless translucent 170 x 170
// windows (like the widget windows, titled "anchor"), each painting a rounded
// glass panel; nothing repaints after the first frame.
//   anchor-windows [--windows N] [--pos X,Y]   (default 1 window at 40,40; the
//   others follow to the right)
#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <memory>
#include <vector>

namespace {

class Anchor : public QWidget {
public:
    Anchor()
        : QWidget(nullptr,
                  Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnBottomHint)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setWindowTitle("anchor");
        resize(170, 170);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 255, 255, 41), 1));
        p.setBrush(QColor(92, 104, 128, 51));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 28, 28);
    }
};

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&](const char *name, const QString &fallback) {
        const int at = args.indexOf(name);
        return at > 0 && at + 1 < args.size() ? args[at + 1] : fallback;
    };
    const int count = qBound(1, option("--windows", "1").toInt(), 16);
    const QStringList xy = option("--pos", "40,40").split(',');
    std::vector<std::unique_ptr<Anchor>> windows;
    for (int i = 0; i < count; ++i) {
        windows.push_back(std::make_unique<Anchor>());
        windows.back()->move(xy.value(0).toInt() + i * 190, xy.value(1).toInt());
        windows.back()->show();
    }
    return app.exec();
}
