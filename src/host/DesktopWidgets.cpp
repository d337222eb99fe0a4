#include "DesktopWidgets.h"

#include "HostedWidgetView.h"
#include "shell/WidgetHostingView.h"
#include "shell/WidgetWindow.h"

#include <QGuiApplication>
#include <QScreen>

DesktopWidgets::DesktopWidgets(const QList<ShownWidget> &widgets, const TimelineSession::Clock &clock)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QPoint at = screen.topLeft() + QPoint(kMargin, kMargin);
    for (const ShownWidget &shown : widgets) {
        const QSize size = widgetkit::familySize(shown.family);
        if (at.x() + size.width() > screen.right() && at.x() > screen.left() + kMargin)
            at = QPoint(screen.left() + kMargin, at.y() + size.height() + kMargin);  // next row

        auto *view = new HostedWidgetView(*shown.widget, shown.family);
        const QString name = shown.widget->descriptor().kind + ':' + widgetkit::familyName(shown.family);
        auto window = std::make_unique<WidgetWindow>(name, new WidgetHostingView(view), QRect(at, size), false);
        window->setAccessibleName(shown.widget->descriptor().displayName);
        auto session = std::make_unique<TimelineSession>(*shown.widget, widgetkit::TimelineContext{shown.family, false},
                                                         clock);
        QObject::connect(session.get(), &TimelineSession::entryChanged, view,
                         [view, s = session.get()] { view->setEntry(s->entry()); });
        window->show();
        session->start();  // a fresh snapshot as the widget first shows, then its timeline
        m_windows.push_back(std::move(window));
        m_sessions.push_back(std::move(session));
        at.rx() += size.width() + kMargin;
    }
}

DesktopWidgets::~DesktopWidgets() = default;
