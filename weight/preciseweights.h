#pragma once

#include <QDate>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>

#include <optional>

// The hundredths of a kilogram behind weights typed in pounds. The service
// keeps tenths of a kilogram, which cannot tell 150.0 lb (68.04 kg) from
// 149.9 lb (67.99 kg): from tenths alone a weight typed in pounds comes back
// 0.1 lb off about half the time. The member's settings keep the finer value
// per day (and for the goal), and it is shown only while the service's value
// is still the tenth it rounds to, so a change made elsewhere always wins.
class PreciseWeights final
{
public:
    // The values of `email`'s settings store, read at once.
    explicit PreciseWeights(QString email);

    // What to show for a day the service keeps as `storedKg`.
    double shown(const QDate& date, double storedKg) const;
    std::optional<double> shownGoal(std::optional<double> storedKg) const;

    // Remembers what the member entered; a whole tenth needs no memory and
    // forgets the day. Written at once, all days in one go.
    void putAll(const QMap<QDate, double>& kgByDay);
    void forget(const QDate& date);
    void putGoal(std::optional<double> kg);

    // Forgets the days the service no longer keeps as remembered, except
    // those still waiting to be sent.
    void keepMatching(const QMap<QDate, double>& stored, const QSet<QDate>& waiting);

    static QString daysKey();
    static QString goalKey();

private:
    void save();

    QString m_email;
    QMap<QDate, double> m_days;
    std::optional<double> m_goal;
};
