#pragma once

// The system font: Inter where installed, else the platform's sans-serif.
// Sizes are in points of the layout, which are logical pixels here.

#include <QFont>
#include <QString>

namespace pellix::ui {

enum class Weight { Thin, Light, Regular, Medium, Semibold, Bold };

QString systemFamily();

// `tracking` is extra space after every character, in points (may be negative).
// A half-point size (9.5) is kept as asked; ExactSizeText draws it at that size.
QFont systemFont(double size, Weight weight = Weight::Regular, double tracking = 0);

// `font` made smaller, a pixel at a time, until `text` fits in `width` on one
// line: a long region marker or a record temperature stays whole.
QFont fittedFont(QFont font, const QString &text, double width);

}  // namespace pellix::ui
