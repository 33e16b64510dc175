#include "weight/weightlog.h"

#include "app/jsonreply.h"
#include "app/localeformats.h"
#include "app/server.h"
#include "app/servicemessages.h"
#include "weight/weightunits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QCoreApplication>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrlQuery>

#include <algorithm>

namespace {

int firstRetryDelayMs = 5000;

// The service's answer, or nothing when it is not a JSON object whose
// result_code is a whole number (an HTML error page, a cut-off body,
// "error"): that is a broken answer, not a success.
std::optional<QJsonObject> answerOf(const QString& text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject() || !JsonReply::resultCodeOf(document.object()))
        return std::nullopt;
    return document.object();
}

int resultCode(const QJsonObject& answer)
{
    return JsonReply::resultCode(answer);
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

// The service keeps tenths; the finer value typed in pounds stays here.
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
    : QObject(parent), m_email(std::move(email)), m_retry(new QTimer(this)), m_queue(m_email),
      m_precise(m_email)
{
    for (int i = 0; i < laneCount; ++i) {
        auto* server = new Server(this);
        connect(server, SIGNAL(sig_net_setweight(QString)), this, SLOT(slt_net_setweight(QString)));
        connect(server, SIGNAL(sig_net_removeweight(QString)), this,
                SLOT(slt_net_removeweight(QString)));
        connect(server, SIGNAL(sig_net_weights(QString)), this, SLOT(slt_net_weights(QString)));
        connect(server, SIGNAL(sig_net_setweightprofile(QString)), this,
                SLOT(slt_net_setweightprofile(QString)));
        connect(server, SIGNAL(sig_net_weightprofile(QString)), this,
                SLOT(slt_net_weightprofile(QString)));
        connect(server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
        m_lanes.append(Lane{server, Request::None, {}});
    }
    m_retry->setSingleShot(true);
    connect(m_retry, &QTimer::timeout, this, [this] {
        m_halted = false;
        sendNext();
    });
}

WeightLog::~WeightLog()
{
    m_queue.flush();
}

WeightLog* WeightLog::forMember(const QString& email)
{
    static QPointer<WeightLog> run;
    // Another member signed in: theirs is a log of its own. The earlier one
    // stays, as a window may still hold it.
    if (!run || run->m_email != email)
        run = new WeightLog(email, QCoreApplication::instance());
    return run;
}

void WeightLog::sendQueuedAfterSignIn(const QString& email)
{
    if (email.isEmpty() || WeightQueue(email).isEmpty())
        return;
    forMember(email)->sendQueued();
}

void WeightLog::sendQueued()
{
    // Not the member's own act: a failure now is told once, quietly kept
    // and retried by the timer.
    m_halted = false;
    sendNext();
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
    QMap<QDate, double> shown;
    for (auto it = m_confirmed.cbegin(); it != m_confirmed.cend(); ++it)
        shown.insert(it.key(), m_precise.shown(it.key(), *it));
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
    const double confirmed = m_confirmed.value(date, 0);
    return confirmed > 0 ? m_precise.shown(date, confirmed) : 0;
}

std::optional<double> WeightLog::goalKg() const
{
    if (const auto queued = m_queue.profile())
        return queued->goalKg;
    return m_precise.shownGoal(m_goalKg);
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
    memberActed();
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
            changes.append({entry.date, WeightUnits::roundHundredth(entry.kg)});
    }
    if (changes.isEmpty())
        return;
    QMap<QDate, double> typed;
    for (const WeightQueue::Change& change : std::as_const(changes))
        typed.insert(change.date, *change.kg);
    m_precise.putAll(typed);
    m_queue.putAll(changes);
    emit changed();
    memberActed();
}

void WeightLog::removeWeight(const QDate& date)
{
    if (!date.isValid())
        return;
    m_precise.forget(date);
    m_queue.put({date, std::nullopt});
    emit changed();
    memberActed();
}

void WeightLog::setProfile(std::optional<double> goalKg, std::optional<double> heightCm)
{
    const auto rounded = [](std::optional<double> value, double (*round)(double)) {
        return value ? std::optional<double>(round(*value)) : std::nullopt;
    };
    const std::optional<double> goal = rounded(goalKg, WeightUnits::roundHundredth);
    m_precise.putGoal(goal);
    m_queue.putProfile({goal, rounded(heightCm, WeightUnits::roundTenth)});
    emit changed();
    memberActed();
}

void WeightLog::memberActed()
{
    // The member acted: try at once, and tell them if it fails again.
    m_memberAsked = true;
    m_halted = false;
    sendNext();
}

int WeightLog::lanesOut() const
{
    return int(std::count_if(m_lanes.cbegin(), m_lanes.cend(),
                             [](const Lane& lane) { return lane.out != Request::None; }));
}

bool WeightLog::isOut(Request request) const
{
    return std::any_of(m_lanes.cbegin(), m_lanes.cend(),
                       [request](const Lane& lane) { return lane.out == request; });
}

bool WeightLog::isDateOut(const QDate& date) const
{
    return std::any_of(m_lanes.cbegin(), m_lanes.cend(), [&date](const Lane& lane) {
        return lane.out == Request::Change && lane.change.date == date;
    });
}

void WeightLog::sendNext()
{
    // Reads and the profile go alone; after a failure nothing new goes out
    // until the retry timer or the member says so.
    const bool aloneOut =
        isOut(Request::List) || isOut(Request::Profile) || isOut(Request::SaveProfile);
    if (!m_halted && !aloneOut) {
        QUrlQuery fields;
        fields.addQueryItem(QStringLiteral("email"), m_email);
        if (m_wantList || m_wantProfile) {
            if (lanesOut() == 0 && m_wantList)
                send(m_lanes[0], Request::List, QStringLiteral("getWeights"), fields);
            else if (lanesOut() == 0)
                send(m_lanes[0], Request::Profile, QStringLiteral("getWeightProfile"), fields);
        } else {
            const QList<WeightQueue::Change> queued = m_queue.changes();
            qsizetype next = 0;
            for (Lane& lane : m_lanes) {
                if (lane.out != Request::None)
                    continue;
                while (next < queued.size() && isDateOut(queued.at(next).date))
                    ++next;
                if (next == queued.size())
                    break;
                lane.change = queued.at(next++);
                QUrlQuery change = fields;
                change.addQueryItem(QStringLiteral("date"), lane.change.date.toString(Qt::ISODate));
                if (lane.change.kg) {
                    change.addQueryItem(QStringLiteral("weight_kg"), kgText(*lane.change.kg));
                    send(lane, Request::Change, QStringLiteral("setWeight"), change);
                } else {
                    send(lane, Request::Change, QStringLiteral("removeWeight"), change);
                }
            }
            if (lanesOut() == 0) {
                if (const auto profile = m_queue.profile()) {
                    m_sentProfile = *profile;
                    fields.addQueryItem(QStringLiteral("goal_kg"), optionalText(profile->goalKg));
                    fields.addQueryItem(QStringLiteral("height_cm"),
                                        optionalText(profile->heightCm));
                    send(m_lanes[0], Request::SaveProfile, QStringLiteral("setWeightProfile"),
                         fields);
                } else if (m_wantListAfterQueue) {
                    m_lastRefusal.clear();
                    m_wantListAfterQueue = false;
                    send(m_lanes[0], Request::List, QStringLiteral("getWeights"), fields);
                }
            }
        }
        if (lanesOut() > 0)
            m_retry->stop();
    }
    setBusy(lanesOut() > 0);
}

void WeightLog::send(Lane& lane, Request request, const QString& endpoint, const QUrlQuery& fields)
{
    lane.out = request;
    lane.server->request(Server::endpointIndex(endpoint), fields);
}

WeightLog::Lane* WeightLog::answering(Request request)
{
    for (Lane& lane : m_lanes) {
        if (lane.server == sender())
            return lane.out == request ? &lane : nullptr;
    }
    return nullptr;
}

void WeightLog::setBusy(bool busy)
{
    if (busy == m_busyShown)
        return;
    m_busyShown = busy;
    emit busyChanged(busy);
}

void WeightLog::finished(Lane& lane)
{
    lane.out = Request::None;
    if (!m_halted)
        m_failuresInARow = 0;
    sendNext();
}

void WeightLog::failedToReach(Lane& lane, const QString& what)
{
    lane.out = Request::None;
    // Told once per run of failures, and again after the member acts; the
    // other lanes' failures of the same moment say nothing new.
    if (!m_halted) {
        if (m_memberAsked || m_failuresInARow == 0)
            emit failed(what);
        m_memberAsked = false;
        m_halted = true;
        scheduleRetry();
    }
    m_queue.flush();
    setBusy(lanesOut() > 0);
}

void WeightLog::scheduleRetry()
{
    const qint64 delay = retryDelayMs(m_failuresInARow, QRandomGenerator::global()->generateDouble(),
                                      firstRetryDelayMs);
    ++m_failuresInARow;
    m_retry->start(int(delay));
}

qint64 WeightLog::retryDelayMs(int failuresBefore, double random, int firstMs)
{
    // 5 s, 10 s, 20 s ... up to five minutes, each between half and one and
    // a half times as long.
    const int doublings = std::clamp(failuresBefore, 0, 16);
    const qint64 base = std::min<qint64>(qint64(std::max(firstMs, 1)) << doublings, maxRetryDelayMs);
    return std::max<qint64>(1, qint64(double(base) * (0.5 + std::clamp(random, 0.0, 1.0))));
}

void WeightLog::refusedChange(const WeightQueue::Change& change, const QString& message)
{
    const double before = visibleKg(change.date);
    m_queue.drop(change);
    m_wantListAfterQueue = true;
    if (visibleKg(change.date) != before)
        emit changed();
    // An import over the limit is refused day after day for one reason:
    // said once, not once a day.
    if (message != m_lastRefusal)
        emit failed(message);
    m_lastRefusal = message;
}

void WeightLog::slt_net_setweight(const QString& text)
{
    changeAnswered(text);
}

void WeightLog::slt_net_removeweight(const QString& text)
{
    changeAnswered(text);
}

void WeightLog::changeAnswered(const QString& text)
{
    Lane* lane = answering(Request::Change);
    if (!lane)
        return;
    const WeightQueue::Change change = lane->change;
    const auto answer = answerOf(text);
    if (!answer)
        return failedToReach(*lane, unreachableText());
    const int code = resultCode(*answer);
    if (code != 0) {
        const QString message = ServiceMessages::of(
            change.kg ? QStringLiteral("setWeight") : QStringLiteral("removeWeight"), *answer);
        if (!refusesTheChange(code))
            return failedToReach(*lane, message.isEmpty() ? unreachableText() : message);
        refusedChange(
            change,
            message.isEmpty()
                ? tr("OLVA did not take the weight of %1.").arg(LocaleFormats::day(change.date))
                : message);
        return finished(*lane);
    }
    const double before = visibleKg(change.date);
    if (change.kg) {
        const auto stored = numberOf(answer->value(QStringLiteral("weight_kg")));
        m_confirmed.insert(change.date, stored.value_or(*change.kg));
    } else {
        m_confirmed.remove(change.date);
    }
    m_queue.drop(change);
    if (visibleKg(change.date) != before)
        emit changed();
    finished(*lane);
}

void WeightLog::slt_net_weights(const QString& text)
{
    Lane* lane = answering(Request::List);
    if (!lane)
        return;
    const auto answer = answerOf(text);
    if (!answer)
        return failedToReach(*lane, m_queue.isEmpty() ? listFailedText() : unreachableText());
    if (resultCode(*answer) != 0) {
        const QString message = ServiceMessages::of(QStringLiteral("getWeights"), *answer);
        return failedToReach(*lane, message.isEmpty() ? listFailedText() : message);
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
    QSet<QDate> waiting;
    for (const WeightQueue::Change& change : m_queue.changes())
        waiting.insert(change.date);
    m_precise.keepMatching(confirmed, waiting);
    if (confirmed != m_confirmed) {
        m_confirmed = confirmed;
        emit changed();
    }
    finished(*lane);
}

void WeightLog::slt_net_weightprofile(const QString& text)
{
    Lane* lane = answering(Request::Profile);
    if (!lane)
        return;
    const auto answer = answerOf(text);
    if (!answer)
        return failedToReach(*lane, m_queue.isEmpty() ? listFailedText() : unreachableText());
    if (resultCode(*answer) != 0) {
        const QString message = ServiceMessages::of(QStringLiteral("getWeightProfile"), *answer);
        return failedToReach(*lane, message.isEmpty() ? listFailedText() : message);
    }
    const auto goal = numberOf(answer->value(QStringLiteral("goal_kg")));
    const auto height = numberOf(answer->value(QStringLiteral("height_cm")));
    m_wantProfile = false;
    if (goal != m_goalKg || height != m_heightCm) {
        m_goalKg = goal;
        m_heightCm = height;
        emit changed();
    }
    finished(*lane);
}

void WeightLog::slt_net_setweightprofile(const QString& text)
{
    Lane* lane = answering(Request::SaveProfile);
    if (!lane)
        return;
    const auto answer = answerOf(text);
    if (!answer)
        return failedToReach(*lane, profileKeptText());
    const int code = resultCode(*answer);
    const QString message = ServiceMessages::of(QStringLiteral("setWeightProfile"), *answer);
    if (code != 0 && !refusesTheChange(code))
        return failedToReach(*lane, message.isEmpty() ? profileKeptText() : message);
    m_queue.dropProfile(m_sentProfile);
    if (code == 0) {
        m_goalKg = m_sentProfile.goalKg;
        m_heightCm = m_sentProfile.heightCm;
    } else {
        // Refused: what the service keeps shows again.
        emit failed(message.isEmpty() ? tr("OLVA did not take your goal and height.") : message);
        emit changed();
    }
    finished(*lane);
}

void WeightLog::slt_net_error(const QString& text)
{
    Q_UNUSED(text);
    for (Lane& lane : m_lanes) {
        if (lane.server != sender() || lane.out == Request::None)
            continue;
        if (lane.out == Request::SaveProfile)
            return failedToReach(lane, profileKeptText());
        return failedToReach(lane, lane.out == Request::Change || !m_queue.isEmpty()
                                       ? unreachableText()
                                       : listFailedText());
    }
}
