#include "WidgetsTab.h"

#include "BatteryDeviceList.h"
#include "ExtensionSection.h"
#include "PanelActions.h"
#include "PanelRows.h"
#include "PanelStyle.h"
#include "SwitchButton.h"
#include "WidgetCard.h"
#include "settings/SettingsManager.h"
#include "views/WidgetViewFactory.h"

#include <QComboBox>
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
    // Tab goes from the last built-in control on to the extensions' ones.
    m_extensions = new ExtensionSection(m_actions, m_cards.last().controls().last());
    column->addWidget(m_extensions);
    column->addStretch();
    sync();
}

WiredCard wiredCard(PanelActions &actions, QWidget *owner, const QString &name, const QString &title,
                    const QString &description, const QString &icon, const QStringList &sizes, QWidget *beforeSize)
{
    WiredCard wired{name, new WidgetCard(title, description, icon), new ToggleRow(WidgetsTab::tr("Cliccabile attraverso"))};
    WidgetCard *card = wired.card;
    QObject::connect(card->enabledSwitch(), &SwitchButton::toggled, owner, [&actions, name, card](bool on) {
        card->showEnabled(on);
        actions.setWidgetEnabled(name, on);
    });
    QObject::connect(wired.clickThrough->control(), &SwitchButton::toggled, owner,
                     [&actions, name](bool on) { actions.setClickThrough(name, on); });
    card->addOption(wired.clickThrough);
    if (beforeSize)
        card->addOption(beforeSize);

    const QMap<QString, QString> labels{{"small", WidgetsTab::tr("Piccolo (2x2)")}, {"medium", WidgetsTab::tr("Medio (4x2)")}};
    QMap<QString, QString> offered;
    for (const QString &size : sizes)
        if (labels.contains(size))
            offered.insert(size, labels[size]);
    if (offered.size() > 1) {
        wired.size = new PickerRow(WidgetsTab::tr("Dimensione widget"), offered);
        QObject::connect(wired.size, &PickerRow::chosen, owner,
                         [&actions, name](const QString &value) { actions.chooseSize(name, value); });
        card->addOption(wired.size);
    }
    return wired;
}

void WiredCard::sync(const SettingsManager &settings, const QString &shownSize) const
{
    card->showEnabled(settings.isEnabled(name));
    clickThrough->control()->showChecked(settings.isClickThrough(name));
    if (size)
        size->showSelection(shownSize);
}

QList<QWidget *> WiredCard::controls() const
{
    QList<QWidget *> out{card->enabledSwitch(), clickThrough->control()};
    if (size)
        out << size->picker();
    return out;
}

void WidgetsTab::addCard(const QString &name, const QString &title, const QString &description,
                         const QString &icon)
{
    QWidget *between = nullptr;
    if (name == "clock") {
        m_clockStyle = new PickerRow(tr("Stile orologio"), {{"analog", tr("Analogico")}, {"digital", tr("Digitale")}});
        connect(m_clockStyle, &PickerRow::chosen, this, [this](const QString &style) { m_actions.chooseClockStyle(style); });
        between = m_clockStyle;
    }
    WiredCard wired = wiredCard(m_actions, this, name, title, description, icon, {"small", "medium"}, between);
    if (name == "battery") {
        m_devices = new BatteryDeviceList(m_actions);
        wired.card->addOption(m_devices);
    }
    layout()->addWidget(wired.card);
    m_cards.append(wired);
}

void WidgetsTab::sync()
{
    const SettingsManager &settings = m_actions.settings();
    for (const WiredCard &c : std::as_const(m_cards))
        c.sync(settings, settings.size(c.name));
    m_clockStyle->showSelection(settings.clockStyle());
    m_devices->sync();
    m_extensions->sync();
}

}  // namespace panel
