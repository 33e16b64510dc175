#include "tracker/copymealmenu.h"

#include "tracker/dayarchive.h"
#include "tracker/dayclock.h"
#include "tracker/meals.h"
#include "tracker/trackerlook.h"

#include <optional>

CopyMealMenu::CopyMealMenu(int meal, std::function<QList<qint32>()> categoryIds, QWidget* parent)
    : QMenu(parent)
    , m_meal(meal)
    , m_categoryIds(std::move(categoryIds))
{
    setObjectName(QStringLiteral("menuCopy"));
    setAccessibleName(tr("Copy a meal"));
    connect(this, &QMenu::aboutToShow, this, &CopyMealMenu::fill);
}

void CopyMealMenu::fill()
{
    clear();
    //: A meal of the day before: "Yesterday's Breakfast"
    addSource(tr("Yesterday's %1").arg(TrackerLook::mealName(m_meal)),
              archivedMeal(DayClock::today().addDays(-1), m_meal));
    addSeparator();
    const QList<qint32> ids = m_categoryIds();
    for (int meal = 0; meal < Meals::count; ++meal) {
        if (meal != m_meal)
            //: Another meal of today: "Today's Lunch"
            addSource(tr("Today's %1").arg(TrackerLook::mealName(meal)), todaysMeal(meal, ids));
    }
}

void CopyMealMenu::addSource(const QString& title, const MealCopy::Meal& source)
{
    QMenu* menu = addMenu(title);
    menu->setObjectName(QStringLiteral("menuCopy_%1").arg(actions().size()));
    if (source.isEmpty()) {
        menu->menuAction()->setText(tr("%1 (no food)").arg(title));
        menu->menuAction()->setEnabled(false);
        return;
    }
    menu->addAction(tr("Replace this meal with it"), this,
                    [this, source, title] { emit copyChosen(source, MealCopy::Mode::Replace, title); });
    menu->addAction(tr("Add it to this meal"), this,
                    [this, source, title] { emit copyChosen(source, MealCopy::Mode::Add, title); });
}

MealCopy::Meal CopyMealMenu::todaysMeal(int meal, const QList<qint32>& categoryIds)
{
    MealCopy::Meal copied;
    for (qint32 id : categoryIds) {
        MealCopy::Category category;
        category.entries = DayStore::entries(meal, id);
        if (category.entries.isEmpty())
            continue;
        DayStore::categoryNutrients(meal, id, &category.nutrients);
        copied.insert(id, category);
    }
    return copied;
}

MealCopy::Meal CopyMealMenu::archivedMeal(const QDate& date, int meal)
{
    MealCopy::Meal copied;
    const std::optional<ArchivedDay> day = DayArchive::day(date);
    if (!day)
        return copied;
    for (qint32 id : day->categories(meal))
        copied.insert(id, {day->entries(meal, id), day->categoryNutrients(meal, id)});
    return copied;
}
