#pragma once

#include <QObject>
#include <QTimer>

// How long a window waits for a reply before it tells the member that the
// server does not answer. 15 s, or OLVA_REPLY_TIMEOUT_MS (read once) so that
// tests of a stalled server stay short.
class ReplyDeadline final : public QObject
{
    Q_OBJECT

public:
    explicit ReplyDeadline(QObject* parent = nullptr);

    static int timeoutMs();

    void start();
    void stop();
    bool isRunning() const { return m_timer.isActive(); }

signals:
    void expired();

private:
    QTimer m_timer;
};
