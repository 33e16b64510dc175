#pragma once

#include <QFont>
#include <QStyledItemDelegate>

#include <QList>
#include <QString>

// What the tracker window and its panels share: looks and meal names.
namespace TrackerLook {

// Rows of the chosen-foods tables and of the quick list.
inline constexpr int rowHeight = 40;

QFont roboto(int pointSize, int weight = 500);

// "Breakfast", "First Snack": the meal as the planner names it.
QString mealName(int meal);
// "Breakfast", "Breakfast and Lunch", "Breakfast, Lunch and Dinner".
QString mealNames(const QList<int>& meals);

} // namespace TrackerLook

// A typed amount: whole calories of up to six digits and one optional
// fraction; no sign, no letters.
class OtherAmountDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};
