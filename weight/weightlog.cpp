#include "weight/weightlog.h"

#include "app/server.h"
#include "weight/weightunits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QUrlQuery>

#include <algorithm>

namespace {

int firstRetryDelayMs = 5000;

// The service's answer, or nothing when it is not a JSON object with a
// result_code (an HTML error page, a cut-off body): that is a broken
// answer, not a success.
std::optional<QJsonObject> answerOf(const QString& text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject() || !document.object().contains(QStringLiteral("result_code")))
        return std::nullopt;
    return document.object();
}

int resultCode(const QJsonObject& answer)
{
    const QJsonValue value = answer.value(QStringLiteral("result_code"));
    return value.isString() ? value.toString().toInt() : value.toInt(-1);
}

// Weights, goal and height arrive as decimal text ("81.4"); empty text is
// "not set".
std::optional<double> numberOf(const QJsonValue& value)
{
    bool ok = false;
    const double number = value.isDouble() ? value.toDouble() : value.toString().toDouble(&ok);
    if (!value.isDouble() && !ok)
        return std::nullopt;
    return number;
}

QString kgText(double kg)
{
    return QString::number(WeightUnits::roundTenth(kg), 'f', 1);
}

QString optionalText(std::optional<double> value)
{
    return value ? QString::number(WeightUnits::roundTenth(*value), 'f', 1) : QString();
}

// The codes with which the service refuses the change itself (a weight,
// date, goal or height out of bounds, too many weights, a malformed field):
// sending it again cannot help. Any other code (no session, a storage that
// failed to write, one this client does not know) may pass, so the change
// stays queued.
bool refusesTheChange(int code)
{
    return (code >= 1 && code <= 6) || code == 90;
}

} // namespace

WeightLog::WeightLog(QString email, QObject* parent)
    : QObject(parent), m_email(std::move(email)), m_server(new Server(this)),
      m_retry(new QTimer(this)), m_queue(m_email)
{
    connect(m_server, SIGNAL(sig_net_setweight(QString)), this, SLOT(slt_net_setweight(QString)));
    connect(m_server, SIGNAL(sig_net_removeweight(QString)), this,
            SLOT(slt_net_removeweight(QString)));
    connect(m_server, SIGNAL(sig_net_weights(QString)), this, SLOT(slt_net_weights(QString)));
    connect(m_server, SIGNAL(sig_net_setweightprofile(QString)), this,
            SLOT(slt_net_setweightprofile(QString)));
    connect(m_server, SIGNAL(sig_net_weightprofile(QString)), this,
            SLOT(slt_net_weightprofile(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    m_retry->setSingleShot(true);
    connect(m_retry, &QTimer::timeout, this, &WeightLog::sendNext);
}

WeightLog::~WeightLog()
{
    m_queue.flush();
}

void WeightLog::setFirstRetryDelayMs(int ms)
{
    firstRetryDelayMs = std::max(1, ms);
}

QString WeightLog::unreachableText()
{
    return tr("Could not reach OLVA: your weight is kept and will be sent later.");
}

QString WeightLog::profileKeptText()
{
    return tr("Could not reach OLVA: your goal and height are kept and will be sent later.");
}

QString WeightLog::listFailedText()
{
    return tr("Could not reach OLVA: your weights could not be loaded. Trying again later.");
}

QList<WeightEntry> WeightLog::entries() const
{
    QMap<QDate, double> shown = m_confirmed;
    for (const WeightQueue::Change& change : m_queue.changes()) {
        if (change.kg)
            shown.insert(change.date, *change.kg);
        else
            shown.remove(change.date);
    }
    QList<WeightEntry> list;
    list.reserve(shown.size());
    for (auto it = shown.cbegin(); it != shown.cend(); ++it)
        list.append(WeightEntry{it.key(), it.value()});
    return list;
}

double WeightLog::visibleKg(const QDate& date) const
{
    if (const auto queued = m_queue.forDate(date))
        return queued->kg.value_or(0);
    return m_confirmed.value(date, 0);
}

std::optional<double> WeightLog::goalKg() const
{
    if (const auto queued = m_queue.profile())
        return queued->goalKg;
    return m_goalKg;
}

std::optional<double> WeightLog::heightCm() const
{
    if (const auto queued = m_queue.profile())
        return queued->heightCm;
    return m_heightCm;
}

int WeightLog::pendingCount() const
{
    return m_queue.size();
}

void WeightLog::refresh()
{
    m_wantList = true;
    m_wantProfile = true;
    m_memberAsked = true;
    sendNext();
}

void WeightLog::setWeight(const QDate& date, double kg)
{
    if (!date.isValid())
        return;
    importEntries({WeightEntry{date, kg}});
}

void WeightLog::importEntries(const QList<WeightEntry>& entries)
{
    QList<WeightQueue::Change> changes;
    changes.reserve(entries.size());
    for (const WeightEntry& entry : entries) {
        if (entry.date.isValid())
            changes.append({entry.date, WeightUnits::roundTenth(entry.kg)});
    }
    if (changes.isEmpty())
        return;
    m_queue.putAll(changes);
    m_memberAsked = true;
    emit changed();
    sendNext();
}

void WeightLog::removeWeight(const QDate& date)
{
    if (!date.isValid())
        return;
    m_queue.put({date, std::nullopt});
    m_memberAsked = true;
    emit changed();
    sendNext();
}

void WeightLog::setProfile(std::optional<double> goalKg, std::optional<double> heightCm)
{
    const auto rounded = [](std::optional<double> value) -> std::optional<double> {
        if (value)
            return WeightUnits::roundTenth(*value);
        return std::nullopt;
    };
    m_queue.putProfile({rounded(goalKg), rounded(heightCm)});
    m_memberAsked = true;
    emit changed();
    sendNext();
}

void WeightLog::sendNext()
{
    if (m_out != Request::None)
        return;
    m_retry->stop();
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("email"), m_email);
    if (m_wantList) {
        send(Request::List, QStringLiteral("getWeights"), fields);
    } else if (m_wantProfile) {
        send(Request::Profile, QStringLiteral("getWeightProfile"), fields);
    } else if (const auto change = m_queue.first()) {
        m_sentChange = *change;
        fields.addQueryItem(QStringLiteral("date"), change->date.toString(Qt::ISODate));
        if (change->kg) {
            fields.addQueryItem(QStringLiteral("weight_kg"), kgText(*change->kg));
            send(Request::Change, QStringLiteral("setWeight"), fields);
        } else {
            send(Request::Change, QStringLiteral("removeWeight"), fields);
        }
    } else if (const auto profile = m_queue.profile()) {
        m_sentProfile = *profile;
        fields.addQueryItem(QStringLiteral("goal_kg"), optionalText(profile->goalKg));
        fields.addQueryItem(QStringLiteral("height_cm"), optionalText(profile->heightCm));
        send(Request::SaveProfile, QStringLiteral("setWeightProfile"), fields);
    } else if (m_wantListAfterQueue) {
        m_lastRefusal.clear();
        m_wantListAfterQueue = false;
        m_wantList = true;
        send(Request::List, QStringLiteral("getWeights"), fields);
    }
    setBusy(m_out != Request::None);
}

void WeightLog::send(Request request, const QString& endpoint, const QUrlQuery& fields)
{
    m_out = request;
    m_server->request(Server::endpointIndex(endpoint), fields);
}

void WeightLog::setBusy(bool busy)
{
    if (busy == m_busyShown)
        return;
    m_busyShown = busy;
    emit busyChanged(busy);
}

void WeightLog::finished()
{
    m_out = Request::None;
    m_failuresInARow = 0;
    sendNext();
}

void WeightLog::failedToReach(const QString& what)
{
    m_out = Request::None;
    if (m_memberAsked || m_failuresInARow == 0)
        emit failed(what);
    m_memberAsked = false;
    m_queue.flush();
    scheduleRetry();
    setBusy(false);
}

void WeightLog::scheduleRetry()
{
    // 5 s, 10 s, 20 s ... up to five minutes between tries.
    const int doublings = std::min(m_failuresInARow, 16);
    const qint64 delay = std::min<qint64>(qint64(firstRetryDelayMs) << doublings, maxRetryDelayMs);
    ++m_failuresInARow;
    m_retry->start(int(delay));
}

void WeightLog::refusedChange(const QString& message)
{
    const QDate date = m_sentChange.date;
    const double before = visibleKg(date);
    m_queue.drop(m_sentChange);
    m_wantListAfterQueue = true;
    if (visibleKg(date) != before)
        emit changed();
    // An import over the limit is refused day after day for one reason:
    // said once, not once a day.
    if (message != m_lastRefusal)
        emit failed(message);
    m_lastRefusal = message;
}

void WeightLog::slt_net_setweight(const QString& text)
{
    slt_net_removeweight(text);
}

void WeightLog::slt_net_removeweight(const QString& text)
{
    if (m_out != Request::Change)
        return;
    const auto answer = answerOf(text);
    if (!answer)
        return failedToReach(unreachableText());
    const int code = resultCode(*answer);
    if (code != 0) {
        const QString message = answer->value(QStringLiteral("message")).toString();
        if (!refusesTheChange(code))
            return failedToReach(message.isEmpty() ? unreachableText() : message);
        refusedChange(message.isEmpty() ? tr("OLVA did not take the weight of %1.")
                                              .arg(m_sentChange.date.toString(Qt::ISODate))
                                        : message);
        return finished();
    }
    const QDate date = m_sentChange.date;
    const double before = visibleKg(date);
    if (m_sentChange.kg) {
        const auto stored = numberOf(answer->value(QStringLiteral("weight_kg")));
        m_confirmed.insert(date, stored.value_or(*m_sentChange.kg));
    } else {
        m_confirmed.remove(date);
    }
    m_queue.drop(m_sentChange);
    if (visibleKg(date) != before)
        emit changed();
    finished();
}

void WeightLog::slt_net_weights(const QString& text)
{
    if (m_out != Request::List)
        return;
    const auto answer = answerOf(text);
    if (!answer)
        return failedToReach(m_queue.isEmpty() ? listFailedText() : unreachableText());
    if (resultCode(*answer) != 0) {
        const QString message = answer->value(QStringLiteral("message")).toString();
        return failedToReach(message.isEmpty() ? listFailedText() : message);
    }
    QMap<QDate, double> confirmed;
    const QJsonArray list = answer->value(QStringLiteral("weights")).toArray();
    for (const QJsonValue& value : list) {
        const QJsonObject item = value.toObject();
        const QDate date =
            QDate::fromString(item.value(QStringLiteral("date")).toString(), Qt::ISODate);
        const auto kg = numberOf(item.value(QStringLiteral("weight_kg")));
        if (date.isValid() && kg && *kg > 0)
            confirmed.insert(date, *kg);
    }
    m_wantList = false;
    if (confirmed != m_confirmed) {
        m_confirmed = confirmed;
        emit changed();
    }
    finished();
}

void WeightLog::slt_net_weightprofile(const QString& text)
{
    if (m_out != Request::Profile)
        return;
    const auto answer = answerOf(text);
    if (!answer)
        return failedToReach(m_queue.isEmpty() ? listFailedText() : unreachableText());
    if (resultCode(*answer) != 0) {
        const QString message = answer->value(QStringLiteral("message")).toString();
        return failedToReach(message.isEmpty() ? listFailedText() : message);
    }
    const auto goal = numberOf(answer->value(QStringLiteral("goal_kg")));
    const auto height = numberOf(answer->value(QStringLiteral("height_cm")));
    m_wantProfile = false;
    if (goal != m_goalKg || height != m_heightCm) {
        m_goalKg = goal;
        m_heightCm = height;
        emit changed();
    }
    finished();
}

void WeightLog::slt_net_setweightprofile(const QString& text)
{
    if (m_out != Request::SaveProfile)
        return;
    const auto answer = answerOf(text);
    if (!answer)
        return failedToReach(profileKeptText());
    const int code = resultCode(*answer);
    const QString message = answer->value(QStringLiteral("message")).toString();
    if (code != 0 && !refusesTheChange(code))
        return failedToReach(message.isEmpty() ? profileKeptText() : message);
    m_queue.dropProfile(m_sentProfile);
    if (code == 0) {
        m_goalKg = m_sentProfile.goalKg;
        m_heightCm = m_sentProfile.heightCm;
    } else {
        // Refused: what the service keeps shows again.
        emit failed(message.isEmpty() ? tr("OLVA did not take your goal and height.") : message);
        emit changed();
    }
    finished();
}

void WeightLog::slt_net_error(const QString& text)
{
    Q_UNUSED(text);
    if (m_out == Request::None)
        return;
    if (m_out == Request::SaveProfile)
        return failedToReach(profileKeptText());
    failedToReach(m_out == Request::Change || !m_queue.isEmpty() ? unreachableText()
                                                                 : listFailedText());
}
