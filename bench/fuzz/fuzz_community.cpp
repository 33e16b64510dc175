// Friends, special offers and About lists, and the friends check.
#include "community/communityreplies.h"
#include "community/friendscheck.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString reply = fuzzReply(data, size);
    const auto friends = CommunityReplies::parseFriends(reply);
    for (int mode : {0, 1})
        CommunityReplies::entriesInMode(friends.entries, mode);
    for (const FriendEntry& entry : friends.entries)
        CommunityReplies::displayName(entry);
    for (const SpecialOfferEntry& offer : CommunityReplies::parseSpecialOffers(reply).entries) {
        CommunityReplies::playableVideo(offer.url);
        CommunityReplies::pictureAddress(offer.image);
    }
    for (const AboutEntry& entry : CommunityReplies::parseAbout(reply).entries)
        CommunityReplies::pictureAddress(entry.photo);
    FriendsCheck::reminderCount(reply);
    FriendsCheck::isDue(reply.left(64), QDate(2026, 12, 7));
    return 0;
}
