#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// Keeps one client per member account on this computer: two clients would race
// on the same settings and day store. The first instance listens on a local
// socket; a later one finds it there, asks it to show itself and ends.
//
//   SingleInstance instance(SingleInstance::defaultKey());
//   if (!instance.claim()) return 0; // the running client comes to the front
//   connect(&instance, &SingleInstance::activationRequested, ...raise...);
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Per user, settings folder and data folder, so that a client with its own
    // settings (tests, a second account folder) never meets the member's one.
    static QString defaultKey();

    // true: no other instance answered and this one now listens (or could not,
    // in which case it runs alone rather than not at all). false: another
    // instance is running and has been asked to come to the front.
    bool claim();
    bool isListening() const;

signals:
    // A later instance was started; bring the window to the front.
    void activationRequested();

private:
    bool tellRunning();
    void acceptConnections();

    QString m_key;
    QLocalServer* m_server = nullptr;
};
