#include "serverfixture.h"
#include "storetestdata.h"

#include "server/demo/fooddemo.h"
#include "server/storage/storage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

#include <array>

// Two olva-server programs started at the same moment on one database, as
// behind a load balancer: whatever reaches which instance, and however the
// calls interleave, the members' data is the same as with one.
class TstServerInstances final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void demoIsFilledOnce();
    void sessionOfOneIsHonouredByTheOther();
    void foodAddedOnOneIsListedByTheOther();
    void racesKeepOneRow_data();
    void racesKeepOneRow();

private:
    struct Call
    {
        int instance = 0;
        QString endpoint;
        ServerFixture::Fields fields;
    };
    // Sends every call at once and waits for all the replies (JSON objects,
    // in the calls' order).
    QList<QJsonObject> postAll(const QList<Call>& calls);
    QJsonObject post(int instance, const QString& endpoint, const ServerFixture::Fields& fields)
    {
        return postAll({{instance, endpoint, fields}}).value(0);
    }
    qint64 count(const QString& sql, const QVariantList& values = {});

    QTemporaryDir m_dir;
    std::unique_ptr<TestDatabase> m_database;
    std::array<QProcess, 2> m_servers;
    std::array<quint16, 2> m_ports{};
    QByteArray m_session; // the demo member's session cookie, made on instance 0
    QSqlDatabase m_db;
    QNetworkAccessManager m_network;
};

namespace {

int code(const QJsonObject& reply)
{
    return reply.value(QStringLiteral("result_code")).toInt(-1);
}

const QString demoEmail = QStringLiteral("demo@olva.local");

} // namespace

void TstServerInstances::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_database = std::make_unique<TestDatabase>(m_dir.path());
    QVERIFY(m_database->isValid());
    for (size_t i = 0; i < m_servers.size(); ++i) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        m_servers[i].setProcessEnvironment(environment);
        m_servers[i].start(QStringLiteral(OLVA_SERVER_PROGRAM),
                           {QStringLiteral("--demo"), QStringLiteral("--no-videos"), QStringLiteral("--port"),
                            QStringLiteral("0"), QStringLiteral("--db"), m_database->location(),
                            QStringLiteral("--files"), m_dir.filePath(QStringLiteral("files%1").arg(i))});
    }
    static const QRegularExpression listening(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    for (size_t i = 0; i < m_servers.size(); ++i) {
        QString output;
        QTRY_VERIFY_WITH_TIMEOUT((output += QString::fromLocal8Bit(m_servers[i].readAllStandardOutput()),
                                  listening.match(output).hasMatch() || m_servers[i].state() == QProcess::NotRunning),
                                 120000);
        const auto match = listening.match(output);
        QVERIFY2(match.hasMatch(), qPrintable(QString::fromLocal8Bit(m_servers[i].readAllStandardError())));
        m_ports[i] = quint16(match.captured(1).toUInt());
    }
    QString error;
    m_db = Storage::open(m_database->location(), QStringLiteral("instances-test"), &error);
    QVERIFY2(m_db.isOpen(), qPrintable(error));

    // Signed in on instance 0, this computer registered with the mailed code.
    const ServerFixture::Fields signin = {{QStringLiteral("email"), demoEmail},
                                          {QStringLiteral("password"), QStringLiteral("olva-demo-2026")},
                                          {QStringLiteral("deviceToken"), QStringLiteral("INSTANCES")},
                                          {QStringLiteral("deviceType"), QStringLiteral("windows")}};
    QCOMPARE(code(post(0, QStringLiteral("signin"), signin)), 3);
    QCOMPARE(code(post(0, QStringLiteral("verifyDevice"), {{QStringLiteral("email"), demoEmail}})), 0);
    QSqlQuery latest(m_db);
    QVERIFY(latest.exec(QStringLiteral("SELECT pincode FROM pending_codes WHERE user_id = 1 ORDER BY id DESC LIMIT 1")));
    QVERIFY(latest.next());
    ServerFixture::Fields registration = signin;
    registration[1] = {QStringLiteral("pincode"), latest.value(0).toString()};
    latest.finish();
    QCOMPARE(code(post(0, QStringLiteral("registerToken"), registration)), 0);
    QCOMPARE(code(post(0, QStringLiteral("signin"), signin)), 0);
    QVERIFY(!m_session.isEmpty());
}

void TstServerInstances::cleanupTestCase()
{
    for (QProcess& server : m_servers) {
        server.terminate();
        server.waitForFinished(10000);
    }
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("instances-test"));
    m_database.reset();
}

QList<QJsonObject> TstServerInstances::postAll(const QList<Call>& calls)
{
    QList<QNetworkReply*> replies;
    for (const Call& call : calls) {
        QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1/api/%2").arg(m_ports[call.instance]).arg(call.endpoint)));
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
        if (!m_session.isEmpty())
            request.setRawHeader("Cookie", "olva_session=" + m_session);
        replies.append(m_network.post(request, ServerFixture::formBody(call.fields)));
    }
    const auto allFinished = [&replies] {
        return std::all_of(replies.cbegin(), replies.cend(), [](QNetworkReply* reply) { return reply->isFinished(); });
    };
    if (!QTest::qWaitFor(allFinished, 60000))
        qWarning("instances test: replies missing after a minute");
    QList<QJsonObject> objects;
    for (QNetworkReply* reply : std::as_const(replies)) {
        const QByteArray cookie = reply->rawHeader("Set-Cookie");
        if (cookie.startsWith("olva_session="))
            m_session = cookie.mid(13, cookie.indexOf(';') - 13);
        objects.append(QJsonDocument::fromJson(reply->readAll()).object());
        reply->deleteLater();
    }
    return objects;
}

qint64 TstServerInstances::count(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(m_db);
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec() || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

void TstServerInstances::demoIsFilledOnce()
{
    qint64 serviceFoods = 0;
    for (const FoodDemo::Category& category : FoodDemo::catalogue())
        serviceFoods += category.foods.size();
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM foods WHERE user_id = 0")), serviceFoods);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM users WHERE lower(email) = ?"), {demoEmail}), 1);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM friends WHERE user_id = 1")),
             count(QStringLiteral("SELECT COUNT(DISTINCT email) FROM friends WHERE user_id = 1")));
}

void TstServerInstances::sessionOfOneIsHonouredByTheOther()
{
    const QJsonObject reply = post(1, QStringLiteral("getFoodList"), {{QStringLiteral("user_id"), QStringLiteral("1")}});
    QCOMPARE(code(reply), 0);
    QVERIFY(!reply.value(QStringLiteral("food_list")).toArray().isEmpty());
}

void TstServerInstances::foodAddedOnOneIsListedByTheOther()
{
    const auto listed = [this](const QString& title) {
        const QByteArray text = QJsonDocument(post(1, QStringLiteral("getFoodList"),
                                                   {{QStringLiteral("user_id"), QStringLiteral("1")}}))
                                    .toJson();
        return text.contains(title.toUtf8());
    };
    const QString title = QStringLiteral("Rye crispbread from the other instance");
    QVERIFY(!listed(title)); // instance 1 keeps this reply
    const QJsonObject added = post(0, QStringLiteral("uploadMyCalorie"),
                                   {{QStringLiteral("user_id"), QStringLiteral("1")},
                                    {QStringLiteral("category_id"), QStringLiteral("1")},
                                    {QStringLiteral("title"), title},
                                    {QStringLiteral("cal"), QStringLiteral("35")},
                                    {QStringLiteral("carbs"), QStringLiteral("6")},
                                    {QStringLiteral("fat"), QStringLiteral("0.2")},
                                    {QStringLiteral("protein"), QStringLiteral("1")},
                                    {QStringLiteral("fiber"), QStringLiteral("2")}});
    QCOMPARE(code(added), 0);
    QVERIFY(listed(title));
    QCOMPARE(code(post(1, QStringLiteral("removeMyCalorie"),
                       {{QStringLiteral("mycalorie_id"), QString::number(added.value(QStringLiteral("mycalorie_id")).toInteger())}})),
             0);
    QVERIFY(!listed(title));
}

void TstServerInstances::racesKeepOneRow_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<int>("callsPerInstance");
    QTest::addColumn<QString>("rows"); // counts what the calls wrote; must be 1

    QTest::newRow("one cart paid on both") << "paymentProcess" << 1
                                           << "SELECT COUNT(*) FROM payments WHERE user_id = 1";
    QTest::newRow("one day uploaded to both, ten times")
        << "uploadDay" << 10 << "SELECT COUNT(*) FROM history_days WHERE user_id = 1 AND day = '2026-01-05'";
}

void TstServerInstances::racesKeepOneRow()
{
    QFETCH(QString, endpoint);
    QFETCH(int, callsPerInstance);
    QFETCH(QString, rows);

    ServerFixture::Fields fields;
    if (endpoint == QLatin1String("paymentProcess")) {
        QSqlQuery product(m_db);
        QVERIFY(product.exec(QStringLiteral("SELECT id, price_cents FROM products WHERE type = 'WORKOUT' AND id NOT IN"
                                            " (SELECT product_id FROM purchases WHERE user_id = 1) ORDER BY id LIMIT 1")));
        QVERIFY(product.next());
        fields = {{"pay_type", "manual"}, {"productID", product.value(0).toString()}, {"type", "WORKOUT"},
                  {"user_id", "1"}, {"cardNumber", StoreTestData::goodCard()},
                  {"expirationDate", StoreTestData::nextYearExpiry()}, {"cardCode", "123"},
                  {"amount", QString::number(product.value(1).toLongLong() / 100.0, 'f', 2)}, {"subsebook", "0"}};
    } else {
        QJsonArray meals;
        const QJsonObject yogurt{{"category", QJsonObject{{"id", 9}, {"name", "Dairy"}}}, {"name", "Greek yogurt"},
                                 {"kind", 1}, {"calories", 300}, {"carbs", 12.5}, {"fat", 3}, {"protein", 8},
                                 {"fiber", 0}};
        for (int meal = 0; meal < 6; ++meal)
            meals.append(QJsonObject{{"calories", meal == 0 ? 300 : 0},
                                     {"foods", meal == 0 ? QJsonArray{yogurt} : QJsonArray()}});
        const QJsonObject day{{"date", "2026-01-05"}, {"target", 1800}, {"eaten", 300}, {"remaining", 1500},
                              {"score", 20}, {"grade", "0"}, {"meals", meals}};
        fields = {{"email", demoEmail}, {"day", QString::fromUtf8(QJsonDocument(day).toJson())}};
    }
    QCOMPARE(count(rows), 0);
    QList<Call> calls;
    for (int i = 0; i < callsPerInstance; ++i) {
        calls.append({0, endpoint, fields});
        calls.append({1, endpoint, fields});
    }
    const QList<QJsonObject> replies = postAll(calls);
    for (const QJsonObject& reply : replies)
        QCOMPARE(code(reply), 0);
    QCOMPARE(count(rows), 1);
}

QTEST_GUILESS_MAIN(TstServerInstances)
#include "tst_server_instances.moc"
