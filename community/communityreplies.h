#pragma once

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

// One person of the member's friends or invitation list.
struct FriendEntry
{
    QString firstName;
    QString lastName;
    QString phone;
    QString email;
    int state = 0; // 1 joined and a friend, 0 invited and not joined yet
};

// One special offer; `url` is its promotional video, often empty.
struct SpecialOfferEntry
{
    QString title;
    QString image;
    QString content;
    QString description;
    QString url;
};

// One coach or staff member of the About page.
struct AboutEntry
{
    QString name;
    QString photo;
    QString phone;
    QString email;
    QString description;
};

// Reading the replies of the friends, offers and About endpoints. A reply is
// readable when it is a JSON object with result_code 0 and the list under its
// key is an array; anything else leaves the list empty and `readable` false,
// so the dialog can tell the member the list could not be loaded.
namespace CommunityReplies {

// No dialog builds more rows than this from one reply: a hostile or broken
// server must not be able to make the client build widgets without end.
inline constexpr int maxRows = 1000;

template<typename Entry>
struct List
{
    bool readable = false;
    QList<Entry> entries; // at most maxRows, in reply order
    qsizetype total = 0;  // entries in the reply, including those beyond maxRows

    // `sentence` ("Showing the first %1 of %2 people.") with the entries
    // shown and listed, when the reply listed more than is shown; else empty.
    QString cutShortNote(const QString& sentence) const
    {
        return total > entries.size() ? sentence.arg(entries.size()).arg(total) : QString();
    }
};

List<FriendEntry> parseFriends(const QString& text);
List<SpecialOfferEntry> parseSpecialOffers(const QString& text);
List<AboutEntry> parseAbout(const QString& text);

// The entries of the friends list (mode 1) or the invitation list (mode 0).
QList<FriendEntry> entriesInMode(const QList<FriendEntry>& entries, int mode);

// The "first last" name line of a friend.
QString displayName(const FriendEntry& entry);

// The address an offer's video plays from: http or https only; nothing for
// an empty or any other address (a local file, a script).
std::optional<QUrl> playableVideo(const QString& url);

// The address a remote picture is fetched from, under the same rule.
std::optional<QUrl> pictureAddress(const QString& url);

} // namespace CommunityReplies
