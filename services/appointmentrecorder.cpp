#include "services/appointmentrecorder.h"

#include "app/server.h"
#include "main/replydeadline.h"

#include <QUrlQuery>

AppointmentRecorder::AppointmentRecorder()
    : m_server(new Server(this))
    , m_deadline(new ReplyDeadline(this))
{
    connect(m_deadline, &ReplyDeadline::expired, this, &AppointmentRecorder::giveUp);
    connect(m_server, SIGNAL(sig_net_makeappoint(QString)), this, SLOT(slt_net_makeappoint(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
}

void AppointmentRecorder::record(const QString& userId, const QString& serviceId)
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    fields.addQueryItem(QStringLiteral("service_id"), serviceId);
    ++m_pending;
    m_deadline->start();
    m_server->request(Server::endpointIndex(QStringLiteral("makeAppoint")), fields);
}

void AppointmentRecorder::release()
{
    m_released = true;
    if (m_pending == 0)
        deleteLater();
}

// The reply is not read: the purchases list shows the server's count the
// next time it is built.
void AppointmentRecorder::slt_net_makeappoint(QString)
{
    finishOne();
}

void AppointmentRecorder::slt_net_error(QString)
{
    finishOne();
}

void AppointmentRecorder::finishOne()
{
    if (m_pending > 0)
        --m_pending;
    if (m_pending == 0)
        m_deadline->stop();
    if (m_released && m_pending == 0)
        deleteLater();
}

void AppointmentRecorder::giveUp()
{
    m_pending = 0;
    if (m_released)
        deleteLater();
}
