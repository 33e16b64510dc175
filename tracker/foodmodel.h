#pragma once

#include <QList>
#include <QObject>
#include <QString>

// One food of the catalogue, per cup, together with the member's current
// choice of it in one tracker window (kind and otherCal). Each tracker window
// loads its own catalogue, so a choice never leaks into another meal.
class FoodItemModel final : public QObject
{
public:
    explicit FoodItemModel(QObject* parent = nullptr) : QObject(parent) {}

    qint32 id = 0;      // 0 for a member's food until the server names it
    QString title;
    float halfCal = 0;  // always cal * 0.5
    float cal = 0;      // calories of one cup
    float otherCal = 0; // calories of a typed amount, or of the stored choice
    qint32 kind = 0;    // quantity kind of the current choice (FoodQuantity)
    float carbs = 0;
    float fat = 0;
    float protein = 0;
    float fiber = 0;
    qint32 user_id = 0; // the member who added the food; 0 for the service's own
};

// A food category: its foods in server order. Owns its foods.
class FoodModel final : public QObject
{
public:
    explicit FoodModel(QObject* parent = nullptr) : QObject(parent) {}

    qint32 id = 0;
    QString title;
    QString recomended; // advice text shown under the food table
    QList<FoodItemModel*> items;
};
