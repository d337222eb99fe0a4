#include "PanelRows.h"

#include "PanelStyle.h"
#include "SwitchButton.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProxyStyle>
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

// Styles that draw the pop-up as a menu paint it with the application's (light)
// menu palette; as a plain list it takes the picker's dark one.
class PickerStyle : public QProxyStyle {
public:
    static PickerStyle *instance()
    {
        static PickerStyle *style = [] {
            auto *s = new PickerStyle;
            s->setParent(qApp);
            return s;
        }();
        return style;
    }
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

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
    m_picker->setStyle(PickerStyle::instance());
    m_picker->setFixedWidth(kPickerWidth);
    m_picker->setFont(systemFont(12));  // the longest label fits 170 points in Inter
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
