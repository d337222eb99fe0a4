#include "Fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include <cmath>

namespace pellix::ui {

namespace {

QFont::Weight qtWeight(Weight w)
{
    switch (w) {
    case Weight::Thin: return QFont::Thin;
    case Weight::Light: return QFont::Light;
    case Weight::Regular: return QFont::Normal;
    case Weight::Medium: return QFont::Medium;
    case Weight::Semibold: return QFont::DemiBold;
    case Weight::Bold: return QFont::Bold;
    }
    return QFont::Normal;
}

}  // namespace

QString systemFamily()
{
    static const QString family = [] {
        if (QFontDatabase::families().contains(QStringLiteral("Inter")))
            return QStringLiteral("Inter");
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

QFont systemFont(double size, Weight weight, double tracking)
{
    QFont font(systemFamily());
    if (size == std::floor(size))
        font.setPixelSize(qMax(1, int(size)));
    else
        font.setPointSizeF(size * 72.0 / 96.0);  // kept exact for ExactSizeText; Qt alone draws it rounded
    font.setWeight(qtWeight(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    if (tracking != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    return font;
}

QFont fittedFont(QFont font, const QString &text, double width)
{
    int pixels = font.pixelSize() > 0 ? font.pixelSize() : qRound(font.pointSizeF() * 96.0 / 72.0);
    while (pixels > 6 && QFontMetricsF(font).horizontalAdvance(text) > width)
        font.setPixelSize(--pixels);
    return font;
}

}  // namespace pellix::ui
