#pragma once

#include "tracker/foodnumbers.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <array>

class FoodItemModel;

// The food table of the tracker: one row per food of the open category, the
// name and the three quantity cells (half cup, cup, a typed "other" amount).
// A quantity cell carries its mark under markRole; the name cell carries the
// food's user_id there. The marking rules live here so the window only
// forwards clicks and typing.
class FoodTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int markRole = 10000;
    enum Column { Name = 0, HalfCup = 1, Cup = 2, Other = 3, ColumnCount = 4 };

    explicit FoodTableModel(QObject* parent = nullptr);

    // Shows `foods` unmarked; `titleWidth` is where long titles get breaks.
    void setFoods(const QList<FoodItemModel*>& foods, const QString& headerCaption, int titleWidth);
    void appendFood(FoodItemModel* food);
    void removeFood(int row);
    void clear();

    FoodItemModel* food(int row) const;
    const QList<FoodItemModel*>& foods() const { return m_foods; }
    // Lines of the row's title after the breaks (at least 1).
    int titleLines(int row) const;
    // The row's title with its breaks.
    QString title(int row) const;

    bool isMarked(int row, int column) const;
    QString otherText(int row) const;
    // Set by the window (restoring a choice); sends no otherEdited().
    void setOtherText(int row, const QString& text);

    // A click on a cell: half cup and cup exclude each other, a click on an
    // empty "other" cell only unmarks it, any click unmarks "other" first
    // and then toggles the clicked cell. Column 0 does nothing.
    void click(int row, int column);
    // The member typed into the "other" cell: text marks it (and unmarks
    // the cups), empty text unmarks it.
    void applyTypedAmount(int row);
    // Unmarks every cell of the rows showing `foodId` (all rows when -1).
    void unmarkFood(qint32 foodId);

    // The first marked quantity of a row, as a FoodQuantity kind; -1 when none.
    int chosenKind(int row) const;

    struct Totals
    {
        float calories = 0;
        Nutrients nutrients;
    };
    // Calories and nutrients of every marked row.
    Totals totals() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // The member changed the text of a row's "other" cell.
    void otherEdited(int row);

private:
    struct Row
    {
        QString title;
        int lines = 1;
        std::array<bool, 3> marks{}; // half cup, cup, other
        QString other;
    };

    Row makeRow(const FoodItemModel* food) const;
    void setMark(int row, int column, bool marked);

    QList<FoodItemModel*> m_foods;
    QList<Row> m_rows;
    QString m_caption;
    int m_titleWidth = 70;
};
