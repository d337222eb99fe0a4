#include "SessionSight.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include "shell/x11/ScreenBlank.h"
#include "shell/x11/WindowCoverage.h"
#ifdef PELLIX_LAYER_SHELL
#include "shell/wayland/FrameAnswers.h"
#endif

#include <memory>

namespace {
constexpr int kCallTimeoutMs = 3000;
const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kSessionInterface = QStringLiteral("org.freedesktop.login1.Session");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kScreenSaver = QStringLiteral("org.freedesktop.ScreenSaver");

// Calls `done` with the reply when it comes, or never on an error or timeout.
void callAsync(QDBusConnection bus, const QDBusMessage &call, QObject *context,
               std::function<void(const QDBusMessage &)> done)
{
    auto *watch = new QDBusPendingCallWatcher(bus.asyncCall(call, kCallTimeoutMs), context);
    QObject::connect(watch, &QDBusPendingCallWatcher::finished, context, [watch, done] {
        watch->deleteLater();
        if (!watch->isError())
            done(watch->reply());
    });
}

bool firstArgumentBool(const QDBusMessage &reply)
{
    if (reply.arguments().isEmpty())
        return false;
    QVariant v = reply.arguments().constFirst();
    if (v.canConvert<QDBusVariant>())
        v = v.value<QDBusVariant>().variant();
    return v.toBool();
}
}  // namespace

SessionSight &SessionSight::shared()
{
    static SessionSight *instance = new SessionSight;
    return *instance;
}

SessionSight::SessionSight()
{
    if (!QCoreApplication::instance())
        return;
    moveToThread(QCoreApplication::instance()->thread());
    watchLogind();
    watchScreenSaver();
    if (x11::ScreenBlank *blank = x11::ScreenBlank::shared()) {
        m_blank = blank->isBlank();
        connect(blank, &x11::ScreenBlank::changed, this, [this](bool value) { setFlag(m_blank, value); });
    }
}

bool SessionSight::sees(const QWidget *view) const
{
    const x11::WindowCoverage *coverage = x11::WindowCoverage::shared();
    const QWindow *window = view->window()->windowHandle();
    if (!seen() || (coverage && window && coverage->isCovered(window)))
        return false;
#ifdef PELLIX_LAYER_SHELL
    if (const wayland::FrameAnswers *answers = wayland::FrameAnswers::shared(); answers && window)
        return !answers->isUnseen(window);
#endif
    return true;
}

namespace {
// Has the view's window watched for cover once it exists, at each show.
class CoverWatch : public QObject {
public:
    explicit CoverWatch(QWidget *view) : QObject(view) { view->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (QWindow *window = static_cast<QWidget *>(watched)->window()->windowHandle())
                x11::WindowCoverage::shared()->watch(window);
        return false;
    }
};
}  // namespace

void SessionSight::follow(QWidget *view, std::function<void(bool)> changed)
{
    auto shown = std::make_shared<bool>(true);
    auto apply = [this, view, changed, shown] {
        const bool seen = sees(view);
        if (seen == *shown)
            return;
        *shown = seen;
        view->setUpdatesEnabled(seen);  // enabling repaints the view once
        if (changed)
            changed(seen);
    };
    apply();
    connect(this, &SessionSight::seenChanged, view, apply);
    if (x11::WindowCoverage *coverage = x11::WindowCoverage::shared()) {
        new CoverWatch(view);
        connect(coverage, &x11::WindowCoverage::changed, view, apply);
    }
#ifdef PELLIX_LAYER_SHELL
    if (wayland::FrameAnswers *answers = wayland::FrameAnswers::shared()) {
        answers->watch(view);
        connect(answers, &wayland::FrameAnswers::changed, view, apply);
    }
#endif
}

// The session of this process: the one XDG_SESSION_ID names, else logind's "auto".
void SessionSight::watchLogind()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    QDBusMessage get = QDBusMessage::createMethodCall(kLogind, QStringLiteral("/org/freedesktop/login1"),
                                                      QStringLiteral("org.freedesktop.login1.Manager"),
                                                      QStringLiteral("GetSession"));
    get << qEnvironmentVariable("XDG_SESSION_ID", QStringLiteral("auto"));
    callAsync(bus, get, this, [this, bus](const QDBusMessage &reply) {
        if (reply.arguments().isEmpty())
            return;
        const QString path = reply.arguments().constFirst().value<QDBusObjectPath>().path();
        if (path.isEmpty())
            return;
        QDBusConnection(bus).connect(kLogind, path, kProperties, QStringLiteral("PropertiesChanged"), this,
                                     SLOT(onSessionProperties(QString, QVariantMap, QStringList)));
        QDBusMessage hint = QDBusMessage::createMethodCall(kLogind, path, kProperties, QStringLiteral("Get"));
        hint << kSessionInterface << QStringLiteral("LockedHint");
        callAsync(bus, hint, this,
                  [this](const QDBusMessage &value) { setFlag(m_locked, firstArgumentBool(value)); });
    });
}

void SessionSight::watchScreenSaver()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // GNOME and KDE send it from /org/freedesktop/ScreenSaver, KDE also from /ScreenSaver.
    bus.connect(kScreenSaver, QString(), kScreenSaver, QStringLiteral("ActiveChanged"), this,
                SLOT(onScreenSaverActive(bool)));
    const QDBusMessage get = QDBusMessage::createMethodCall(kScreenSaver, QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                            kScreenSaver, QStringLiteral("GetActive"));
    callAsync(bus, get, this, [this](const QDBusMessage &reply) { setFlag(m_saverActive, firstArgumentBool(reply)); });
}

void SessionSight::onSessionProperties(const QString &, const QVariantMap &changed, const QStringList &)
{
    const auto hint = changed.constFind(QStringLiteral("LockedHint"));
    if (hint != changed.constEnd())
        setFlag(m_locked, hint->toBool());
}

void SessionSight::onScreenSaverActive(bool active) { setFlag(m_saverActive, active); }

void SessionSight::setFlag(bool &flag, bool value)
{
    const bool before = seen();
    flag = value;
    if (seen() != before)
        emit seenChanged(seen());
}
