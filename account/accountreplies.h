#pragma once

#include <QJsonArray>
#include <QString>

#include <optional>

// Reading the replies of the account endpoints. A reply that is not a JSON
// object, or whose result_code is missing or not a whole number, is unreadable: the dialogs treat it
// as a failed request instead of letting it pass as result_code 0.
namespace AccountReplies {

// The result_code of a reply, or nothing when the reply is unreadable.
std::optional<int> resultCode(const QString& text);

// The reply to signin.
struct SignIn
{
    bool readable = false;
    int resultCode = 0;
    bool hasUserInfo = false; // user_info is an object
    QString approve; // user_info.approve; only "0" refuses the member
    QString userId;
    QString userName;
    QString checkDay;
    QJsonArray backgrounds;

    bool approved() const { return approve != QLatin1String("0"); }
};
SignIn parseSignIn(const QString& text);

// The replies to verifyDevice and forgot: a result and the mailed code.
struct Pincode
{
    bool readable = false;
    int resultCode = 0;
    QString pincode;
};
Pincode parsePincode(const QString& text);

// The result_code of the account endpoints when the service takes no more
// tries from this member or computer for a while.
inline constexpr int tooManyAttemptsCode = 5;

// What the member is told for such a reply: "Too many attempts. Try again
// in N minutes." with N from its retry_after (seconds); empty when the
// reply is not one.
QString tooManyAttemptsMessage(const QString& text);

} // namespace AccountReplies
