#include "exercise/exercisecalories.h"

#include <QtMath>

namespace ExerciseCalories {

int burned(double met, double bodyKg, int minutes)
{
    if (!(met > 0) || !(bodyKg > 0) || minutes <= 0 || !qIsFinite(met) || !qIsFinite(bodyKg))
        return 0;
    return qRound(met * bodyKg * minutes / 60.0);
}

int burned(const Activity& activity, double bodyKg, int minutes)
{
    if (activity.isOwn()) {
        if (minutes <= 0 || !qIsFinite(activity.ownKcalPerHour))
            return 0;
        return qRound(activity.ownKcalPerHour * minutes / 60.0);
    }
    return burned(activity.met, bodyKg, minutes);
}

int counted(int burned, Share share)
{
    if (burned <= 0)
        return 0;
    switch (share) {
    case Share::All:
        return burned;
    case Share::Half:
        return burned / 2;
    case Share::None:
        return 0;
    }
    return 0;
}

QString shareText(Share share)
{
    switch (share) {
    case Share::All:
        return QStringLiteral("all");
    case Share::None:
        return QStringLiteral("none");
    case Share::Half:
        break;
    }
    return QStringLiteral("half");
}

Share shareFromText(const QString& text)
{
    if (text == QLatin1String("all"))
        return Share::All;
    if (text == QLatin1String("none"))
        return Share::None;
    return Share::Half;
}

} // namespace ExerciseCalories
