#pragma once

#include "exercise/activity.h"

#include <QAbstractListModel>
#include <QList>

// The activities a search found, for the exercise window's list: rows are
// indexes into a list of activities the window owns.
class ActivityListModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // `activities` must outlive the model or the next setRows().
    void setRows(const QList<Activity>* activities, const QList<int>& rows);
    const Activity* activityAt(int row) const;
    int rowOfCode(const QString& code) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const QList<Activity>* m_activities = nullptr;
    QList<int> m_rows;
};
