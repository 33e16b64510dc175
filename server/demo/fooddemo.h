#pragma once

#include <QList>
#include <QString>

// The demo food catalogue: categories of foods with calories and nutrients
// per cup, generated from a table of base foods and ways of preparing them.
namespace FoodDemo {

struct Food
{
    QString title;
    double cal = 0;
    double carbs = 0;
    double fat = 0;
    double protein = 0;
    double fiber = 0;
};

struct Category
{
    QString title;
    QString recomended; // the advice shown under the category's foods
    QList<Food> foods;
};

QList<Category> catalogue();

// Sample meals for the six meals of a day (0 breakfast ... 5 third snack).
QList<QStringList> sampleMeals();

} // namespace FoodDemo
