#pragma once

#include <QObject>

class Server;

// Sends makeAppoint for the appointment dialog. It outlives the dialog while
// a request is in flight, so closing the dialog right after a click does not
// drop the record; it deletes itself once the last reply is in.
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

    Server* m_server;
    int m_pending = 0;
    bool m_released = false;
};
