#pragma once

#include <QObject>

class ReplyDeadline;
class Server;

// Sends makeAppoint for the appointment dialog. It outlives the dialog while
// a request is in flight, so closing the dialog right after a click does not
// drop the record; it deletes itself once the last reply is in, or once the
// reply deadline has passed (the reply is never read, so nothing is lost by
// no longer waiting for it).
class AppointmentRecorder final : public QObject
{
    Q_OBJECT

public:
    AppointmentRecorder();

    void record(const QString& userId, const QString& serviceId);
    // Called by the dialog as it closes: go now, or after the last reply.
    void release();

    int pending() const { return m_pending; }

private slots:
    void slt_net_makeappoint(QString reply);
    void slt_net_error(QString message);

private:
    void finishOne();
    void giveUp();

    Server* m_server;
    ReplyDeadline* m_deadline;
    int m_pending = 0;
    bool m_released = false;
};
