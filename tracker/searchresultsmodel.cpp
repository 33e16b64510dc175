#include "tracker/searchresultsmodel.h"

#include "tracker/foodmodel.h"
#include "tracker/foodnumbers.h"
#include "tracker/foodtablemodel.h"
#include "tracker/meals.h"

SearchResultsModel::SearchResultsModel(ChoicesOf choicesOf, QObject* parent)
    : QAbstractTableModel(parent), m_choicesOf(std::move(choicesOf))
{
}

void SearchResultsModel::setRows(const QList<Row>& rows, bool recent)
{
    beginResetModel();
    m_rows = rows;
    m_recent = recent;
    endResetModel();
}

const SearchResultsModel::Row* SearchResultsModel::row(int index) const
{
    return index >= 0 && index < m_rows.size() ? &m_rows.at(index) : nullptr;
}

int SearchResultsModel::tableRow(int index) const
{
    const Row* shown = row(index);
    FoodTableModel* table = shown ? m_choicesOf(shown->category) : nullptr;
    return table ? int(table->foods().indexOf(shown->food)) : -1;
}

void SearchResultsModel::categoryChanged(qint32 category)
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).category == category)
            emit dataChanged(index(i, HalfCup), index(i, LastTime));
    }
}

QString SearchResultsModel::amountText(int kind, float calories)
{
    if (kind == FoodQuantity::halfCup)
        return tr("\u00BD cup");
    if (kind == FoodQuantity::cup)
        return tr("1 cup");
    //: A typed amount of calories: "72.5 cal"
    return tr("%1 cal").arg(FoodNumbers::shownCalories(calories));
}

QModelIndex SearchResultsModel::tableIndex(const QModelIndex& index) const
{
    if (index.column() < HalfCup || index.column() > Other)
        return {};
    const Row* shown = row(index.row());
    FoodTableModel* table = shown ? m_choicesOf(shown->category) : nullptr;
    const int at = tableRow(index.row());
    if (!table || at < 0)
        return {};
    return table->index(at, index.column() - HalfCup + FoodTableModel::HalfCup);
}

int SearchResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SearchResultsModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_recent ? ColumnCount : LastTime;
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const
{
    const Row* shown = row(index.row());
    if (!index.isValid() || !shown)
        return {};
    switch (index.column()) {
    case Name:
    case Category:
        if (role == Qt::DisplayRole)
            return index.column() == Name ? shown->food->title : shown->categoryTitle;
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    case LastTime: {
        const QString amount = amountText(shown->lastKind, shown->lastCalories);
        if (role == Qt::DisplayRole)
            return amount;
        if (role == Qt::AccessibleTextRole)
            return tr("Add as last time: %1").arg(amount);
        if (role == Qt::ToolTipRole)
            return tr("Choose it as last time");
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return {};
    }
    default: {
        const QModelIndex cell = tableIndex(index);
        if (!cell.isValid())
            return {};
        // A check mark as well as the colour: the mark must not rest on a
        // shade alone, least of all under the current row's veil.
        if (role == Qt::DisplayRole && cell.data(FoodTableModel::markRole).toBool())
            return QString(QStringLiteral("\u2713 ") + cell.data(role).toString());
        return cell.data(role);
    }
    }
}

bool SearchResultsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (index.column() != Other || role != Qt::EditRole)
        return false;
    const QModelIndex cell = tableIndex(index);
    if (!cell.isValid())
        return false;
    // The category's table tells the window (otherEdited), which marks it.
    return const_cast<QAbstractItemModel*>(cell.model())->setData(cell, value, role);
}

Qt::ItemFlags SearchResultsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Other)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant SearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Name:
        return tr("Food");
    case Category:
        return tr("Category");
    case HalfCup:
        //: Column heading: calories of half a cup
        return tr("\u00BD cup cal");
    case Cup:
        //: Column heading: calories of one cup
        return tr("1 cup cal");
    case Other:
        //: Column heading: calories of an amount the member types
        return tr("Other cal");
    case LastTime:
        //: Column heading: the amount chosen the last time this food was eaten
        return tr("Last time");
    default:
        return {};
    }
}
