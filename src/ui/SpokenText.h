#pragma once

// Desktop widgets paint their content, so assistive technology gets it as text:
// a view that says what it shows is one label whose name is that text, and a
// widget window is a window named after its widget. The text is built only
// when an assistive technology asks for it or listens for its changes.

#include <QString>

class QWidget;

namespace pellix::ui {

class SpokenText {
public:
    virtual ~SpokenText() = default;
    // The label's name; a change of it is announced.
    virtual QString spokenText() const = 0;
    // The label's text, read when asked for: the same, or with details that
    // change too often to be announced (the clock's seconds).
    virtual QString spokenTextInFull() const { return spokenText(); }
};

// The label role for every QWidget that is a SpokenText, the window role for
// the widget windows; once per process, before their first window is shown.
void installSpokenTextAccessibility();

// Announces the view's text as Qt does for a label whose text changes, when it
// differs from `lastSaid`; nothing is built while no assistive technology listens.
void announceSpokenText(QWidget *view, QString &lastSaid);

}  // namespace pellix::ui
