#pragma once

// The "Widget" tab's part for the extensions' widgets: a caption, a card per
// widget of a running extension (the built-ins' rows, the sizes it declares),
// a discreet line while extensions start, and a note per refused or stopped
// extension with its reason. Follows the catalog live; hidden while there is
// no extension at all.

#include "WidgetsTab.h"
#include "extensions/ExtensionCatalog.h"

#include <vector>

class QLabel;
class QVBoxLayout;

namespace panel {

class ExtensionSection : public QWidget {
    Q_OBJECT

public:
    // Tab reaches the section's controls right after `tabAnchor`.
    ExtensionSection(PanelActions &actions, QWidget *tabAnchor, QWidget *parent = nullptr);
    // Reflects the settings store in every control, acting on nothing.
    void sync();

private:
    struct Card {
        ExtensionWidgetInfo info;
        WiredCard wired;
    };
    // Keeps the cards whose widget is still offered as it was (so the focus
    // stays where it is), makes the new ones and drops the others.
    void rebuild();
    QWidget *note(const ExtensionInfo &extension);

    PanelActions &m_actions;
    QWidget *m_tabAnchor;
    QVBoxLayout *m_column;
    QLabel *m_caption;
    QLabel *m_starting;
    std::vector<Card> m_cards;
    QList<QWidget *> m_notes;
};

}  // namespace panel
