#include "PanelRows.h"

#include "PanelStyle.h"
#include "SwitchButton.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace panel {

using pellix::ui::systemFont;
using pellix::ui::Weight;
using pellix::ui::white;

namespace {

QHBoxLayout *rowLayout(QWidget *row)
{
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    return layout;
}

QLabel *rowTitle(const QString &title)
{
    return textLabel(title, systemFont(12.5), white(0.8));
}

}  // namespace

ToggleRow::ToggleRow(const QString &title, QWidget *parent)
    : QWidget(parent), m_switch(new SwitchButton(title, 0.85))
{
    QHBoxLayout *layout = rowLayout(this);
    QLabel *label = rowTitle(title);
    label->setBuddy(m_switch);
    layout->addWidget(label);
    layout->addStretch();
    layout->addWidget(m_switch);
}

PickerRow::PickerRow(const QString &title, const QMap<QString, QString> &options, QWidget *parent)
    : QWidget(parent), m_title(rowTitle(title)), m_picker(new QComboBox)
{
    for (auto it = options.cbegin(); it != options.cend(); ++it)  // QMap iterates in key order
        m_picker->addItem(it.value(), it.key());
    m_picker->setFixedWidth(kPickerWidth);
    m_picker->setFont(systemFont(13));
    m_picker->setFocusPolicy(Qt::StrongFocus);
    m_title->setBuddy(m_picker);
    QHBoxLayout *layout = rowLayout(this);
    layout->addWidget(m_title);
    layout->addStretch();
    layout->addWidget(m_picker);
    connect(m_picker, &QComboBox::activated, this,
            [this](int index) { emit chosen(m_picker->itemData(index).toString()); });
}

void PickerRow::showSelection(const QString &key)
{
    const QSignalBlocker quiet(m_picker);
    m_picker->setCurrentIndex(m_picker->findData(key));
}

QWidget *metadataRow(const QString &title, const QString &value)
{
    auto *row = new QWidget;
    QHBoxLayout *layout = rowLayout(row);
    layout->addWidget(textLabel(title, systemFont(13), white(0.55)));
    layout->addStretch();
    layout->addWidget(textLabel(value, systemFont(13, Weight::Medium), Qt::white));
    return row;
}

}  // namespace panel
