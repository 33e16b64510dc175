#pragma once

#include "weight/preciseweights.h"
#include "weight/weightentry.h"
#include "weight/weightqueue.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include <optional>

class QTimer;
class QUrlQuery;
class Server;

// The member's weights as the weight window sees them: the service's list
// with the changes not yet confirmed laid over it. A change shows at once,
// is queued in the member's settings and sent; it leaves the queue only when
// the service confirms it. A refusal drops it (the service's value comes back
// with the next list) and says why; an unreachable or broken service keeps
// it, to be sent at the next refresh, the next change, or by a timer that
// waits longer after each failure.
//
// Requests go out on a few lanes, each a Server of its own with at most one
// request out, because Server's error signal does not say which request
// failed. The list and the profile are read, and the profile written, alone;
// queued weights go out oldest first, several at once (an import of years
// would otherwise wait for every answer in turn), never two of one day.
class WeightLog final : public QObject
{
    Q_OBJECT

public:
    explicit WeightLog(QString email, QObject* parent = nullptr);
    ~WeightLog() override;

    // The member's log for the run, shared by the weight window and the
    // start after sign-in: two logs of one member would send one queue twice
    // and each write back its own copy of it. Made on first use.
    static WeightLog* forMember(const QString& email);
    // After sign-in, like the day queue: sends what the member's queue
    // holds without waiting for the weight window. Nothing when it is empty.
    static void sendQueuedAfterSignIn(const QString& email);

    // Ascending by date, one per day.
    QList<WeightEntry> entries() const;
    std::optional<double> goalKg() const;
    std::optional<double> heightCm() const;

    // Asks for the list and the profile, then sends what is queued.
    void refresh();
    void setWeight(const QDate& date, double kg);
    void removeWeight(const QDate& date);
    void setProfile(std::optional<double> goalKg, std::optional<double> heightCm);
    // Queues all of them as one change of the log (an imported day replaces
    // the day's weight), then sends them.
    void importEntries(const QList<WeightEntry>& entries);

    // Changes not yet confirmed by the service.
    int pendingCount() const;
    bool isBusy() const { return lanesOut() > 0; }

    // Failure texts, for the window and its tests.
    static QString unreachableText();
    static QString profileKeptText();
    static QString listFailedText();

    // How long the first retry waits after a failure; doubled after each
    // further failure, up to maxRetryDelayMs. Tests shorten it.
    static void setFirstRetryDelayMs(int ms);
    static constexpr int maxRetryDelayMs = 5 * 60 * 1000;
    // The wait after `failuresBefore` failures in a row, spread by half
    // either way by `random` (0 to 1) so that the clients an outage stopped
    // do not all come back at the same moment.
    static qint64 retryDelayMs(int failuresBefore, double random, int firstMs);

signals:
    void changed();
    void busyChanged(bool busy);
    void failed(const QString& message);

private slots:
    void slt_net_setweight(const QString& text);
    void slt_net_removeweight(const QString& text);
    void slt_net_weights(const QString& text);
    void slt_net_setweightprofile(const QString& text);
    void slt_net_weightprofile(const QString& text);
    void slt_net_error(const QString& text);

private:
    enum class Request
    {
        None,
        List,
        Profile,
        Change,
        SaveProfile
    };
    struct Lane
    {
        Server* server = nullptr;
        Request out = Request::None;
        WeightQueue::Change change; // when out is Change
    };
    static constexpr int laneCount = 4;

    void sendQueued();
    void sendNext();
    void send(Lane& lane, Request request, const QString& endpoint, const QUrlQuery& fields);
    // The lane whose Server sent the signal being handled, when it waits for
    // `request`; null for anything else.
    Lane* answering(Request request);
    void finished(Lane& lane);
    void failedToReach(Lane& lane, const QString& what);
    void memberActed();
    void scheduleRetry();
    void refusedChange(const WeightQueue::Change& change, const QString& message);
    void changeAnswered(const QString& text);
    int lanesOut() const;
    bool isOut(Request request) const;
    bool isDateOut(const QDate& date) const;
    void setBusy(bool busy);
    double visibleKg(const QDate& date) const; // 0: no weight that day

    QString m_email;
    QList<Lane> m_lanes;
    QTimer* m_retry;
    WeightQueue m_queue;
    PreciseWeights m_precise;
    QMap<QDate, double> m_confirmed; // the service's list as last read
    std::optional<double> m_goalKg;
    std::optional<double> m_heightCm;

    bool m_wantList = false;
    bool m_wantProfile = false;
    bool m_wantListAfterQueue = false; // a refusal: read the service's values again
    bool m_memberAsked = false;        // the next failure is told even when retrying
    bool m_halted = false;             // a request failed: wait for the retry or the member
    bool m_busyShown = false;
    QString m_lastRefusal; // told already while the queue drains
    WeightQueue::Profile m_sentProfile;
    int m_failuresInARow = 0;
};
