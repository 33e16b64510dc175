#include "weight/weightlistmodel.h"

#include "app/localeformats.h"

WeightListModel::WeightListModel(QObject* parent) : QAbstractTableModel(parent) {}

void WeightListModel::setData(const WeightTrend& trend, WeightUnit unit)
{
    beginResetModel();
    m_trend = trend;
    m_unit = unit;
    endResetModel();
}

const WeightTrend::Point& WeightListModel::pointAt(int row) const
{
    // Newest first.
    return m_trend.points().at(m_trend.points().size() - 1 - row);
}

int WeightListModel::rowOf(const QDate& date) const
{
    const QList<WeightTrend::Point>& points = m_trend.points();
    for (qsizetype i = points.size() - 1; i >= 0; --i) {
        if (points.at(i).date == date)
            return int(points.size() - 1 - i);
    }
    return -1;
}

int WeightListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_trend.points().size());
}

int WeightListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant WeightListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const WeightTrend::Point& point = pointAt(index.row());
    switch (role) {
    case dateRole:
        return point.date;
    case kgRole:
        return point.weightKg;
    case Qt::TextAlignmentRole:
        return index.column() == DateColumn ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                            : int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        switch (index.column()) {
        case DateColumn:
            return LocaleFormats::day(point.date);
        case WeightColumn:
            return WeightUnits::text(point.weightKg, m_unit);
        case TrendColumn:
            return WeightUnits::text(point.trendKg, m_unit);
        default:
            break;
        }
        break;
    default:
        break;
    }
    return {};
}

QVariant WeightListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case DateColumn:
        return tr("Date");
    case WeightColumn:
        return tr("Weight");
    case TrendColumn:
        //: The smoothed weight, beside the weighed one.
        return tr("Trend");
    default:
        break;
    }
    return {};
}
