#include "BatteryDeviceList.h"

#include "CheckboxToggleStyle.h"
#include "EdgeBorder.h"
#include "PanelActions.h"
#include "PanelStyle.h"
#include "settings/SettingsManager.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace panel {

BatteryDeviceList::BatteryDeviceList(PanelActions &actions, QWidget *parent) : QWidget(parent), m_actions(actions)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 6, 0, 0);
    column->setSpacing(8);
    QLabel *caption = textLabel(tr("Mostra dispositivi:"), pellix::ui::systemFont(11, pellix::ui::Weight::Semibold),
                                pellix::ui::white(0.4));
    caption->setContentsMargins(0, 4, 0, 0);
    column->addWidget(caption);
    auto *grid = new QGridLayout;
    grid->setVerticalSpacing(8);
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    for (int i = 0; i < int(std::size(kDeviceKinds)); ++i) {
        const QString key = kDeviceKinds[i].key;
        QCheckBox *box = makeCheckbox(kDeviceKinds[i].label);
        connect(box, &QCheckBox::toggled, this, [this, key](bool on) { m_actions.setDeviceVisible(key, on); });
        grid->addWidget(box, i / 2, i % 2);
        m_boxes.append(box);
    }
    column->addLayout(grid);
    border(this, 1, {Edge::Top}, pellix::ui::white(0.08));
    sync();
}

void BatteryDeviceList::sync()
{
    const QStringList visible = m_actions.settings().batteryVisibleDevices();
    for (int i = 0; i < m_boxes.size(); ++i) {
        const QSignalBlocker quiet(m_boxes[i]);
        m_boxes[i]->setChecked(visible.contains(kDeviceKinds[i].key));
    }
}

}  // namespace panel
