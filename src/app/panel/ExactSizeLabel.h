#pragma once

#include <QLabel>

namespace panel {

// A one-line label drawn at its font's own size, half points included (a
// QLabel draws 12.5 as 13); sized and painted through ExactSizeText.
class ExactSizeLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace panel
