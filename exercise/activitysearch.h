#pragma once

#include "exercise/activity.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// Finds activities by the beginnings of the words of their names, ignoring
// case and accents, with the food search's folding ("velo" finds "Vélo"):
// "walk bri" finds "Walking, brisk pace". Recent activities come first, then
// names that begin with the query, then shorter names, then list order. An
// empty query lists every activity, recent ones first.
class ActivitySearch final
{
public:
    void rebuild(const QList<Activity>& activities, const QStringList& recentCodes = {});
    int size() const { return int(m_activities.size()); }

    // Indexes into the list given to rebuild(), best first, at most `limit`.
    QList<int> find(const QString& query, int limit = 200) const;

private:
    struct Entry
    {
        QStringList words;
        QString name; // folded words joined by single spaces
        int recent = 0; // place among the recent codes; large when not recent
    };
    std::vector<Entry> m_activities;
};
