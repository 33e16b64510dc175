#include "store/cartreply.h"

#include "app/jsonreply.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace CartReply {

std::optional<int> resultCode(const QJsonObject& reply)
{
    return JsonReply::resultCodeOf(reply);
}

Outcome outcome(const QString& reply)
{
    const auto code = resultCode(JsonReply::parseObject(reply));
    if (!code)
        return Outcome::Unreadable;
    return *code == 0 ? Outcome::Added : Outcome::Refused;
}

qint64 paymentTime(const QString& reply)
{
    const QString text = JsonReply::text(JsonReply::parseObject(reply), QStringLiteral("payment_time")).trimmed();
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,15}$"));
    return digits.match(text).hasMatch() ? text.toLongLong() : 0;
}

QString unreadableText()
{
    return QCoreApplication::translate("CartReply", "The store sent an answer that could not be read. Please try again.");
}

QString unreachableText()
{
    return QCoreApplication::translate("CartReply", "The store could not be reached. Please try again.");
}

} // namespace CartReply
