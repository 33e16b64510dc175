#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

// A small catalogue for the tracker's window tests. Per cup:
//   category 1 "Fruits": 31 Banana 150 cal (carbs 20, fat 4, protein 8,
//     fibre 2); 40 Mango 145 cal (10, 1, 2, 0.6); 77 "My shake" 100 cal,
//     a food of member 9 (5, 5, 5, 5)
//   category 11 "Grains": 50 Oats 300 cal (54, 6, 10, 8)
//   category 5 "Dairy": 60 Milk 0 cal (12, 8, 8, 0)
namespace TrackerTestData {

inline QJsonObject food(int id, const QString& title, double cal, double carbs, double fat, double protein,
                        double fiber, int userId = 0)
{
    auto text = [](double value) { return QString::number(value, 'g', 12); };
    return {{QStringLiteral("id"), QString::number(id)},
            {QStringLiteral("user_id"), QString::number(userId)},
            {QStringLiteral("title"), title},
            {QStringLiteral("cal"), text(cal)},
            {QStringLiteral("carbs"), text(carbs)},
            {QStringLiteral("fat"), text(fat)},
            {QStringLiteral("protein"), text(protein)},
            {QStringLiteral("fiber"), text(fiber)}};
}

inline QJsonObject category(int id, const QString& title, const QJsonArray& foods)
{
    return {{QStringLiteral("id"), QString::number(id)},
            {QStringLiteral("title"), title},
            {QStringLiteral("recomended"), QString(QStringLiteral("Advice on ") + title)},
            {QStringLiteral("calorie_list"), foods}};
}

inline QByteArray catalogue()
{
    const QJsonArray list{
        category(1, QStringLiteral("Fruits"),
                 {food(31, QStringLiteral("Banana"), 150, 20, 4, 8, 2),
                  food(40, QStringLiteral("Mango"), 145, 10, 1, 2, 0.6),
                  food(77, QStringLiteral("My shake"), 100, 5, 5, 5, 5, 9)}),
        category(11, QStringLiteral("Grains"), {food(50, QStringLiteral("Oats"), 300, 54, 6, 10, 8)}),
        category(5, QStringLiteral("Dairy"), {food(60, QStringLiteral("Milk"), 0, 12, 8, 8, 0)}),
    };
    return QJsonDocument(QJsonObject{{QStringLiteral("result_code"), 0}, {QStringLiteral("food_list"), list}})
        .toJson(QJsonDocument::Compact);
}

} // namespace TrackerTestData
