#include "exercise/exercisestore.h"

#include "app/settingsstore.h"
#include "tracker/dayclock.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace ExerciseKeys {

QString day(const QDate& date)
{
    return QStringLiteral("exercise_") + date.toString(Qt::ISODate);
}
QString share()
{
    return QStringLiteral("exercise_share");
}
QString bodyKg()
{
    return QStringLiteral("exercise_bodykg");
}
QString recent()
{
    return QStringLiteral("exercise_recent");
}
QString ownActivities()
{
    return QStringLiteral("exercise_own");
}
QString datePrefix()
{
    return QStringLiteral("exercise_2");
}

} // namespace ExerciseKeys

QString ExerciseStore::toJson(const QList<ExerciseEntry>& entries)
{
    QJsonArray list;
    for (const ExerciseEntry& entry : entries)
        list.append(QJsonObject{{QStringLiteral("code"), entry.code},
                                {QStringLiteral("name"), entry.name},
                                {QStringLiteral("minutes"), entry.minutes},
                                {QStringLiteral("calories"), entry.calories}});
    return QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
}

QList<ExerciseEntry> ExerciseStore::fromJson(const QString& text)
{
    QList<ExerciseEntry> entries;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    for (const QJsonValue& value : document.array()) {
        const QJsonObject object = value.toObject();
        ExerciseEntry entry;
        entry.code = object.value(QLatin1String("code")).toString();
        entry.name = object.value(QLatin1String("name")).toString();
        entry.minutes = object.value(QLatin1String("minutes")).toInt();
        entry.calories = object.value(QLatin1String("calories")).toInt();
        if (isValid(entry))
            entries.append(entry);
    }
    return entries;
}

bool ExerciseStore::isValid(const ExerciseEntry& entry)
{
    return !entry.name.isEmpty() && entry.minutes > 0 &&
           entry.minutes <= ExerciseCalories::maxMinutes && entry.calories >= 0 &&
           entry.calories <= ExerciseCalories::maxMinutes * ExerciseCalories::maxOwnKcalPerHour / 60;
}

QList<ExerciseEntry> ExerciseStore::entries(const QDate& date)
{
    if (!date.isValid())
        return {};
    return fromJson(SettingsStore::memberText(ExerciseKeys::day(date)));
}

void ExerciseStore::write(const QDate& date, const QList<ExerciseEntry>& entries)
{
    if (entries.isEmpty())
        SettingsStore::removeMemberKey(ExerciseKeys::day(date));
    else
        SettingsStore::setMemberText(ExerciseKeys::day(date), toJson(entries));
}

bool ExerciseStore::add(const QDate& date, const ExerciseEntry& entry)
{
    if (!date.isValid() || !isValid(entry))
        return false;
    SettingsStore::Batch batch;
    // Today's first entry dates an undated day, as its first food does, so
    // a day of exercise alone is closed and sent too.
    if (date == DayClock::today())
        DayClock::dateUndatedStore();
    QList<ExerciseEntry> list = entries(date);
    list.append(entry);
    write(date, list);
    noteRecent(entry.code);
    return true;
}

bool ExerciseStore::edit(const QDate& date, int index, const ExerciseEntry& entry)
{
    if (!date.isValid() || !isValid(entry))
        return false;
    SettingsStore::Batch batch;
    QList<ExerciseEntry> list = entries(date);
    if (index < 0 || index >= list.size())
        return false;
    list[index] = entry;
    write(date, list);
    noteRecent(entry.code);
    return true;
}

bool ExerciseStore::remove(const QDate& date, int index)
{
    SettingsStore::Batch batch;
    QList<ExerciseEntry> list = entries(date);
    if (index < 0 || index >= list.size())
        return false;
    list.removeAt(index);
    write(date, list);
    return true;
}

void ExerciseStore::replace(const QDate& date, const QList<ExerciseEntry>& entries)
{
    if (!date.isValid())
        return;
    QList<ExerciseEntry> kept = entries;
    kept.removeIf([](const ExerciseEntry& entry) { return !isValid(entry); });
    write(date, kept);
}

int ExerciseStore::burned(const QDate& date)
{
    int sum = 0;
    for (const ExerciseEntry& entry : entries(date))
        sum += entry.calories;
    return sum;
}

int ExerciseStore::counted(const QDate& date)
{
    return ExerciseCalories::counted(burned(date), share());
}

QList<QDate> ExerciseStore::dates()
{
    QList<QDate> found;
    const QString prefix = QStringLiteral("exercise_");
    for (const QString& key : SettingsStore::memberKeys()) {
        if (!key.startsWith(ExerciseKeys::datePrefix()))
            continue;
        const QDate date = QDate::fromString(key.mid(prefix.size()), Qt::ISODate);
        if (date.isValid())
            found.append(date);
    }
    std::sort(found.begin(), found.end());
    return found;
}

ExerciseCalories::Share ExerciseStore::share()
{
    return ExerciseCalories::shareFromText(SettingsStore::memberText(ExerciseKeys::share()));
}

void ExerciseStore::setShare(ExerciseCalories::Share share)
{
    SettingsStore::setMemberText(ExerciseKeys::share(), ExerciseCalories::shareText(share));
}

std::optional<double> ExerciseStore::givenBodyKg()
{
    bool ok = false;
    const double kg = SettingsStore::memberText(ExerciseKeys::bodyKg()).toDouble(&ok);
    if (!ok || kg < ExerciseCalories::minBodyKg || kg > ExerciseCalories::maxBodyKg)
        return std::nullopt;
    return kg;
}

void ExerciseStore::setGivenBodyKg(double kg)
{
    if (kg >= ExerciseCalories::minBodyKg && kg <= ExerciseCalories::maxBodyKg)
        SettingsStore::setMemberText(ExerciseKeys::bodyKg(), QString::number(kg, 'f', 1));
}

QStringList ExerciseStore::recentCodes()
{
    QStringList codes = SettingsStore::memberText(ExerciseKeys::recent())
                            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    codes.removeDuplicates();
    return codes.mid(0, maxRecent);
}

void ExerciseStore::noteRecent(const QString& code)
{
    if (code.isEmpty())
        return;
    QStringList codes = recentCodes();
    codes.removeAll(code);
    codes.prepend(code);
    // One code a line: an own activity's name may hold commas.
    SettingsStore::setMemberText(ExerciseKeys::recent(),
                                 codes.mid(0, maxRecent).join(QLatin1Char('\n')));
}

QList<Activity> ExerciseStore::ownActivities()
{
    QList<Activity> own;
    const QJsonArray list =
        QJsonDocument::fromJson(SettingsStore::memberText(ExerciseKeys::ownActivities()).toUtf8())
            .array();
    for (const QJsonValue& value : list) {
        Activity activity;
        activity.name = value.toObject().value(QLatin1String("name")).toString().trimmed();
        activity.ownKcalPerHour = value.toObject().value(QLatin1String("kcal_per_hour")).toDouble();
        activity.code = Activity::ownCode(activity.name);
        if (!activity.name.isEmpty() && activity.ownKcalPerHour > 0 &&
            activity.ownKcalPerHour <= ExerciseCalories::maxOwnKcalPerHour)
            own.append(activity);
    }
    return own;
}

bool ExerciseStore::addOwnActivity(const QString& name, double kcalPerHour)
{
    const QString trimmed = name.simplified();
    if (trimmed.isEmpty() || !(kcalPerHour > 0) || kcalPerHour > ExerciseCalories::maxOwnKcalPerHour)
        return false;
    QList<Activity> own = ownActivities();
    own.removeIf([&trimmed](const Activity& a) { return a.name == trimmed; });
    Activity activity{Activity::ownCode(trimmed), trimmed, 0, kcalPerHour};
    own.prepend(activity);
    QJsonArray list;
    for (const Activity& a : own)
        list.append(QJsonObject{{QStringLiteral("name"), a.name},
                                {QStringLiteral("kcal_per_hour"), a.ownKcalPerHour}});
    SettingsStore::setMemberText(ExerciseKeys::ownActivities(),
                                 QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact)));
    return true;
}
