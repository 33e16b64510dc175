#include "tracker/dayupload.h"

#include "tracker/dayarchive.h"
#include "tracker/daypayload.h"
#include "tracker/dayuploadqueue.h"
#include "tracker/foodcatalogue.h"
#include "tracker/foodrequests.h"

#include "app/accountstate.h"
#include "app/jsonreply.h"
#include "app/server.h"

#include <QJsonDocument>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>

Q_LOGGING_CATEGORY(lcDayUpload, "olva.dayupload")

namespace {

constexpr int firstRetryMs = 30 * 1000;
constexpr int longestRetryMs = 30 * 60 * 1000;

} // namespace

DayUpload::DayUpload(QObject* parent)
    : QObject(parent)
    , m_server(new Server(this))
    , m_catalogue(new FoodCatalogue(this))
    , m_random([] { return QRandomGenerator::global()->generateDouble(); })
{
    connect(m_server, SIGNAL(sig_net_foodinfo(QString)), this, SLOT(slt_net_foodinfo(QString)));
    connect(m_server, SIGNAL(sig_net_uploadday(QString)), this, SLOT(slt_net_uploadday(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &DayUpload::start);
}

int DayUpload::retryDelayMs(int failures, double spread)
{
    qint64 delay = firstRetryMs;
    for (int i = 1; i < failures && delay < longestRetryMs; ++i)
        delay *= 2;
    delay = std::min<qint64>(delay, longestRetryMs);
    const double factor = 0.5 + std::clamp(std::isfinite(spread) ? spread : 0.5, 0.0, 1.0);
    return int(std::llround(double(delay) * factor));
}

bool DayUpload::refusesTheDay(int resultCode)
{
    // 2-5: the day is unreadable, dated ahead, out of range, does not add
    // up or is too large; 90: the field is missing.
    return (resultCode >= 2 && resultCode <= 5) || resultCode == 90;
}

bool DayUpload::mayPass(int httpStatus, int resultCode)
{
    if (resultCode >= 0)
        return resultCode == 99 || resultCode == 401;
    return httpStatus == 0 || httpStatus == 408 || httpStatus == 429 || httpStatus >= 500;
}

QList<QDate> DayUpload::setAside() const
{
    QList<QDate> dates(m_setAside.cbegin(), m_setAside.cend());
    std::sort(dates.begin(), dates.end());
    return dates;
}

void DayUpload::start()
{
    if (m_step != Step::Idle || currentEmail.isEmpty())
        return;
    if (DayUploadQueue::dates().isEmpty()) {
        emit finished();
        return;
    }
    m_retry.stop();
    m_askedThisRun = false;
    takeHeldCatalogue();
    if (!m_catalogueLoaded) {
        fetchCatalogue();
        return;
    }
    sendNext();
}

void DayUpload::takeHeldCatalogue()
{
    // A tracker window (or an earlier run of this upload) loaded one for
    // this member: a newer one than ours knows the foods added since.
    int generation = 0;
    const QString held = FoodCatalogue::heldReply(currentUserId, &generation);
    if (held.isEmpty() || (m_catalogueLoaded && generation == m_catalogueGeneration))
        return;
    m_catalogueLoaded = m_catalogue->load(held) == FoodCatalogue::Status::Loaded;
    m_catalogueGeneration = generation;
}

void DayUpload::fetchCatalogue()
{
    m_step = Step::Catalogue;
    m_askedThisRun = true;
    m_server->request(FoodRequests::getFoodList, FoodRequests::foodList(currentUserId));
}

void DayUpload::sendNext()
{
    const QList<QDate> queued = DayUploadQueue::dates();
    const auto next = std::find_if(queued.cbegin(), queued.cend(),
                                   [this](const QDate& date) { return !m_setAside.contains(date); });
    if (next == queued.cend()) {
        m_step = Step::Idle;
        emit finished();
        return;
    }
    m_sending = *next;
    const std::optional<ArchivedDay> day = DayArchive::day(m_sending);
    if (!day) {
        // Gone from the archive (older than it keeps): nothing to send.
        qCWarning(lcDayUpload) << "day" << m_sending << "is no longer archived; left unsent";
        DayUploadQueue::remove(m_sending);
        emit dayDropped(m_sending);
        sendNext();
        return;
    }
    if (!m_askedThisRun && !DayPayload::listsEveryFood(*day, *m_catalogue)) {
        // A food added since the catalogue was loaded: its name comes with
        // a fresh one (asked for once a run; still unlisted, it goes by id).
        fetchCatalogue();
        return;
    }
    m_step = Step::Day;
    m_sentText = day->toText();
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("email"), currentEmail);
    fields.addQueryItem(
        QStringLiteral("day"),
        QString::fromUtf8(
            QJsonDocument(DayPayload::build(*day, *m_catalogue)).toJson(QJsonDocument::Compact)));
    m_server->request(Server::endpointIndex(QStringLiteral("uploadDay")), fields);
}

void DayUpload::fail(bool countsAgainstTheDay)
{
    const QDate date = m_sending;
    const bool sendingADay = m_step == Step::Day;
    m_step = Step::Idle;
    emit sendFailed(date);
    if (countsAgainstTheDay && sendingADay && ++m_dayFailures[date] >= triesBeforeSetAside) {
        m_dayFailures.remove(date);
        m_setAside.insert(date);
        qCWarning(lcDayUpload).noquote()
            << "day" << date.toString(Qt::ISODate) << "failed" << triesBeforeSetAside
            << "times; set aside until the next start, still queued and archived";
        emit daySetAside(date);
        m_step = Step::Day; // as busy as before: the next day goes at once
        sendNext();
        return;
    }
    ++m_failures;
    m_retry.start(retryDelayMs(m_failures, m_random ? m_random() : 0.5));
    emit finished();
}

void DayUpload::slt_net_foodinfo(const QString& reply)
{
    if (m_step != Step::Catalogue)
        return;
    // A refused or broken reply leaves the catalogue held as it was; with
    // none at all the foods would go without their names for good, so it is
    // tried again like a failed send.
    FoodCatalogue fresh;
    if (fresh.load(reply) == FoodCatalogue::Status::Loaded) {
        m_catalogue->load(reply);
        m_catalogueLoaded = true;
        FoodCatalogue::heldReply(currentUserId, &m_catalogueGeneration);
    } else if (!m_catalogueLoaded) {
        fail(false);
        return;
    }
    sendNext();
}

void DayUpload::slt_net_uploadday(const QString& reply)
{
    if (m_step != Step::Day)
        return;
    const QJsonObject object = QJsonDocument::fromJson(reply.toUtf8()).object();
    // A missing code, or "error", is no answer at all (and never a success).
    const std::optional<int> answered = JsonReply::resultCodeOf(object);
    if (!answered) {
        fail(false);
        return;
    }
    const int code = *answered;
    const QDate date = m_sending;
    // Exercise logged for the day while it was on its way: the day goes
    // again, and the service replaces what it just stored.
    const std::optional<ArchivedDay> now = DayArchive::day(date);
    const bool changedMeanwhile = now && now->toText() != m_sentText;
    if (code == 0) {
        if (!changedMeanwhile)
            DayUploadQueue::remove(date);
        m_failures = 0;
        m_dayFailures.remove(date);
        emit daySent(date);
    } else if (refusesTheDay(code)) {
        qCWarning(lcDayUpload).noquote()
            << "day" << date.toString(Qt::ISODate) << "refused by the service, dropped:" << code
            << JsonReply::text(object, QStringLiteral("message"));
        if (!changedMeanwhile)
            DayUploadQueue::remove(date);
        m_dayFailures.remove(date);
        emit dayDropped(date);
    } else {
        qCInfo(lcDayUpload).noquote() << "day" << date.toString(Qt::ISODate)
                                      << "not stored, code" << code;
        fail(!mayPass(0, code));
        return;
    }
    sendNext();
}

void DayUpload::slt_net_error(const QString& error)
{
    if (m_step == Step::Idle)
        return;
    const int status = m_server->lastErrorStatus();
    qCInfo(lcDayUpload).noquote() << "day upload waits for the service:" << error;
    fail(!mayPass(status, -1));
}
