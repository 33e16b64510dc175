#pragma once

#include <QLocale>
#include <QString>
#include <QUrlQuery>

#include <optional>

// The form fields of the tracker's three requests and the reading of the
// upload reply.
namespace FoodRequests {

// Indexes of the endpoints in Server's table.
inline constexpr int getFoodList = 7;
inline constexpr int uploadMyCalorie = 22;
inline constexpr int removeMyCalorie = 23;

QUrlQuery foodList(const QString& userId);

// A food of the member's own, as typed: the five amounts are read in the
// member's form (`locale`: "1.850", "12,5" in Spanish) and go out in the
// plain one ("1850", "12.5"); "0" when a text is empty or not a number.
struct TypedFood
{
    QString title;
    QString cal;
    QString carbs;
    QString fat;
    QString protein;
    QString fiber;
};
QUrlQuery uploadFood(const QString& userId, qint32 categoryId, const TypedFood& food,
                     const QLocale& locale = QLocale());

// What the service takes for a food of the member's own: a name that is not
// blank once trimmed, of at most maxTitleLength characters, and amounts from
// 0 to maxAmount calories or grams per cup.
inline constexpr int maxTitleLength = 200;
inline constexpr int maxAmount = 100000;

// The first thing the service would refuse in a typed food, as the message
// the member reads (naming the field and its limit), in the order of the
// form; empty when it may go. Empty nutrients are not a problem here (they
// go out as 0 once the member agrees to it).
QString typedFoodProblem(const TypedFood& food, const QLocale& locale = QLocale());

QUrlQuery removeFood(qint32 foodId);

// The server's id for an uploaded food (0 when the success names none);
// nothing when the reply is not JSON or refuses the food.
std::optional<qint32> uploadedFoodId(const QString& replyText);

} // namespace FoodRequests
