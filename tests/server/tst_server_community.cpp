#include "serverfixture.h"

#include "testenvironment.h"

#include <QJsonArray>
#include <QSqlQuery>
#include <QtTest>

// Friends, the friends-check day, special offers and the About page.
class TstServerCommunity final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void friendLists_data();
    void friendLists();
    void demoMembersFriendCircles_data();
    void demoMembersFriendCircles();
    void memberIdIsChecked_data();
    void memberIdIsChecked();
    void checkingDayMovesAWeekAhead();
    void aboutPageWithPhotos();
    void featuredOfferPointsAtFetchableFiles();
    void offersListWithAndWithoutVideos();
    void emptyServiceAnswersSensibly();

private:
    ServerFixture::Reply fetch(const QString& url);

    std::unique_ptr<ServerFixture> m_fixture;
};

namespace {

int code(const QJsonObject& reply)
{
    return reply.value(QStringLiteral("result_code")).toInt(-1);
}

const ServerFixture::Fields demoMember = {{QStringLiteral("user_id"), QStringLiteral("1")}};

} // namespace

void TstServerCommunity::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServerCommunity::init()
{
    m_fixture = std::make_unique<ServerFixture>();
    // Each call runs in the session of the member it names (sessions have
    // tests of their own).
    m_fixture->setSessionFollowsUserId(true);
    QVERIFY(m_fixture->start(true));
}

void TstServerCommunity::cleanup()
{
    m_fixture.reset();
}

ServerFixture::Reply TstServerCommunity::fetch(const QString& url)
{
    if (!url.startsWith(m_fixture->baseUrl()))
        return {};
    return m_fixture->send("GET", url.mid(m_fixture->baseUrl().size()));
}

void TstServerCommunity::friendLists_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<int>("joined");
    QTest::addColumn<int>("invited");
    QTest::newRow("all friends and invitations") << QStringLiteral("getFriends") << 3 << 2;
    QTest::newRow("friends who joined") << QStringLiteral("getRealFriends") << 3 << 0;
}

void TstServerCommunity::friendLists()
{
    QFETCH(QString, endpoint);
    QFETCH(int, joined);
    QFETCH(int, invited);
    const QJsonObject reply = m_fixture->post(endpoint, demoMember);
    QCOMPARE(code(reply), 0);
    int joinedCount = 0;
    int invitedCount = 0;
    for (const QJsonValue& value : reply.value(QStringLiteral("friend_lst")).toArray()) {
        const QJsonObject entry = value.toObject();
        for (const char* key : {"first_name", "last_name", "phone", "email", "state"})
            QVERIFY2(entry.value(QString::fromLatin1(key)).isString(), key);
        const QString state = entry.value(QStringLiteral("state")).toString();
        QVERIFY(state == QLatin1String("0") || state == QLatin1String("1"));
        (state == QLatin1String("1") ? joinedCount : invitedCount)++;
    }
    QCOMPARE(joinedCount, joined);
    QCOMPARE(invitedCount, invited);

    // Another member does not see the demo member's friends.
    const QJsonObject other = m_fixture->post(endpoint, {{QStringLiteral("user_id"), QStringLiteral("3")}});
    QCOMPARE(code(other), 0);
    QVERIFY(other.value(QStringLiteral("friend_lst")).toArray().isEmpty());
}

void TstServerCommunity::demoMembersFriendCircles_data()
{
    QTest::addColumn<QString>("email");
    QTest::addColumn<int>("joined");
    QTest::addColumn<int>("invited");
    // The demo member is reminded ("need more"), the newcomer too ("no
    // friends"), the popular member never (ten joined).
    QTest::newRow("demo member") << QStringLiteral("demo@olva.local") << 3 << 2;
    QTest::newRow("no friends") << QStringLiteral("newcomer@olva.local") << 0 << 0;
    QTest::newRow("twelve friends") << QStringLiteral("popular@olva.local") << 10 << 2;
}

void TstServerCommunity::demoMembersFriendCircles()
{
    QFETCH(QString, email);
    QFETCH(int, joined);
    QFETCH(int, invited);
    QSqlQuery query(m_fixture->context().db);
    query.prepare(QStringLiteral("SELECT id, check_day FROM users WHERE email = ?"));
    query.addBindValue(email);
    QVERIFY(query.exec() && query.next());
    const ServerFixture::Fields member = {{QStringLiteral("user_id"), query.value(0).toString()}};
    // Due on the first run.
    QCOMPARE(query.value(1).toString(), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));

    const QJsonObject all = m_fixture->post(QStringLiteral("getFriends"), member);
    QCOMPARE(code(all), 0);
    QCOMPARE(all.value(QStringLiteral("friend_lst")).toArray().size(), joined + invited);
    const QJsonObject real = m_fixture->post(QStringLiteral("getRealFriends"), member);
    QCOMPARE(code(real), 0);
    QCOMPARE(real.value(QStringLiteral("friend_lst")).toArray().size(), joined);
}

void TstServerCommunity::memberIdIsChecked_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QString>("userId");
    QTest::addColumn<int>("expected");
    for (const char* endpoint : {"getFriends", "getRealFriends", "setCheckingDay", "specialOffer", "specialOffers"}) {
        const QString name = QString::fromLatin1(endpoint);
        QTest::addRow("%s unknown", endpoint) << name << QStringLiteral("77") << 1;
        QTest::addRow("%s text", endpoint) << name << QStringLiteral("me") << 90;
        QTest::addRow("%s empty", endpoint) << name << QString() << 90;
    }
}

void TstServerCommunity::memberIdIsChecked()
{
    QFETCH(QString, endpoint);
    QFETCH(QString, userId);
    QFETCH(int, expected);
    int status = 0;
    const QJsonObject reply = m_fixture->post(endpoint, {{QStringLiteral("user_id"), userId}}, &status);
    QCOMPARE(status, 200);
    QCOMPARE(code(reply), expected);
}

void TstServerCommunity::checkingDayMovesAWeekAhead()
{
    const QJsonObject reply = m_fixture->post(QStringLiteral("setCheckingDay"), demoMember);
    QCOMPARE(code(reply), 0);
    const QString expected = QDate::currentDate().addDays(7).toString(QStringLiteral("yyyy-MM-dd"));
    QCOMPARE(reply.value(QStringLiteral("checkDay")).toString(), expected);
    // What sign-in will hand out as checkDay from now on.
    QSqlQuery query(m_fixture->context().db);
    QVERIFY(query.exec(QStringLiteral("SELECT check_day FROM users WHERE id = 1")) && query.next());
    QCOMPARE(query.value(0).toString(), expected);
    QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM users WHERE check_day = '%1'").arg(expected)) && query.next());
    QCOMPARE(query.value(0).toInt(), 1);
}

void TstServerCommunity::aboutPageWithPhotos()
{
    // Sent with an empty form, as the client does.
    const QJsonObject reply = m_fixture->post(QStringLiteral("aboutUs"), {});
    QCOMPARE(code(reply), 0);
    const QJsonArray entries = reply.value(QStringLiteral("about_list")).toArray();
    QVERIFY(entries.size() >= 3);
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        for (const char* key : {"name", "photo", "phone", "email", "description"})
            QVERIFY2(!entry.value(QString::fromLatin1(key)).toString().isEmpty(), key);
        const ServerFixture::Reply photo = fetch(entry.value(QStringLiteral("photo")).toString());
        QCOMPARE(photo.status, 200);
        QVERIFY(!QImage::fromData(photo.body).isNull());
    }
}

void TstServerCommunity::featuredOfferPointsAtFetchableFiles()
{
    const QJsonObject reply = m_fixture->post(QStringLiteral("specialOffer"), demoMember);
    QCOMPARE(code(reply), 0);
    const QJsonObject offer = reply.value(QStringLiteral("special_offer")).toObject();
    for (const char* key : {"name", "title", "content", "new", "image", "url"})
        QVERIFY2(!offer.value(QString::fromLatin1(key)).toString().isEmpty(), key);
    QVERIFY(!QImage::fromData(fetch(offer.value(QStringLiteral("image")).toString()).body).isNull());
    QVERIFY(!QImage::fromData(fetch(offer.value(QStringLiteral("new")).toString()).body).isNull());
    const ServerFixture::Reply video = fetch(offer.value(QStringLiteral("url")).toString());
    QCOMPARE(video.status, 200);
    QVERIFY(!video.body.isEmpty());
}

void TstServerCommunity::offersListWithAndWithoutVideos()
{
    const QJsonObject reply = m_fixture->post(QStringLiteral("specialOffers"), demoMember);
    QCOMPARE(code(reply), 0);
    int withVideo = 0;
    int withoutVideo = 0;
    const QJsonArray offers = reply.value(QStringLiteral("special_offers")).toArray();
    for (const QJsonValue& value : offers) {
        const QJsonObject offer = value.toObject();
        for (const char* key : {"title", "image", "content", "description", "url"})
            QVERIFY2(offer.value(QString::fromLatin1(key)).isString(), key);
        const QString url = offer.value(QStringLiteral("url")).toString();
        if (url.isEmpty()) {
            ++withoutVideo;
        } else {
            ++withVideo;
            QCOMPARE(m_fixture->send("HEAD", url.mid(m_fixture->baseUrl().size())).status, 200);
        }
    }
    QVERIFY(withVideo >= 1);
    QVERIFY(withoutVideo >= 1);
}

void TstServerCommunity::emptyServiceAnswersSensibly()
{
    ServerFixture empty;
    empty.setSessionFollowsUserId(true);
    QVERIFY(empty.start(false));
    QCOMPARE(code(empty.post(QStringLiteral("signup"), {{QStringLiteral("email"), QStringLiteral("a@olva.local")},
                                                        {QStringLiteral("password"), QStringLiteral("p")},
                                                        {QStringLiteral("username"), QStringLiteral("A")}})),
             0);
    const ServerFixture::Fields first = {{QStringLiteral("user_id"), QStringLiteral("1")}};
    QCOMPARE(code(empty.post(QStringLiteral("specialOffer"), first)), 2);
    const QJsonObject offers = empty.post(QStringLiteral("specialOffers"), first);
    QCOMPARE(code(offers), 0);
    QVERIFY(offers.value(QStringLiteral("special_offers")).toArray().isEmpty());
    const QJsonObject about = empty.post(QStringLiteral("aboutUs"), {});
    QCOMPARE(code(about), 0);
    QVERIFY(about.value(QStringLiteral("about_list")).toArray().isEmpty());
    QVERIFY(empty.post(QStringLiteral("getFriends"), first).value(QStringLiteral("friend_lst")).toArray().isEmpty());
}

QTEST_MAIN(TstServerCommunity)
#include "tst_server_community.moc"
