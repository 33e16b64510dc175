#pragma once

#include "main/historymodel.h"

#include <QMap>
#include <QModelIndex>
#include <QWidget>

class HistoryChartView;
class HistoryListModel;
class QtMaterialSnackbar;
class ReplyDeadline;
class Server;

namespace Ui {
class CqWndHistory;
}

// The member's tracked days, one clickable row per day in the order the
// server sends them (a painted list: thousands of days cost no widgets),
// under a trend chart of calories and score. The list is
// asked for at construction, and again on a return to the window while the
// last attempt failed; the main window keeps this window for the rest of the
// run. It owns the day records that the details window borrows.
class CqWndHistory final : public QWidget
{
    Q_OBJECT

public:
    explicit CqWndHistory(QWidget* parent = nullptr);
    ~CqWndHistory() override;

    const HistoryRecords& records() const { return m_records; }
    // The record the rows of day `id` open (the later of two with the same
    // id); null when unknown.
    HistoryModel* record(qint32 id) const { return m_recordsById.value(id); }

    // The member is back at the window: a list that could not be loaded is
    // asked for again. A loaded list stays as it is.
    void retryIfFailed();

private slots:
    void on_btnHome_clicked();
    void on_btnBack_clicked();
    void on_btnExport_clicked();
    void slt_net_historylist(QString reply);
    void slt_net_error(QString message);

private:
    // Opens the day of the chosen row (clicked, or Space/Enter on it).
    void on_history_clicked(const QModelIndex& row);
    void requestList();
    void finishWaiting();
    void reportFailure();
    bool exportTo(const QString& fileName);

    Ui::CqWndHistory* m_ui;
    Server* m_server = nullptr;
    ReplyDeadline* m_deadline;
    // Tells what went right (an export) in a colour of its own: the main
    // window's bar is the colour of failures.
    QtMaterialSnackbar* m_successBar;
    HistoryChartView* m_chart;
    HistoryListModel* m_list;
    HistoryRecords m_records;
    QMap<qint32, HistoryModel*> m_recordsById;
    bool m_requestOut = false;
    bool m_failed = false;
};
