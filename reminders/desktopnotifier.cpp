#include "reminders/desktopnotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QVariantMap>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");

} // namespace

DesktopNotifier::DesktopNotifier(QObject* parent)
    : QObject(parent)
{
}

bool DesktopNotifier::connectOnce()
{
    if (m_triedBus)
        return m_connected;
    m_triedBus = true;
    // Without an address or the usual socket the bus library would try to
    // launch a bus of its own for the X display; a session without a bus
    // simply gets no notifications.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        && (runtime.isEmpty() || !QFileInfo::exists(runtime + QStringLiteral("/bus"))))
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    m_connected = true;
    bus.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(uint, QString)));
    bus.connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                SLOT(onClosed(uint, uint)));
    return true;
}

void DesktopNotifier::notify(const QString& summary, const QString& body, const QString& target)
{
    if (!connectOnce())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface,
                                                       QStringLiteral("Notify"));
    // "default" is the action of clicking the notification itself.
    const QStringList actions{QStringLiteral("default"), tr("Open")};
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("com.olvaweightloss.OlvaApp"));
    call << QStringLiteral("OLVA Weight Loss") << uint(0)
         << QStringLiteral("com.olvaweightloss.OlvaApp") << summary << body << actions << hints
         << int(-1);
    // Asynchronous: a slow or absent service never holds up the window.
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, target](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isValid())
                    m_targets.insert(reply.value(), target);
            });
}

void DesktopNotifier::onActionInvoked(uint id, const QString& action)
{
    // Another program's notification, or one of ours without that action.
    const auto it = m_targets.constFind(id);
    if (it == m_targets.constEnd() || action != QLatin1String("default"))
        return;
    const QString target = *it;
    emit activated(target);
}

void DesktopNotifier::onClosed(uint id, uint /*reason*/)
{
    m_targets.remove(id);
}
