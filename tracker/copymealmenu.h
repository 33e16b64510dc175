#pragma once

#include "tracker/mealcopy.h"

#include <QDate>
#include <QMenu>

#include <functional>

// The "Copy a meal" menu of a tracker window: yesterday's same meal and
// today's other meals, each to replace the meal with or to add to it. It is
// filled afresh each time it opens (the day and the store may have moved
// on) and asks the window to copy; it writes nothing itself.
class CopyMealMenu final : public QMenu
{
    Q_OBJECT

public:
    // `categoryIds`: the categories the window's catalogue lists.
    CopyMealMenu(int meal, std::function<QList<qint32>()> categoryIds, QWidget* parent = nullptr);

    // The meal `meal` of today over `categoryIds`, or of the archived day
    // `date`, as a source.
    static MealCopy::Meal todaysMeal(int meal, const QList<qint32>& categoryIds);
    static MealCopy::Meal archivedMeal(const QDate& date, int meal);

signals:
    // `from` names the source in messages ("Yesterday's Breakfast").
    void copyChosen(const MealCopy::Meal& source, MealCopy::Mode mode, const QString& from);

private:
    void fill();
    void addSource(const QString& title, const MealCopy::Meal& source);

    int m_meal;
    std::function<QList<qint32>()> m_categoryIds;
};
