#pragma once

#include <QWidget>

// Holds a widget's view inside its window. Presses the view leaves unhandled
// bubble up to the window, which turns them into a window drag.
class WidgetHostingView : public QWidget {
    Q_OBJECT

public:
    explicit WidgetHostingView(QWidget *rootView, QWidget *parent = nullptr);
    QWidget *rootView() const { return m_rootView; }

private:
    QWidget *m_rootView;
};
