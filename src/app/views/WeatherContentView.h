#pragma once

// The weather widget's content inside the glass container: exactly one of the
// loading, error and data views, painted from the state.

#include "WeatherViewState.h"

#include <QRectF>
#include <QTimer>
#include <QWidget>

class QPainter;

// Where the data view puts its columns in a content rectangle.
struct WeatherDataLayout {
    QRectF mainColumn;
    std::optional<QRectF> divider;         // the 1-point line itself
    std::optional<QRectF> forecastColumn;  // 140 points wide, at the right edge
};
WeatherDataLayout weatherDataLayout(const QRectF &content, bool medium, bool hasDaily);

// Paints one frame of the content; `spinnerPhase` turns the loading spinner.
void paintWeatherContent(QPainter &painter, const QRectF &content, const WeatherViewState &state,
                         bool medium, int spinnerPhase = 0);

class WeatherContentView : public QWidget {
    Q_OBJECT

public:
    explicit WeatherContentView(QWidget *parent = nullptr);

    void setState(const WeatherViewState &state, bool medium);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void updateSpinner();

    WeatherViewState m_state;
    bool m_medium = false;
    int m_spinnerPhase = 0;
    QTimer m_spinner;
};
