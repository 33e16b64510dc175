#include "community/communityreplies.h"

#include "app/jsonreply.h"
#include "app/weburl.h"


namespace CommunityReplies {

namespace {

// Reads every object of the array into an entry; other elements (numbers,
// nulls, nested arrays) are no entries and are skipped.
template<typename Entry, typename Read>
List<Entry> readList(const QString& text, const QString& key, Read read)
{
    List<Entry> result;
    const std::optional<QJsonArray> array = JsonReply::listOf(text, key);
    if (!array)
        return result;
    result.readable = true;
    for (const QJsonValue& element : *array) {
        if (!element.isObject())
            continue;
        ++result.total;
        if (result.entries.size() < maxRows)
            result.entries.append(read(element.toObject()));
    }
    return result;
}

QString field(const QJsonObject& object, const char* key)
{
    return JsonReply::text(object, QString::fromLatin1(key));
}

std::optional<QUrl> webAddress(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QUrl url(text, QUrl::StrictMode);
    if (!WebUrl::isWebAddress(url))
        return std::nullopt;
    return url;
}

} // namespace

List<FriendEntry> parseFriends(const QString& text)
{
    return readList<FriendEntry>(text, QStringLiteral("friend_lst"), [](const QJsonObject& object) {
        FriendEntry entry;
        entry.firstName = field(object, "first_name");
        entry.lastName = field(object, "last_name");
        entry.phone = field(object, "phone");
        entry.email = field(object, "email");
        // A state that does not read as a number (or is missing) counts as
        // invited.
        entry.state = JsonReply::integer(object, QStringLiteral("state"));
        return entry;
    });
}

List<SpecialOfferEntry> parseSpecialOffers(const QString& text)
{
    return readList<SpecialOfferEntry>(text, QStringLiteral("special_offers"), [](const QJsonObject& object) {
        SpecialOfferEntry entry;
        entry.title = field(object, "title");
        entry.image = field(object, "image");
        entry.content = field(object, "content");
        entry.description = field(object, "description");
        entry.url = field(object, "url");
        return entry;
    });
}

List<AboutEntry> parseAbout(const QString& text)
{
    return readList<AboutEntry>(text, QStringLiteral("about_list"), [](const QJsonObject& object) {
        AboutEntry entry;
        entry.name = field(object, "name");
        entry.photo = field(object, "photo");
        entry.phone = field(object, "phone");
        entry.email = field(object, "email");
        entry.description = field(object, "description");
        return entry;
    });
}

QList<FriendEntry> entriesInMode(const QList<FriendEntry>& entries, int mode)
{
    QList<FriendEntry> shown;
    for (const FriendEntry& entry : entries) {
        if (entry.state == mode)
            shown.append(entry);
    }
    return shown;
}

QString displayName(const FriendEntry& entry)
{
    return entry.firstName + QLatin1Char(' ') + entry.lastName;
}

std::optional<QUrl> playableVideo(const QString& url)
{
    return webAddress(url);
}

std::optional<QUrl> pictureAddress(const QString& url)
{
    return webAddress(url);
}

} // namespace CommunityReplies
