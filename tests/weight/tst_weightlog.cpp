#include "weight/weightcsv.h"
#include "weight/weightlog.h"
#include "weight/weightqueue.h"

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
    void typedWeightsComeBackAsTyped();
    void queueLeavesAfterSignIn();
    void faultsLoseNothing_data();
    void faultsLoseNothing();
    void retriesSpreadOut_data();
    void retriesSpreadOut();
};

namespace {

const QString email = QStringLiteral("demo@olva.local");
const QDate known(2026, 12, 1); // on the fake service's list
const QDate added(2026, 12, 3);

enum class Fault { Unreachable, Refusal, ServerError, NotJson, CutShort, Stall, UnknownCode, WordCode, EmptyCode };

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
    case Fault::WordCode:
        return FakeServer::Reply::json(R"({"result_code":"error","weights":[]})");
    case Fault::EmptyCode:
        return FakeServer::Reply::json(R"({"result_code":"","weights":[]})");
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
        log.setWeight(day, 81.4);
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

void TstWeightLog::typedWeightsComeBackAsTyped()
{
    ServerFixture service;
    QVERIFY(service.start(true));
    QVERIFY(signInClientAs(service, 1));
    qputenv("OLVA_API_HOST", QStringLiteral("127.0.0.1:%1").arg(service.port()).toLatin1());
    // Every tenth of a pound from 100.0 to 300.0 and of a kilogram from 40.0
    // to 200.0, typed on a day each (long before the demo log), saved, and
    // read back by a fresh log as after a restart.
    struct Typed
    {
        QDate date;
        QString text;
        WeightUnit unit;
    };
    QList<Typed> typed;
    const auto typeAll = [&typed](int fromTenths, int toTenths, WeightUnit unit) {
        for (int tenths = fromTenths; tenths <= toTenths; ++tenths)
            typed.append({QDate(1950, 1, 1).addDays(typed.size()), QString::number(tenths / 10.0, 'f', 1), unit});
    };
    typeAll(1000, 3000, WeightUnit::Pounds);
    typeAll(400, 2000, WeightUnit::Kilograms);
    QList<WeightEntry> entries;
    for (const Typed& each : std::as_const(typed))
        entries.append({each.date, WeightUnits::parse(each.text, each.unit).value()});
    {
        WeightLog log(email);
        log.importEntries(entries);
        QTRY_COMPARE_WITH_TIMEOUT(log.pendingCount(), 0, 240000);
        QTRY_VERIFY(!log.isBusy());
    }
    WeightLog log(email);
    log.refresh();
    QTRY_VERIFY_WITH_TIMEOUT(!log.isBusy(), 30000);
    QMap<QDate, double> shown;
    for (const WeightEntry& entry : log.entries())
        shown.insert(entry.date, entry.kg);
    QStringList wrong;
    for (const Typed& each : std::as_const(typed)) {
        const QString back = WeightUnits::text(shown.value(each.date), each.unit);
        if (back != each.text + u' ' + WeightUnits::symbol(each.unit))
            wrong.append(each.text + QStringLiteral(" -> ") + back);
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("%1 of %2: ").arg(wrong.size()).arg(typed.size())
                                         + wrong.mid(0, 5).join(QStringLiteral(", "))));
}

void TstWeightLog::queueLeavesAfterSignIn()
{
    // Queued in an earlier run; the weight window is never opened.
    FakeServer fake;
    fake.useAsApiHost();
    answerNormally(fake);
    WeightQueue(email).put({added, 81.4});
    WeightLog::sendQueuedAfterSignIn(email);
    QTRY_COMPARE(fake.requestCount(QStringLiteral("/api/setWeight")), 1);
    QTRY_VERIFY(WeightQueue(email).isEmpty());
    // The window takes the same log, so the queue has one sender.
    QVERIFY(WeightLog::forMember(email) == WeightLog::forMember(email));
    QCOMPARE(WeightLog::forMember(email)->pendingCount(), 0);
}

void TstWeightLog::faultsLoseNothing_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<int>("fault");
    const QStringList endpoints = {"setWeight", "removeWeight", "getWeights", "setWeightProfile", "getWeightProfile"};
    const QList<std::pair<Fault, const char*>> faults = {
        {Fault::Unreachable, "unreachable"}, {Fault::Refusal, "refused"},   {Fault::ServerError, "500"},
        {Fault::NotJson, "not JSON"},        {Fault::CutShort, "cut short"}, {Fault::Stall, "stall"},
        {Fault::UnknownCode, "unknown code"}, {Fault::WordCode, "code a word"}, {Fault::EmptyCode, "code empty"}};
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

void TstWeightLog::retriesSpreadOut_data()
{
    QTest::addColumn<int>("failures");
    QTest::addColumn<double>("random");
    QTest::addColumn<qint64>("delay");

    QTest::newRow("first, least") << 0 << 0.0 << qint64(2500);
    QTest::newRow("first, middle") << 0 << 0.5 << qint64(5000);
    QTest::newRow("first, most") << 0 << 1.0 << qint64(7500);
    QTest::newRow("fourth, a quarter in") << 3 << 0.25 << qint64(30000);
    QTest::newRow("capped, least") << 10 << 0.0 << qint64(150000);
    QTest::newRow("capped, most") << 40 << 1.0 << qint64(450000);
    QTest::newRow("random out of range") << 0 << 7.0 << qint64(7500);
}

void TstWeightLog::retriesSpreadOut()
{
    QFETCH(int, failures);
    QFETCH(double, random);
    QFETCH(qint64, delay);
    QCOMPARE(WeightLog::retryDelayMs(failures, random, 5000), delay);
}

QTEST_MAIN(TstWeightLog)
#include "tst_weightlog.moc"
