#include "WidgetHostingView.h"

#include <QVBoxLayout>

WidgetHostingView::WidgetHostingView(QWidget *rootView, QWidget *parent) : QWidget(parent), m_rootView(rootView)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (rootView)
        layout->addWidget(rootView);
}
