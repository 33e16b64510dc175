#include "weight/weightcsv.h"
#include "weight/weightlog.h"

#include "demosession.h"
#include "fakeserver.h"
#include "servicefault.h"
#include "testenvironment.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QtTest>

// The weight log's sync: changes made while the service is away reach it
// exactly once, and every way a request can fail leaves the log usable,
// says what failed and loses nothing.
class TstWeightLog final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void offlineEntryReachesTheServiceOnce();
    void faultsLoseNothing_data();
    void faultsLoseNothing();
};

namespace {

const QString email = QStringLiteral("demo@olva.local");
const QDate known(2026, 12, 1); // on the fake service's list
const QDate added(2026, 12, 3);

enum class Fault { Unreachable, Refusal, ServerError, NotJson, CutShort, Stall, UnknownCode };

FakeServer::Reply replyOf(Fault fault)
{
    switch (fault) {
    case Fault::Refusal:
        return FakeServer::Reply::json(R"({"result_code":2,"message":"A weight must be between 20 and 500 kg."})");
    case Fault::ServerError:
        return FakeServer::Reply::error(500);
    case Fault::NotJson:
        return FakeServer::Reply::json("<html><body><h1>502 Bad Gateway</h1></body></html>");
    case Fault::CutShort:
        return FakeServer::Reply::dropMidBody(R"({"result_code":0,"weights":[{"date":"2026-12-01","weight_kg":"84.0"}]})");
    case Fault::Stall:
        return FakeServer::Reply::hang();
    case Fault::UnknownCode:
        return FakeServer::Reply::json(R"({"result_code":977,"message":"Service in maintenance"})");
    case Fault::Unreachable:
        break;
    }
    return {};
}

void answerNormally(FakeServer& fake)
{
    fake.setDefaultReply(QStringLiteral("/api/getWeights"),
                         FakeServer::Reply::json(R"({"result_code":0,"weights":[{"date":"2026-12-01","weight_kg":"84.0"}]})"));
    fake.setDefaultReply(QStringLiteral("/api/getWeightProfile"),
                         FakeServer::Reply::json(R"({"result_code":0,"goal_kg":"75.0","height_cm":"172"})"));
    for (const char* endpoint : {"setWeight", "removeWeight", "setWeightProfile"})
        fake.setDefaultReply(QStringLiteral("/api/") + QLatin1String(endpoint), FakeServer::Reply::json(R"({"result_code":0})"));
}

QString shown(const WeightLog& log)
{
    QStringList parts;
    for (const WeightEntry& entry : log.entries())
        parts.append(entry.date.toString(Qt::ISODate) + u'=' + QString::number(entry.kg, 'f', 1));
    parts.append(QStringLiteral("goal=%1").arg(log.goalKg() ? QString::number(*log.goalKg(), 'f', 1) : QString()));
    return parts.join(u' ');
}

} // namespace

void TstWeightLog::initTestCase()
{
    TestEnvironment::isolate();
    // A stalled request gives up after a second rather than a minute.
    qputenv("OLVA_TRANSFER_TIMEOUT_MS", "1000");
    // Retries only when a test asks for them.
    WeightLog::setFirstRetryDelayMs(60 * 60 * 1000);
}

void TstWeightLog::init()
{
    TestEnvironment::resetAccount();
    QSettings(QStringLiteral("OlvaApp"), email).clear();
}

void TstWeightLog::offlineEntryReachesTheServiceOnce()
{
    ServerFixture service;
    QVERIFY(service.start(true));
    QVERIFY(signInClientAs(service, 1));
    QVERIFY(service.signInAs(1));
    const QDate day = QDate::currentDate().addDays(-150); // before the demo log
    const auto onService = [&service](const QDate& date) {
        const QString text = date.toString(Qt::ISODate);
        return service.post(QStringLiteral("getWeights"), {{"email", email}, {"from", text}, {"to", text}})
            .value(QStringLiteral("weights")).toArray();
    };

    // Down: the weight shows, is kept, and the member is told.
    qputenv("OLVA_API_HOST", QByteArray("127.0.0.1:") + QByteArray::number(ServiceFault::closedPort()));
    {
        WeightLog log(email);
        QSignalSpy failed(&log, &WeightLog::failed);
        log.setWeight(day, 81.44);
        QCOMPARE(log.entries().value(0), (WeightEntry{day, 81.4}));
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed.first().first().toString(), WeightLog::unreachableText());
        QVERIFY(!log.isBusy());
        QCOMPARE(log.pendingCount(), 1);
    }

    // The window opened again (or the program restarted) while still down:
    // the change is still queued, and retried by the timer.
    WeightLog::setFirstRetryDelayMs(50);
    WeightLog log(email);
    QCOMPARE(log.pendingCount(), 1);
    QSignalSpy busy(&log, &WeightLog::busyChanged);
    log.refresh();
    QTRY_VERIFY(busy.count() >= 2);
    // Up: the retry timer sends it without the member doing anything.
    qputenv("OLVA_API_HOST", QStringLiteral("127.0.0.1:%1").arg(service.port()).toLatin1());
    QTRY_COMPARE_WITH_TIMEOUT(log.pendingCount(), 0, 15000);
    QTRY_VERIFY(!log.isBusy());
    WeightLog::setFirstRetryDelayMs(60 * 60 * 1000);
    QJsonArray stored = onService(day);
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first()[QStringLiteral("weight_kg")].toString(), QStringLiteral("81.4"));

    // The whole log exported and imported back adds no day.
    log.refresh();
    QTRY_VERIFY(!log.isBusy());
    const int count = int(log.entries().size());
    QVERIFY(count > 80);
    const WeightImport back = WeightCsv::parse(WeightCsv::exportCsv(log.entries(), WeightUnit::Pounds));
    QCOMPARE(back.taken, count);
    log.importEntries(back.entries);
    QCOMPARE(log.pendingCount(), count);
    QTRY_COMPARE_WITH_TIMEOUT(log.pendingCount(), 0, 60000);
    QTRY_VERIFY(!log.isBusy());
    QCOMPARE(int(log.entries().size()), count);
    QCOMPARE(service.post(QStringLiteral("getWeights"), {{"email", email}}).value(QStringLiteral("weights")).toArray().size(),
             count);
    QCOMPARE(onService(day).size(), 1);
}

void TstWeightLog::faultsLoseNothing_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<int>("fault");
    const QStringList endpoints = {"setWeight", "removeWeight", "getWeights", "setWeightProfile", "getWeightProfile"};
    const QList<std::pair<Fault, const char*>> faults = {
        {Fault::Unreachable, "unreachable"}, {Fault::Refusal, "refused"},   {Fault::ServerError, "500"},
        {Fault::NotJson, "not JSON"},        {Fault::CutShort, "cut short"}, {Fault::Stall, "stall"},
        {Fault::UnknownCode, "unknown code"}};
    for (const QString& endpoint : endpoints) {
        for (const auto& [fault, name] : faults)
            QTest::addRow("%s, %s", qPrintable(endpoint), name) << endpoint << int(fault);
    }
}

void TstWeightLog::faultsLoseNothing()
{
    QFETCH(QString, endpoint);
    QFETCH(int, fault);
    const Fault kind = Fault(fault);
    FakeServer fake;
    fake.useAsApiHost();
    answerNormally(fake);
    WeightLog log(email);
    log.refresh();
    QTRY_VERIFY(!log.isBusy());
    QCOMPARE(shown(log), QStringLiteral("2026-12-01=84.0 goal=75.0"));

    const QString path = QStringLiteral("/api/") + endpoint;
    if (kind == Fault::Unreachable)
        ServiceFault::apply(ServiceFault::Kind::Refused, fake);
    else
        fake.setDefaultReply(path, replyOf(kind));
    QSignalSpy failed(&log, &WeightLog::failed);
    QSignalSpy busy(&log, &WeightLog::busyChanged);
    const bool isChange = endpoint.startsWith(QLatin1String("set")) || endpoint.startsWith(QLatin1String("remove"));
    QString expected; // what the log shows after the failure
    if (endpoint == u"setWeight") {
        // Three days at once, on lanes of their own: one failure is told.
        log.importEntries({{added, 81.4}, {added.addDays(1), 81.2}, {added.addDays(2), 81.0}});
        expected = QStringLiteral("2026-12-01=84.0 2026-12-03=81.4 2026-12-04=81.2 2026-12-05=81.0 goal=75.0");
    } else if (endpoint == u"removeWeight") {
        log.removeWeight(known);
        expected = QStringLiteral("goal=75.0");
    } else if (endpoint == u"setWeightProfile") {
        log.setProfile(70.0, 172.0);
        expected = QStringLiteral("2026-12-01=84.0 goal=70.0");
    } else {
        log.refresh();
        expected = QStringLiteral("2026-12-01=84.0 goal=75.0");
    }
    QTRY_VERIFY_WITH_TIMEOUT(failed.count() >= 1, 10000);
    QTRY_VERIFY(!log.isBusy());
    QCOMPARE(busy.last().first().toBool(), false);
    QCOMPARE(failed.count(), 1);
    const QString message = failed.first().first().toString();
    if (kind == Fault::Refusal || kind == Fault::UnknownCode) {
        QVERIFY2(message == QLatin1String("A weight must be between 20 and 500 kg.") ||
                     message == QLatin1String("Service in maintenance"),
                 qPrintable(message));
    } else {
        QCOMPARE(message, endpoint == u"setWeightProfile" ? WeightLog::profileKeptText()
                          : isChange                      ? WeightLog::unreachableText()
                                                          : WeightLog::listFailedText());
    }

    // A refused change is dropped and the service's value shows again; any
    // other failure keeps it, shown and queued.
    if (kind == Fault::Refusal && isChange) {
        QCOMPARE(log.pendingCount(), 0);
        QTRY_COMPARE(shown(log), QStringLiteral("2026-12-01=84.0 goal=75.0"));
        return;
    }
    QCOMPARE(shown(log), expected);
    const int kept = endpoint == u"setWeight" ? 3 : isChange ? 1 : 0;
    QCOMPARE(log.pendingCount(), kept);
    // A fresh log (the window reopened) still holds the kept changes.
    QCOMPARE(WeightLog(email).pendingCount(), kept);

    // The service answers again: the next refresh sends the change once.
    ServiceFault::lift(fake);
    answerNormally(fake);
    const int sentBefore = fake.requestCount(path);
    log.refresh();
    QTRY_VERIFY(!log.isBusy());
    QVERIFY(log.pendingCount() == 0);
    if (isChange) {
        QCOMPARE(fake.requestCount(path), sentBefore + kept);
        QStringList sent;
        for (const FakeServer::Request& request : fake.requests(path).mid(sentBefore))
            sent.append(request.field(QStringLiteral("date")) + u'=' + request.field(QStringLiteral("weight_kg")));
        sent.sort();
        if (endpoint == u"setWeight")
            QCOMPARE(sent.join(u' '), QStringLiteral("2026-12-03=81.4 2026-12-04=81.2 2026-12-05=81.0"));
    }
}

QTEST_MAIN(TstWeightLog)
#include "tst_weightlog.moc"
