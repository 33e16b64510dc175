#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QTimeZone>
#include <QTimer>

// Starts a new day when the local date (DayClock::today()) is later than the
// date the day store holds: the finished day goes to the archive and to the
// upload queue, and today's keys read as an empty day with the target kept.
// One per program: the main window creates and owns it; it checks at once
// when asked, at the next local midnight, every few minutes (a suspended
// computer misses its timers) and whenever the application becomes active.
class DayRollover final : public QObject
{
    Q_OBJECT
public:
    explicit DayRollover(QObject* parent = nullptr);
    ~DayRollover() override;

    // The program's roll-over, or nullptr.
    static DayRollover* instance();

    // Closes the stored day when today is later than it; true when a new
    // day began (dayStarted has then been emitted).
    bool checkNow();

    // The closing itself, in one settings batch: archives the stored day
    // (when it holds food) and queues it for upload, empties today's keys
    // and stores `today`. A store with no date closes nothing (one holding
    // food takes `today`); `today` itself changes nothing. A stored date
    // after `today` (the clock ran ahead and was put right) takes `today`,
    // closing nothing: the meals stay in the member's real day.
    static bool closeStoredDay(const QDate& today);

    // How long after `now` the next check at midnight in `zone` is due:
    // one second into the next date's first moment, however the zone's
    // clock jumps there, and never sooner than a minute.
    static qint64 msUntilMidnight(const QDateTime& now, const QTimeZone& zone);

    // "daydate": the date of the day today's keys hold, "yyyy-MM-dd".
    static QString dateKey();
    static QDate storedDate();

signals:
    void dayStarted(const QDate& today);

private:
    void armMidnight();

    QTimer m_midnight;
    QTimer m_recheck;
};
