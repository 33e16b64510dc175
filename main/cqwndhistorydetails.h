#pragma once

#include <QMap>
#include <QWidget>

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
// built stays in the layout with its first rows and is reused (hidden and
// shown) for the window's life.
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
    QTableWidget* buildTable(const FoodModel& model);
    void applyColumnWidths(QTableWidget* table) const;
    void replyEnded();

    Ui::CqWndHistoryDetails* m_ui;
    HistoryModel* m_record;
    Server* m_server;
    ReplyDeadline* m_deadline;
    QList<Entry> m_entries;
    int m_pending = 0; // requests sent and not yet answered
    QMap<qint32, QPushButton*> m_groupButtons;
    QMap<QPushButton*, MyWidget*> m_groupHeaders;
    QMap<QPushButton*, QTableWidget*> m_groupTables;
};
