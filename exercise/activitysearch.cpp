#include "exercise/activitysearch.h"

#include "tracker/foodsearch.h"

#include <QHash>

#include <algorithm>
#include <climits>
#include <tuple>

void ActivitySearch::rebuild(const QList<Activity>& activities, const QStringList& recentCodes)
{
    QHash<QString, int> recent;
    for (int place = 0; place < recentCodes.size(); ++place)
        recent.insert(recentCodes.at(place), place);
    m_activities.clear();
    m_activities.reserve(size_t(activities.size()));
    for (const Activity& activity : activities) {
        Entry entry;
        entry.words = FoodSearch::words(activity.name);
        entry.name = entry.words.join(QLatin1Char(' '));
        entry.recent = recent.value(activity.code, INT_MAX);
        m_activities.push_back(std::move(entry));
    }
}

QList<int> ActivitySearch::find(const QString& query, int limit) const
{
    const QStringList wanted = FoodSearch::words(query);
    const QString joined = wanted.join(QLatin1Char(' '));
    struct Ranked
    {
        int recent;
        int tier;
        int length;
        int index;
    };
    std::vector<Ranked> ranked;
    for (size_t index = 0; index < m_activities.size(); ++index) {
        const Entry& entry = m_activities[index];
        const bool all = std::all_of(wanted.cbegin(), wanted.cend(), [&entry](const QString& w) {
            return std::any_of(entry.words.cbegin(), entry.words.cend(),
                               [&w](const QString& word) { return word.startsWith(w); });
        });
        if (!all)
            continue;
        const int tier = entry.name.startsWith(joined) ? 0 : 1;
        ranked.push_back({entry.recent, tier, int(entry.name.size()), int(index)});
    }
    const size_t count = std::min(ranked.size(), size_t(std::max(limit, 0)));
    std::partial_sort(ranked.begin(), ranked.begin() + qsizetype(count), ranked.end(),
                      [](const Ranked& a, const Ranked& b) {
                          return std::tie(a.recent, a.tier, a.length, a.index) <
                                 std::tie(b.recent, b.tier, b.length, b.index);
                      });
    QList<int> found;
    found.reserve(qsizetype(count));
    for (size_t i = 0; i < count; ++i)
        found.append(ranked[i].index);
    return found;
}
