#include "GalleryWindow.h"

#include "HostedWidgetView.h"
#include "ProviderAnswer.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

QLabel *label(const QString &text, int pixelSize, bool bold, const QString &color)
{
    auto *l = new QLabel(text);
    l->setStyleSheet(QStringLiteral("color: %1; font-size: %2px; font-weight: %3;")
                         .arg(color)
                         .arg(pixelSize)
                         .arg(bold ? 600 : 400));
    l->setWordWrap(true);
    return l;
}

}  // namespace

GalleryWindow::GalleryWindow(const widgetkit::WidgetBundle &bundle, QWidget *parent) : QWidget(parent)
{
    setWindowTitle(tr("Galleria widget"));
    // The desktop's wallpaper stand-in, so the translucent widgets read as they do there.
    setStyleSheet(QStringLiteral("GalleryWindow { background: qlineargradient(x1:0, y1:0, x2:1, y2:1,"
                                 " stop:0 #1f4e79, stop:1 #6a3d7a); }"));
    setAttribute(Qt::WA_StyledBackground);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(24, 24, 24, 24);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(20);
    int row = 0;
    for (const widgetkit::Widget *widget : bundle.widgets()) {
        const widgetkit::WidgetDescriptor d = widget->descriptor();
        auto *text = new QVBoxLayout;
        text->addWidget(label(d.displayName, 15, true, QStringLiteral("white")));
        text->addWidget(label(d.description, 12, false, QStringLiteral("rgba(255,255,255,0.7)")));
        text->addStretch();
        grid->addLayout(text, row, 0);
        auto *previews = new QHBoxLayout;
        previews->setSpacing(16);
        for (widgetkit::WidgetFamily family : d.supportedFamilies) {
            auto *view = new HostedWidgetView(*widget, family);
            widget->getSnapshot({family, true}, onGuiThread<widgetkit::EntryPtr>(view, [view](widgetkit::EntryPtr entry) {
                                    view->setEntry(std::move(entry));
                                }));
            previews->addWidget(view);
        }
        previews->addStretch();
        grid->addLayout(previews, row, 1);
        ++row;
    }
    grid->setColumnMinimumWidth(0, 220);
}
