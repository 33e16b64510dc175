#include "serverfixture.h"

#include "server/engine/sessions.h"

#include "testenvironment.h"

#include <QDate>
#include <QJsonArray>
#include <QSqlQuery>
#include <QtTest>

using Fields = ServerFixture::Fields;

// The weight log's endpoints: what they refuse and why, the member's session,
// one weight per member and day, the limit per member, and the demo log.
class TstServerWeight final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { QVERIFY(m_fixture->signInAs(1)); }

    // One server for all, in this order: the demo log is read before the
    // others change it, and the limit, which replaces it, comes last.
    void demoMemberHasFourMonthsTowardsAGoal();
    void refusesWhatIsOutOfBounds_data();
    void refusesWhatIsOutOfBounds();
    void everyEndpointNeedsTheMembersSession_data();
    void everyEndpointNeedsTheMembersSession();
    void oneWeightPerDay();
    void atMostTwentyThousandPerMember();

private:
    QJsonObject post(const QString& endpoint, const Fields& fields) { return m_fixture->post(endpoint, fields); }
    QJsonArray weights(const Fields& range = {});

    std::unique_ptr<ServerFixture> m_fixture;
};

namespace {

const QString demoEmail = QStringLiteral("demo@olva.local");

int code(const QJsonObject& reply)
{
    return reply.value(QStringLiteral("result_code")).toInt(-1);
}

QString day(int fromToday)
{
    return QDate::currentDate().addDays(fromToday).toString(Qt::ISODate);
}

Fields weighing(const QString& date, const QString& kg)
{
    return {{QStringLiteral("email"), demoEmail}, {QStringLiteral("date"), date}, {QStringLiteral("weight_kg"), kg}};
}

Fields profile(const QString& goal, const QString& height)
{
    return {{QStringLiteral("email"), demoEmail}, {QStringLiteral("goal_kg"), goal}, {QStringLiteral("height_cm"), height}};
}

} // namespace

void TstServerWeight::initTestCase()
{
    TestEnvironment::isolate();
    m_fixture = std::make_unique<ServerFixture>();
    QVERIFY(m_fixture->start(true));
}

QJsonArray TstServerWeight::weights(const Fields& range)
{
    const QJsonObject reply = post(QStringLiteral("getWeights"), Fields{{QStringLiteral("email"), demoEmail}} + range);
    return reply.value(QStringLiteral("weights")).toArray();
}

void TstServerWeight::refusesWhatIsOutOfBounds_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("message");

    const QString set = QStringLiteral("setWeight");
    const QString profileEndpoint = QStringLiteral("setWeightProfile");
    const QString kgRange = QStringLiteral("A weight must be between 20 and 500 kg.");
    QTest::newRow("lightest") << set << weighing(day(0), "20") << 0 << QString();
    QTest::newRow("heaviest") << set << weighing(day(0), "500.0") << 0 << QString();
    QTest::newRow("too light") << set << weighing(day(0), "19.9") << 2 << kgRange;
    QTest::newRow("too heavy") << set << weighing(day(0), "500.1") << 2 << kgRange;
    QTest::newRow("negative") << set << weighing(day(0), "-80") << 2 << kgRange;
    QTest::newRow("not a number") << set << weighing(day(0), "eighty") << 90 << QStringLiteral("weight_kg");
    QTest::newRow("not finite") << set << weighing(day(0), "inf") << 90 << QStringLiteral("weight_kg");
    QTest::newRow("no weight") << set << Fields{{"email", demoEmail}, {"date", day(0)}} << 90 << QStringLiteral("weight_kg");
    QTest::newRow("tomorrow") << set << weighing(day(1), "80") << 0 << QString();
    QTest::newRow("after tomorrow") << set << weighing(day(2), "80") << 3
                                    << QStringLiteral("A weight cannot be dated later than tomorrow.");
    QTest::newRow("first day of 1900") << set << weighing("1900-01-01", "80") << 0 << QString();
    QTest::newRow("before 1900") << set << weighing("1899-12-31", "80") << 3
                                 << QStringLiteral("A weight cannot be dated before 1900.");
    QTest::newRow("day first") << set << weighing("01/08/2026", "80") << 3 << QStringLiteral("yyyy-MM-dd");
    QTest::newRow("no such day") << set << weighing("2026-02-30", "80") << 3 << QStringLiteral("yyyy-MM-dd");
    QTest::newRow("unknown member") << set << Fields{{"email", "nobody@olva.local"}, {"date", day(0)}, {"weight_kg", "80"}}
                                    << 1 << QStringLiteral("Non Exist Email");
    QTest::newRow("remove, bad day") << QStringLiteral("removeWeight") << Fields{{"email", demoEmail}, {"date", "yesterday"}}
                                     << 3 << QStringLiteral("yyyy-MM-dd");
    QTest::newRow("list, bad bound") << QStringLiteral("getWeights") << Fields{{"email", demoEmail}, {"from", "2026-13-01"}}
                                     << 3 << QStringLiteral("from must be");
    QTest::newRow("no goal, no height") << profileEndpoint << profile("", "") << 0 << QString();
    QTest::newRow("goal too light") << profileEndpoint << profile("19", "") << 5
                                    << QStringLiteral("A goal must be between 20 and 500 kg.");
    QTest::newRow("tallest") << profileEndpoint << profile("70", "272") << 0 << QString();
    QTest::newRow("too tall") << profileEndpoint << profile("70", "273") << 6
                              << QStringLiteral("A height must be between 50 and 272 cm.");
    QTest::newRow("too short") << profileEndpoint << profile("", "49.9") << 6 << QStringLiteral("50 and 272 cm");
    QTest::newRow("height as text") << profileEndpoint << profile("", "tall") << 90 << QStringLiteral("height_cm");
}

void TstServerWeight::refusesWhatIsOutOfBounds()
{
    QFETCH(QString, endpoint);
    QFETCH(Fields, fields);
    QFETCH(int, expected);
    QFETCH(QString, message);
    const int before = weights().size();
    const QJsonObject reply = post(endpoint, fields);
    QCOMPARE(code(reply), expected);
    QVERIFY2(reply.value(QStringLiteral("message")).toString().contains(message),
             qPrintable(reply.value(QStringLiteral("message")).toString()));
    if (expected != 0)
        QCOMPARE(weights().size(), before); // a refusal writes nothing
}

void TstServerWeight::everyEndpointNeedsTheMembersSession_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<Fields>("fields");
    QTest::newRow("setWeight") << QStringLiteral("setWeight") << weighing(day(0), "80");
    QTest::newRow("removeWeight") << QStringLiteral("removeWeight") << Fields{{"email", demoEmail}, {"date", day(-1)}};
    QTest::newRow("getWeights") << QStringLiteral("getWeights") << Fields{{"email", demoEmail}};
    QTest::newRow("setWeightProfile") << QStringLiteral("setWeightProfile") << profile("70", "180");
    QTest::newRow("getWeightProfile") << QStringLiteral("getWeightProfile") << Fields{{"email", demoEmail}};
}

void TstServerWeight::everyEndpointNeedsTheMembersSession()
{
    QFETCH(QString, endpoint);
    QFETCH(Fields, fields);
    const QJsonArray before = weights();
    const QJsonObject profileBefore = post(QStringLiteral("getWeightProfile"), {{"email", demoEmail}});
    m_fixture->signOut();
    QCOMPARE(code(post(endpoint, fields)), Sessions::refusedCode);
    QVERIFY(m_fixture->signInAs(3)); // another member
    const QJsonObject refused = post(endpoint, fields);
    QCOMPARE(code(refused), Sessions::refusedCode);
    QVERIFY(!refused.contains(QStringLiteral("weights")));
    QVERIFY(m_fixture->signInAs(1));
    QCOMPARE(weights(), before);
    QCOMPARE(post(QStringLiteral("getWeightProfile"), {{"email", demoEmail}}), profileBefore);
    QCOMPARE(code(post(endpoint, fields)), 0);
}

void TstServerWeight::oneWeightPerDay()
{
    const QString date = day(0);
    const auto onDate = [this, &date] {
        QJsonArray found;
        for (const QJsonValue& entry : weights({{"from", date}, {"to", date}}))
            found.append(entry);
        return found;
    };
    QJsonObject reply = post(QStringLiteral("setWeight"), weighing(date, "81.44"));
    QCOMPARE(code(reply), 0);
    QCOMPARE(reply.value(QStringLiteral("weight_kg")).toString(), QStringLiteral("81.4"));
    QCOMPARE(code(post(QStringLiteral("setWeight"), weighing(date, "80.6"))), 0);
    QJsonArray list = onDate();
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.first()[QStringLiteral("weight_kg")].toString(), QStringLiteral("80.6"));

    // Oldest first; the bounds are inclusive.
    const QJsonArray all = weights();
    for (qsizetype i = 1; i < all.size(); ++i)
        QVERIFY(all[i - 1][QStringLiteral("date")].toString() < all[i][QStringLiteral("date")].toString());

    // A removal, and the same removal replayed, both succeed.
    const Fields removal{{"email", demoEmail}, {"date", date}};
    QCOMPARE(code(post(QStringLiteral("removeWeight"), removal)), 0);
    QCOMPARE(code(post(QStringLiteral("removeWeight"), removal)), 0);
    QCOMPARE(onDate().size(), 0);
    QCOMPARE(weights().size(), all.size() - 1);
}

void TstServerWeight::atMostTwentyThousandPerMember()
{
    QSqlQuery query(m_fixture->context().db);
    QVERIFY(query.exec(QStringLiteral("DELETE FROM weights WHERE user_id = 1")));
    // 19,999 days before 2020, one a day.
    QVERIFY(m_fixture->context().db.transaction());
    QVERIFY(query.prepare(QStringLiteral("INSERT INTO weights (user_id, day, kg_tenths) VALUES (1, ?, 800)")));
    for (int i = 0; i < 19999; ++i) {
        query.addBindValue(QDate(2019, 12, 31).addDays(-i).toString(Qt::ISODate));
        QVERIFY(query.exec());
    }
    QVERIFY(m_fixture->context().db.commit());
    QCOMPARE(code(post(QStringLiteral("setWeight"), weighing(day(-1), "80"))), 0);
    const QJsonObject refused = post(QStringLiteral("setWeight"), weighing(day(0), "80"));
    QCOMPARE(code(refused), 4);
    QCOMPARE(refused.value(QStringLiteral("message")).toString(), QStringLiteral("A member can keep at most 20,000 weights."));
    // Replacing a day adds none, so it is still taken.
    QCOMPARE(code(post(QStringLiteral("setWeight"), weighing(day(-1), "79.5"))), 0);
    QCOMPARE(weights().size(), 20000);
}

void TstServerWeight::demoMemberHasFourMonthsTowardsAGoal()
{
    const QJsonArray list = weights();
    QVERIFY2(list.size() >= 80 && list.size() <= 105, qPrintable(QString::number(list.size())));
    QCOMPARE(list.last()[QStringLiteral("date")].toString(), day(0));
    QVERIFY(list.first()[QStringLiteral("date")].toString() >= day(-119));
    const double first = list.first()[QStringLiteral("weight_kg")].toString().toDouble();
    const double last = list.last()[QStringLiteral("weight_kg")].toString().toDouble();
    QVERIFY(first > 86.5 && first < 89.5);
    QVERIFY(last > 79.5 && last < 82.5);
    const QJsonObject goal = post(QStringLiteral("getWeightProfile"), {{"email", demoEmail}});
    QCOMPARE(goal.value(QStringLiteral("goal_kg")).toString(), QStringLiteral("75.0"));
    QCOMPARE(goal.value(QStringLiteral("height_cm")).toString(), QStringLiteral("172"));
}

QTEST_MAIN(TstServerWeight)
#include "tst_server_weight.moc"
