#pragma once

#include <QLabel>

namespace panel {

// A label for text the app does not write (an extension's names, reasons):
// wrapped at word boundaries, or anywhere inside a word too long for a line,
// in at most `maxLines` lines, the last one elided. It never asks for more
// width than a short word; text() and the accessible name keep the whole text,
// and the tooltip shows it when elided.
class FittedLabel : public QLabel {
    Q_OBJECT

public:
    FittedLabel(const QString &text, int maxLines, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The lines shown at `width`, the last one elided when the text goes on.
    QStringList lines(int width) const;

    int m_maxLines;
    int m_lineCount = 1;
};

}  // namespace panel
