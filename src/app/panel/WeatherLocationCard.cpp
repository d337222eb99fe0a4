#include "WeatherLocationCard.h"

#include "EdgeBorder.h"
#include "PanelActions.h"
#include "PanelStyle.h"
#include "SwitchButton.h"
#include "monitors/WeatherMonitor.h"
#include "settings/SettingsManager.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace panel {

using pellix::ui::systemFont;
using pellix::ui::Weight;
using pellix::ui::white;

namespace {

QLineEdit *cityField()
{
    auto *field = new QLineEdit;
    field->setAccessibleName(WeatherLocationCard::tr("Città"));
    field->setPlaceholderText(WeatherLocationCard::tr("es. Milano, Roma, Napoli"));
    field->setFont(systemFont(13));
    field->setStyleSheet("QLineEdit { background: rgba(255,255,255,0.08); color: white; border: none;"
                         " border-radius: 6px; padding: 6px 10px; }"
                         "QLineEdit:focus { background: rgba(255,255,255,0.12); }");
    return field;
}

QPushButton *saveButton()
{
    auto *button = new QPushButton(WeatherLocationCard::tr("Salva"));
    button->setFont(systemFont(12, Weight::Bold));
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet("QPushButton { background: rgb(0,122,255); color: white; border: none;"
                          " border-radius: 6px; padding: 6px 14px; }"
                          "QPushButton:focus { border: 1px solid rgba(255,255,255,0.7); padding: 5px 13px; }"
                          "QPushButton:disabled { background: rgba(0,122,255,0.5); color: rgba(255,255,255,0.6); }");
    return button;
}

}  // namespace

WeatherLocationCard::WeatherLocationCard(PanelActions &actions, WeatherMonitor &monitor, QWidget *parent)
    : PanelCard({}, false, 14, 12, parent), m_actions(actions), m_monitor(monitor),
      m_autoSwitch(new SwitchButton(tr("Posizione automatica (via IP)"))), m_manual(new QWidget), m_city(cityField()),
      m_save(saveButton()), m_status(textLabel({}, systemFont(11, Weight::Medium), systemGrey()))
{
    auto *autoRow = new QHBoxLayout;
    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    QLabel *title = textLabel(tr("Posizione automatica (via IP)"), systemFont(13, Weight::Medium), Qt::white);
    title->setBuddy(m_autoSwitch);
    texts->addWidget(title);
    texts->addWidget(textLabel(tr("Rileva la tua città dall'indirizzo IP"), systemFont(11), white(0.4)));
    autoRow->addLayout(texts);
    autoRow->addStretch();
    autoRow->addWidget(m_autoSwitch);
    column()->addLayout(autoRow);

    auto *manual = new QVBoxLayout(m_manual);
    manual->setContentsMargins(0, 10, 0, 0);
    manual->setSpacing(8);
    QLabel *cityTitle = textLabel(tr("Città"), systemFont(11, Weight::Semibold), white(0.55));
    cityTitle->setBuddy(m_city);
    manual->addWidget(cityTitle);
    auto *entry = new QHBoxLayout;
    entry->setSpacing(8);
    entry->addWidget(m_city, 1);
    entry->addWidget(m_save);
    manual->addLayout(entry);
    m_status->setContentsMargins(0, 2, 0, 0);
    m_status->setWordWrap(true);
    m_status->hide();
    manual->addWidget(m_status);
    border(m_manual, 1, {Edge::Top}, white(0.08));
    column()->addWidget(m_manual);

    m_autoSwitch->showChecked(true);
    m_manual->hide();
    connect(m_autoSwitch, &SwitchButton::toggled, this, &WeatherLocationCard::setWeatherAutoMode);
    connect(m_save, &QPushButton::clicked, this, &WeatherLocationCard::saveManualLocation);
}

void WeatherLocationCard::loadFromSettings()
{
    const WeatherSettings stored = m_actions.settings().weatherSettings();
    // Storing the copy back would write the same record again: reflect only.
    m_autoSwitch->showChecked(!stored.useManual);
    m_manual->setVisible(stored.useManual);
    m_city->setText(stored.city);
}

void WeatherLocationCard::setWeatherAutoMode(bool automatic)
{
    // The switch is the latest word: a search still under way is abandoned, so
    // its answer cannot store a mode the panel no longer shows.
    if (m_searchInProgress) {
        ++m_search;
        setSearchInProgress(false);
        setStatus({}, systemGrey());
    }
    m_manual->setVisible(!automatic);
    m_actions.setAutomaticLocation(automatic);
}

void WeatherLocationCard::saveManualLocation()
{
    const QString city = m_city->text().trimmed();
    if (city.isEmpty() || m_searchInProgress)
        return;
    setSearchInProgress(true);
    setStatus(tr("Ricerca in corso…"), systemGrey());
    const quint64 search = ++m_search;
    m_monitor.searchCityCoordinates(city, this, [this, search](const WeatherReply<std::optional<WeatherSettings>> &reply) {
        if (search != m_search)
            return;
        if (!reply.ok()) {
            setStatus(tr("Errore di rete"), errorRed());
        } else if (const std::optional<WeatherSettings> &found = reply.value()) {
            m_actions.settings().saveWeatherSettings(*found);
            setStatus(tr("✓ Impostato su %1").arg(found->city), successGreen());
        } else {
            setStatus(tr("Città non trovata"), errorRed());
        }
        setSearchInProgress(false);
    });
}

void WeatherLocationCard::setStatus(const QString &text, const QColor &color)
{
    m_status->setText(text);
    setTextColor(m_status, color);
    m_status->setVisible(!text.isEmpty());
}

void WeatherLocationCard::setSearchInProgress(bool on)
{
    m_searchInProgress = on;
    m_save->setText(on ? QStringLiteral("...") : tr("Salva"));
    m_save->setEnabled(!on);
}

}  // namespace panel
