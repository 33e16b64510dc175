#pragma once

#include <QAbstractTableModel>
#include <QList>

#include <functional>

class FoodItemModel;
class FoodTableModel;

// The tracker's quick list: the foods a search found, or the meal's recent
// foods. Each row shows a food, its category and the same half cup, cup and
// "other" cells as its category's table; the marks live in that category's
// FoodTableModel (given by `choicesOf`), so a choice made here is the very
// choice the category's table shows and saves. Recent rows add a cell with
// the amount chosen last time.
class SearchResultsModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Name,
        Category,
        HalfCup,
        Cup,
        Other,
        LastTime,
        ColumnCount
    };

    struct Row
    {
        FoodItemModel* food = nullptr;
        qint32 category = 0;
        QString categoryTitle;
        int lastKind = -1; // recent foods: the kind chosen last time
        float lastCalories = 0;
    };

    using ChoicesOf = std::function<FoodTableModel*(qint32 category)>;

    explicit SearchResultsModel(ChoicesOf choicesOf, QObject* parent = nullptr);

    // `recent`: the rows are recent foods and show the last-time cell.
    void setRows(const QList<Row>& rows, bool recent);
    const Row* row(int index) const;
    bool showsRecent() const { return m_recent; }
    // The row of `row`'s food in its category's table; -1 when it has left.
    int tableRow(int row) const;
    // A category's marks changed: its rows are shown again.
    void categoryChanged(qint32 category);

    // "½ cup", "1 cup" or "120 cal".
    static QString amountText(int kind, float calories);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // The category table's cell behind a quantity cell of the list.
    QModelIndex tableIndex(const QModelIndex& index) const;

    ChoicesOf m_choicesOf;
    QList<Row> m_rows;
    bool m_recent = false;
};
