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

}  // namespace pellix::ui
