#include "exercise/activitylistmodel.h"

#include <QLocale>

void ActivityListModel::setRows(const QList<Activity>* activities, const QList<int>& rows)
{
    beginResetModel();
    m_activities = activities;
    m_rows = rows;
    endResetModel();
}

const Activity* ActivityListModel::activityAt(int row) const
{
    if (!m_activities || row < 0 || row >= m_rows.size())
        return nullptr;
    const int index = m_rows.at(row);
    return index >= 0 && index < m_activities->size() ? &m_activities->at(index) : nullptr;
}

int ActivityListModel::rowOfCode(const QString& code) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (activityAt(row)->code == code)
            return row;
    }
    return -1;
}

int ActivityListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant ActivityListModel::data(const QModelIndex& index, int role) const
{
    const Activity* activity = activityAt(index.row());
    if (!activity || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole &&
                      role != Qt::ToolTipRole))
        return {};
    const QLocale locale;
    if (activity->isOwn())
        return tr("%1 (your own, %2 calories an hour)")
            .arg(activity->name, locale.toString(qRound(activity->ownKcalPerHour)));
    return tr("%1 (MET %2)").arg(activity->name, locale.toString(activity->met, 'f', 1));
}
