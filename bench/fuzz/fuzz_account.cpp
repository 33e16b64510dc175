// Start-up and account replies: checkVersion, getMyDetails, signin,
// verifyDevice/forgot and the bare result code.
#include "account/accountreplies.h"
#include "app/accountstate.h"
#include "app/jsonreply.h"
#include "app/startupreplies.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString reply = fuzzReply(data, size);
    const StartupReplies::VersionCheck version = StartupReplies::readVersionCheck(reply);
    StartupReplies::isCurrentVersion(version.version);
    StartupReplies::readDetails(reply);
    AccountState::reset();
    backgroundTable.clear();

    const AccountReplies::SignIn signIn = AccountReplies::parseSignIn(reply);
    AccountState::fillBackgrounds(signIn.backgrounds);
    backgroundTable.clear();
    AccountReplies::parsePincode(reply);
    AccountReplies::resultCode(reply);

    const QJsonObject object = JsonReply::parseObject(reply);
    for (auto it = object.begin(); it != object.end(); ++it) {
        JsonReply::text(it.value());
        JsonReply::integer(it.value());
        JsonReply::number(it.value());
    }
    return 0;
}
