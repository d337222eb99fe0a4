#pragma once

// Symbol names of the widgets ("laptopcomputer", "bolt.fill", "cloud.sun", ...)
// drawn as glyphs of the Material Icons font, through its ligatures.

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <optional>

class QPainter;

namespace pellix::ui {

// The ligature that draws `symbol`, or nothing for a name outside the table.
std::optional<QString> symbolLigature(const QString &symbol);
QStringList knownSymbols();

QString symbolFamily();  // "Material Icons"
QFont symbolFont(double size);

// Draws the symbol centred in `rect` at `size` points; an unknown name draws nothing.
void drawSymbol(QPainter &painter, const QRectF &rect, const QString &symbol, double size,
                const QColor &color);

}  // namespace pellix::ui
