#pragma once

// A card of the panel: a rounded box (corner radius 12) on white at 4 %, with
// an optional 1-point outline of the same white. A group box underneath, so a
// named card is a named group for screen readers; it draws no title or frame.

#include <QGroupBox>

class QVBoxLayout;

namespace panel {

class PanelCard : public QGroupBox {
    Q_OBJECT

public:
    static constexpr double kCornerRadius = 12;

    // `margins` and `spacing` of the card's column.
    PanelCard(const QString &accessibleName, bool outline, int margins, int spacing, QWidget *parent = nullptr);
    QVBoxLayout *column() const { return m_column; }
    // A part of the card drawn on black at 10 % (within the rounded shape) while shown.
    void setShadedPart(QWidget *part) { m_shaded = part; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QVBoxLayout *m_column;
    QWidget *m_shaded = nullptr;
    bool m_outline;
};

// The settings tab's card: padded 14, rows 12 apart, no outline.
PanelCard *settingsCard();

}  // namespace panel
