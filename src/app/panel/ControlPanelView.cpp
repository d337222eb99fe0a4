#include "ControlPanelView.h"

#include "PanelLogo.h"
#include "PanelStyle.h"
#include "PanelTabBar.h"
#include "SettingsTab.h"
#include "WeatherLocationCard.h"
#include "WidgetsTab.h"
#include "monitors/WeatherMonitor.h"
#include "settings/SettingsManager.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSysInfo>
#include <QVBoxLayout>

namespace panel {

using pellix::ui::systemFont;
using pellix::ui::Weight;
using pellix::ui::white;

namespace {

const char *const kTabKeys[] = {"widgets", "settings"};

class Divider : public QWidget {
public:
    Divider() { setFixedHeight(1); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), white(0.08));
        p.fillRect(rect(), white(0.10));  // the separator line over its background
    }
};

QScrollArea *scrollArea(QWidget *content)
{
    auto *scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);  // Tab goes to the controls; the area follows the focus
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    scroll->verticalScrollBar()->setStyleSheet(
        "QScrollBar:vertical { background: transparent; width: 8px; margin: 2px 1px; }"
        "QScrollBar::handle:vertical { background: rgba(255,255,255,0.22); border-radius: 3px; min-height: 30px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: transparent; }");
    return scroll;
}

// The subtitle names the system the widgets run on.
QString platformName()
{
#if defined(Q_OS_MACOS)
    return QStringLiteral("macOS");
#elif defined(Q_OS_LINUX)
    return QStringLiteral("Linux");
#else
    return QSysInfo::productType();
#endif
}

}  // namespace

ControlPanelView::ControlPanelView(std::function<void(const QString &, bool)> onToggleWidget,
                                   std::function<void(const QString &, const QString &)> onResizeWidget,
                                   std::function<void(const QString &, bool)> onClickThroughChanged,
                                   QWidget *parent)
    : ControlPanelView({std::move(onToggleWidget), std::move(onResizeWidget), std::move(onClickThroughChanged)},
                       SettingsManager::shared(), WeatherMonitor::shared(), nullptr, parent)
{
}

ControlPanelView::ControlPanelView(ControlPanelCallbacks callbacks, SettingsManager &settings, WeatherMonitor &monitor,
                                   const ExtensionCatalog *catalog, QWidget *parent)
    : QWidget(parent), m_actions(settings, std::move(callbacks), catalog), m_tabs(new PanelTabBar),
      m_widgetsTab(new WidgetsTab(m_actions)), m_settingsTab(new SettingsTab(m_actions, monitor))
{
    setPalette(darkPanelPalette());
    setFixedSize(kWidth, kHeight);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(header());

    m_tabs->addTab(tr("Widget"));
    m_tabs->addTab(tr("Impostazioni"));
    auto *tabRow = new QHBoxLayout;
    tabRow->setContentsMargins(24, 0, 24, 16);
    tabRow->addWidget(m_tabs);
    tabRow->addStretch();
    column->addLayout(tabRow);
    column->addWidget(new Divider);

    auto *content = new QWidget;
    auto *tabs = new QVBoxLayout(content);
    tabs->setContentsMargins(24, 24, 24, 24);
    tabs->addWidget(m_widgetsTab);
    tabs->addWidget(m_settingsTab);
    m_settingsTab->hide();
    column->addWidget(scrollArea(content), 1);

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        m_widgetsTab->setVisible(index == 0);
        m_settingsTab->setVisible(index == 1);
    });
    connect(&settings, &SettingsManager::changed, this, &ControlPanelView::onSettingChanged);
}

QWidget *ControlPanelView::header()
{
    auto *header = new QWidget;
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(24, 24, 24, 16);
    row->setSpacing(16);
    row->addWidget(new PanelLogo);
    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(textLabel("PellixWidget", systemFont(20, Weight::Bold), Qt::white));
    texts->addWidget(textLabel(tr("Widget premium per %1").arg(platformName()), systemFont(12), white(0.55)));
    row->addLayout(texts);
    row->addStretch();
    return header;
}

QString ControlPanelView::activeTab() const
{
    return kTabKeys[m_tabs->currentIndex() == 1 ? 1 : 0];
}

void ControlPanelView::setActiveTab(const QString &tab)
{
    m_tabs->setCurrentIndex(tab == QLatin1String(kTabKeys[1]) ? 1 : 0);
}

void ControlPanelView::onSettingChanged(const QString &property)
{
    // The widgets republish their data every few seconds; nothing here shows it.
    if (property == QLatin1String("sharedData"))
        return;
    m_widgetsTab->sync();
    m_settingsTab->sync();
}

void ControlPanelView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_appeared) {
        m_appeared = true;
        m_settingsTab->weatherLocation()->loadFromSettings();
    }
}

}  // namespace panel
