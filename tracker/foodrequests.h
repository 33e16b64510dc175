#pragma once

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

// A food of the member's own, as typed: the five amounts go out as integers
// ("0" when a text is empty or not an integer).
struct TypedFood
{
    QString title;
    QString cal;
    QString carbs;
    QString fat;
    QString protein;
    QString fiber;
};
QUrlQuery uploadFood(const QString& userId, qint32 categoryId, const TypedFood& food);

QUrlQuery removeFood(qint32 foodId);

// The server's id for an uploaded food (0 when the success names none);
// nothing when the reply is not JSON or refuses the food.
std::optional<qint32> uploadedFoodId(const QString& replyText);

} // namespace FoodRequests
