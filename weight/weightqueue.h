#pragma once

#include "weight/weightentry.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The weight changes a member made that the service has not confirmed yet,
// kept in the member's settings so that they survive a closed window, a
// crash or a week offline. One change per day: a later change of the same
// day replaces the earlier one (so a day is never sent twice) and goes to
// the back, because the changes are sent in the order they were made.
class WeightQueue final
{
public:
    struct Change
    {
        QDate date;
        std::optional<double> kg; // none: remove the day's weight

        friend bool operator==(const Change&, const Change&) = default;
    };
    struct Profile
    {
        std::optional<double> goalKg;
        std::optional<double> heightCm;

        friend bool operator==(const Profile&, const Profile&) = default;
    };

    // The queue of `email`'s settings store, read at once.
    explicit WeightQueue(QString email);

    QList<Change> changes() const { return m_changes; }
    bool isEmpty() const { return m_changes.isEmpty() && !m_profile; }
    int size() const { return int(m_changes.size()) + (m_profile ? 1 : 0); }
    std::optional<Change> first() const;
    std::optional<Change> forDate(const QDate& date) const;

    void put(const Change& change);
    void putAll(const QList<Change>& changes);
    // Drops `change` only when it is still the day's queued change: a newer
    // change of that day made while it was on its way stays queued. Drops are
    // written in groups (and when the queue empties, or at flush()): writing
    // the whole queue after every confirmed day of a large import would cost
    // quadratic time, and a confirmed change sent once more after a crash
    // only sets the same weight again.
    void drop(const Change& change);
    void flush();

    std::optional<Profile> profile() const { return m_profile; }
    void putProfile(const Profile& profile);
    void dropProfile(const Profile& profile);

    // Settings keys, for tests that look at what is kept.
    static QString changesKey();
    static QString profileKey();

private:
    void load();
    void save();
    void appendLatest(const QList<Change>& changes);

    QString m_email;
    QList<Change> m_changes;
    std::optional<Profile> m_profile;
    int m_unsavedDrops = 0;
};
