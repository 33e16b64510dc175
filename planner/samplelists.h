#pragma once

#include <QString>
#include <QStringList>

// The titles of the sample meals, one list per meal index, fetched by the
// planner home and shown by the tracker's sample dialog. Process-wide.
class SampleLists final
{
public:
    static constexpr int mealCount = 6;

    // The list of `meal`; empty for an index outside 0..5.
    static QStringList titles(int meal);

    static void clear();
    // Appends the titles of a getSampleList reply to the list of `meal`.
    // Returns false (and changes nothing) for a failed or unreadable reply.
    static bool appendReply(int meal, const QString& reply);
};
