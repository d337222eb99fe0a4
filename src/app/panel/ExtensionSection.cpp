#include "ExtensionSection.h"

#include "FittedLabel.h"
#include "PanelActions.h"
#include "PanelCard.h"
#include "PanelRows.h"
#include "PanelStyle.h"
#include "WidgetCard.h"
#include "settings/SettingsManager.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace panel {

using pellix::ui::systemFont;
using pellix::ui::Weight;
using pellix::ui::white;

namespace {

bool sameOffer(const ExtensionWidgetInfo &a, const ExtensionWidgetInfo &b)
{
    return a.name == b.name && a.displayName == b.displayName && a.description == b.description &&
           a.families == b.families;
}

// Widgets already known stay on offer while their extension restarts.
bool offersWidgets(const ExtensionInfo &extension)
{
    return extension.state == ExtensionInfo::State::Running ||
           (extension.state == ExtensionInfo::State::Starting && !extension.widgets.isEmpty());
}

}  // namespace

ExtensionSection::ExtensionSection(PanelActions &actions, QWidget *tabAnchor, QWidget *parent)
    : QWidget(parent), m_actions(actions), m_tabAnchor(tabAnchor), m_column(new QVBoxLayout(this)),
      m_caption(sectionCaption(tr("Widget delle estensioni"))),
      m_starting(textLabel(QStringLiteral("…"), systemFont(12), white(0.4)))
{
    m_column->setContentsMargins(0, 10, 0, 0);
    m_column->setSpacing(16);
    m_column->addWidget(m_caption);
    m_starting->setAccessibleName(tr("Avvio delle estensioni in corso"));
    m_column->addWidget(m_starting);
    if (const ExtensionCatalog *catalog = m_actions.catalog())
        connect(catalog, &ExtensionCatalog::changed, this, &ExtensionSection::rebuild);
    rebuild();
}

void ExtensionSection::rebuild()
{
    const QList<ExtensionInfo> extensions = m_actions.catalog() ? m_actions.catalog()->extensions() : QList<ExtensionInfo>{};
    while (m_column->count() > 0)
        delete m_column->takeAt(0);  // the layout items only: the widgets are kept or dropped below

    std::vector<Card> cards;
    bool starting = false;
    for (const ExtensionInfo &extension : extensions) {
        starting = starting || (extension.state == ExtensionInfo::State::Starting && extension.widgets.isEmpty());
        if (!offersWidgets(extension))
            continue;
        for (const ExtensionWidgetInfo &widget : extension.widgets) {
            auto known = std::find_if(m_cards.begin(), m_cards.end(),
                                      [&](const Card &c) { return c.wired.card && sameOffer(c.info, widget); });
            if (known != m_cards.end()) {
                cards.push_back(std::move(*known));
                known->wired.card = nullptr;
            } else {
                cards.push_back({widget, wiredCard(m_actions, this, widget.name, widget.displayName, widget.description,
                                                   "puzzlepiece.extension", widget.families)});
            }
        }
    }
    // Dropped later: the change may come from a control of the card itself.
    for (const Card &gone : m_cards)
        if (gone.wired.card)
            gone.wired.card->hide(), gone.wired.card->deleteLater();
    for (QWidget *gone : std::as_const(m_notes))
        gone->hide(), gone->deleteLater();
    m_cards = std::move(cards);
    m_notes.clear();

    m_column->addWidget(m_caption);
    QWidget *previous = m_tabAnchor;
    for (const Card &card : m_cards) {
        m_column->addWidget(card.wired.card);
        for (QWidget *control : card.wired.controls()) {
            // Built before the panel is: the creation order is the reading order then.
            if (previous && previous->window() == control->window())
                setTabOrder(previous, control);
            previous = control;
        }
    }
    m_column->addWidget(m_starting);
    m_starting->setVisible(starting);
    for (const ExtensionInfo &extension : extensions) {
        if (extension.state == ExtensionInfo::State::Refused || extension.state == ExtensionInfo::State::Stopped) {
            m_notes << note(extension);
            m_column->addWidget(m_notes.last());
        }
    }
    setVisible(!extensions.isEmpty());
    sync();
}

// A refused or stopped extension: its id (or file), the state and the reason,
// a group named after the extension so a screen reader reads them together.
QWidget *ExtensionSection::note(const ExtensionInfo &extension)
{
    const QString name = extension.id.isEmpty() ? QFileInfo(extension.path).fileName() : extension.id;
    auto *card = new PanelCard(name, true, 14, 4);
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    auto *title = new FittedLabel(name, 1);
    title->setFont(systemFont(13, Weight::Semibold));
    setTextColor(title, white(0.8));
    row->addWidget(title, 1);
    const bool refused = extension.state == ExtensionInfo::State::Refused;
    row->addWidget(textLabel(refused ? tr("Rifiutata") : tr("Fermata"), systemFont(11, Weight::Semibold), errorRed()),
                   0, Qt::AlignTop);
    card->column()->addLayout(row);
    auto *reason = new FittedLabel(extension.reason, 3);
    reason->setFont(systemFont(11));
    setTextColor(reason, white(0.55));
    card->column()->addWidget(reason);
    return card;
}

void ExtensionSection::sync()
{
    const SettingsManager &settings = m_actions.settings();
    for (const Card &card : m_cards)
        card.wired.sync(settings, card.info.sizeFor(settings.size(card.info.name)));
}

}  // namespace panel
