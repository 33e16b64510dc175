#pragma once

#include "weight/weighttrend.h"
#include "weight/weightunits.h"

#include <QAbstractTableModel>

// The weighings newest first, with the trend of each day, in the member's
// unit: the list of the weight window.
class WeightListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        DateColumn,
        WeightColumn,
        TrendColumn,
        ColumnCount
    };
    // The entry's date (QDate) and weight in kilograms (double), for any column.
    static constexpr int dateRole = Qt::UserRole + 1;
    static constexpr int kgRole = Qt::UserRole + 2;

    explicit WeightListModel(QObject* parent = nullptr);

    void setData(const WeightTrend& trend, WeightUnit unit);
    // The row of `date`; -1 when it has no weighing.
    int rowOf(const QDate& date) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const WeightTrend::Point& pointAt(int row) const;

    WeightTrend m_trend;
    WeightUnit m_unit = WeightUnit::Kilograms;
};
