#pragma once

#include "main/historydetailsreply.h"

#include <QMap>
#include <QWidget>

#include <utility>

class FoodModel;
class HistoryModel;
class MyWidget;
class QLabel;
class QPushButton;
class QTableWidget;
class ReplyDeadline;
class Server;

namespace Ui {
class CqWndHistoryDetails;
}

// One past day of the history: its date, summary and per-meal figures, and
// for a meal the member picks, the foods eaten by food type, each type a
// button that folds its table of calories and nutrients out. A food type once
// built for a meal stays in the layout with its first rows and is reused
// (hidden and shown) when that meal is picked again; another meal with the
// same food type gets a group of its own. Only the reply to the latest pick
// is shown.
class CqWndHistoryDetails final : public QWidget
{
    Q_OBJECT

public:
    // `record` belongs to the history list, which outlives this window.
    explicit CqWndHistoryDetails(HistoryModel* record, QWidget* parent = nullptr);
    ~CqWndHistoryDetails() override;

    // Column widths of a group's table for a window `width` pixels wide:
    // the food name, then cal, carbs, fat and protein (the last column stretches).
    static QList<int> columnWidths(int width);

protected:
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void on_btnBack_clicked();
    void on_btnHome_clicked();
    void on_btnCategory_clicked();
    void on_widgetCategoryBreak_clicked();
    void on_widgetCategoryFirst_clicked();
    void on_widgetCategoryLunch_clicked();
    void on_widgetCategorySecond_clicked();
    void on_widgetCategoryDinner_clicked();
    void on_widgetCategoryThird_clicked();
    void slt_net_historydetails(QString reply);
    void slt_net_error(QString message);

private:
    struct Entry
    {
        QLabel* name;
        QLabel* check;
        QString mealType;
        QString buttonText;
    };

    void showSummary();
    void foldPicker();
    void resetPicker();
    void pickMeal(int entry);
    void hideAllGroups();
    void showGroup(const FoodModel& model);
    void showExercise(const QList<HistoryDetailsReply::ExerciseDone>& done);
    QTableWidget* buildTable(const FoodModel& model);
    void applyColumnWidths(QTableWidget* table) const;
    void connectServer();
    void reportFailure();

    Ui::CqWndHistoryDetails* m_ui;
    HistoryModel* m_record;
    // Carries the latest request only: a pick made while a reply is out
    // replaces it, so the earlier reply never shows under the later meal.
    Server* m_server;
    ReplyDeadline* m_deadline;
    QList<Entry> m_entries;
    QString m_meal; // meal_type of the latest request
    bool m_requestOut = false;
    bool m_failureShown = false; // for the latest request
    // Group buttons by meal_type and food-type id.
    QMap<std::pair<QString, qint32>, QPushButton*> m_groupButtons;
    QMap<QPushButton*, MyWidget*> m_groupHeaders;
    QMap<QPushButton*, QTableWidget*> m_groupTables;
    QLabel* m_exercise = nullptr;
};
