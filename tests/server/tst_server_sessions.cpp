#include "serverfixture.h"

#include "server/engine/sessions.h"

#include "testenvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>

using Fields = ServerFixture::Fields;

// Member sessions: the cookie a sign-in hands out, and the refusal of calls
// that name a member without that member's session.
class TstServerSessions final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void signInHandsOutAnHttpOnlyExpiringCookie_data();
    void signInHandsOutAnHttpOnlyExpiringCookie();
    void unapprovedMemberGetsNoSession();
    void callsNamingAMemberNeedTheirSession_data();
    void callsNamingAMemberNeedTheirSession();
    void historyByEmailIsTheSessionMembersOnly();
    void historyDetailOfAnotherMemberIsRefused();
    void foodOfAnotherMemberCannotBeRemoved();
    void sessionsThatAreNotValidAreRefused_data();
    void sessionsThatAreNotValidAreRefused();
    void callsBeforeSignInStayOpen_data();
    void callsBeforeSignInStayOpen();

private:
    QJsonObject post(const QString& endpoint, const Fields& fields) { return m_fixture->post(endpoint, fields); }

    std::unique_ptr<ServerFixture> m_fixture;
};

namespace {

const QString demoEmail = QStringLiteral("demo@olva.local");
const QString mayaEmail = QStringLiteral("maya.lindqvist@olva.local");
const QString password = QStringLiteral("olva-demo-2026");

int code(const QJsonObject& reply)
{
    return reply.value(QStringLiteral("result_code")).toInt(-1);
}

QByteArray rawCall(ServerFixture& fixture, const QString& endpoint, const Fields& fields, QByteArray* setCookie)
{
    const ServerFixture::Reply reply =
        fixture.send("POST", QStringLiteral("/api/") + endpoint, ServerFixture::formBody(fields),
                     {{"Content-Type", "application/x-www-form-urlencoded"}});
    *setCookie = reply.header("Set-Cookie");
    return reply.body;
}

} // namespace

void TstServerSessions::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServerSessions::init()
{
    m_fixture = std::make_unique<ServerFixture>();
    QVERIFY(m_fixture->start(true));
}

void TstServerSessions::cleanup()
{
    m_fixture.reset();
}

void TstServerSessions::signInHandsOutAnHttpOnlyExpiringCookie_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::newRow("signin") << QStringLiteral("signin");
    QTest::newRow("getMyDetails") << QStringLiteral("getMyDetails");
}

void TstServerSessions::signInHandsOutAnHttpOnlyExpiringCookie()
{
    QFETCH(QString, endpoint);
    // Binds this fixture's computer.
    QVERIFY(m_fixture->signIn(demoEmail, password));
    const Fields fields = {{QStringLiteral("email"), demoEmail},
                           {QStringLiteral("password"), password},
                           {QStringLiteral("deviceToken"), QStringLiteral("FIXTURE-DEVICE")},
                           {QStringLiteral("deviceType"), QStringLiteral("windows")}};
    QByteArray first;
    QByteArray second;
    QCOMPARE(code(QJsonDocument::fromJson(rawCall(*m_fixture, endpoint, fields, &first)).object()), 0);
    rawCall(*m_fixture, endpoint, fields, &second);
    const QRegularExpression shape(QStringLiteral("^olva_session=([0-9a-f]{64});"));
    const auto token = shape.match(QString::fromLatin1(first));
    QVERIFY2(token.hasMatch(), first.constData());
    QVERIFY(first.contains("; HttpOnly"));
    QVERIFY(first.contains("; Max-Age="));
    QVERIFY(first.contains("; Path=/"));
    // Every sign-in starts a session of its own.
    QVERIFY(!second.isEmpty());
    QVERIFY(second != first);
    // Only a hash of the token is stored.
    QSqlQuery query(m_fixture->context().db);
    QVERIFY(query.exec(QStringLiteral("SELECT token_hash FROM sessions")));
    while (query.next())
        QVERIFY(query.value(0).toString() != token.captured(1));

    // A refused sign-in hands out nothing.
    QByteArray refused;
    rawCall(*m_fixture, QStringLiteral("signin"),
            {{QStringLiteral("email"), demoEmail}, {QStringLiteral("password"), QStringLiteral("wrong")},
             {QStringLiteral("deviceToken"), QStringLiteral("FIXTURE-DEVICE")}},
            &refused);
    QVERIFY(refused.isEmpty());
}

void TstServerSessions::unapprovedMemberGetsNoSession()
{
    // The pending member is told "Not allowed" by the client and goes no further.
    QSqlQuery query(m_fixture->context().db);
    QVERIFY(query.exec(QStringLiteral("INSERT INTO devices (user_id, token) VALUES (2, 'FIXTURE-DEVICE')")));
    QByteArray cookie;
    const QJsonObject reply = QJsonDocument::fromJson(
        rawCall(*m_fixture, QStringLiteral("signin"),
                {{QStringLiteral("email"), QStringLiteral("pending@olva.local")},
                 {QStringLiteral("password"), password},
                 {QStringLiteral("deviceToken"), QStringLiteral("FIXTURE-DEVICE")}},
                &cookie)).object();
    QCOMPARE(code(reply), 0);
    QCOMPARE(reply.value(QStringLiteral("user_info")).toObject().value(QStringLiteral("approve")).toString(),
             QStringLiteral("0"));
    QVERIFY(cookie.isEmpty());
}

void TstServerSessions::callsNamingAMemberNeedTheirSession_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<Fields>("fields");
    const auto row = [](const char* endpoint, const Fields& extra) {
        Fields fields = {{QStringLiteral("user_id"), QStringLiteral("1")}};
        fields += extra;
        QTest::newRow(endpoint) << QString::fromLatin1(endpoint) << fields;
    };
    row("getFoodList", {});
    row("uploadMyCalorie", {{"category_id", "4"}, {"title", "Toast"}, {"cal", "80"}, {"carbs", "15"},
                            {"fat", "1"}, {"protein", "3"}, {"fiber", "1"}});
    row("getCheckout", {{"product_type", "WORKOUT"}});
    row("getRealFriends", {});
    row("setCheckingDay", {});
}

void TstServerSessions::callsNamingAMemberNeedTheirSession()
{
    QFETCH(QString, endpoint);
    QFETCH(Fields, fields);
    // No session at all.
    QCOMPARE(code(post(endpoint, fields)), Sessions::refusedCode);
    // Another member's session.
    QVERIFY(m_fixture->signInAs(3));
    QCOMPARE(code(post(endpoint, fields)), Sessions::refusedCode);
    // The member's own session: the endpoint itself answers.
    QVERIFY(m_fixture->signInAs(1));
    QVERIFY(code(post(endpoint, fields)) != Sessions::refusedCode);
    // Signed out again.
    m_fixture->signOut();
    QCOMPARE(code(post(endpoint, fields)), Sessions::refusedCode);
}

void TstServerSessions::historyByEmailIsTheSessionMembersOnly()
{
    const Fields fields = {{QStringLiteral("email"), demoEmail}};
    QCOMPARE(code(post(QStringLiteral("getHistory"), fields)), Sessions::refusedCode);
    QVERIFY(m_fixture->signIn(mayaEmail, password));
    const QJsonObject other = post(QStringLiteral("getHistory"), fields);
    QCOMPARE(code(other), Sessions::refusedCode);
    QVERIFY(!other.contains(QStringLiteral("history_info")));
    QVERIFY(m_fixture->signIn(demoEmail, password));
    const QJsonObject own = post(QStringLiteral("getHistory"), fields);
    QCOMPARE(code(own), 0);
    QCOMPARE(own.value(QStringLiteral("history_info")).toArray().size(), 30);
}

void TstServerSessions::historyDetailOfAnotherMemberIsRefused()
{
    QSqlQuery query(m_fixture->context().db);
    QVERIFY(query.exec(QStringLiteral("SELECT id FROM history_days WHERE user_id = 1 LIMIT 1")) && query.next());
    const Fields fields = {{QStringLiteral("history_id"), query.value(0).toString()},
                           {QStringLiteral("meal_type"), QStringLiteral("lunch")}};
    query.finish(); // an open read would keep this connection on an old snapshot
    QCOMPARE(code(post(QStringLiteral("getHistoryDetail"), fields)), Sessions::refusedCode);
    QVERIFY(m_fixture->signIn(mayaEmail, password));
    const QJsonObject other = post(QStringLiteral("getHistoryDetail"), fields);
    QCOMPARE(code(other), Sessions::refusedCode);
    QVERIFY(!other.contains(QStringLiteral("historydetail_info")));
    QVERIFY(m_fixture->signIn(demoEmail, password));
    QCOMPARE(code(post(QStringLiteral("getHistoryDetail"), fields)), 0);
}

void TstServerSessions::foodOfAnotherMemberCannotBeRemoved()
{
    QSqlQuery query(m_fixture->context().db);
    QVERIFY(query.exec(QStringLiteral("SELECT id FROM foods WHERE user_id = 1")) && query.next());
    const QString foodId = query.value(0).toString();
    query.finish();
    const Fields fields = {{QStringLiteral("mycalorie_id"), foodId}};
    QCOMPARE(code(post(QStringLiteral("removeMyCalorie"), fields)), Sessions::refusedCode);
    QVERIFY(m_fixture->signIn(mayaEmail, password));
    QCOMPARE(code(post(QStringLiteral("removeMyCalorie"), fields)), Sessions::refusedCode);
    QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM foods WHERE id = ") + foodId) && query.next());
    QCOMPARE(query.value(0).toInt(), 1);
    query.finish();
    QVERIFY(m_fixture->signIn(demoEmail, password));
    QCOMPARE(code(post(QStringLiteral("removeMyCalorie"), fields)), 0);
}

void TstServerSessions::sessionsThatAreNotValidAreRefused_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("expired") << QStringLiteral("UPDATE sessions SET expires_at = 1");
    QTest::newRow("forgotten by the server") << QStringLiteral("DELETE FROM sessions");
    QTest::newRow("token guessed") << QStringLiteral("guess");
}

void TstServerSessions::sessionsThatAreNotValidAreRefused()
{
    QFETCH(QString, damage);
    const Fields fields = {{QStringLiteral("user_id"), QStringLiteral("1")}};
    QVERIFY(m_fixture->signInAs(1));
    QCOMPARE(code(post(QStringLiteral("getFoodList"), fields)), 0);
    if (damage == QLatin1String("guess")) {
        m_fixture->signOut();
        const ServerFixture::Reply reply =
            m_fixture->send("POST", QStringLiteral("/api/getFoodList"), ServerFixture::formBody(fields),
                            {{"Content-Type", "application/x-www-form-urlencoded"},
                             {"Cookie", "olva_session=" + QByteArray(64, 'a')}});
        QCOMPARE(code(QJsonDocument::fromJson(reply.body).object()), Sessions::refusedCode);
        return;
    }
    QSqlQuery query(m_fixture->context().db);
    QVERIFY(query.exec(damage));
    QCOMPARE(code(post(QStringLiteral("getFoodList"), fields)), Sessions::refusedCode);
}

void TstServerSessions::callsBeforeSignInStayOpen_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<Fields>("fields");
    QTest::newRow("checkVersion") << QStringLiteral("checkVersion") << Fields{{"platform", "windows"}};
    QTest::newRow("signup") << QStringLiteral("signup")
                            << Fields{{"email", "new@olva.local"}, {"password", "p"}, {"username", "New"}};
    QTest::newRow("forgot") << QStringLiteral("forgot") << Fields{{"email", demoEmail}};
    QTest::newRow("verifyDevice") << QStringLiteral("verifyDevice") << Fields{{"email", demoEmail}};
    QTest::newRow("getSampleList") << QStringLiteral("getSampleList") << Fields{{"table_name", "tb_samplelunch"}};
}

void TstServerSessions::callsBeforeSignInStayOpen()
{
    QFETCH(QString, endpoint);
    QFETCH(Fields, fields);
    QCOMPARE(code(post(endpoint, fields)), 0);
}

QTEST_MAIN(TstServerSessions)
#include "tst_server_sessions.moc"
