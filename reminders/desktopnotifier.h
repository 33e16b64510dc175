#pragma once

#include <QHash>
#include <QObject>
#include <QString>

// The desktop's notifications (the freedesktop notification service on the
// session bus). A notification carries a target, handed back by activated()
// when the member clicks it. Without a session bus or a service nothing is
// shown and nothing is said: reminders are a courtesy, never an error.
class DesktopNotifier final : public QObject
{
    Q_OBJECT

public:
    explicit DesktopNotifier(QObject* parent = nullptr);

    // Shows `summary` (and `body`); clicking it emits activated(target).
    void notify(const QString& summary, const QString& body, const QString& target);
    // Notifications sent and not yet closed.
    int openCount() const { return m_targets.size(); }

signals:
    void activated(const QString& target);

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onClosed(uint id, uint reason);

private:
    // Joins the session bus at the first notification.
    bool connectOnce();

    bool m_triedBus = false;
    bool m_connected = false;
    QHash<uint, QString> m_targets;
};
