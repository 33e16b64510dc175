#include "exercise/activitycatalogue.h"

#include <QCoreApplication>
#include <QFile>

const ActivityCatalogue& ActivityCatalogue::builtIn()
{
    // Read once the translation is installed (the first window that needs
    // it): names in the member's language, found by the same search.
    static const ActivityCatalogue catalogue = [] {
        QFile file(QStringLiteral(":/exercise/activities.csv"));
        ActivityCatalogue read = fromCsv(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        for (Activity& activity : read.m_activities)
            activity.name = QCoreApplication::translate("Activity", activity.name.toUtf8().constData());
        return read;
    }();
    return catalogue;
}

ActivityCatalogue ActivityCatalogue::fromCsv(const QByteArray& csv)
{
    ActivityCatalogue catalogue;
    for (const QByteArray& raw : csv.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        Activity activity;
        activity.code = line.section(QLatin1Char(','), 0, 0).trimmed();
        bool ok = false;
        activity.met = line.section(QLatin1Char(','), 1, 1).trimmed().toDouble(&ok);
        activity.name = line.section(QLatin1Char(','), 2).trimmed();
        if (!ok || !(activity.met > 0) || activity.met > 30 || activity.code.isEmpty() ||
            activity.name.isEmpty())
            continue;
        catalogue.append(activity);
    }
    return catalogue;
}

void ActivityCatalogue::append(const Activity& activity)
{
    if (m_byCode.contains(activity.code))
        return;
    m_byCode.insert(activity.code, int(m_activities.size()));
    m_activities.append(activity);
}

const Activity* ActivityCatalogue::find(const QString& code) const
{
    const auto it = m_byCode.constFind(code);
    return it == m_byCode.cend() ? nullptr : &m_activities.at(*it);
}
