#include "serverfixture.h"

#include "server/account/attemptlimits.h"
#include "server/account/pincodes.h"
#include "server/engine/apifields.h"
#include "server/storage/storage.h"

#include "testenvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSqlQuery>
#include <QtTest>

#include <atomic>

// Sign-in, device verification, registration and password recovery over HTTP.
class TstServerAccount final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void checkVersionReportsConfiguredVersion();
    void signinRefusals_data();
    void signinRefusals();
    void deviceVerificationBindsTheComputer();
    void tokenIsNotBoundWithoutVerification_data();
    void tokenIsNotBoundWithoutVerification();
    void expiredVerificationDoesNotBind();
    void detailsFollowTheDevice();
    void signedInReplyCarriesBackgroundsThatCanBeFetched();
    void signupStoresOnlyAHash();
    void signupRefusals_data();
    void signupRefusals();
    void registrationNeedsTheMailedCode_data();
    void registrationNeedsTheMailedCode();
    void registrationNeedsASignInFromThatComputer();
    void guessingVoidsTheCode();
    void olderClientsStillGetTheCode();
    void passwordRecovery();
    void setPasswordNeedsARecentForgot();
    void setPasswordNeedsTheMailedCode_data();
    void setPasswordNeedsTheMailedCode();
    void missingFieldsNeverCrash_data();
    void missingFieldsNeverCrash();
    void parallelGuessesGetFiveTries_data();
    void parallelGuessesGetFiveTries();
    void wrongPasswordsLockTheAccount_data();
    void wrongPasswordsLockTheAccount();
    void failuresFromOneAddressLockIt_data();
    void failuresFromOneAddressLockIt();

private:
    QJsonObject signin(const QString& email, const QString& password, const QString& token);
    void registerDevice(const QString& email, const QString& token);
    QJsonObject registerToken(const QString& token, const QString& pincode);
    QJsonObject setPassword(const QString& password, const QString& pincode);

    std::unique_ptr<ServerFixture> m_fixture;
    // The server's clock, moved on by the tests of the time limits.
    std::shared_ptr<std::atomic<qint64>> m_now;
};

namespace {
const QString demoEmail = QStringLiteral("demo@olva.local");
const QString demoPassword = QStringLiteral("olva-demo-2026");

int code(const QJsonObject& reply)
{
    return reply.value(QStringLiteral("result_code")).toInt(-1);
}
} // namespace

void TstServerAccount::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServerAccount::init()
{
    m_fixture = std::make_unique<ServerFixture>();
    m_now = std::make_shared<std::atomic<qint64>>(QDateTime::currentSecsSinceEpoch());
    m_fixture->options().clock = [now = m_now] { return now->load(); };
    QVERIFY(m_fixture->start(true));
}

void TstServerAccount::cleanup()
{
    m_fixture.reset();
}

QJsonObject TstServerAccount::signin(const QString& email, const QString& password, const QString& token)
{
    return m_fixture->post(QStringLiteral("signin"), {{QStringLiteral("email"), email},
                                                      {QStringLiteral("password"), password},
                                                      {QStringLiteral("deviceToken"), token},
                                                      {QStringLiteral("deviceType"), QStringLiteral("windows")}});
}

void TstServerAccount::registerDevice(const QString& email, const QString& token)
{
    QCOMPARE(code(signin(email, demoPassword, token)), 3);
    const QJsonObject verify = m_fixture->post(QStringLiteral("verifyDevice"), {{QStringLiteral("email"), email}});
    QCOMPARE(code(verify), 0);
    const QJsonObject reply = m_fixture->post(QStringLiteral("registerToken"),
                                              {{QStringLiteral("email"), email},
                                               {QStringLiteral("deviceToken"), token},
                                               {QStringLiteral("deviceType"), QStringLiteral("windows")},
                                               {QStringLiteral("pincode"), m_fixture->mailedCode(email)}});
    QCOMPARE(code(reply), 0);
}

QJsonObject TstServerAccount::registerToken(const QString& token, const QString& pincode)
{
    ServerFixture::Fields fields = {{QStringLiteral("email"), demoEmail},
                                    {QStringLiteral("deviceToken"), token},
                                    {QStringLiteral("deviceType"), QStringLiteral("windows")}};
    if (!pincode.isNull())
        fields.append({QStringLiteral("pincode"), pincode});
    return m_fixture->post(QStringLiteral("registerToken"), fields);
}

QJsonObject TstServerAccount::setPassword(const QString& password, const QString& pincode)
{
    ServerFixture::Fields fields = {{QStringLiteral("email"), demoEmail}, {QStringLiteral("password"), password}};
    if (!pincode.isNull())
        fields.append({QStringLiteral("pincode"), pincode});
    return m_fixture->post(QStringLiteral("setPassword"), fields);
}

void TstServerAccount::checkVersionReportsConfiguredVersion()
{
    ServerFixture other;
    QVERIFY(other.start(false, QStringLiteral("1.0.4")));
    const QJsonObject reply = other.post(QStringLiteral("checkVersion"),
                                         {{QStringLiteral("platform"), QStringLiteral("windows")}});
    QCOMPARE(code(reply), 0);
    QCOMPARE(reply.value(QStringLiteral("version")).toString(), QStringLiteral("1.0.4"));
    // The installer it would offer is served for the demo's own version.
    QCOMPARE(m_fixture->send("HEAD", QStringLiteral("/uploadfiles/apps/OlvaApp_1.0.3.exe")).status, 200);
}

void TstServerAccount::signinRefusals_data()
{
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("expected");
    QTest::newRow("unknown e-mail") << QStringLiteral("nobody@olva.local") << demoPassword << 1;
    QTest::newRow("empty e-mail") << QString() << demoPassword << 1;
    QTest::newRow("wrong password") << demoEmail << QStringLiteral("olva-demo-2025") << 2;
    QTest::newRow("empty password") << demoEmail << QString() << 2;
    QTest::newRow("password with a trailing space") << demoEmail << demoPassword + QLatin1Char(' ') << 2;
    QTest::newRow("right password, new computer") << demoEmail << demoPassword << 3;
    QTest::newRow("e-mail in capitals, new computer") << QStringLiteral("DEMO@OLVA.LOCAL") << demoPassword << 3;
}

void TstServerAccount::signinRefusals()
{
    QFETCH(QString, email);
    QFETCH(QString, password);
    QFETCH(int, expected);
    const QJsonObject reply = signin(email, password, QStringLiteral("DISK-1"));
    QCOMPARE(code(reply), expected);
    QVERIFY(!reply.contains(QStringLiteral("user_info")));
}

void TstServerAccount::deviceVerificationBindsTheComputer()
{
    QCOMPARE(code(signin(demoEmail, demoPassword, QStringLiteral("DISK-1"))), 3);
    const QJsonObject verify = m_fixture->post(QStringLiteral("verifyDevice"), {{QStringLiteral("email"), demoEmail}});
    QCOMPARE(code(verify), 0);
    // Only the mail has the code: the reply would let anybody who knows
    // the address register a computer.
    QVERIFY(!verify.contains(QStringLiteral("pincode")));
    const QString pincode = m_fixture->mailedCode(demoEmail);
    QVERIFY2(QRegularExpression(QStringLiteral("^[0-9]{8}$")).match(pincode).hasMatch(), qPrintable(pincode));

    // The code was "mailed": it waits in the outbox for the member's address.
    QSqlQuery query(m_fixture->context().db);
    QVERIFY(query.exec(QStringLiteral("SELECT recipient, body FROM outbox ORDER BY id DESC LIMIT 1")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), demoEmail);
    QVERIFY(query.value(1).toString().contains(pincode));

    QCOMPARE(code(registerToken(QStringLiteral("DISK-1"), pincode)), 0);
    const QJsonObject reply = signin(demoEmail, demoPassword, QStringLiteral("DISK-1"));
    QCOMPARE(code(reply), 0);
    const QJsonObject info = reply.value(QStringLiteral("user_info")).toObject();
    QCOMPARE(info.value(QStringLiteral("user_id")).toString(), QStringLiteral("1"));
    QCOMPARE(info.value(QStringLiteral("username")).toString(), QStringLiteral("Demo Member"));
    QCOMPARE(info.value(QStringLiteral("approve")).toString(), QStringLiteral("1"));
    QVERIFY(QDate::fromString(info.value(QStringLiteral("checkDay")).toString(), QStringLiteral("yyyy-MM-dd")).isValid());

    // Another computer still needs its own verification.
    QCOMPARE(code(signin(demoEmail, demoPassword, QStringLiteral("DISK-2"))), 3);
    // A re-registration of the bound computer (as after every sign-in) is fine.
    QCOMPARE(code(m_fixture->post(QStringLiteral("registerToken"),
                                  {{QStringLiteral("email"), demoEmail},
                                   {QStringLiteral("deviceToken"), QStringLiteral("DISK-1")}})),
             0);
}

void TstServerAccount::tokenIsNotBoundWithoutVerification_data()
{
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("token");
    QTest::addColumn<int>("expected");
    QTest::newRow("no verification asked") << demoEmail << QStringLiteral("DISK-9") << 3;
    QTest::newRow("unknown e-mail") << QStringLiteral("nobody@olva.local") << QStringLiteral("DISK-9") << 1;
    QTest::newRow("empty token") << demoEmail << QString() << 2;
}

void TstServerAccount::tokenIsNotBoundWithoutVerification()
{
    QFETCH(QString, email);
    QFETCH(QString, token);
    QFETCH(int, expected);
    const QJsonObject reply = m_fixture->post(QStringLiteral("registerToken"),
                                              {{QStringLiteral("email"), email},
                                               {QStringLiteral("deviceToken"), token},
                                               {QStringLiteral("deviceType"), QStringLiteral("windows")}});
    QCOMPARE(code(reply), expected);
    QCOMPARE(code(signin(demoEmail, demoPassword, token)), 3);
}

void TstServerAccount::expiredVerificationDoesNotBind()
{
    QCOMPARE(code(signin(demoEmail, demoPassword, QStringLiteral("DISK-1"))), 3);
    QCOMPARE(code(m_fixture->post(QStringLiteral("verifyDevice"), {{QStringLiteral("email"), demoEmail}})), 0);
    QSqlQuery query(m_fixture->context().db);
    QVERIFY(query.exec(QStringLiteral("UPDATE pending_codes SET issued_at = issued_at - %1")
                           .arg(PinCodes::deviceValiditySeconds + 1)));
    QCOMPARE(code(registerToken(QStringLiteral("DISK-1"), m_fixture->mailedCode(demoEmail))), 3);
    QCOMPARE(code(signin(demoEmail, demoPassword, QStringLiteral("DISK-1"))), 3);
}

void TstServerAccount::registrationNeedsTheMailedCode_data()
{
    QTest::addColumn<QString>("typed"); // "right": the mailed code
    QTest::addColumn<int>("expected");
    QTest::newRow("no code") << QString() << 4;
    QTest::newRow("empty code") << QStringLiteral("") << 4;
    QTest::newRow("wrong code") << QStringLiteral("00000000x") << 4;
    QTest::newRow("right code with a space") << QStringLiteral("right ") << 4;
    QTest::newRow("right code") << QStringLiteral("right") << 0;
}

void TstServerAccount::registrationNeedsTheMailedCode()
{
    QFETCH(QString, typed);
    QFETCH(int, expected);
    QCOMPARE(code(signin(demoEmail, demoPassword, QStringLiteral("DISK-1"))), 3);
    QCOMPARE(code(m_fixture->post(QStringLiteral("verifyDevice"), {{QStringLiteral("email"), demoEmail}})), 0);
    if (!typed.isNull())
        typed.replace(QStringLiteral("right"), m_fixture->mailedCode(demoEmail));
    QCOMPARE(code(registerToken(QStringLiteral("DISK-1"), typed)), expected);
    QCOMPARE(code(signin(demoEmail, demoPassword, QStringLiteral("DISK-1"))), expected == 0 ? 0 : 3);
}

void TstServerAccount::registrationNeedsASignInFromThatComputer()
{
    // The code alone, for a computer that never showed the password.
    QCOMPARE(code(m_fixture->post(QStringLiteral("verifyDevice"), {{QStringLiteral("email"), demoEmail}})), 0);
    QCOMPARE(code(registerToken(QStringLiteral("DISK-1"), m_fixture->mailedCode(demoEmail))), 3);
    // Another computer's sign-in does not count for this one.
    QCOMPARE(code(signin(demoEmail, demoPassword, QStringLiteral("DISK-2"))), 3);
    QCOMPARE(code(registerToken(QStringLiteral("DISK-1"), m_fixture->mailedCode(demoEmail))), 3);
    // Verify mode at start-up: the details request found the computer unknown.
    QCOMPARE(code(m_fixture->post(QStringLiteral("getMyDetails"), {{QStringLiteral("email"), demoEmail},
                                                                   {QStringLiteral("deviceToken"), QStringLiteral("DISK-1")},
                                                                   {QStringLiteral("deviceType"), QStringLiteral("windows")}})),
             2);
    QCOMPARE(code(registerToken(QStringLiteral("DISK-1"), m_fixture->mailedCode(demoEmail))), 0);
    QCOMPARE(code(signin(demoEmail, demoPassword, QStringLiteral("DISK-1"))), 0);
}

void TstServerAccount::guessingVoidsTheCode()
{
    QCOMPARE(code(signin(demoEmail, demoPassword, QStringLiteral("DISK-1"))), 3);
    QCOMPARE(code(m_fixture->post(QStringLiteral("verifyDevice"), {{QStringLiteral("email"), demoEmail}})), 0);
    const QString mailed = m_fixture->mailedCode(demoEmail);
    for (int i = 0; i < PinCodes::maxWrongAttempts; ++i)
        QCOMPARE(code(registerToken(QStringLiteral("DISK-1"), QStringLiteral("guess %1").arg(i))), 4);
    QCOMPARE(code(registerToken(QStringLiteral("DISK-1"), mailed)), 3);
    // A fresh code works again.
    QCOMPARE(code(m_fixture->post(QStringLiteral("verifyDevice"), {{QStringLiteral("email"), demoEmail}})), 0);
    QCOMPARE(code(registerToken(QStringLiteral("DISK-1"), m_fixture->mailedCode(demoEmail))), 0);
}

void TstServerAccount::olderClientsStillGetTheCode()
{
    // Served with codes in the replies, for clients that compare them
    // themselves: a pending code is enough, as before.
    ServerFixture older;
    older.options().codesByMailOnly = false;
    QVERIFY(older.start(true));
    const QJsonObject verify = older.post(QStringLiteral("verifyDevice"), {{QStringLiteral("email"), demoEmail}});
    QCOMPARE(verify.value(QStringLiteral("pincode")).toString(), older.mailedCode(demoEmail));
    QCOMPARE(code(older.post(QStringLiteral("registerToken"), {{QStringLiteral("email"), demoEmail},
                                                               {QStringLiteral("deviceToken"), QStringLiteral("DISK-1")}})),
             0);
    const QJsonObject forgot = older.post(QStringLiteral("forgot"), {{QStringLiteral("email"), demoEmail}});
    QCOMPARE(forgot.value(QStringLiteral("pincode")).toString(), older.mailedCode(demoEmail, true));
}

void TstServerAccount::detailsFollowTheDevice()
{
    const auto details = [this](const QString& email, const QString& token) {
        return m_fixture->post(QStringLiteral("getMyDetails"), {{QStringLiteral("email"), email},
                                                                {QStringLiteral("deviceToken"), token},
                                                                {QStringLiteral("deviceType"), QStringLiteral("windows")}});
    };
    QCOMPARE(code(details(QStringLiteral("nobody@olva.local"), QStringLiteral("DISK-1"))), 1);
    QCOMPARE(code(details(demoEmail, QStringLiteral("DISK-1"))), 2);
    registerDevice(demoEmail, QStringLiteral("DISK-1"));
    const QJsonObject reply = details(demoEmail, QStringLiteral("DISK-1"));
    QCOMPARE(code(reply), 0);
    QCOMPARE(reply.value(QStringLiteral("user_info")).toObject().value(QStringLiteral("user_id")).toString(),
             QStringLiteral("1"));
    QCOMPARE(reply.value(QStringLiteral("backgrounds")).toArray().size(), 5);
    QCOMPARE(code(details(demoEmail, QString())), 2);
}

void TstServerAccount::signedInReplyCarriesBackgroundsThatCanBeFetched()
{
    registerDevice(demoEmail, QStringLiteral("DISK-1"));
    const QJsonArray backgrounds =
        signin(demoEmail, demoPassword, QStringLiteral("DISK-1")).value(QStringLiteral("backgrounds")).toArray();
    QCOMPARE(backgrounds.size(), 5);
    for (int key = 0; key < 5; ++key) {
        const QJsonObject entry = backgrounds.at(key).toObject();
        // Sent as text, as the client converts it.
        QCOMPARE(entry.value(QStringLiteral("platform")).toString(), QString::number(key));
        const QString url = entry.value(QStringLiteral("url")).toString();
        QVERIFY(url.startsWith(m_fixture->baseUrl() + QStringLiteral("/uploadfiles/")));
        const ServerFixture::Reply picture = m_fixture->send("GET", url.mid(m_fixture->baseUrl().size()));
        QCOMPARE(picture.status, 200);
        const QImage image = QImage::fromData(picture.body);
        QVERIFY(!image.isNull());
        // The client puts white text anywhere over a background: no part of
        // it may be light (a caption in it would be).
        for (int y = 0; y < image.height(); y += 4) {
            for (int x = 0; x < image.width(); x += 4) {
                if (image.pixelColor(x, y).lightnessF() > 0.45)
                    QFAIL(qPrintable(QStringLiteral("background %1 is light at %2,%3").arg(key).arg(x).arg(y)));
            }
        }
    }
}

void TstServerAccount::signupStoresOnlyAHash()
{
    const auto signup = [this](const QString& email) {
        return m_fixture->post(QStringLiteral("signup"), {{QStringLiteral("email"), email},
                                                          {QStringLiteral("password"), QStringLiteral("same secret")},
                                                          {QStringLiteral("username"), QStringLiteral("New Member")}});
    };
    QCOMPARE(code(signup(QStringLiteral("one@olva.local"))), 0);
    QCOMPARE(code(signup(QStringLiteral("two@olva.local"))), 0);
    QSqlQuery query(m_fixture->context().db);
    QVERIFY(query.exec(QStringLiteral("SELECT password_hash, salt, approve FROM users"
                                      " WHERE email IN ('one@olva.local', 'two@olva.local')")));
    QStringList hashes;
    QStringList salts;
    while (query.next()) {
        QVERIFY(!query.value(0).toString().contains(QStringLiteral("same secret")));
        hashes << query.value(0).toString();
        salts << query.value(1).toString();
        QCOMPARE(query.value(2).toString(), QStringLiteral("1"));
    }
    QCOMPARE(hashes.size(), 2);
    QVERIFY(hashes.at(0) != hashes.at(1)); // salted
    QVERIFY(salts.at(0) != salts.at(1));
    // The new account signs in (and, like any, must verify its computer).
    QCOMPARE(code(signin(QStringLiteral("one@olva.local"), QStringLiteral("same secret"), QStringLiteral("D"))), 3);
}

void TstServerAccount::signupRefusals_data()
{
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("username");
    QTest::addColumn<int>("expected");
    QTest::newRow("taken") << demoEmail << QStringLiteral("x") << QStringLiteral("Twin") << 1;
    QTest::newRow("taken, other case") << QStringLiteral("Demo@Olva.Local") << QStringLiteral("x")
                                       << QStringLiteral("Twin") << 1;
    QTest::newRow("empty e-mail") << QString() << QStringLiteral("x") << QStringLiteral("A") << 2;
    QTest::newRow("empty password") << QStringLiteral("a@olva.local") << QString() << QStringLiteral("A") << 2;
    QTest::newRow("empty name") << QStringLiteral("a@olva.local") << QStringLiteral("x") << QString() << 2;
    QTest::newRow("blank name") << QStringLiteral("a@olva.local") << QStringLiteral("x") << QStringLiteral("   ") << 2;
    QTest::newRow("not an address") << QStringLiteral("a.olva.local") << QStringLiteral("x") << QStringLiteral("A") << 3;
    QTest::newRow("name too long") << QStringLiteral("a@olva.local") << QStringLiteral("x")
                                   << QString(101, QLatin1Char('n')) << 3;
}

void TstServerAccount::signupRefusals()
{
    QFETCH(QString, email);
    QFETCH(QString, password);
    QFETCH(QString, username);
    QFETCH(int, expected);
    QSqlQuery count(m_fixture->context().db);
    QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*) FROM users")) && count.next());
    const qint64 before = count.value(0).toLongLong();
    const QJsonObject reply = m_fixture->post(QStringLiteral("signup"), {{QStringLiteral("email"), email},
                                                                         {QStringLiteral("password"), password},
                                                                         {QStringLiteral("username"), username}});
    QCOMPARE(code(reply), expected);
    QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*) FROM users")) && count.next());
    QCOMPARE(count.value(0).toLongLong(), before);
}

void TstServerAccount::passwordRecovery()
{
    QCOMPARE(code(m_fixture->post(QStringLiteral("forgot"), {{QStringLiteral("email"), QStringLiteral("no@olva.local")}})), 1);
    const QJsonObject forgot = m_fixture->post(QStringLiteral("forgot"), {{QStringLiteral("email"), demoEmail}});
    QCOMPARE(code(forgot), 0);
    QVERIFY(!forgot.contains(QStringLiteral("pincode")));
    const QString mailed = m_fixture->mailedCode(demoEmail, true);
    QCOMPARE(mailed.size(), 8);
    QCOMPARE(code(setPassword(QStringLiteral("n3w pass"), mailed)), 0);
    QCOMPARE(code(signin(demoEmail, demoPassword, QStringLiteral("D"))), 2);
    QCOMPARE(code(signin(demoEmail, QStringLiteral("n3w pass"), QStringLiteral("D"))), 3);
}

void TstServerAccount::setPasswordNeedsARecentForgot()
{
    // Nobody may take over an account knowing only its address.
    QCOMPARE(code(setPassword(QStringLiteral("hijack"), QStringLiteral("12345678"))), 3);
    QCOMPARE(code(m_fixture->post(QStringLiteral("setPassword"), {{QStringLiteral("email"), QStringLiteral("no@olva.local")},
                                                                  {QStringLiteral("password"), QStringLiteral("x")}})),
             1);
    QCOMPARE(code(m_fixture->post(QStringLiteral("forgot"), {{QStringLiteral("email"), demoEmail}})), 0);
    const QString mailed = m_fixture->mailedCode(demoEmail, true);
    QCOMPARE(code(setPassword(QString(), mailed)), 2);
    QCOMPARE(code(setPassword(QStringLiteral("first"), mailed)), 0);
    // One reset, one new password.
    QCOMPARE(code(setPassword(QStringLiteral("second"), mailed)), 3);
    QCOMPARE(code(signin(demoEmail, QStringLiteral("first"), QStringLiteral("D"))), 3);
}

void TstServerAccount::setPasswordNeedsTheMailedCode_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("no code") << QString();
    QTest::newRow("wrong code") << QStringLiteral("87654321");
    QTest::newRow("the device code") << QStringLiteral("device");
}

void TstServerAccount::setPasswordNeedsTheMailedCode()
{
    QFETCH(QString, typed);
    QCOMPARE(code(m_fixture->post(QStringLiteral("verifyDevice"), {{QStringLiteral("email"), demoEmail}})), 0);
    QCOMPARE(code(m_fixture->post(QStringLiteral("forgot"), {{QStringLiteral("email"), demoEmail}})), 0);
    if (typed == QLatin1String("device"))
        typed = m_fixture->mailedCode(demoEmail);
    if (typed == m_fixture->mailedCode(demoEmail, true))
        QSKIP("the two random codes happen to be equal");
    QCOMPARE(code(setPassword(QStringLiteral("hijack"), typed)), 4);
    QCOMPARE(code(signin(demoEmail, QStringLiteral("hijack"), QStringLiteral("D"))), 2);
    QCOMPARE(code(signin(demoEmail, demoPassword, QStringLiteral("D"))), 3);
}

void TstServerAccount::missingFieldsNeverCrash_data()
{
    QTest::addColumn<QString>("endpoint");
    for (const char* name : {"checkVersion", "signin", "getMyDetails", "verifyDevice", "registerToken", "signup",
                             "forgot", "setPassword"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TstServerAccount::missingFieldsNeverCrash()
{
    QFETCH(QString, endpoint);
    int status = 0;
    const QJsonObject reply = m_fixture->post(endpoint, {}, &status);
    QCOMPARE(status, 200);
    QVERIFY(code(reply) > 0);
    QVERIFY(!reply.value(QStringLiteral("message")).toString().isEmpty());
}

void TstServerAccount::parallelGuessesGetFiveTries_data()
{
    QTest::addColumn<bool>("passwordReset");
    QTest::newRow("device code") << false;
    QTest::newRow("new-password code") << true;
}

void TstServerAccount::parallelGuessesGetFiveTries()
{
    QFETCH(bool, passwordReset);
    QCOMPARE(code(signin(demoEmail, demoPassword, QStringLiteral("DISK-1"))), 3);
    const QString asking = passwordReset ? QStringLiteral("forgot") : QStringLiteral("verifyDevice");
    QCOMPARE(code(m_fixture->post(asking, {{QStringLiteral("email"), demoEmail}})), 0);
    const QString mailed = m_fixture->mailedCode(demoEmail, passwordReset);
    const QString endpoint = passwordReset ? QStringLiteral("setPassword") : QStringLiteral("registerToken");
    const auto fields = [](const QString& pincode) {
        return ServerFixture::formBody({{QStringLiteral("email"), demoEmail},
                                        {QStringLiteral("password"), QStringLiteral("taken over")},
                                        {QStringLiteral("deviceToken"), QStringLiteral("DISK-1")},
                                        {QStringLiteral("pincode"), pincode}});
    };

    // Four wrong tries one after the other, and then the rest all at once,
    // while the database is held: every worker reads the code's tries
    // before any of them can count one more.
    for (int i = 0; i < PinCodes::maxWrongAttempts - 1; ++i) {
        QCOMPARE(code(m_fixture->post(endpoint, {{QStringLiteral("email"), demoEmail},
                                                 {QStringLiteral("password"), QStringLiteral("taken over")},
                                                 {QStringLiteral("deviceToken"), QStringLiteral("DISK-1")},
                                                 {QStringLiteral("pincode"), QStringLiteral("1111111%1").arg(i)}})),
                 4);
    }
    QVERIFY(ApiFields::beginWrite(m_fixture->context().db));
    // SQLite's write lock holds every writer; PostgreSQL's writers are held
    // by a lock on the codes' table.
    if (Storage::backendOf(m_fixture->context().db) == Storage::Backend::Postgres)
        QVERIFY(QSqlQuery(m_fixture->context().db).exec(QStringLiteral("LOCK TABLE pending_codes IN EXCLUSIVE MODE")));
    QNetworkAccessManager network;
    QList<QNetworkReply*> replies;
    const int parallel = 30 - (PinCodes::maxWrongAttempts - 1);
    for (int i = 0; i < parallel; ++i) {
        QNetworkRequest request(QUrl(m_fixture->baseUrl() + QStringLiteral("/api/") + endpoint));
        request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
        replies << network.post(request, fields(QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('9'))));
    }
    // Six connections at a time: those calls are with the workers.
    QTRY_VERIFY(m_fixture->server().callsInProgress() >= 6);
    m_fixture->context().db.rollback();
    QMap<int, int> answers; // result_code: how many
    for (QNetworkReply* reply : std::as_const(replies)) {
        QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 20000);
        ++answers[code(QJsonDocument::fromJson(reply->readAll()).object())];
        reply->deleteLater();
    }
    QCOMPARE(answers.value(4), 1);
    QCOMPARE(answers.value(3), parallel - 1);
    QCOMPARE(code(m_fixture->post(endpoint, {{QStringLiteral("email"), demoEmail},
                                             {QStringLiteral("password"), QStringLiteral("taken over")},
                                             {QStringLiteral("deviceToken"), QStringLiteral("DISK-1")},
                                             {QStringLiteral("pincode"), mailed}})),
             3);
}

void TstServerAccount::wrongPasswordsLockTheAccount_data()
{
    QTest::addColumn<int>("wrong");      // wrong passwords in a row
    QTest::addColumn<int>("spacing");    // seconds between them
    QTest::addColumn<int>("later");      // seconds after the last one
    QTest::addColumn<int>("expected");   // then the right password answers
    QTest::addColumn<QString>("message");
    const QString locked = QStringLiteral("Too many attempts. Try again in %1 minutes.");
    QTest::newRow("nine") << 9 << 0 << 0 << 3 << QString();
    QTest::newRow("twelve") << 12 << 0 << 0 << 5 << locked.arg(15);
    QTest::newRow("ten, a second short of the end") << 10 << 0 << 15 * 60 - 1 << 5 << locked.arg(1);
    QTest::newRow("ten, fifteen minutes later") << 10 << 0 << 15 * 60 << 3 << QString();
    QTest::newRow("ten over more than fifteen minutes") << 10 << 101 << 0 << 3 << QString();
    QTest::newRow("ten within fifteen minutes, slowly") << 10 << 99 << 5 * 60 << 5 << locked.arg(10);
}

void TstServerAccount::wrongPasswordsLockTheAccount()
{
    QFETCH(int, wrong);
    QFETCH(int, spacing);
    QFETCH(int, later);
    QFETCH(int, expected);
    QFETCH(QString, message);
    for (int i = 0; i < wrong; ++i) {
        if (i > 0)
            *m_now += spacing;
        // From the tenth failure within fifteen minutes on, the password is
        // not looked at.
        const int answer = code(signin(demoEmail, QStringLiteral("guess %1").arg(i), QStringLiteral("DISK-1")));
        QCOMPARE(answer, i >= AttemptLimits::accountRule.failures ? 5 : 2);
    }
    *m_now += later;
    const QJsonObject reply = signin(demoEmail, demoPassword, QStringLiteral("DISK-1"));
    QCOMPARE(code(reply), expected);
    if (!message.isEmpty())
        QCOMPARE(reply.value(QStringLiteral("message")).toString(), message);
    // Other members are not locked out with this one.
    QCOMPARE(code(signin(QStringLiteral("maya.lindqvist@olva.local"), demoPassword, QStringLiteral("DISK-1"))), 3);
}

void TstServerAccount::failuresFromOneAddressLockIt_data()
{
    QTest::addColumn<bool>("behindProxy");   // the server trusts 127.0.0.1 as its proxy
    QTest::addColumn<QByteArray>("failing"); // X-Forwarded-For of the failures
    QTest::addColumn<QByteArray>("then");    // and of the right sign-in
    QTest::addColumn<int>("expected");
    QTest::newRow("one client") << false << QByteArray() << QByteArray() << 5;
    QTest::newRow("forwarding ignored without a trusted proxy")
        << false << QByteArray("10.0.0.1") << QByteArray("10.0.0.2") << 5;
    QTest::newRow("behind the proxy, same client") << true << QByteArray("10.0.0.1") << QByteArray("10.0.0.1") << 5;
    QTest::newRow("behind the proxy, another client") << true << QByteArray("10.0.0.1") << QByteArray("10.0.0.2") << 3;
    QTest::newRow("behind the proxy, only its own entry counts")
        << true << QByteArray("1.1.1.1, 10.0.0.1") << QByteArray("2.2.2.2, 10.0.0.1") << 5;
}

void TstServerAccount::failuresFromOneAddressLockIt()
{
    QFETCH(bool, behindProxy);
    QFETCH(QByteArray, failing);
    QFETCH(QByteArray, then);
    QFETCH(int, expected);
    if (behindProxy) {
        m_fixture->options().trustedProxy = QHostAddress::LocalHost;
        QVERIFY(m_fixture->restart());
    }
    const auto post = [this](const QString& endpoint, const QByteArray& from, const ServerFixture::Fields& fields) {
        ServerFixture::Headers headers{{"Content-Type", "application/x-www-form-urlencoded"}};
        if (!from.isEmpty())
            headers.append({"X-Forwarded-For", from});
        const auto reply = m_fixture->send("POST", QStringLiteral("/api/") + endpoint, ServerFixture::formBody(fields), headers);
        return code(QJsonDocument::fromJson(reply.body).object());
    };
    // Unknown addresses, one account after another.
    for (int i = 0; i < AttemptLimits::addressRule.failures; ++i) {
        const QString email = QStringLiteral("nobody%1@olva.local").arg(i);
        QCOMPARE(post(QStringLiteral("signin"), failing, {{QStringLiteral("email"), email},
                                                          {QStringLiteral("password"), demoPassword}}),
                 1);
    }
    QCOMPARE(post(QStringLiteral("signin"), then, {{QStringLiteral("email"), demoEmail},
                                                   {QStringLiteral("password"), demoPassword},
                                                   {QStringLiteral("deviceToken"), QStringLiteral("DISK-1")}}),
             expected);
    // The code endpoints listen to the same count.
    QCOMPARE(post(QStringLiteral("forgot"), then, {{QStringLiteral("email"), demoEmail}}), expected == 5 ? 5 : 0);
    *m_now += 60 * 60;
    QCOMPARE(post(QStringLiteral("forgot"), then, {{QStringLiteral("email"), demoEmail}}), 0);
}

QTEST_MAIN(TstServerAccount)
#include "tst_server_account.moc"
