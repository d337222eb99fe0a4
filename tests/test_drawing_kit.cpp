// Symbols, the continuous rounded rectangle and the window shadow of the drawing kit
// (emoji in colour: the weather content's pictograms).
#include "ContinuousRect.h"
#include "ExactSizeText.h"
#include "Fonts.h"
#include "Shadow.h"
#include "Symbols.h"
#include "test_support.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <functional>

using namespace pellix::ui;

TEST(Symbols, EveryTableEntryIsOneIconGlyphAndUnknownNamesDrawNothing)
{
    if (!QFontDatabase::families().contains(symbolFamily()))
        GTEST_SKIP() << "Material Icons not installed";
    ASSERT_FALSE(knownSymbols().isEmpty());
    for (const QString &name : knownSymbols()) {
        // A ligature the font lacks would come out as one glyph per letter.
        QTextLayout layout(*symbolLigature(name), symbolFont(24));
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        int glyphs = 0;
        for (const QGlyphRun &run : layout.glyphRuns())
            glyphs += run.glyphIndexes().size();
        EXPECT_EQ(glyphs, 1) << name.toStdString() << " -> " << symbolLigature(name)->toStdString();
    }
    const auto inked = [](const char *name) {
        QImage img(64, 64, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        drawSymbol(p, QRectF(0, 0, 64, 64), name, 32, Qt::white);
        p.end();
        return pellix::test::countPixels(img, [](const QColor &c) { return c.alpha() > 40; });
    };
    EXPECT_GT(inked("bolt.fill"), 40);
    EXPECT_EQ(inked("no.such.symbol"), 0);
}

// Half-point sizes (9.5, 12.5) are measured and drawn between their whole
// neighbours, where Qt alone would round them up; whole sizes stay as they were.
TEST(ExactSizeText, HalfPointSizesAreDrawnAtTheirOwnSize)
{
    const QString text = "PELLIX 0123456789";
    const auto inkRight = [&text](double size) {  // the rightmost inked column of the line
        QImage image(200, 30, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setPen(Qt::white);
        drawText(p, image.rect(), Qt::AlignLeft | Qt::AlignTop, text, systemFont(size, Weight::Bold, 0.8));
        p.end();
        int right = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = right; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 60)
                    right = x;
        return right;
    };
    for (const double size : {9.5, 12.5}) {
        const auto width = [&text](double s) { return TextMetrics(systemFont(s, Weight::Bold, 0.8)).horizontalAdvance(text); };
        EXPECT_LT(width(size - 0.5), width(size)) << size;
        EXPECT_LT(width(size), width(size + 0.5)) << size;
        EXPECT_LT(inkRight(size - 0.5), inkRight(size)) << size;
        EXPECT_LT(inkRight(size), inkRight(size + 0.5)) << size;
    }
    EXPECT_EQ(TextMetrics(systemFont(13)).height(), QFontMetricsF(systemFont(13)).height());
}

TEST(ContinuousRect, CoversTheBodyLeavesDeeperCornersAndClampsLargeRadii)
{
    const QPainterPath p = continuousRoundedRect(QRectF(0, 0, 340, 170), 28);
    for (QPointF inside : {QPointF(170, 85), QPointF(170, 0.5), QPointF(0.5, 85), QPointF(339.5, 85),
                           QPointF(0.34 * 28, 0.34 * 28)})
        EXPECT_TRUE(p.contains(inside)) << inside.x() << "," << inside.y();
    // The corners, the diagonal as deep as a circular corner's, and 1.1 radii along
    // the edge where a circular arc would already be straight.
    for (QPointF out : {QPointF(1, 1), QPointF(339, 1), QPointF(1, 169), QPointF(339, 169),
                        QPointF(0.25 * 28, 0.25 * 28), QPointF(1.1 * 28, 0.1), QPointF(340 - 1.1 * 28, 169.9)})
        EXPECT_FALSE(p.contains(out)) << out.x() << "," << out.y();

    const QPainterPath pill = continuousRoundedRect(QRectF(0, 0, 100, 20), 500);
    EXPECT_TRUE(pill.contains(QPointF(50, 10)));
    EXPECT_FALSE(pill.contains(QPointF(0.5, 0.5)));
}

TEST(WindowShadow, TilesReproduceTheWholeShadowAtScaleOneAndTwo)
{
    for (const qreal ratio : {1.0, 2.0}) {
        for (const QSize size : {QSize(190, 190), QSize(360, 207)}) {
            const QRect window(QPoint(), size);
            const auto render = [&](const std::function<void(QPainter &)> &paint) {
                QImage img(size * ratio, QImage::Format_ARGB32_Premultiplied);
                img.setDevicePixelRatio(ratio);
                img.fill(Qt::transparent);
                QPainter p(&img);
                paint(p);
                return img;
            };
            const QImage whole = render([&](QPainter &p) {
                paintWindowShadow(p, QRectF(window).adjusted(10, 10, -10, -10), 28, 10);
            });
            const QImage tiled = render([&](QPainter &p) { paintWindowShadowTiles(p, window, 28, 10, window); });
            SCOPED_TRACE(std::to_string(ratio) + " " + std::to_string(size.width()));
            int worst = 0;
            for (int y = 0; y < whole.height(); ++y)
                for (int x = 0; x < whole.width(); ++x)
                    worst = std::max(worst, std::abs(qAlpha(whole.pixel(x, y)) - qAlpha(tiled.pixel(x, y))));
            EXPECT_LE(worst, 1);
            // Not two empty images: dark just under the glass, clear under its middle and past the edge.
            const int cx = int(size.width() / 2 * ratio);
            EXPECT_NEAR(qAlpha(tiled.pixel(cx, int((size.height() - 9) * ratio))), 70, 3);
            EXPECT_EQ(qAlpha(tiled.pixel(cx, int(size.height() / 2 * ratio))), 0);
            EXPECT_EQ(qAlpha(tiled.pixel(cx, 0)), 0);
        }
    }
}
