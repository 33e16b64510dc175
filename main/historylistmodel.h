#pragma once

#include "main/historymodel.h"

#include <QAbstractListModel>

// The rows of the history list: one per tracked day, in the order the
// server sent them. The records stay with the history window; the model only
// reads them, so 3,650 days cost no widgets and no copies.
class HistoryListModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    // The day's id, as the rows of run-time lists carry their ids.
    static constexpr int idRole = 10000;
    // "Exercise 172 kcal" for a day with exercise; empty otherwise.
    static constexpr int exerciseRole = 10001;

    explicit HistoryListModel(QObject* parent = nullptr);

    // `records` must outlive the next setRecords(); null empties the list.
    void setRecords(const HistoryRecords* records);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // Display text: the date ("March 05 2024"); accessible text: the date
    // and the day's exercise; idRole: the day's id.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const HistoryModel* record(int row) const;
    static QString exerciseText(const HistoryModel& day);

private:
    const HistoryRecords* m_records = nullptr;
};
