#pragma once

#include "exercise/activity.h"
#include "exercise/activitysearch.h"
#include "weight/weightentry.h"

#include <QDate>
#include <QList>
#include <QWidget>

#include <optional>

class ActivityListModel;
class MemberBodyWeight;

namespace Ui {
class CqWndExercise;
}

// The member's exercise of today, or of an earlier day still in the archive
// (which then goes to the service again): find an activity (built-in or
// the member's own), give its minutes and log it; edit or delete what is
// logged; choose how much of it counts against the day. Burned calories
// use the weight log's trend, or the body weight the member gives once.
class CqWndExercise final : public QWidget
{
    Q_OBJECT

public:
    explicit CqWndExercise(QWidget* parent = nullptr);
    ~CqWndExercise() override;

    // The weight log's entries: their trend becomes the body weight and is
    // remembered for the next run. The window follows the member's log by
    // itself; tests hand it entries.
    void setWeightEntries(const QList<WeightEntry>& entries);
    // Reads the days, the chosen day and the member's activities again;
    // a new day since the last look shows the new today.
    void refresh();

    // The day shown and logged for; false when it is not a day that can be
    // chosen (today or an archived day).
    QDate day() const { return m_day; }
    bool chooseDay(const QDate& day);

    ActivityListModel* activities() const { return m_model; }

private slots:
    void on_btnLog_clicked();
    void on_btnCancelEdit_clicked();
    void on_btnEdit_clicked();
    void on_btnDelete_clicked();
    void on_btnAddOwn_clicked();
    void on_btnBack_clicked();
    void on_btnHome_clicked();

private:
    void rebuildCatalogue();
    void search(const QString& query);
    void fillDays();
    void showDay();
    void showBurned();
    void updateButtons();
    void stopEditing();
    const Activity* chosenActivity() const;
    std::optional<double> typedBodyKg() const;
    void tell(const QString& message);

    Ui::CqWndExercise* m_ui;
    ActivityListModel* m_model;
    ActivitySearch m_search;
    QList<Activity> m_all; // the member's own, then the built-in list
    MemberBodyWeight* m_bodyWeight;
    QDate m_today; // the today of the last look
    QDate m_day;   // the day shown: today or an archived day
    int m_editing = -1; // the entry being changed; -1 while logging a new one
    bool m_weightFromTrend = false;
};
