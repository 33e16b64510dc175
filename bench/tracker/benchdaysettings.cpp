// The member's settings file after months of tracking: every day a member
// tracks breakfast, lunch and dinner and most snacks through the day store,
// now and then saves a category with nothing marked or removes one, and the
// day closes at midnight into the archive. Prints the file's size and how
// many of its keys hold nothing, after `days` closed days.
//
//   bench_daysettings [days=120]

#include "tracker/dayarchive.h"
#include "tracker/dayclock.h"
#include "tracker/dayrollover.h"
#include "tracker/daystore.h"

#include "app/accountstate.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int categoryCount = 17;
constexpr int foodsPerCategory = 25;

// Which categories suit which meal, as on a real menu.
const QList<QList<qint32>> mealCategories = {
    {5, 9, 10, 1, 6, 16}, {1, 8, 15, 9}, {11, 13, 7, 4, 14, 3},
    {1, 8, 15, 9, 2},     {12, 11, 13, 4, 2, 3}, {17, 1, 16, 9},
};

// What the day store writes for nothing: an empty record, 0 calories, zero
// nutrients.
bool holdsNothing(const QString& value)
{
    return value.isEmpty() || value == QLatin1String("0") || value == QLatin1String("0_0_0_0");
}

qint32 foodId(qint32 category, int index)
{
    return category * 100 + index;
}

void trackCategory(QRandomGenerator& random, int meal, qint32 category,
                   const QList<qint32>& categoryIds, bool nothingMarked)
{
    QList<MealEntry> chosen;
    Nutrients nutrients;
    const int foods = nothingMarked ? 0 : 1 + random.bounded(3);
    for (int i = 0; i < foods; ++i) {
        const int kind = random.bounded(3);
        const float cup = float(40 + random.bounded(400));
        const float calories = kind == 0 ? cup / 2 : (kind == 1 ? cup : float(random.bounded(600)) + 0.5f);
        chosen.append(MealEntry::make(foodId(category, random.bounded(foodsPerCategory)), calories, kind));
        nutrients.carbs += calories / 8.3f;
        nutrients.fat += calories / 31.0f;
        nutrients.protein += calories / 19.0f;
        nutrients.fiber += calories / 95.0f;
    }
    QSet<qint32> listed;
    for (int i = 0; i < foodsPerCategory; ++i)
        listed.insert(foodId(category, i));
    DayStore::saveCategory(meal, category, chosen, FoodNumbers::shownGrams(nutrients), listed,
                           categoryIds);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int days = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 120;
    QTemporaryDir dir;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    currentEmail = QStringLiteral("bench@example.com");
    totalCalories = 1800;
    DayStore::setDailyTarget(1800);

    QList<qint32> categoryIds;
    for (qint32 id = 1; id <= categoryCount; ++id)
        categoryIds.append(id);
    QRandomGenerator random(20260301);
    QDate date(2026, 1, 1);
    DayClock::setTodayForTesting(date);
    for (int day = 0; day < days; ++day) {
        for (int meal = 0; meal < 6; ++meal) {
            const bool snack = meal % 2 == 1;
            if (snack && random.bounded(100) < 30)
                continue;
            const QList<qint32>& suits = mealCategories.at(meal);
            const int dishes = snack ? 1 : 2 + random.bounded(2);
            for (int dish = 0; dish < dishes; ++dish) {
                const qint32 category = suits.at(random.bounded(int(suits.size())));
                trackCategory(random, meal, category, categoryIds, false);
            }
            // Now and then a category opened and saved with nothing marked,
            // or one taken out again.
            const qint32 other = suits.at(random.bounded(int(suits.size())));
            if (random.bounded(100) < 15)
                trackCategory(random, meal, other, categoryIds, true);
            else if (random.bounded(100) < 10 && !DayStore::entries(meal, other).isEmpty()) {
                QList<float> rows;
                for (const MealEntry& entry : DayStore::entries(meal, other))
                    rows.append(entry.calories);
                DayStore::removeCategory(meal, other, rows, DayStore::mealCalories(meal),
                                         categoryIds);
            }
        }
        date = date.addDays(1);
        DayClock::setTodayForTesting(date);
        DayRollover::closeStoredDay(date);
    }

    int keys = 0;
    int empty = 0;
    {
        QSettings store(QStringLiteral("OlvaApp"), currentEmail);
        const QStringList all = store.allKeys();
        keys = int(all.size());
        for (const QString& key : all)
            empty += holdsNothing(store.value(key).toString()) ? 1 : 0;
    }
    qint64 archivedEntries = 0;
    qint64 emptyEntries = 0;
    for (const ArchivedDay& day : DayArchive::latest(DayArchive::keptDays)) {
        archivedEntries += day.values.size();
        for (const QString& value : day.values)
            emptyEntries += holdsNothing(value) ? 1 : 0;
    }
    const QString file = QSettings(QStringLiteral("OlvaApp"), currentEmail).fileName();
    std::printf("days closed            %d\n", days);
    std::printf("settings file          %lld bytes\n", QFileInfo(file).size());
    std::printf("keys in the file       %d (%d hold nothing)\n", keys, empty);
    std::printf("archived days          %lld\n", qlonglong(DayArchive::dates().size()));
    std::printf("entries per day        %.1f (%.1f hold nothing)\n",
                double(archivedEntries) / std::max(1, int(DayArchive::dates().size())),
                double(emptyEntries) / std::max(1, int(DayArchive::dates().size())));
    return 0;
}
