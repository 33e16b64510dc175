#pragma once

#include "weight/weightchartview.h"
#include "weight/weightsummary.h"
#include "weight/weightunits.h"

#include <QWidget>

class DayFollower;
class QtMaterialSnackbar;
class ReplyDeadline;
class WeightListModel;
class WeightLog;

namespace Ui {
class CqWndWeight;
}

// The member's weight log: today's weighing (any day can be chosen), the
// weighings newest first with edit and delete, the goal and height, the
// summary of the trend and its chart, and CSV export and import. The main
// window keeps one for the run and refreshes it on every return; its today
// follows the clock (when it shows, before a save, and at midnight).
class CqWndWeight final : public QWidget
{
    Q_OBJECT

public:
    explicit CqWndWeight(QWidget* parent = nullptr);
    ~CqWndWeight() override;

    // Asks the service for the weights again (and sends what waits).
    void refresh();

    WeightLog* log() const { return m_log; }
    WeightChartView* chart() const { return m_chart; }
    const WeightSummary& summary() const { return m_summary; }
    WeightUnit unit() const { return m_unit; }

    // The CSV work behind the two buttons, without the file dialogs.
    bool exportTo(const QString& fileName);
    // The report shown to the member: what was taken and what skipped.
    QString importFrom(const QString& fileName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void on_btnHome_clicked();
    void on_btnBack_clicked();
    void on_btnSave_clicked();
    void on_btnEdit_clicked();
    void on_btnDelete_clicked();
    void on_btnSaveGoal_clicked();
    void on_btnExport_clicked();
    void on_btnImport_clicked();

private:
    void followDay(const QDate& today);
    void setUnit(WeightUnit unit);
    void showLog();
    void showSummary();
    void showProfile();
    void showPending();
    void updateButtons();
    void editRow(int row);
    void setBusy(bool busy);
    void finishWaiting();
    void fail(const QString& message);
    // A weight (or, with `goal`, a goal) typed in the member's unit; *ok is
    // false, and the member told, when it is not one.
    std::optional<double> typedWeight(const QString& text, bool goal, bool* ok);
    QString weightRangeText(bool goal) const;

    Ui::CqWndWeight* m_ui;
    WeightLog* m_log;
    WeightChartView* m_chart;
    WeightListModel* m_list;
    ReplyDeadline* m_deadline;
    DayFollower* m_day;
    QtMaterialSnackbar* m_successBar;
    WeightUnit m_unit;
    QDate m_shownToday; // the today the date field was last set to
    WeightTrend m_trend;
    WeightSummary m_summary;
    bool m_waiting = false;
    bool m_importedNothing = false; // the last import read nothing: its report warns
};
