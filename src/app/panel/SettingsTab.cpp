#include "SettingsTab.h"

#include "PanelActions.h"
#include "PanelCard.h"
#include "PanelRows.h"
#include "PanelStyle.h"
#include "WeatherLocationCard.h"
#include "settings/SettingsManager.h"

#include <QLabel>
#include <QVBoxLayout>

namespace panel {

namespace {

QLabel *spacedCaption(const QString &text)
{
    QLabel *caption = sectionCaption(text);
    caption->setContentsMargins(0, 10, 0, 0);
    return caption;
}

}  // namespace

SettingsTab::SettingsTab(PanelActions &actions, WeatherMonitor &monitor, QWidget *parent)
    : QWidget(parent), m_actions(actions), m_theme(new PickerRow(tr("Tema Vetro Widget"),
                                                                {{"transparent", tr("Liquid Glass Trasparente")},
                                                                 {"opaque", tr("Liquid Glass Opaco")}})),
      m_weather(new WeatherLocationCard(actions, monitor))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(18);

    column->addWidget(sectionCaption(tr("Aspetto")));
    PanelCard *look = settingsCard();
    look->column()->addWidget(m_theme);
    connect(m_theme, &PickerRow::chosen, this, [this](const QString &theme) { m_actions.chooseGlassTheme(theme); });
    column->addWidget(look);

    column->addWidget(spacedCaption(tr("Configura il meteo")));
    column->addWidget(m_weather);

    column->addWidget(spacedCaption(tr("App")));
    PanelCard *app = settingsCard();
    app->column()->addWidget(metadataRow(tr("Versione"), QStringLiteral(PELLIX_VERSION)));
    app->column()->addWidget(metadataRow(tr("Autore"), kAuthor));
    column->addWidget(app);
    column->addStretch();
    sync();
}

void SettingsTab::sync()
{
    m_theme->showSelection(m_actions.settings().glassTheme());
}

}  // namespace panel
