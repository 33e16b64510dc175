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

#include <algorithm>

Q_LOGGING_CATEGORY(lcDayUpload, "olva.dayupload")

namespace {

constexpr int firstRetryMs = 30 * 1000;
constexpr int longestRetryMs = 30 * 60 * 1000;

} // namespace

DayUpload::DayUpload(QObject* parent)
    : QObject(parent), m_server(new Server(this)), m_catalogue(new FoodCatalogue(this))
{
    connect(m_server, SIGNAL(sig_net_foodinfo(QString)), this, SLOT(slt_net_foodinfo(QString)));
    connect(m_server, SIGNAL(sig_net_uploadday(QString)), this, SLOT(slt_net_uploadday(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &DayUpload::start);
}

int DayUpload::retryDelayMs(int failures)
{
    qint64 delay = firstRetryMs;
    for (int i = 1; i < failures && delay < longestRetryMs; ++i)
        delay *= 2;
    return int(std::min<qint64>(delay, longestRetryMs));
}

bool DayUpload::refusesTheDay(int resultCode)
{
    // 2-5: the day is unreadable, dated ahead, out of range or too large;
    // 90: the field is missing. A session (401), storage (99) or an
    // unknown e-mail (1) may be fine on a later try.
    return (resultCode >= 2 && resultCode <= 5) || resultCode == 90;
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
    if (!m_catalogueLoaded) {
        m_step = Step::Catalogue;
        m_server->request(FoodRequests::getFoodList, FoodRequests::foodList(currentUserId));
        return;
    }
    sendNext();
}

void DayUpload::sendNext()
{
    const QList<QDate> queued = DayUploadQueue::dates();
    if (queued.isEmpty()) {
        // The next days may hold foods the member adds meanwhile: their
        // names come with a fresh catalogue.
        m_catalogueLoaded = false;
        m_step = Step::Idle;
        emit finished();
        return;
    }
    m_sending = queued.first();
    const std::optional<ArchivedDay> day = DayArchive::day(m_sending);
    if (!day) {
        // Gone from the archive (older than it keeps): nothing to send.
        qCWarning(lcDayUpload) << "day" << m_sending << "is no longer archived; left unsent";
        DayUploadQueue::remove(m_sending);
        emit dayDropped(m_sending);
        sendNext();
        return;
    }
    m_step = Step::Day;
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("email"), currentEmail);
    fields.addQueryItem(
        QStringLiteral("day"),
        QString::fromUtf8(
            QJsonDocument(DayPayload::build(*day, *m_catalogue)).toJson(QJsonDocument::Compact)));
    m_server->request(Server::endpointIndex(QStringLiteral("uploadDay")), fields);
}

void DayUpload::fail()
{
    const QDate date = m_sending;
    m_step = Step::Idle;
    ++m_failures;
    m_retry.start(retryDelayMs(m_failures));
    emit sendFailed(date);
    emit finished();
}

void DayUpload::slt_net_foodinfo(const QString& reply)
{
    if (m_step != Step::Catalogue)
        return;
    // Without the catalogue the foods would go without their names for
    // good; a refused or broken catalogue is tried again like a failed send.
    if (m_catalogue->load(reply) != FoodCatalogue::Status::Loaded) {
        fail();
        return;
    }
    m_catalogueLoaded = true;
    sendNext();
}

void DayUpload::slt_net_uploadday(const QString& reply)
{
    if (m_step != Step::Day)
        return;
    const QJsonObject object = QJsonDocument::fromJson(reply.toUtf8()).object();
    if (object.isEmpty() || !object.contains(QStringLiteral("result_code"))) {
        fail();
        return;
    }
    const int code = JsonReply::resultCode(object);
    const QDate date = m_sending;
    if (code == 0) {
        DayUploadQueue::remove(date);
        m_failures = 0;
        emit daySent(date);
    } else if (refusesTheDay(code)) {
        qCWarning(lcDayUpload).noquote()
            << "day" << date.toString(Qt::ISODate) << "refused by the service, dropped:" << code
            << JsonReply::text(object, QStringLiteral("message"));
        DayUploadQueue::remove(date);
        emit dayDropped(date);
    } else {
        fail();
        return;
    }
    sendNext();
}

void DayUpload::slt_net_error(const QString& error)
{
    if (m_step == Step::Idle)
        return;
    qCInfo(lcDayUpload).noquote() << "day upload waits for the service:" << error;
    fail();
}
