#pragma once

// The control panel's look: its colours, text styles and the dark palette it
// forces whatever the desktop theme is.

#include "Colors.h"
#include "Fonts.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

class QLabel;
class QWidget;

namespace panel {

inline QColor accentBlue() { return pellix::ui::rgba(0, 122, 255); }
inline QColor indigo() { return pellix::ui::rgba(88, 86, 214); }
inline QColor successGreen() { return pellix::ui::rgba(48, 209, 88); }
inline QColor errorRed() { return pellix::ui::rgba(255, 69, 58); }
// The platform's secondary grey in the dark appearance.
inline QColor systemGrey() { return pellix::ui::rgba(142, 142, 147); }

// Behind the whole panel: see-through where a compositor blends windows, opaque otherwise.
QColor backdropColor(bool translucent);

// Whether a widget that just got the focus should show a focus ring: only when
// the keyboard (or an assistive tool) moved it there, not a click or the window's activation.
bool focusRingFor(Qt::FocusReason reason);

// Dark window, text, base and button roles; accent blue for highlights.
QPalette darkPanelPalette();

// A label in `font` and `color` (an opacity of white, usually).
QLabel *textLabel(const QString &text, const QFont &font, const QColor &color, QWidget *parent = nullptr);
void setTextColor(QLabel *label, const QColor &color);

// "Attiva e gestisci i tuoi widget", "Aspetto", ...: bold 11, white at 40 %, tracking 0.5.
QLabel *sectionCaption(const QString &text);

}  // namespace panel
