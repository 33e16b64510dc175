#include "app/servicemessages.h"

#include "app/jsonreply.h"

#include <QCoreApplication>
#include <QLocale>

namespace ServiceMessages {

namespace {

bool isAccountEndpoint(const QString& endpoint)
{
    for (const char* name : {"signin", "verifyDevice", "registerToken", "forgot", "setPassword"}) {
        if (endpoint == QLatin1String(name))
            return true;
    }
    return false;
}

bool isWeightEndpoint(const QString& endpoint)
{
    for (const char* name :
         {"setWeight", "removeWeight", "getWeights", "setWeightProfile", "getWeightProfile"}) {
        if (endpoint == QLatin1String(name))
            return true;
    }
    return false;
}

QString weightText(int code)
{
    switch (code) {
    case 1:
        return QCoreApplication::translate("ServiceMessages", "Non Exist Email");
    case 2:
        return QCoreApplication::translate("ServiceMessages",
                                           "A weight must be between 20 and 500 kg.");
    case 3:
        return QCoreApplication::translate("ServiceMessages",
                                           "A weight must be dated between 1900 and tomorrow.");
    case 4:
        //: %1 is the largest number of weighings a member can keep.
        return QCoreApplication::translate("ServiceMessages",
                                           "A member can keep at most %1 weights.")
            .arg(QLocale().toString(20000));
    case 5:
        return QCoreApplication::translate("ServiceMessages",
                                           "A goal must be between 20 and 500 kg.");
    case 6:
        return QCoreApplication::translate("ServiceMessages",
                                           "A height must be between 50 and 272 cm.");
    case 90:
        return QCoreApplication::translate("ServiceMessages",
                                           "OLVA could not read the change. Please type it again.");
    default:
        return {};
    }
}

QString accountText(const QString& endpoint, int code, const QJsonObject& reply)
{
    if (code == 5)
        return tooManyAttempts(reply);
    if (endpoint == QLatin1String("signin")) {
        if (code == 1)
            return QCoreApplication::translate("ServiceMessages", "Non Exist Email");
        if (code == 2)
            return QCoreApplication::translate("ServiceMessages", "Password incorrect");
    } else if (endpoint == QLatin1String("registerToken") && code == 3) {
        //: The 8-digit code mailed to register this computer.
        return QCoreApplication::translate("ServiceMessages", "Pincode incorrect.");
    } else if (endpoint == QLatin1String("forgot")) {
        return code == 1 ? QCoreApplication::translate("ServiceMessages", "Email doesn't exist.")
                         : QCoreApplication::translate("ServiceMessages", "Not send");
    } else if (endpoint == QLatin1String("setPassword")) {
        return QCoreApplication::translate("ServiceMessages", "Network issue.");
    }
    return {};
}

} // namespace

QString tooManyAttempts(const QJsonObject& reply)
{
    // Whole minutes, rounded up: "0 minutes" would invite a try that fails.
    const double seconds = JsonReply::number(reply, QStringLiteral("retry_after"));
    if (!(seconds > 0) || seconds > 7 * 24 * 3600)
        return QCoreApplication::translate("ServiceMessages",
                                           "Too many attempts. Please try again later.");
    const int minutes = qMax(1, int((seconds + 59) / 60));
    return QCoreApplication::translate(
        "ServiceMessages", "Too many attempts. Try again in %n minutes.", nullptr, minutes);
}

QString known(const QString& endpoint, int code, const QJsonObject& reply)
{
    if (code == 0)
        return {};
    if (isAccountEndpoint(endpoint))
        return accountText(endpoint, code, reply);
    if (isWeightEndpoint(endpoint))
        return weightText(code);
    if (endpoint == QLatin1String("signup"))
        return QCoreApplication::translate("ServiceMessages", "Net Error");
    return {};
}

QString of(const QString& endpoint, const QJsonObject& reply)
{
    const std::optional<int> code = JsonReply::resultCodeOf(reply);
    if (code) {
        const QString own = known(endpoint, *code, reply);
        if (!own.isEmpty())
            return own;
    }
    return JsonReply::text(reply, QStringLiteral("message"));
}

} // namespace ServiceMessages
