#pragma once

#include <QDate>
#include <QObject>
#include <QTimer>

class FoodCatalogue;
class Server;

// Sends the finished days queued in the member's settings to the service,
// one at a time, oldest first, naming their foods from the catalogue (asked
// for once per run, as the tracker does). A day leaves the queue when the
// service has stored it, or when the service refuses it as no valid day (so
// one bad day never holds up the rest). No network, a server error, a reply
// that is not JSON or a stalled request keep it queued: it goes again after
// a growing pause, at the next start, or once another day went through.
class DayUpload final : public QObject
{
    Q_OBJECT
public:
    explicit DayUpload(QObject* parent = nullptr);

    // Sends what the queue holds, unless a send is under way.
    void start();
    bool isBusy() const { return m_step != Step::Idle; }

    // The pause after the n-th failure in a row: 30 s doubling up to 30 min.
    static int retryDelayMs(int failures);
    // Whether a refusal code means the day itself can never be stored.
    static bool refusesTheDay(int resultCode);

signals:
    // After each answer or failure; `date` is the day concerned.
    void daySent(const QDate& date);
    void dayDropped(const QDate& date);
    void sendFailed(const QDate& date);
    // The queue is empty (or the run stopped at a failure).
    void finished();

private slots:
    void slt_net_foodinfo(const QString& reply);
    void slt_net_uploadday(const QString& reply);
    void slt_net_error(const QString& error);

private:
    enum class Step
    {
        Idle,
        Catalogue,
        Day
    };

    void sendNext();
    void fail();

    Server* m_server = nullptr;
    FoodCatalogue* m_catalogue = nullptr;
    bool m_catalogueLoaded = false;
    Step m_step = Step::Idle;
    QDate m_sending;
    int m_failures = 0;
    QTimer m_retry;
};
