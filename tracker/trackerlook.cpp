#include "tracker/trackerlook.h"

#include "tracker/legibility.h"
#include "tracker/meals.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpressionValidator>

namespace TrackerLook {

QFont roboto(int pointSize, int weight)
{
    QFont font(QStringLiteral("Roboto"), pointSize);
    font.setWeight(QFont::Weight(weight));
    return font;
}

QString mealName(int meal)
{
    return Meals::name(meal);
}

QString mealNames(const QList<int>& meals)
{
    QStringList names;
    for (int meal : meals) {
        const QString name = mealName(meal);
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    return QLocale().createSeparatedList(names);
}

} // namespace TrackerLook

QWidget* OtherAmountDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        // The member's decimal mark, and the point besides.
        const QString marks = QRegularExpression::escape(QStringLiteral(".") + QLocale().decimalPoint());
        const QRegularExpression pattern(QStringLiteral("\\d{0,6}([%1]\\d{0,2})?").arg(marks));
        line->setValidator(new QRegularExpressionValidator(pattern, line));
        line->setAlignment(Qt::AlignCenter);
        line->setAccessibleName(QCoreApplication::translate("TrackerLook", "Other calories"));
        // Dark on the light field, not the table's white.
        Legibility::darkFieldText(line);
    }
    return editor;
}
