#include "main/historylistmodel.h"

#include <QLocale>

#include <limits>

HistoryListModel::HistoryListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void HistoryListModel::setRecords(const HistoryRecords* records)
{
    beginResetModel();
    m_records = records;
    endResetModel();
}

int HistoryListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_records)
        return 0;
    return int(qMin<size_t>(m_records->size(), size_t(std::numeric_limits<int>::max())));
}

const HistoryModel* HistoryListModel::record(int row) const
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    return (*m_records)[size_t(row)].get();
}

QVariant HistoryListModel::data(const QModelIndex& index, int role) const
{
    const HistoryModel* day = index.isValid() ? record(index.row()) : nullptr;
    if (!day)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        // Formatted when painted: only the visible rows pay for it.
        return day->dateText();
    case Qt::AccessibleTextRole: {
        const QString exercise = exerciseText(*day);
        return exercise.isEmpty() ? day->dateText()
                                  : tr("%1, %2").arg(day->dateText(), exercise);
    }
    case exerciseRole:
        return exerciseText(*day);
    case Qt::AccessibleDescriptionRole:
        return tr("Opens the day's details");
    case idRole:
        return day->id;
    default:
        return {};
    }
}

QString HistoryListModel::exerciseText(const HistoryModel& day)
{
    // A service without exercise sends none; a day without it shows none.
    const double burned = HistoryModel::figure(day.exercise);
    if (!(burned > 0))
        return QString();
    return tr("Exercise %1 kcal").arg(QLocale().toString(burned, 'f', 0));
}

Qt::ItemFlags HistoryListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
