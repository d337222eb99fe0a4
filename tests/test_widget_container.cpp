// The glass container: theme choice, layout inset, glow, caching, mouse pass-through.
#include "Colors.h"
#include "GlassStyle.h"
#include "settings/SettingsManager.h"
#include "views/WidgetContainer.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pellix::ui;

namespace {

struct ThemeCase {
    const char *theme;
    GlassMaterial material;
    double tintTop, tintMiddle, tintBottomBlack, glowFactor;
};

class ContainerTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SettingsManager settings{dir.filePath("store.json")};

    // The container painted over an opaque wallpaper colour, as the desktop would show it.
    static QImage renderOver(QWidget &w, QColor wallpaper = QColor(0x3b, 0x6e, 0xa5))
    {
        QImage img(w.size(), QImage::Format_ARGB32_Premultiplied);
        img.fill(wallpaper);
        w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        return img;
    }
    static QImage renderAlone(QWidget &w)
    {
        QImage img(w.size(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        return img;
    }
    static double meanLuma(const QImage &img, QRect area)
    {
        double sum = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                sum += qGray(img.pixel(x, y));
        return sum / (area.width() * area.height());
    }
};

class PressRecorder : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

void sendClick(QWidget *target, QPoint pos)
{
    const QPointF global = target->mapToGlobal(QPointF(pos));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), global, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

}  // namespace

TEST(GlassTheme, OnlyExactOpaqueSelectsTheDarkLook)
{
    const ThemeCase cases[] = {
        {"opaque", GlassMaterial::HudWindow, 0.14, 0.05, 0.42, 0.35},
        {"transparent", GlassMaterial::Selection, 0.08, 0.02, 0.16, 0.22},
        {"", GlassMaterial::Selection, 0.08, 0.02, 0.16, 0.22},
        {"Opaque", GlassMaterial::Selection, 0.08, 0.02, 0.16, 0.22},
        {"opaque ", GlassMaterial::Selection, 0.08, 0.02, 0.16, 0.22},
    };
    for (const ThemeCase &c : cases) {
        SCOPED_TRACE(c.theme);
        const GlassStyle s = glassStyle(c.theme);
        EXPECT_EQ(s.material, c.material);
        EXPECT_EQ(s.tint[0], white(c.tintTop));
        EXPECT_EQ(s.tint[1], white(c.tintMiddle));
        EXPECT_EQ(s.tint[2], black(c.tintBottomBlack));
        EXPECT_DOUBLE_EQ(s.glowOpacityFactor, c.glowFactor);
    }
    EXPECT_EQ(int(GlassMaterial::HudWindow), 13);
    EXPECT_EQ(int(GlassMaterial::Selection), 4);
}

TEST(GlassTheme, GlowOpacityIsTheColoursOwnTimesTheThemeFactor)
{
    const QColor glow = QColor::fromRgbF(1.0f, 0.5f, 0.0f, 0.5f);
    const QColor opaque = glowCentreColor(glow, glassStyle("opaque"));
    const QColor other = glowCentreColor(glow, glassStyle("transparent"));
    EXPECT_NEAR(opaque.alphaF(), 0.175, 1e-3);
    EXPECT_NEAR(other.alphaF(), 0.11, 1e-3);
    EXPECT_EQ(opaque.rgb(), glow.rgb());
}

TEST_F(ContainerTest, InsetsContentBy18PointsInBothSizes)
{
    for (QSize size : {QSize(170, 170), QSize(340, 170)}) {
        auto *content = new QWidget;
        WidgetContainer container(settings, content);
        container.resize(size);
        container.show();
        QApplication::processEvents();
        EXPECT_EQ(content->geometry(), QRect(18, 18, size.width() - 36, size.height() - 36));
    }
}

TEST_F(ContainerTest, OpaqueThemeIsDarkerAndRepaintsOnChange)
{
    WidgetContainer container(settings, new QWidget);
    container.resize(170, 170);
    settings.setGlassTheme("transparent");
    const QImage light = renderOver(container);
    const QRect body(30, 30, 110, 110);

    settings.setGlassTheme("opaque");
    const QImage dark = renderOver(container);
    EXPECT_LT(meanLuma(dark, body), meanLuma(light, body) - 20);
    EXPECT_EQ(container.glassStyle().material, GlassMaterial::HudWindow);
}

TEST_F(ContainerTest, CornersAreTransparentAndBorderIsLight)
{
    WidgetContainer container(settings, new QWidget);
    container.resize(170, 170);
    const QImage img = renderAlone(container);
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(img.pixel(169, 169)), 0);
    EXPECT_EQ(qAlpha(img.pixel(3, 3)), 0);  // a continuous corner reaches further in
    EXPECT_GT(qAlpha(img.pixel(85, 85)), 0);
    // The border line is lighter than the panel just inside it.
    EXPECT_GT(qGray(img.pixel(85, 0)) * qAlpha(img.pixel(85, 0)),
              qGray(img.pixel(85, 4)) * qAlpha(img.pixel(85, 4)));
}

TEST_F(ContainerTest, GlowLayerOnlyWhenColourIsNotClear)
{
    WidgetContainer container(settings, new QWidget);
    container.resize(170, 170);
    EXPECT_FALSE(container.hasGlowLayer());
    const QImage none = renderOver(container);

    container.setGlowColor(QColor(255, 0, 0, 1));
    EXPECT_TRUE(container.hasGlowLayer());

    container.setGlowColor(QColor(255, 0, 0));
    const QImage red = renderOver(container);
    const QPoint bottomCentre(85, 160), top(85, 10);
    EXPECT_GT(qRed(red.pixel(bottomCentre)), qRed(none.pixel(bottomCentre)) + 20);
    // The glow fades out within 110 points of the bottom edge.
    EXPECT_EQ(red.pixel(top), none.pixel(top));

    container.setGlowColor(clear());
    EXPECT_FALSE(container.hasGlowLayer());
    EXPECT_EQ(renderOver(container), none);
}

TEST_F(ContainerTest, PanelIsPaintedOnceUntilSizeThemeOrGlowChange)
{
    WidgetContainer container(settings, new QWidget);
    container.resize(170, 170);
    renderAlone(container);
    renderAlone(container);
    renderAlone(container);
    EXPECT_EQ(container.panelRenderCount(), 1);
    settings.setGlassTheme("opaque");
    renderAlone(container);
    EXPECT_EQ(container.panelRenderCount(), 2);
    container.resize(340, 170);
    renderAlone(container);
    EXPECT_EQ(container.panelRenderCount(), 3);
    container.setGlowColor(QColor(0, 0, 255));
    renderAlone(container);
    EXPECT_EQ(container.panelRenderCount(), 4);
}

TEST_F(ContainerTest, ClicksPassThroughSheenAndGlowToContentOrWindow)
{
    PressRecorder window;
    auto *button = new QPushButton("x");
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto *container = new WidgetContainer(settings, button, QColor(0, 255, 0), &window);
    container->resize(170, 170);
    window.resize(170, 170);
    window.show();
    QApplication::processEvents();

    // Inside the sheen (top half) and the glow (bottom): the content is what is hit.
    EXPECT_EQ(container->childAt(85, 25), button);
    EXPECT_EQ(container->childAt(85, 145), button);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    sendClick(button, button->mapFrom(container, QPoint(85, 25)));
    EXPECT_EQ(clicks, 1);

    // On the panel margin nothing takes the press: it reaches the window, which drags.
    EXPECT_EQ(container->childAt(8, 85), nullptr);
    sendClick(container, QPoint(8, 85));
    EXPECT_EQ(window.presses, 1);
}
