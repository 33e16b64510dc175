#include "tracker/dayarchive.h"

#include "tracker/dayclock.h"
#include "tracker/meals.h"

#include "app/settingsstore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>

namespace {

const QString dateFormat = QStringLiteral("yyyy-MM-dd");

QString text(const QHash<QString, QString>& values, const QString& key)
{
    return values.value(key);
}

void writeDates(const QList<QDate>& dates)
{
    DayClock::storeDates(DayArchive::datesKey(), dates);
}

} // namespace

QList<MealEntry> ArchivedDay::entries(int meal, qint32 category) const
{
    if (!Meals::isValid(meal))
        return {};
    return DayStore::parseEntries(text(values, DayKeys::mealRecord(meal, category)));
}

QList<qint32> ArchivedDay::categories(int meal) const
{
    QList<qint32> ids;
    if (!Meals::isValid(meal))
        return ids;
    const QString prefix = QStringLiteral("meal_%1_").arg(meal);
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!it.key().startsWith(prefix) || it.value().isEmpty())
            continue;
        bool ok = false;
        const qint32 id = it.key().mid(prefix.size()).toInt(&ok);
        if (ok && it.key() == DayKeys::mealRecord(meal, id))
            ids.append(id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

int ArchivedDay::mealCalories(int meal) const
{
    if (!Meals::isValid(meal))
        return 0;
    return FoodNumbers::readInt(text(values, DayKeys::mealCalories(meal)));
}

Nutrients ArchivedDay::categoryNutrients(int meal, qint32 category) const
{
    Nutrients nutrients;
    if (Meals::isValid(meal))
        FoodNumbers::readNutrients(text(values, DayKeys::categoryDetails(meal, category)),
                                   &nutrients);
    return FoodNumbers::atLeastZero(nutrients);
}

bool ArchivedDay::hasFood() const
{
    for (int meal = 0; meal < Meals::count; ++meal) {
        if (!categories(meal).isEmpty())
            return true;
    }
    return false;
}

int ArchivedDay::exerciseBurned() const
{
    int sum = 0;
    for (const ExerciseEntry& entry : exercise)
        sum = FoodNumbers::addCalories(sum, entry.calories);
    return sum;
}

int ArchivedDay::exerciseCounted() const
{
    return ExerciseCalories::counted(exerciseBurned(), exerciseShare);
}

QString ArchivedDay::toText() const
{
    QJsonObject keys;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!holdsNothing(it.value()))
            keys.insert(it.key(), it.value());
    }
    QJsonObject object{{QStringLiteral("date"), date.toString(dateFormat)},
                       {QStringLiteral("target"), target},
                       {QStringLiteral("remaining"), remaining},
                       {QStringLiteral("values"), keys}};
    if (hasExercise()) {
        object.insert(QStringLiteral("exercise"),
                      QJsonDocument::fromJson(ExerciseStore::toJson(exercise).toUtf8()).array());
        object.insert(QStringLiteral("exerciseshare"), ExerciseCalories::shareText(exerciseShare));
    }
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

ArchivedDay ArchivedDay::joinedWith(const ArchivedDay& later) const
{
    ArchivedDay joined = *this;
    joined.target = later.target;
    if (later.hasExercise()) {
        joined.exercise = later.exercise;
        joined.exerciseShare = later.exerciseShare;
    }
    for (auto it = later.values.cbegin(); it != later.values.cend(); ++it) {
        const QString earlier = values.value(it.key());
        QString value = it.value();
        if (holdsNothing(earlier)) {
            // nothing to add to
        } else if (it.key().startsWith(QLatin1String("meal_"))) {
            value = earlier + QLatin1Char('@') + value;
        } else if (it.key().startsWith(QLatin1String("Cal_"))) {
            value = QString::number(FoodNumbers::addCalories(FoodNumbers::readInt(earlier),
                                                             FoodNumbers::readInt(value)));
        } else {
            Nutrients sum;
            Nutrients more;
            FoodNumbers::readNutrients(earlier, &sum);
            FoodNumbers::readNutrients(value, &more);
            value = FoodNumbers::nutrientsText(FoodNumbers::shownGrams(sum += more));
        }
        joined.values.insert(it.key(), value);
    }
    int eaten = 0;
    for (int meal = 0; meal < Meals::count; ++meal)
        eaten = FoodNumbers::addCalories(eaten, joined.mealCalories(meal));
    joined.remaining = FoodNumbers::subtractCalories(joined.target, eaten);
    return joined;
}

bool ArchivedDay::holdsNothing(const QString& value)
{
    return value.isEmpty() || value == QLatin1String("0") || value == QLatin1String("0_0_0_0");
}

std::optional<ArchivedDay> ArchivedDay::fromText(const QString& text)
{
    const QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
    ArchivedDay day;
    day.date = QDate::fromString(object.value(QStringLiteral("date")).toString(), dateFormat);
    if (!day.date.isValid())
        return std::nullopt;
    day.target = object.value(QStringLiteral("target")).toInt();
    day.remaining = object.value(QStringLiteral("remaining")).toInt();
    const QJsonObject keys = object.value(QStringLiteral("values")).toObject();
    for (auto it = keys.constBegin(); it != keys.constEnd(); ++it)
        day.values.insert(it.key(), it.value().toString());
    const QJsonArray exercise = object.value(QStringLiteral("exercise")).toArray();
    day.exercise = ExerciseStore::fromJson(
        QString::fromUtf8(QJsonDocument(exercise).toJson(QJsonDocument::Compact)));
    day.exerciseShare =
        ExerciseCalories::shareFromText(object.value(QStringLiteral("exerciseshare")).toString());
    return day;
}

namespace DayArchive {

QString dayKey(const QDate& date)
{
    return QStringLiteral("archive_") + date.toString(dateFormat);
}

QString datesKey()
{
    return QStringLiteral("archivedates");
}

QList<QDate> dates()
{
    return DayClock::storedDates(datesKey());
}

std::optional<ArchivedDay> day(const QDate& date)
{
    if (!date.isValid())
        return std::nullopt;
    std::optional<ArchivedDay> found =
        ArchivedDay::fromText(SettingsStore::memberText(dayKey(date)));
    if (found && found->date != date)
        return std::nullopt;
    return found;
}

QList<ArchivedDay> latest(int count)
{
    const SettingsStore::Batch batch;
    QList<ArchivedDay> result;
    const QList<QDate> all = dates();
    for (auto it = all.crbegin(); it != all.crend() && result.size() < count; ++it) {
        if (std::optional<ArchivedDay> found = day(*it))
            result.append(*found);
    }
    return result;
}

void store(const ArchivedDay& archived)
{
    if (!archived.date.isValid())
        return;
    const SettingsStore::Batch batch;
    QList<QDate> all = dates();
    if (!all.contains(archived.date))
        all.append(archived.date);
    std::sort(all.begin(), all.end());
    SettingsStore::setMemberText(dayKey(archived.date), archived.toText());
    while (all.size() > keptDays)
        SettingsStore::removeMemberKey(dayKey(all.takeFirst()));
    writeDates(all);
    // The exercise of a day no longer kept would otherwise stay for good.
    if (all.size() == keptDays)
        ExerciseStore::forgetBefore(all.first());
    // Days archived by an older version kept their empty keys too.
    for (const QDate& date : std::as_const(all)) {
        const QString stored = SettingsStore::memberText(dayKey(date));
        const std::optional<ArchivedDay> older = ArchivedDay::fromText(stored);
        const QString compact = older ? older->toText() : QString();
        if (older && compact.size() < stored.size())
            SettingsStore::setMemberText(dayKey(date), compact);
    }
}

} // namespace DayArchive
