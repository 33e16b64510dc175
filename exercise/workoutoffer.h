#pragma once

#include <QString>

#include <optional>

struct ProductItem;

// What a played workout video offers to log: its title, the activity its
// product names and its length. A code the built-in catalogue does not
// list, or minutes out of range, read as unknown: the member chooses then.
struct WorkoutOffer
{
    QString title;
    QString activityCode; // a code of the built-in catalogue; empty when unknown
    int minutes = 0;      // 1 to ExerciseCalories::maxMinutes; 0 when unknown

    // Nothing for a product that is no workout: a video of nutrition or
    // coaching without an activity of its own.
    static std::optional<WorkoutOffer> forProduct(const ProductItem& item);

    // The minutes to offer: the product's, else the played video's length
    // in whole minutes (at least one), else half an hour.
    int minutesToOffer(qint64 playedDurationMs) const;

    friend bool operator==(const WorkoutOffer&, const WorkoutOffer&) = default;
};

// When playing has gone far enough to offer logging the workout: once per
// playing, the first time the position reaches 90 % of the length; seeking
// back and coming past that point again offers nothing more.
class WorkoutProgress final
{
public:
    static constexpr int offerPercent = 90;

    // A new playing of a video.
    void restart() { m_offered = false; }
    // True the one time `positionMs` first reaches the share of `durationMs`.
    bool reached(qint64 positionMs, qint64 durationMs);
    // The member asked already (the button): no offer of its own follows.
    void markOffered() { m_offered = true; }
    bool offered() const { return m_offered; }

private:
    bool m_offered = false;
};
