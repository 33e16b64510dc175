#pragma once

#include <QString>

// Reading the two replies start-up waits for. Plain functions so the rules can
// be checked without windows or a network.
namespace StartupReplies {

struct VersionCheck
{
    bool answered = false; // a JSON object with result_code 0 and a version
    QString version;
};

// The checkVersion reply. A reply that is not a JSON object, carries a
// non-zero result_code or names no version is no answer: offering an
// "update" to an unnamed version would download a file that does not exist.
VersionCheck readVersionCheck(const QString& text);

// Any difference to the running version counts, newer or older, spacing too.
bool isCurrentVersion(const QString& serverVersion);

enum class DetailsOutcome {
    SignedIn,    // show the main window
    Login,       // run the login dialog
    VerifyLogin, // run the login dialog in "verify" mode
    Failed,      // no answer: not a JSON object
    Unexpected   // answered, but with a code or content we cannot use
};

// The getMyDetails reply. On result_code 0 it fills currentUserName,
// currentUserId, currentCheckDay and backgroundTable from the reply. A reply
// that is not a JSON object is Failed; an unknown result_code, or
// result_code 0 without a user_info object, is Unexpected. Neither changes
// anything: signing in without a user id would leave every later request
// without its member.
DetailsOutcome readDetails(const QString& text);

} // namespace StartupReplies
