// The glass container: theme choice, layout inset, glow, mouse pass-through.
#include "Colors.h"
#include "GlassStyle.h"
#include "settings/SettingsManager.h"
#include "views/WidgetContainer.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace pellix::ui;

namespace {

class ContainerTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SettingsManager settings{dir.filePath("store.json")};
    WidgetContainer container{settings, new QWidget};

    void SetUp() override { container.resize(170, 170); }

    // Painted over a wallpaper colour, as the desktop would show it.
    QImage render(QColor wallpaper = QColor(0x3b, 0x6e, 0xa5))
    {
        QImage img(container.size(), QImage::Format_ARGB32_Premultiplied);
        img.fill(wallpaper);
        container.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        return img;
    }
};

class PressRecorder : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

}  // namespace

TEST_F(ContainerTest, OnlyTheExactOpaqueThemeDrawsTheDarkerGlass)
{
    settings.setGlassTheme("transparent");
    const QImage light = render();
    for (const char *theme : {"Opaque", "opaque ", ""}) {
        settings.setGlassTheme(theme);
        EXPECT_EQ(container.glassStyle().material, GlassMaterial::Selection) << theme;
        EXPECT_EQ(render(), light) << theme;
    }
    settings.setGlassTheme("opaque");
    EXPECT_EQ(container.glassStyle().material, GlassMaterial::HudWindow);
    EXPECT_LT(qGray(render().pixel(85, 85)), qGray(light.pixel(85, 85)) - 20);
    EXPECT_EQ(qAlpha(render(Qt::transparent).pixel(3, 3)), 0);  // the rounded corner
}

TEST_F(ContainerTest, InsetsContentBy18PointsInBothSizes)
{
    container.show();
    for (QSize size : {QSize(170, 170), QSize(340, 170)}) {
        container.resize(size);
        QApplication::processEvents();
        EXPECT_EQ(container.content()->geometry(), QRect(18, 18, size.width() - 36, size.height() - 36));
    }
}

TEST_F(ContainerTest, GlowLayerOnlyWhenColourIsNotClear)
{
    EXPECT_FALSE(container.hasGlowLayer());
    const QImage none = render();
    container.setGlowColor(QColor(255, 0, 0, 0));  // transparent red is still a colour
    EXPECT_TRUE(container.hasGlowLayer());

    container.setGlowColor(QColor(255, 0, 0));
    const QImage red = render();
    EXPECT_GT(qRed(red.pixel(85, 160)), qRed(none.pixel(85, 160)) + 20);
    EXPECT_EQ(red.pixel(85, 10), none.pixel(85, 10));  // faded out 110 points up

    container.setGlowColor(clear());
    EXPECT_FALSE(container.hasGlowLayer());
    EXPECT_EQ(render(), none);
}

TEST_F(ContainerTest, ClicksPassThroughSheenAndGlowToContentOrWindow)
{
    PressRecorder window;
    auto *button = new QPushButton("x");
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto *glowing = new WidgetContainer(settings, button, QColor(0, 255, 0), &window);
    glowing->resize(170, 170);
    window.resize(170, 170);
    window.show();
    QApplication::processEvents();

    // Inside the sheen (top half) and the glow (bottom): the content is what is hit.
    EXPECT_EQ(glowing->childAt(85, 25), button);
    EXPECT_EQ(glowing->childAt(85, 145), button);

    // On the panel margin nothing takes the press: it reaches the window, which drags.
    EXPECT_EQ(glowing->childAt(8, 85), nullptr);
    QTest::mouseClick(glowing, Qt::LeftButton, {}, QPoint(8, 85));
    EXPECT_EQ(window.presses, 1);
}
