#include "WidgetCard.h"

#include "FittedLabel.h"
#include "PanelStyle.h"
#include "SwitchButton.h"
#include "Symbols.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace panel {

using pellix::ui::systemFont;
using pellix::ui::Weight;
using pellix::ui::white;

// The 38 x 38 tile (white at 8 %, corner radius 8) with the widget's symbol at
// size 18: accent blue while the widget is enabled, white at 60 % otherwise.
class WidgetCard::IconTile : public QWidget {
public:
    explicit IconTile(const QString &symbol) : m_symbol(symbol) { setFixedSize(38, 38); }
    void setLit(bool lit)
    {
        if (lit != m_lit)
            m_lit = lit, update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(white(0.08));
        p.drawRoundedRect(QRectF(rect()), 8, 8);
        // Material glyphs fill less of their box than the original symbols: 22 px draws their 18 points.
        pellix::ui::drawSymbol(p, QRectF(rect()), m_symbol, 22, m_lit ? accentBlue() : white(0.6));
    }

private:
    QString m_symbol;
    bool m_lit = false;
};

WidgetCard::WidgetCard(const QString &title, const QString &description, const QString &icon, QWidget *parent)
    : PanelCard(title, true, 0, 0, parent), m_icon(new IconTile(icon)), m_switch(new SwitchButton(title)),
      m_options(new QWidget)
{
    auto *header = new QWidget;
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(14, 14, 14, 14);
    row->setSpacing(12);
    row->addWidget(m_icon);
    // An extension's texts can be of any length: the name takes one line, the description two.
    auto *name = new FittedLabel(title, 1);
    name->setFont(systemFont(14, Weight::Semibold));
    setTextColor(name, Qt::white);
    auto *about = new FittedLabel(description, 2);
    about->setFont(systemFont(12));
    setTextColor(about, white(0.45));
    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(name);
    texts->addWidget(about);
    row->addLayout(texts, 1);
    row->setAlignment(texts, Qt::AlignVCenter);
    row->addWidget(m_switch);
    column()->addWidget(header);

    auto *options = new QVBoxLayout(m_options);
    options->setContentsMargins(14, 0, 14, 14);
    options->setSpacing(12);
    column()->addWidget(m_options);
    setShadedPart(m_options);
    showEnabled(false);
}

void WidgetCard::addOption(QWidget *row)
{
    m_options->layout()->addWidget(row);
}

void WidgetCard::showEnabled(bool on)
{
    m_switch->showChecked(on);
    m_options->setVisible(on);
    m_icon->setLit(on);
}

}  // namespace panel
