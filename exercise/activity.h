#pragma once

#include <QString>

// One activity the member can log. A catalogue activity burns `met` times
// the body weight in kilograms per hour; an activity of the member's own
// burns the calories per hour the member gave, whatever the weight.
struct Activity
{
    QString code; // the compendium's activity code; "own:<name>" for the member's own
    QString name;
    double met = 0;
    double ownKcalPerHour = 0;

    bool isOwn() const { return ownKcalPerHour > 0; }

    static QString ownCode(const QString& name) { return QStringLiteral("own:") + name; }
};
