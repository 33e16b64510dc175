#include "tracker/foodtablemodel.h"

#include "tracker/foodmodel.h"
#include "tracker/meals.h"

#include <QColor>

namespace {

const QColor markedColour(QStringLiteral("#505067"));

bool isQuantity(int column)
{
    return column >= FoodTableModel::HalfCup && column <= FoodTableModel::Other;
}

} // namespace

FoodTableModel::FoodTableModel(QObject* parent) : QAbstractTableModel(parent) {}

FoodTableModel::Row FoodTableModel::makeRow(const FoodItemModel* food) const
{
    Row row;
    row.title = FoodNumbers::titleWithBreaks(food->title, m_titleWidth);
    row.lines = int(row.title.count(QLatin1Char('\n'))) + 1;
    return row;
}

void FoodTableModel::setFoods(const QList<FoodItemModel*>& foods, const QString& headerCaption, int titleWidth)
{
    beginResetModel();
    m_caption = headerCaption;
    m_titleWidth = titleWidth;
    m_foods = foods;
    m_rows.clear();
    m_rows.reserve(foods.size());
    for (const FoodItemModel* food : foods)
        m_rows.append(makeRow(food));
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void FoodTableModel::appendFood(FoodItemModel* food)
{
    const int row = int(m_foods.size());
    beginInsertRows({}, row, row);
    m_foods.append(food);
    m_rows.append(makeRow(food));
    endInsertRows();
}

void FoodTableModel::removeFood(int row)
{
    if (row < 0 || row >= m_foods.size())
        return;
    beginRemoveRows({}, row, row);
    m_foods.removeAt(row);
    m_rows.removeAt(row);
    endRemoveRows();
}

void FoodTableModel::clear()
{
    setFoods({}, m_caption, m_titleWidth);
}

FoodItemModel* FoodTableModel::food(int row) const
{
    return m_foods.value(row);
}

int FoodTableModel::titleLines(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).lines : 1;
}

QString FoodTableModel::title(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).title : QString();
}

bool FoodTableModel::isMarked(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || !isQuantity(column))
        return false;
    return m_rows.at(row).marks[size_t(column - 1)];
}

QString FoodTableModel::otherText(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).other : QString();
}

void FoodTableModel::setOtherText(int row, const QString& text)
{
    if (row < 0 || row >= m_rows.size())
        return;
    m_rows[row].other = text;
    const QModelIndex cell = index(row, Other);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
}

void FoodTableModel::setMark(int row, int column, bool marked)
{
    bool& mark = m_rows[row].marks[size_t(column - 1)];
    if (mark == marked)
        return;
    mark = marked;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {markRole, Qt::BackgroundRole});
}

void FoodTableModel::click(int row, int column)
{
    if (row < 0 || row >= m_rows.size() || !isQuantity(column))
        return;
    setMark(row, Other, false);
    if (column == HalfCup) {
        setMark(row, Cup, false);
    } else if (column == Cup) {
        setMark(row, HalfCup, false);
    } else {
        if (m_rows.at(row).other.isEmpty())
            return;
        setMark(row, HalfCup, false);
        setMark(row, Cup, false);
    }
    setMark(row, column, !isMarked(row, column));
}

void FoodTableModel::applyTypedAmount(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    if (!m_rows.at(row).other.isEmpty()) {
        setMark(row, Cup, false);
        setMark(row, HalfCup, false);
        setMark(row, Other, true);
    } else {
        setMark(row, Other, false);
    }
}

void FoodTableModel::unmarkFood(qint32 foodId)
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (foodId != -1 && m_foods.at(row)->id != foodId)
            continue;
        for (int column = HalfCup; column <= Other; ++column)
            setMark(row, column, false);
    }
}

int FoodTableModel::chosenKind(int row) const
{
    if (isMarked(row, HalfCup))
        return FoodQuantity::halfCup;
    if (isMarked(row, Cup))
        return FoodQuantity::cup;
    if (isMarked(row, Other))
        return FoodQuantity::other;
    return -1;
}

FoodTableModel::Totals FoodTableModel::totals() const
{
    Totals totals;
    for (int row = 0; row < m_rows.size(); ++row) {
        const int kind = chosenKind(row);
        if (kind < 0)
            continue;
        const FoodItemModel& item = *m_foods.at(row);
        const float typed = kind == FoodQuantity::other ? FoodNumbers::readTypedFloat(m_rows.at(row).other) : 0.0f;
        totals.calories += FoodNumbers::calorieShare(item, kind, typed);
        totals.nutrients += FoodNumbers::nutrientShare(item, kind, typed);
    }
    return totals;
}

int FoodTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FoodTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FoodTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const int row = index.row();
    const int column = index.column();
    const FoodItemModel& item = *m_foods.at(row);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (column) {
        case Name:
            return m_rows.at(row).title;
        case HalfCup:
            return FoodNumbers::shownFixed(item.halfCal, 1);
        case Cup:
            return FoodNumbers::shownFixed(item.cal, 1);
        default:
            return m_rows.at(row).other;
        }
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::ToolTipRole:
        if (column == HalfCup)
            return FoodNumbers::tooltip(item, 0.5f);
        if (column == Cup)
            return FoodNumbers::tooltip(item, 1.0f);
        return {};
    case Qt::BackgroundRole:
        if (isQuantity(column))
            return isMarked(row, column) ? markedColour : QColor(Qt::transparent);
        return {};
    case Qt::AccessibleTextRole:
        if (isQuantity(column) && isMarked(row, column))
            //: Read out for a marked amount of a food: "72.5 (chosen)"
            return tr("%1 (chosen)").arg(data(index, Qt::DisplayRole).toString());
        return {};
    case markRole:
        if (column == Name)
            return item.user_id;
        return isMarked(row, column);
    default:
        return {};
    }
}

bool FoodTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != Other || role != Qt::EditRole || index.row() >= m_rows.size())
        return false;
    const QString text = value.toString();
    if (text == m_rows.at(index.row()).other)
        return true;
    m_rows[index.row()].other = text;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit otherEdited(index.row());
    return true;
}

Qt::ItemFlags FoodTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (index.column() == Other)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant FoodTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Name:
        return m_caption;
    case HalfCup:
        //: Column heading on three short lines: the calories of half a cup
        return tr("QTY\n1/2cup\nCal");
    case Cup:
        //: Column heading on three short lines: the calories of one cup
        return tr("QTY\n1cup\nCal");
    case Other:
        //: Column heading on three short lines: calories of an amount the member types
        return tr("QTY\nOther\nCal");
    default:
        return {};
    }
}
