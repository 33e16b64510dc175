#include "weight/preciseweights.h"

#include "app/settingsstore.h"
#include "weight/weightentry.h"
#include "weight/weightunits.h"

#include <QSettings>
#include <QStringList>

namespace {

QSettings memberStore(const QString& email)
{
    return QSettings(QString::fromLatin1(SettingsStore::organisation), email);
}

// Worth remembering: finer than the tenth the service keeps.
bool isFiner(double kg)
{
    return WeightUnits::roundTenth(kg) != WeightUnits::roundHundredth(kg);
}

bool roundsTo(double precise, double storedKg)
{
    return WeightUnits::roundTenth(precise) == WeightUnits::roundTenth(storedKg);
}

std::optional<double> kgOf(const QString& text)
{
    bool ok = false;
    const double kg = text.toDouble(&ok);
    if (!ok || !WeightLimits::isValidKg(kg))
        return std::nullopt;
    return WeightUnits::roundHundredth(kg);
}

} // namespace

PreciseWeights::PreciseWeights(QString email) : m_email(std::move(email))
{
    QSettings store = memberStore(m_email);
    // "2026-12-01=68.04;2026-12-02=67.99"
    const QStringList days = store.value(daysKey()).toString().split(u';', Qt::SkipEmptyParts);
    for (const QString& day : days) {
        const QDate date = QDate::fromString(day.section(u'=', 0, 0), Qt::ISODate);
        const std::optional<double> kg = kgOf(day.section(u'=', 1));
        if (date.isValid() && kg)
            m_days.insert(date, *kg);
    }
    m_goal = kgOf(store.value(goalKey()).toString());
}

QString PreciseWeights::daysKey()
{
    return QStringLiteral("weight/typed");
}

QString PreciseWeights::goalKey()
{
    return QStringLiteral("weight/typedgoal");
}

double PreciseWeights::shown(const QDate& date, double storedKg) const
{
    const auto it = m_days.constFind(date);
    return it != m_days.constEnd() && roundsTo(*it, storedKg) ? *it : storedKg;
}

std::optional<double> PreciseWeights::shownGoal(std::optional<double> storedKg) const
{
    return storedKg && m_goal && roundsTo(*m_goal, *storedKg) ? m_goal : storedKg;
}

void PreciseWeights::putAll(const QMap<QDate, double>& kgByDay)
{
    bool touched = false;
    for (auto it = kgByDay.cbegin(); it != kgByDay.cend(); ++it) {
        if (isFiner(*it)) {
            m_days.insert(it.key(), WeightUnits::roundHundredth(*it));
            touched = true;
        } else {
            touched |= m_days.remove(it.key()) > 0;
        }
    }
    if (touched)
        save();
}

void PreciseWeights::forget(const QDate& date)
{
    if (m_days.remove(date) > 0)
        save();
}

void PreciseWeights::putGoal(std::optional<double> kg)
{
    const std::optional<double> kept =
        kg && isFiner(*kg) ? std::optional<double>(WeightUnits::roundHundredth(*kg)) : std::nullopt;
    if (kept == m_goal)
        return;
    m_goal = kept;
    save();
}

void PreciseWeights::keepMatching(const QMap<QDate, double>& stored, const QSet<QDate>& waiting)
{
    const qsizetype before = m_days.size();
    m_days.removeIf([&](const auto& day) {
        if (waiting.contains(day.key()))
            return false;
        const auto it = stored.constFind(day.key());
        return it == stored.constEnd() || !roundsTo(day.value(), *it);
    });
    if (m_days.size() != before)
        save();
}

void PreciseWeights::save()
{
    QStringList days;
    days.reserve(m_days.size());
    for (auto it = m_days.cbegin(); it != m_days.cend(); ++it)
        days.append(it.key().toString(Qt::ISODate) + u'=' + QString::number(*it, 'f', 2));
    QSettings store = memberStore(m_email);
    if (days.isEmpty())
        store.remove(daysKey());
    else
        store.setValue(daysKey(), days.join(u';'));
    if (m_goal)
        store.setValue(goalKey(), QString::number(*m_goal, 'f', 2));
    else
        store.remove(goalKey());
}
