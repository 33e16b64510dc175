#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>

// Reading the service lists' replies and the values of one entry. The list
// keeps each entry as the JSON object the server sent; every value is read as
// text, so a number where a string belongs reads as its digits.
namespace ServiceEntries {

struct ListReply
{
    // False when the reply is not a JSON object or its result_code is not 0.
    bool ok = false;
    // The entries in reply order, one per id: a later element with an id seen
    // before replaces the earlier one's object in its place. Elements that are
    // not objects are skipped.
    QList<QJsonObject> entries;
};

// The array is `service_list`, else `local_list`, else `checkout_list`.
ListReply parseList(const QString& replyText);

// A member of the entry as text; empty when it is missing.
QString field(const QJsonObject& entry, const QString& key);

// `id` as a base-10 integer; 0 when it does not parse or does not fit 32 bits.
int id(const QJsonObject& entry);
// The id of a card widget named "item_<id>": the text after the first "_".
QString idFromObjectName(const QString& objectName);

// "yes" in `status`.
bool isPurchased(const QJsonObject& entry);
// `appoint` as an integer; 0 when it is empty or not a number.
int appointments(const QJsonObject& entry);

// The price reads as 0 (single precision), an empty or unreadable one included.
bool isFree(const QString& priceText);

} // namespace ServiceEntries
