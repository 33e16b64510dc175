#include "community/communityreplies.h"
#include "community/friendscheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

QString friendsReply(const QJsonArray& list, const QJsonValue& code = 0)
{
    return QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("result_code"), code},
                                                       {QStringLiteral("friend_lst"), list}})
                                 .toJson(QJsonDocument::Compact));
}

QJsonObject person(const QString& first, const QJsonValue& state)
{
    QJsonObject entry{{QStringLiteral("first_name"), first},
                      {QStringLiteral("last_name"), QStringLiteral("Doe")},
                      {QStringLiteral("phone"), QStringLiteral("+1 555 0100")},
                      {QStringLiteral("email"), QString(first.toLower() + QStringLiteral("@example.net"))}};
    if (!state.isUndefined())
        entry.insert(QStringLiteral("state"), state);
    return entry;
}

QJsonArray people(int count, const QJsonValue& state)
{
    QJsonArray list;
    for (int index = 0; index < count; ++index)
        list.append(person(QStringLiteral("P%1").arg(index), state));
    return list;
}

} // namespace

// Reading the friends, offers and About replies, and the friends-check rules.
class TstCommunityReplies final : public QObject
{
    Q_OBJECT

private slots:
    void friends_data();
    void friends();
    void friendFieldsOfOtherTypes();
    void offers_data();
    void offers();
    void about_data();
    void about();
    void videoAddresses_data();
    void videoAddresses();
    void checkIsDue_data();
    void checkIsDue();
    void reminderCount_data();
    void reminderCount();
};

void TstCommunityReplies::friends_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("joined");
    QTest::addColumn<int>("invited");
    QTest::addColumn<int>("total");

    QJsonArray mixed = people(3, QStringLiteral("1"));
    for (const QJsonValue& invited : people(2, QStringLiteral("0")))
        mixed.append(invited);
    QTest::newRow("three joined, two invited") << friendsReply(mixed) << true << 3 << 2 << 5;
    QTest::newRow("code as text") << friendsReply(mixed, QStringLiteral("0")) << true << 3 << 2 << 5;
    QTest::newRow("empty list") << friendsReply({}) << true << 0 << 0 << 0;
    QTest::newRow("missing state is invited")
        << friendsReply(QJsonArray{person(QStringLiteral("A"), QJsonValue::Undefined)}) << true << 0 << 1 << 1;
    QTest::newRow("unreadable state is invited")
        << friendsReply(QJsonArray{person(QStringLiteral("A"), QStringLiteral("yes")),
                                   person(QStringLiteral("B"), QStringLiteral("1.0"))})
        << true << 0 << 2 << 2;
    QTest::newRow("numeric state") << friendsReply(QJsonArray{person(QStringLiteral("A"), 1)}) << true << 1 << 0 << 1;
    QTest::newRow("other states in neither list")
        << friendsReply(QJsonArray{person(QStringLiteral("A"), QStringLiteral("2")),
                                   person(QStringLiteral("B"), QStringLiteral("-1"))})
        << true << 0 << 0 << 2;
    QTest::newRow("elements that are no objects")
        << friendsReply(QJsonArray{1, QJsonValue::Null, QJsonArray{}, QStringLiteral("x"), person(QStringLiteral("A"), QStringLiteral("1"))})
        << true << 1 << 0 << 1;
    QTest::newRow("1000 friends") << friendsReply(people(1000, QStringLiteral("1"))) << true << 1000 << 0 << 1000;
    QTest::newRow("more than the rows shown")
        << friendsReply(people(CommunityReplies::maxRows + 500, QStringLiteral("0")))
        << true << 0 << CommunityReplies::maxRows << CommunityReplies::maxRows + 500;
    QTest::newRow("refused") << friendsReply(mixed, 1) << false << 0 << 0 << 0;
    QTest::newRow("refused as text") << friendsReply(mixed, QStringLiteral("5")) << false << 0 << 0 << 0;
    QTest::newRow("not JSON") << QStringLiteral("<html>502 Bad Gateway</html>") << false << 0 << 0 << 0;
    QTest::newRow("empty body") << QString() << false << 0 << 0 << 0;
    QTest::newRow("JSON array") << QStringLiteral("[1,2,3]") << false << 0 << 0 << 0;
    QTest::newRow("no array") << QStringLiteral(R"({"result_code":0})") << false << 0 << 0 << 0;
    QTest::newRow("array of wrong type") << QStringLiteral(R"({"result_code":0,"friend_lst":{"a":1}})") << false << 0 << 0 << 0;
    QTest::newRow("truncated") << friendsReply(mixed).left(40) << false << 0 << 0 << 0;
}

void TstCommunityReplies::friends()
{
    QFETCH(QString, reply);
    QFETCH(bool, readable);
    QFETCH(int, joined);
    QFETCH(int, invited);
    QFETCH(int, total);

    const auto list = CommunityReplies::parseFriends(reply);
    QCOMPARE(list.readable, readable);
    QCOMPARE(list.total, total);
    QVERIFY(list.entries.size() <= CommunityReplies::maxRows);
    QCOMPARE(CommunityReplies::entriesInMode(list.entries, 1).size(), joined);
    QCOMPARE(CommunityReplies::entriesInMode(list.entries, 0).size(), invited);
}

void TstCommunityReplies::friendFieldsOfOtherTypes()
{
    // Numbers where texts belong read as their text; nulls and objects as empty.
    const QString reply = QStringLiteral(
        R"({"result_code":0,"friend_lst":[{"first_name":42,"last_name":null,"phone":5550100,"email":{"a":1},"state":"1"}]})");
    const auto list = CommunityReplies::parseFriends(reply);
    QVERIFY(list.readable);
    QCOMPARE(list.entries.size(), 1);
    const FriendEntry& entry = list.entries.first();
    QCOMPARE(entry.firstName, QStringLiteral("42"));
    QCOMPARE(entry.lastName, QString());
    QCOMPARE(entry.phone, QStringLiteral("5550100"));
    QCOMPARE(entry.email, QString());
    QCOMPARE(CommunityReplies::displayName(entry), QStringLiteral("42 "));
}

void TstCommunityReplies::offers_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QStringList>("urls");

    QTest::newRow("with and without video")
        << QStringLiteral(R"({"result_code":0,"special_offers":[)"
                          R"({"title":"A","image":"http://h/a.png","content":"c","description":"d","url":"http://h/a.mp4"},)"
                          R"({"title":"B","url":""},{"title":"C"}]})")
        << true << QStringList{QStringLiteral("http://h/a.mp4"), QString(), QString()};
    QTest::newRow("number as url") << QStringLiteral(R"({"result_code":0,"special_offers":[{"url":7}]})") << true
                                   << QStringList{QStringLiteral("7")};
    QTest::newRow("empty") << QStringLiteral(R"({"result_code":0,"special_offers":[]})") << true << QStringList();
    QTest::newRow("refused") << QStringLiteral(R"({"result_code":2,"special_offers":[{"url":""}]})") << false
                             << QStringList();
    QTest::newRow("wrong key") << QStringLiteral(R"({"result_code":0,"special_offer":[{"url":""}]})") << false
                               << QStringList();
    QTest::newRow("not JSON") << QStringLiteral("Internal Server Error") << false << QStringList();
}

void TstCommunityReplies::offers()
{
    QFETCH(QString, reply);
    QFETCH(bool, readable);
    QFETCH(QStringList, urls);

    const auto list = CommunityReplies::parseSpecialOffers(reply);
    QCOMPARE(list.readable, readable);
    QStringList read;
    for (const SpecialOfferEntry& offer : list.entries)
        read.append(offer.url);
    QCOMPARE(read, urls);
}

void TstCommunityReplies::about_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QStringList>("names");

    const QString longName(5000, QLatin1Char('N'));
    QTest::newRow("two people")
        << QStringLiteral(R"({"result_code":0,"about_list":[{"name":"Ann","photo":"http://h/a.png","phone":"1",)"
                          R"("email":"a@h","description":"d"},{"name":"Bo"}]})")
        << true << QStringList{QStringLiteral("Ann"), QStringLiteral("Bo")};
    QTest::newRow("5000-character name")
        << QStringLiteral(R"({"result_code":0,"about_list":[{"name":"%1"}]})").arg(longName) << true
        << QStringList{longName};
    QTest::newRow("empty list") << QStringLiteral(R"({"result_code":0,"about_list":[]})") << true << QStringList();
    QTest::newRow("list is null") << QStringLiteral(R"({"result_code":0,"about_list":null})") << false << QStringList();
    QTest::newRow("refused") << QStringLiteral(R"({"result_code":"1","about_list":[{"name":"x"}]})") << false
                             << QStringList();
}

void TstCommunityReplies::about()
{
    QFETCH(QString, reply);
    QFETCH(bool, readable);
    QFETCH(QStringList, names);

    const auto list = CommunityReplies::parseAbout(reply);
    QCOMPARE(list.readable, readable);
    QStringList read;
    for (const AboutEntry& entry : list.entries)
        read.append(entry.name);
    QCOMPARE(read, names);
}

void TstCommunityReplies::videoAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("playable");

    QTest::newRow("http") << QStringLiteral("http://127.0.0.1:8618/uploadfiles/offers/offer_1.mp4") << true;
    QTest::newRow("https upper case") << QStringLiteral("HTTPS://cdn.example.net/v.mp4") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("local file") << QStringLiteral("file:///etc/passwd") << false;
    QTest::newRow("script") << QStringLiteral("javascript:alert(1)") << false;
    QTest::newRow("ftp") << QStringLiteral("ftp://example.net/v.mp4") << false;
    QTest::newRow("no host") << QStringLiteral("http://") << false;
    QTest::newRow("relative") << QStringLiteral("/uploadfiles/v.mp4") << false;
    QTest::newRow("number") << QStringLiteral("7") << false;
    QTest::newRow("spaces in host") << QStringLiteral("http://exa mple.net/v.mp4") << false;
}

void TstCommunityReplies::videoAddresses()
{
    QFETCH(QString, address);
    QFETCH(bool, playable);
    QCOMPARE(CommunityReplies::playableVideo(address).has_value(), playable);
    QCOMPARE(CommunityReplies::pictureAddress(address).has_value(), playable);
}

void TstCommunityReplies::checkIsDue_data()
{
    QTest::addColumn<QString>("checkDay");
    QTest::addColumn<bool>("due");

    QTest::newRow("yesterday") << QStringLiteral("2026-12-06") << true;
    QTest::newRow("today") << QStringLiteral("2026-12-07") << true;
    QTest::newRow("tomorrow") << QStringLiteral("2026-12-08") << false;
    QTest::newRow("a week ahead") << QStringLiteral("2026-12-14") << false;
    QTest::newRow("next year, earlier month") << QStringLiteral("2027-01-02") << false;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("unreadable") << QStringLiteral("next week") << true;
    QTest::newRow("impossible date") << QStringLiteral("2026-02-30") << true;
    QTest::newRow("other format") << QStringLiteral("08/12/2026") << true;
    QTest::newRow("surrounding spaces") << QStringLiteral(" 2026-12-08 ") << false;
}

void TstCommunityReplies::checkIsDue()
{
    QFETCH(QString, checkDay);
    QFETCH(bool, due);
    QCOMPARE(FriendsCheck::isDue(checkDay, QDate(2026, 12, 7)), due);
}

void TstCommunityReplies::reminderCount_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("count"); // -1: no reminder

    QTest::newRow("no friends") << friendsReply({}) << 0;
    QTest::newRow("one friend") << friendsReply(people(1, QStringLiteral("1"))) << 1;
    QTest::newRow("nine friends") << friendsReply(people(9, QStringLiteral("1"))) << 9;
    QTest::newRow("ten friends") << friendsReply(people(10, QStringLiteral("1"))) << -1;
    QTest::newRow("1000 friends") << friendsReply(people(1000, QStringLiteral("1"))) << -1;
    QTest::newRow("refused") << friendsReply({}, 1) << -1;
    QTest::newRow("not JSON") << QStringLiteral("<html></html>") << -1;
    QTest::newRow("empty body") << QString() << -1;
    QTest::newRow("no list") << QStringLiteral(R"({"result_code":0})") << -1;
    QTest::newRow("list of wrong type") << QStringLiteral(R"({"result_code":0,"friend_lst":"none"})") << -1;
}

void TstCommunityReplies::reminderCount()
{
    QFETCH(QString, reply);
    QFETCH(int, count);
    const std::optional<int> read = FriendsCheck::reminderCount(reply);
    QCOMPARE(read.value_or(-1), count);
}

QTEST_GUILESS_MAIN(TstCommunityReplies)
#include "tst_communityreplies.moc"
