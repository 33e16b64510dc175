#pragma once

#include <QDate>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>

class FoodCatalogue;
class Server;

// Sends the finished days queued in the member's settings to the service,
// one at a time, oldest first, naming their foods from a catalogue: the one
// a tracker window already loaded in this run, or the one this upload asked
// for; it asks the service again only when it holds none or a day has a food
// the catalogue does not list. A day leaves the queue when the service has
// stored it, or when the service refuses it as no valid day (so one bad day
// never holds up the rest).
//
// No network, a server error, a reply that is not JSON or a stalled request
// keep it queued: it goes again after a growing pause, spread at random so
// that clients do not all come back at once after an outage, at the next
// start, or once another day went through. A day the service keeps failing
// in another way (HTTP 413, an unknown code) is set aside after five tries:
// it stays queued and archived, the others go on, and it is tried again at
// the next start of the program.
class DayUpload final : public QObject
{
    Q_OBJECT
public:
    // A number in [0, 1); the pause between tries is spread by it.
    using RandomSource = std::function<double()>;

    static constexpr int triesBeforeSetAside = 5;

    explicit DayUpload(QObject* parent = nullptr);

    // Sends what the queue holds, unless a send is under way.
    void start();
    bool isBusy() const { return m_step != Step::Idle; }

    // The pause after the n-th failure in a row: 30 s doubling up to 30 min,
    // times 0.5 to 1.5 as `spread` goes from 0 to 1.
    static int retryDelayMs(int failures, double spread = 0.5);
    // Whether a refusal code means the day itself can never be stored.
    static bool refusesTheDay(int resultCode);
    // Whether a failure may pass by itself: no answer (status 0), a time-out,
    // too many requests or a server error; result codes 99 (storage) and
    // 401 (session). Anything else the service answered counts against the
    // day. `resultCode` is -1 for an HTTP failure.
    static bool mayPass(int httpStatus, int resultCode);

    void setRandomSource(RandomSource source) { m_random = std::move(source); }
    // The pause before the next try; 0 when none is due.
    int retryPauseMs() const { return m_retry.isActive() ? m_retry.interval() : 0; }
    QList<QDate> setAside() const;

signals:
    // After each answer or failure; `date` is the day concerned.
    void daySent(const QDate& date);
    void dayDropped(const QDate& date);
    void sendFailed(const QDate& date);
    void daySetAside(const QDate& date);
    // The queue is empty, holds only days set aside, or the run stopped at a
    // failure.
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

    void fetchCatalogue();
    void takeHeldCatalogue();
    void sendNext();
    void fail(bool countsAgainstTheDay);

    Server* m_server = nullptr;
    FoodCatalogue* m_catalogue = nullptr;
    bool m_catalogueLoaded = false;
    int m_catalogueGeneration = -1;
    bool m_askedThisRun = false;
    Step m_step = Step::Idle;
    QDate m_sending;
    QString m_sentText; // the archived day as sent
    int m_failures = 0;
    QHash<QDate, int> m_dayFailures;
    QSet<QDate> m_setAside;
    RandomSource m_random;
    QTimer m_retry;
};
