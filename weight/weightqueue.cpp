#include "weight/weightqueue.h"

#include "app/settingsstore.h"
#include "weight/weightunits.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

namespace {

// A weight as kept: kilograms, one decimal (two when typed in pounds).
QString kgText(double kg)
{
    return WeightUnits::keptText(kg);
}

std::optional<double> number(const QJsonValue& value)
{
    if (!value.isString())
        return std::nullopt;
    bool ok = false;
    const double parsed = value.toString().toDouble(&ok);
    return ok ? std::optional<double>(parsed) : std::nullopt;
}

// The member's own store, named after their e-mail like the rest of their
// settings; opened per access, as the other member keys are.
QSettings memberStore(const QString& email)
{
    return QSettings(QString::fromLatin1(SettingsStore::organisation), email);
}

} // namespace

WeightQueue::WeightQueue(QString email) : m_email(std::move(email))
{
    load();
}

QString WeightQueue::changesKey()
{
    return QStringLiteral("weight/queue");
}

QString WeightQueue::profileKey()
{
    return QStringLiteral("weight/profilequeue");
}

std::optional<WeightQueue::Change> WeightQueue::first() const
{
    if (m_changes.isEmpty())
        return std::nullopt;
    return m_changes.first();
}

std::optional<WeightQueue::Change> WeightQueue::forDate(const QDate& date) const
{
    for (const Change& change : m_changes) {
        if (change.date == date)
            return change;
    }
    return std::nullopt;
}

void WeightQueue::put(const Change& change)
{
    putAll({change});
}

void WeightQueue::putAll(const QList<Change>& changes)
{
    appendLatest(changes);
    save();
}

void WeightQueue::appendLatest(const QList<Change>& changes)
{
    // One pass however many days come at once (an import of years): the
    // last change of each day wins and goes to the back.
    QHash<QDate, qsizetype> last;
    for (qsizetype i = 0; i < changes.size(); ++i)
        last.insert(changes.at(i).date, i);
    m_changes.removeIf([&last](const Change& queued) { return last.contains(queued.date); });
    for (qsizetype i = 0; i < changes.size(); ++i) {
        if (last.value(changes.at(i).date) == i)
            m_changes.append(changes.at(i));
    }
}

void WeightQueue::drop(const Change& change)
{
    constexpr int dropsPerWrite = 100;
    // Usually the first one: the changes are sent oldest first.
    const qsizetype index = m_changes.indexOf(change);
    if (index < 0)
        return;
    m_changes.removeAt(index);
    if (++m_unsavedDrops >= dropsPerWrite || m_changes.isEmpty())
        save();
}

void WeightQueue::flush()
{
    if (m_unsavedDrops > 0)
        save();
}

void WeightQueue::putProfile(const Profile& profile)
{
    m_profile = profile;
    save();
}

void WeightQueue::dropProfile(const Profile& profile)
{
    if (m_profile != profile)
        return;
    m_profile.reset();
    save();
}

void WeightQueue::load()
{
    QSettings store = memberStore(m_email);
    const QJsonArray list =
        QJsonDocument::fromJson(store.value(changesKey()).toString().toUtf8()).array();
    QList<Change> kept;
    kept.reserve(list.size());
    for (const QJsonValue& value : list) {
        const QJsonObject item = value.toObject();
        const QDate date =
            QDate::fromString(item.value(QStringLiteral("date")).toString(), Qt::ISODate);
        if (!date.isValid())
            continue;
        Change change{date, number(item.value(QStringLiteral("kg")))};
        // A kept value that no longer reads as a weight is not sent as a
        // removal: it is dropped.
        if (!change.kg && !item.value(QStringLiteral("remove")).toBool())
            continue;
        kept.append(change);
    }
    appendLatest(kept);
    const QJsonDocument profile =
        QJsonDocument::fromJson(store.value(profileKey()).toString().toUtf8());
    if (profile.isObject()) {
        m_profile = Profile{number(profile.object().value(QStringLiteral("goal_kg"))),
                            number(profile.object().value(QStringLiteral("height_cm")))};
    }
}

void WeightQueue::save()
{
    m_unsavedDrops = 0;
    QJsonArray list;
    for (const Change& change : m_changes) {
        QJsonObject item{{QStringLiteral("date"), change.date.toString(Qt::ISODate)}};
        if (change.kg)
            item.insert(QStringLiteral("kg"), kgText(*change.kg));
        else
            item.insert(QStringLiteral("remove"), true);
        list.append(item);
    }
    QSettings store = memberStore(m_email);
    if (list.isEmpty())
        store.remove(changesKey());
    else
        store.setValue(changesKey(),
                       QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact)));
    if (m_profile) {
        QJsonObject profile;
        if (m_profile->goalKg)
            profile.insert(QStringLiteral("goal_kg"), kgText(*m_profile->goalKg));
        if (m_profile->heightCm)
            profile.insert(QStringLiteral("height_cm"),
                           QString::number(*m_profile->heightCm, 'f', 1));
        store.setValue(profileKey(),
                       QString::fromUtf8(QJsonDocument(profile).toJson(QJsonDocument::Compact)));
    } else {
        store.remove(profileKey());
    }
}
