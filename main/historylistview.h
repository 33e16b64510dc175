#pragma once

#include <QListView>

// The list of tracked days: painted rows (see HistoryRowDelegate) instead of
// a widget per day. A click, Space, Enter or Return on a row chooses its day.
class HistoryListView final : public QListView
{
    Q_OBJECT

public:
    explicit HistoryListView(QWidget* parent = nullptr);

signals:
    void dayChosen(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
