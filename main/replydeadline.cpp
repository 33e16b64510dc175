#include "main/replydeadline.h"

ReplyDeadline::ReplyDeadline(QObject* parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ReplyDeadline::expired);
}

int ReplyDeadline::timeoutMs()
{
    static const int timeout = [] {
        bool ok = false;
        const int fromEnvironment = qEnvironmentVariableIntValue("OLVA_REPLY_TIMEOUT_MS", &ok);
        return ok && fromEnvironment > 0 ? fromEnvironment : 15000;
    }();
    return timeout;
}

void ReplyDeadline::start()
{
    m_timer.start(timeoutMs());
}

void ReplyDeadline::stop()
{
    m_timer.stop();
}
