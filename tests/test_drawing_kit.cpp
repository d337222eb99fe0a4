// Fonts, symbols, emoji and the continuous rounded rectangle of the drawing kit.
#include "Colors.h"
#include "ContinuousRect.h"
#include "Emoji.h"
#include "Fonts.h"
#include "Symbols.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <gtest/gtest.h>

using namespace pellix::ui;

namespace {

bool hasFamily(const QString &family)
{
    return QFontDatabase::families().contains(family);
}

int inkedPixels(const QImage &img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += qAlpha(img.pixel(x, y)) > 40;
    return n;
}

QImage blank(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

}  // namespace

TEST(Symbols, EveryTableEntryShapesToOneIconGlyph)
{
    if (!hasFamily(symbolFamily()))
        GTEST_SKIP() << "Material Icons not installed";
    const QStringList names = knownSymbols();
    ASSERT_FALSE(names.isEmpty());
    for (const QString &name : names) {
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
}

TEST(Symbols, KnownSymbolDrawsAndUnknownDrawsNothing)
{
    if (!hasFamily(symbolFamily()))
        GTEST_SKIP() << "Material Icons not installed";
    QImage known = blank(40, 40), unknown = blank(40, 40);
    {
        QPainter p(&known);
        drawSymbol(p, QRectF(0, 0, 40, 40), "bolt.fill", 32, Qt::white);
    }
    {
        QPainter p(&unknown);
        drawSymbol(p, QRectF(0, 0, 40, 40), "no.such.symbol", 32, Qt::white);
    }
    EXPECT_GT(inkedPixels(known), 40);
    EXPECT_EQ(inkedPixels(unknown), 0);
    EXPECT_FALSE(symbolLigature("no.such.symbol").has_value());
}

TEST(Emoji, DrawsInColour)
{
    if (!hasFamily(emojiFamily()))
        GTEST_SKIP() << "Noto Color Emoji not installed";
    QImage img = blank(64, 64);
    {
        QPainter p(&img);
        drawEmoji(p, QRectF(0, 0, 64, 64), QString::fromUtf8("\u2600\uFE0F"), 40);
    }
    // The sun is yellow/orange: strongly saturated pixels, not a grey outline.
    int saturated = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = QColor::fromRgba(img.pixel(x, y));
            saturated += c.alpha() > 200 && c.hsvSaturation() > 150;
        }
    EXPECT_GT(saturated, 50);
}

TEST(Fonts, SystemFontUsesInterWithRequestedSizeWeightAndTracking)
{
    const QFont f = systemFont(34, Weight::Light, -1.2);
    EXPECT_EQ(f.pixelSize(), 34);
    EXPECT_EQ(f.letterSpacingType(), QFont::AbsoluteSpacing);
    EXPECT_NEAR(f.letterSpacing(), -1.2, 1.0 / 64);  // stored in 26.6 fixed point
    if (!hasFamily("Inter"))
        GTEST_SKIP() << "Inter not installed";
    EXPECT_EQ(QFontInfo(f).family(), "Inter");
    // Each named weight must resolve to a distinct face, ordered thin to bold.
    const Weight order[] = {Weight::Thin, Weight::Light, Weight::Regular, Weight::Medium,
                            Weight::Bold};
    int previous = 0;
    for (Weight w : order) {
        const int resolved = QFontInfo(systemFont(20, w)).weight();
        EXPECT_GT(resolved, previous);
        previous = resolved;
    }
}

TEST(ContinuousRect, CoversTheBodyAndLeavesTheCornersOut)
{
    const QRectF r(0, 0, 340, 170);
    const QPainterPath p = continuousRoundedRect(r, 28);
    EXPECT_TRUE(p.contains(r.center()));
    for (QPointF inside : {QPointF(170, 0.5), QPointF(170, 169.5), QPointF(0.5, 85), QPointF(339.5, 85)})
        EXPECT_TRUE(p.contains(inside)) << inside.x() << "," << inside.y();
    for (QPointF corner : {QPointF(1, 1), QPointF(339, 1), QPointF(1, 169), QPointF(339, 169)})
        EXPECT_FALSE(p.contains(corner)) << corner.x() << "," << corner.y();
    // On the diagonal the corner is about as deep as a circular one (0.29 r).
    EXPECT_FALSE(p.contains(QPointF(0.25 * 28, 0.25 * 28)));
    EXPECT_TRUE(p.contains(QPointF(0.34 * 28, 0.34 * 28)));
}

TEST(ContinuousRect, CurvatureStartsBeforeACircularArcWould)
{
    const QRectF r(0, 0, 170, 170);
    const QPainterPath continuous = continuousRoundedRect(r, 28);
    QPainterPath circular;
    circular.addRoundedRect(r, 28, 28);
    // 1.1 radii from the corner a circular corner is already straight; ours still bends.
    const QPointF nearEdge(1.1 * 28, 0.1);
    EXPECT_TRUE(circular.contains(nearEdge));
    EXPECT_FALSE(continuous.contains(nearEdge));
}

TEST(ContinuousRect, IsMirrorSymmetricAndClampsLargeRadii)
{
    const QRectF r(0, 0, 170, 170);
    const QPainterPath p = continuousRoundedRect(r, 28);
    for (double x = 0.5; x < 60; x += 3.7)
        for (double y = 0.5; y < 60; y += 3.1) {
            const bool in = p.contains(QPointF(x, y));
            EXPECT_EQ(in, p.contains(QPointF(170 - x, y)));
            EXPECT_EQ(in, p.contains(QPointF(x, 170 - y)));
            EXPECT_EQ(in, p.contains(QPointF(170 - x, 170 - y)));
        }
    // A radius too big for the rectangle still gives a closed shape around the centre.
    const QPainterPath pill = continuousRoundedRect(QRectF(0, 0, 100, 20), 500);
    EXPECT_TRUE(pill.contains(QPointF(50, 10)));
    EXPECT_FALSE(pill.contains(QPointF(0.5, 0.5)));
    EXPECT_LE(pill.boundingRect().width(), 100.0001);
    EXPECT_TRUE(continuousRoundedRect(QRectF(), 28).isEmpty());
}

TEST(Colors, ClearIsOnlyFullyTransparentBlack)
{
    EXPECT_TRUE(isClear(clear()));
    EXPECT_TRUE(isClear(QColor(Qt::transparent)));
    EXPECT_FALSE(isClear(QColor(255, 0, 0, 0)));   // transparent red is still a colour
    EXPECT_FALSE(isClear(QColor::fromRgbF(0, 0, 0, 0.01f)));
    const QColor red = accentRed();
    EXPECT_EQ(red.red(), 255);
    EXPECT_EQ(red.green(), 69);
    EXPECT_EQ(red.blue(), 58);
    EXPECT_EQ(red.alpha(), 255);
}
