#include "server/engine/endpoints.h"

#include "server/engine/apifields.h"
#include "server/demo/demomedia.h"
#include "server/account/members.h"
#include "server/account/passwordhash.h"

#include <QDate>
#include <QJsonArray>
#include <QSqlQuery>

#include <iterator>

// Friends and invitations, the friends-check day, special offers and the
// About page.
namespace CommunityEndpoints {

namespace {

// A `friends` row: someone the member invited; state "1" once they joined.
QJsonArray friendList(QSqlDatabase& db, qint64 userId, bool joinedOnly, bool* ok)
{
    QJsonArray list;
    QSqlQuery query(db);
    *ok = ApiFields::exec(query, QStringLiteral("SELECT first_name, last_name, phone, email, state FROM friends"
                                                " WHERE user_id = ? AND (? = 0 OR state = '1') ORDER BY id"),
                          {userId, joinedOnly ? 1 : 0});
    while (*ok && query.next()) {
        list.append(QJsonObject{{QStringLiteral("first_name"), query.value(0).toString()},
                                {QStringLiteral("last_name"), query.value(1).toString()},
                                {QStringLiteral("phone"), query.value(2).toString()},
                                {QStringLiteral("email"), query.value(3).toString()},
                                {QStringLiteral("state"), query.value(4).toString()}});
    }
    return list;
}

// The member named by `user_id`, or the failure reply to send instead.
std::optional<Members::Member> member(const ApiCall& call, ServerContext& context, QJsonObject* failure)
{
    const auto userId = call.integer(QStringLiteral("user_id"));
    if (!userId) {
        *failure = ApiFields::badField(QStringLiteral("user_id"));
        return std::nullopt;
    }
    auto found = Members::byId(context.db, *userId);
    if (!found)
        *failure = apiFailure(1, QStringLiteral("Unknown member"));
    return found;
}

QJsonObject friends(const ApiCall& call, ServerContext& context, bool joinedOnly)
{
    QJsonObject failure;
    const auto who = member(call, context, &failure);
    if (!who)
        return failure;
    bool ok = false;
    const QJsonArray list = friendList(context.db, who->id, joinedOnly, &ok);
    if (!ok)
        return ApiFields::storageError();
    return apiSuccess({{QStringLiteral("friend_lst"), list}});
}

QJsonObject getFriends(const ApiCall& call, ServerContext& context)
{
    return friends(call, context, false);
}

QJsonObject getRealFriends(const ApiCall& call, ServerContext& context)
{
    return friends(call, context, true);
}

QJsonObject setCheckingDay(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto who = member(call, context, &failure);
    if (!who)
        return failure;
    const QString next = Members::nextCheckDay();
    QSqlQuery query(context.db);
    if (!ApiFields::exec(query, QStringLiteral("UPDATE users SET check_day = ? WHERE id = ?"), {next, who->id}))
        return ApiFields::storageError();
    return apiSuccess({{QStringLiteral("checkDay"), next}});
}

QJsonObject aboutUs(const ApiCall&, ServerContext& context)
{
    QSqlQuery query(context.db);
    if (!ApiFields::exec(query, QStringLiteral("SELECT name, photo, phone, email, description FROM about_entries"
                                               " ORDER BY position, id")))
        return ApiFields::storageError();
    QJsonArray list;
    while (query.next()) {
        list.append(QJsonObject{{QStringLiteral("name"), query.value(0).toString()},
                                {QStringLiteral("photo"), context.fileUrl(query.value(1).toString())},
                                {QStringLiteral("phone"), query.value(2).toString()},
                                {QStringLiteral("email"), query.value(3).toString()},
                                {QStringLiteral("description"), query.value(4).toString()}});
    }
    return apiSuccess({{QStringLiteral("about_list"), list}});
}

// An empty stored path stays empty: an offer without a video has no URL.
QString optionalUrl(ServerContext& context, const QString& path)
{
    return path.isEmpty() ? QString() : context.fileUrl(path);
}

QJsonObject specialOffer(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    if (!member(call, context, &failure))
        return failure;
    QSqlQuery query(context.db);
    if (!ApiFields::exec(query, QStringLiteral("SELECT name, title, content, badge, image, video FROM special_offers"
                                               " WHERE featured = 1 ORDER BY position, id LIMIT 1")))
        return ApiFields::storageError();
    if (!query.next())
        return apiFailure(2, QStringLiteral("No special offer at the moment"));
    const QJsonObject offer{{QStringLiteral("name"), query.value(0).toString()},
                            {QStringLiteral("title"), query.value(1).toString()},
                            {QStringLiteral("content"), query.value(2).toString()},
                            {QStringLiteral("new"), optionalUrl(context, query.value(3).toString())},
                            {QStringLiteral("image"), optionalUrl(context, query.value(4).toString())},
                            {QStringLiteral("url"), optionalUrl(context, query.value(5).toString())}};
    return apiSuccess({{QStringLiteral("special_offer"), offer}});
}

QJsonObject specialOffers(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    if (!member(call, context, &failure))
        return failure;
    QSqlQuery query(context.db);
    if (!ApiFields::exec(query, QStringLiteral("SELECT title, image, content, description, video FROM special_offers"
                                               " ORDER BY position, id")))
        return ApiFields::storageError();
    QJsonArray list;
    while (query.next()) {
        list.append(QJsonObject{{QStringLiteral("title"), query.value(0).toString()},
                                {QStringLiteral("image"), optionalUrl(context, query.value(1).toString())},
                                {QStringLiteral("content"), query.value(2).toString()},
                                {QStringLiteral("description"), query.value(3).toString()},
                                {QStringLiteral("url"), optionalUrl(context, query.value(4).toString())}});
    }
    return apiSuccess({{QStringLiteral("special_offers"), list}});
}

// ---- demo data ----

struct DemoPerson
{
    const char* name;
    const char* phone;
    const char* email;
    const char* description;
};

const DemoPerson demoStaff[] = {
    {"Dr. Elena Varga", "+1 555 0140", "elena.varga@olva.local",
     "Physician and founder. Elena leads the telehealth team and reviews every member plan."},
    {"Marcus Bell", "+1 555 0141", "marcus.bell@olva.local",
     "Head fitness coach. Ten years of group training; hosts the live morning workouts."},
    {"Priya Raman", "+1 555 0142", "priya.raman@olva.local",
     "Registered dietitian. Builds the sample meals and answers nutrition questions within a day."},
    {"Jonah Whitfield", "+1 555 0143", "jonah.whitfield@olva.local",
     "Coaching lead. Checks in weekly with members and keeps the programs on track."},
    {"Sofia Almeida", "+1 555 0144", "sofia.almeida@olva.local",
     "Member support. Helps with accounts, devices and orders, weekdays 8 to 6."},
};

struct DemoFriend
{
    const char* first;
    const char* last;
    const char* phone;
    const char* email;
    const char* state;
};

const DemoFriend demoFriends[] = {
    {"Maya", "Lindqvist", "+1 555 0160", "maya.lindqvist@olva.local", "1"},
    {"Tomas", "Okafor", "+1 555 0161", "tomas.okafor@olva.local", "1"},
    {"Hana", "Kobayashi", "+1 555 0162", "hana.kobayashi@example.net", "1"},
    {"Luis", "Ferreira", "+1 555 0163", "luis.ferreira@example.net", "0"},
    {"Grace", "Mbeki", "+1 555 0164", "grace.mbeki@example.net", "0"},
};

struct DemoOffer
{
    const char* name;
    const char* title;
    const char* content;
    const char* description;
    bool video;
};

const DemoOffer demoOffers[] = {
    {"Spring Reset", "Spring Reset: 30-day program at 40% off",
     "Four weeks of guided workouts and meal plans.",
     "Daily 25-minute sessions for every level, with a coach check-in each week.", true},
    {"Coach Chat", "First coaching call free",
     "Book a one-to-one video call with a coach.",
     "Talk through your goals and leave with a plan for the next month.", false},
    {"Nutrition Pack", "Nutrition videos bundle",
     "Twelve short cooking and shopping videos.",
     "Learn to read labels, plan a week of meals and cook three staples in bulk.", true},
    {"Bring a Friend", "Invite a friend, both save 20%",
     "Workout friends keep each other going.",
     "When a friend you invited joins, you both get 20% off your next purchase.", false},
};

// Two more demo members, to see the friends reminder's two wordings and its
// absence: one without any friend, one with ten who joined and two invited.
struct DemoCircle
{
    const char* email;
    const char* username;
    int joined;
    int invited;
};

const DemoCircle demoCircles[] = {
    {"newcomer@olva.local", "New Member", 0, 0},
    {"popular@olva.local", "Popular Member", 10, 2},
};

const char* const demoFirstNames[] = {"Ava", "Ben", "Chloe", "Dev", "Emil", "Farah",
                                      "Gus", "Iris", "Jon", "Kira", "Leo", "Mina"};

bool addDemoCircles(QSqlQuery& query)
{
    for (const DemoCircle& circle : demoCircles) {
        const PasswordHash::Stored stored = PasswordHash::create(QStringLiteral("olva-demo-2026"));
        if (!ApiFields::exec(query, QStringLiteral("INSERT INTO users (email, username, password_hash, salt, approve,"
                                                   " check_day) VALUES (?, ?, ?, ?, '1', ?) RETURNING id"),
                             {QString::fromLatin1(circle.email), QString::fromLatin1(circle.username), stored.hash,
                              stored.salt, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))})
            || !query.next())
            return false;
        const qint64 userId = query.value(0).toLongLong();
        query.finish();
        for (int index = 0; index < circle.joined + circle.invited; ++index) {
            const QString first = QString::fromLatin1(demoFirstNames[index % std::size(demoFirstNames)]);
            const QString last = QStringLiteral("Demo%1").arg(index + 1);
            if (!ApiFields::exec(query, QStringLiteral("INSERT INTO friends (user_id, first_name, last_name, phone, email,"
                                                       " state) VALUES (?, ?, ?, ?, ?, ?)"),
                                 {userId, first, last, QStringLiteral("+1 555 02%1").arg(index, 2, 10, QLatin1Char('0')),
                                  QStringLiteral("%1.%2@example.net").arg(first.toLower(), last.toLower()),
                                  index < circle.joined ? QStringLiteral("1") : QStringLiteral("0")}))
                return false;
        }
    }
    return true;
}

bool addDemoRows(ServerContext& context)
{
    QSqlQuery query(context.db);
    if (!addDemoCircles(query))
        return false;
    int position = 0;
    for (const DemoPerson& person : demoStaff) {
        const QString photo = QStringLiteral("about/staff_%1.png").arg(position + 1);
        DemoMedia::drawPicture(context.filesDir, photo, QSize(400, 300), QString::fromUtf8(person.name),
                               DemoMedia::paletteColor(position));
        if (!ApiFields::exec(query, QStringLiteral("INSERT INTO about_entries (position, name, photo, phone, email,"
                                                   " description) VALUES (?, ?, ?, ?, ?, ?)"),
                             {position, QString::fromUtf8(person.name), photo, QString::fromUtf8(person.phone),
                              QString::fromUtf8(person.email), QString::fromUtf8(person.description)}))
            return false;
        ++position;
    }
    for (const DemoFriend& pal : demoFriends) {
        if (!ApiFields::exec(query, QStringLiteral("INSERT INTO friends (user_id, first_name, last_name, phone, email,"
                                                   " state) VALUES (1, ?, ?, ?, ?, ?)"),
                             {QString::fromUtf8(pal.first), QString::fromUtf8(pal.last), QString::fromUtf8(pal.phone),
                              QString::fromUtf8(pal.email), QString::fromUtf8(pal.state)}))
            return false;
    }
    const QString badge = QStringLiteral("offers/new_badge.png");
    DemoMedia::drawPicture(context.filesDir, badge, QSize(120, 60), QStringLiteral("NEW"), QColor(0xE1, 0x54, 0x40));
    position = 0;
    for (const DemoOffer& offer : demoOffers) {
        const QString image = QStringLiteral("offers/offer_%1.png").arg(position + 1);
        DemoMedia::drawPicture(context.filesDir, image, QSize(640, 360), QString::fromUtf8(offer.title),
                               DemoMedia::paletteColor(position + 3));
        QString video;
        if (offer.video) {
            const QString path = QStringLiteral("offers/offer_%1.mp4").arg(position + 1);
            if (DemoMedia::renderVideo(context.filesDir, path, 5, position))
                video = path; // without ffmpeg the offer simply has no video
        }
        if (!ApiFields::exec(query, QStringLiteral("INSERT INTO special_offers (position, featured, name, title, content,"
                                                   " description, badge, image, video)"
                                                   " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                             {position, position == 0 ? 1 : 0, QString::fromUtf8(offer.name),
                              QString::fromUtf8(offer.title), QString::fromUtf8(offer.content),
                              QString::fromUtf8(offer.description), badge, image, video}))
            return false;
        ++position;
    }
    return true;
}

} // namespace

void addDemoData(ServerContext& context)
{
    ApiFields::allOrNothing(context.db, [&context] { return addDemoRows(context); });
}

void registerAll(EndpointTable& table)
{
    table.add(QStringLiteral("getFriends"), getFriends);
    table.add(QStringLiteral("getRealFriends"), getRealFriends);
    table.add(QStringLiteral("setCheckingDay"), setCheckingDay);
    table.add(QStringLiteral("aboutUs"), aboutUs);
    table.add(QStringLiteral("specialOffer"), specialOffer);
    table.add(QStringLiteral("specialOffers"), specialOffers);
}

} // namespace CommunityEndpoints
