#include "exercise/memberbodyweight.h"

#include "app/accountstate.h"
#include "exercise/bodyweight.h"
#include "weight/weightlog.h"

MemberBodyWeight::MemberBodyWeight(QObject* parent)
    : QObject(parent)
{
    if (currentEmail.isEmpty())
        return;
    m_log = WeightLog::forMember(currentEmail);
    connect(m_log, &WeightLog::changed, this, &MemberBodyWeight::changed);
    // Once per log (one a run and member): its own timer retries a failure.
    static QPointer<WeightLog> read;
    if (read != m_log && !m_log->isBusy()) {
        read = m_log;
        m_log->refresh();
    }
}

QList<WeightEntry> MemberBodyWeight::entries() const
{
    return m_log ? m_log->entries() : QList<WeightEntry>();
}

std::optional<double> MemberBodyWeight::kg() const
{
    return BodyWeight::forExercise(entries());
}
