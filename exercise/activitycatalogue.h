#pragma once

#include "exercise/activity.h"

#include <QByteArray>
#include <QHash>
#include <QList>

// The activities the member can choose: the built-in list (a CSV file in
// the program's resources: code, MET, name) and the member's own.
class ActivityCatalogue final
{
public:
    // The built-in list, read once.
    static const ActivityCatalogue& builtIn();

    // Lines "code,met,name" (the name runs to the end of the line); lines
    // starting with '#', blank lines and lines that do not parse are left
    // out, and of two lines with one code the first wins.
    static ActivityCatalogue fromCsv(const QByteArray& csv);

    void append(const Activity& activity);
    const QList<Activity>& activities() const { return m_activities; }
    // Null when no activity has `code`.
    const Activity* find(const QString& code) const;
    int size() const { return int(m_activities.size()); }

private:
    QList<Activity> m_activities;
    QHash<QString, int> m_byCode;
};
