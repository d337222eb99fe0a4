#pragma once

// The app's mark in the panel header, drawn: a 42 x 42 tile with a blue to
// indigo gradient, a white ring and a white dot at its centre.

#include <QWidget>

namespace panel {

class PanelLogo : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSide = 42;
    explicit PanelLogo(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace panel
