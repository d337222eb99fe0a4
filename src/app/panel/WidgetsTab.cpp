#include "WidgetsTab.h"

#include "BatteryDeviceList.h"
#include "PanelActions.h"
#include "PanelRows.h"
#include "PanelStyle.h"
#include "SwitchButton.h"
#include "WidgetCard.h"
#include "settings/SettingsManager.h"
#include "views/WidgetViewFactory.h"

#include <QLabel>
#include <QVBoxLayout>

namespace panel {

WidgetsTab::WidgetsTab(PanelActions &actions, QWidget *parent) : QWidget(parent), m_actions(actions)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(sectionCaption(tr("Attiva e gestisci i tuoi widget")));
    addCard("clock", widgetTitle("clock"), tr("Analogico o digitale minimalista"), "clock");
    addCard("weather", widgetTitle("weather"), tr("Temperatura, condizioni e H/L"), "cloud.sun");
    addCard("battery", widgetTitle("battery"), tr("Carica e stato di alimentazione"), "battery.100");
#if defined(Q_OS_MACOS)
    const QString players = tr("Spotify, Apple Music in tempo reale");
#else
    // Any player on the session bus is followed, not only those two.
    const QString players = tr("Qualsiasi lettore MPRIS in tempo reale");
#endif
    addCard("music", widgetTitle("music"), players, "music.note");
    column->addStretch();
    sync();
}

void WidgetsTab::addCard(const QString &name, const QString &title, const QString &description,
                         const QString &icon)
{
    auto *card = new WidgetCard(title, description, icon);
    connect(card->enabledSwitch(), &SwitchButton::toggled, this, [this, name, card](bool on) {
        card->showEnabled(on);
        m_actions.setWidgetEnabled(name, on);
    });

    auto *clickThrough = new ToggleRow(tr("Cliccabile attraverso"));
    connect(clickThrough->control(), &SwitchButton::toggled, this,
            [this, name](bool on) { m_actions.setClickThrough(name, on); });
    card->addOption(clickThrough);

    if (name == "clock") {
        m_clockStyle = new PickerRow(tr("Stile orologio"), {{"analog", tr("Analogico")}, {"digital", tr("Digitale")}});
        connect(m_clockStyle, &PickerRow::chosen, this, [this](const QString &style) { m_actions.chooseClockStyle(style); });
        card->addOption(m_clockStyle);
    }
    auto *size =
        new PickerRow(tr("Dimensione widget"), {{"small", tr("Piccolo (2x2)")}, {"medium", tr("Medio (4x2)")}});
    connect(size, &PickerRow::chosen, this, [this, name](const QString &value) { m_actions.chooseSize(name, value); });
    card->addOption(size);

    if (name == "battery") {
        m_devices = new BatteryDeviceList(m_actions);
        card->addOption(m_devices);
    }
    layout()->addWidget(card);
    m_cards.append({name, card, clickThrough, size});
}

void WidgetsTab::sync()
{
    const SettingsManager &settings = m_actions.settings();
    for (const Card &c : std::as_const(m_cards)) {
        c.card->showEnabled(settings.isEnabled(c.name));
        c.clickThrough->control()->showChecked(settings.isClickThrough(c.name));
        c.size->showSelection(settings.size(c.name));
    }
    m_clockStyle->showSelection(settings.clockStyle());
    m_devices->sync();
}

}  // namespace panel
