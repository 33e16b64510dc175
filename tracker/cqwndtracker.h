#pragma once

#include "tracker/daystore.h"
#include "tracker/mealcopy.h"

#include <QDate>
#include <QHash>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QWidget>

#include <memory>

class CategoryList;
class CopyMealMenu;
class FoodCatalogue;
class FoodItemModel;
class FoodTableModel;
class OwnFoodUpload;
class QAbstractButton;
class QLabel;
class QTableView;
class QTableWidget;
class QTimer;
class QtMaterialRaisedButton;
class QuickEntryPanel;
class Server;

namespace Ui {
class CqWndTracker;
}

// The window in which the member builds one meal of the day (0..5): it loads
// the food catalogue, lets the member open a category and mark half a cup,
// a cup or a typed amount of each food, saves the category into the meal,
// shows what the meal holds (one block per category, removable), and adds
// or deletes foods of the member's own. All storing and adding up goes
// through DayStore; this class renders and forwards. The category list, the
// quick entry (search, recent foods) and the "Copy a meal" menu are classes
// of their own that the window wires to the table and the store.
//
// The window follows the day: at midnight, and before any save, copy or
// removal, a day the date has moved past is closed and the window shows the
// new one; choices not saved and removals confirmed too late are told as
// left out, never written into the new day.
class CqWndTracker final : public QWidget
{
    Q_OBJECT

public:
    explicit CqWndTracker(int meal, QWidget* parent = nullptr);
    ~CqWndTracker() override;

    int meal() const { return m_meal; }
    const FoodCatalogue& catalogue() const { return *m_catalogue; }

    // How long the window waits for the catalogue before telling the member
    // it could not be loaded, and for an own food's upload before telling
    // that it failed (15 s; OLVA_TRACKER_TIMEOUT_MS overrides). An upload
    // answered later still counts.
    static int catalogueTimeoutMs();
    static void setCatalogueTimeoutMs(int milliseconds);

    // What the message bar says when the catalogue could not be loaded.
    static QString catalogueFailedMessage();
    // What it says when an upload told as failed went through after all.
    static QString addedAfterAllMessage(const QString& title);

    // Copies `source` (category id -> record) into the meal, replacing or
    // adding to what it holds, and saves it; `from` names the source in the
    // message ("Yesterday's Breakfast"). Categories the catalogue no longer
    // lists are left out; foods it no longer lists come along and show as
    // such. Choices not saved yet are saved with an added meal; replacing
    // the meal asks before it leaves them out.
    void copyMeal(const MealCopy::Meal& source, MealCopy::Mode mode, const QString& from);
    // Shows the meal's and the day's figures as stored (exercise logged
    // elsewhere changes the remaining calories with exercise).
    void showStoredFigures();

    // What the member is told when a new day leaves out the unsaved choices
    // of `meals`, a removal confirmed too late, or a copy chosen on the day
    // before; and the question before a copy replaces unsaved choices.
    static QString newDayUnsavedMessage(const QList<int>& meals);
    static QString newDayNothingRemovedMessage(const QString& what, int meal);
    static QString newDayNothingCopiedMessage(int meal);
    static QString replaceDropsUnsavedText(int meal, const QString& from);

signals:
    void hidden(bool hide);

protected:
    // Space/Enter mark a cell, Delete removes (the keyboard's way to the
    // clicks and right clicks); the search box and its list take arrows,
    // Enter, Shift+Enter and Escape.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    // Connected by the form.
    void on_btnAdd_clicked();
    void on_btnSave_clicked();
    void on_btnQuickSave_clicked();

    void slt_net_food(QString reply);
    void slt_net_uploadCalories(QString reply);
    void slt_net_removeCalories(QString reply);
    void slt_net_foodError(QString error);

private:
    // Connected in code to the widgets made at run time (the form has no
    // widgets of these names).
    void on_btnHome_clicked();
    void on_btnSample_clicked();
    void on_tblDetail_cellClicked(int row, int column);
    void on_tblDetail_cellChanged(int row, int column);
    void on_tblDetail_cellDoubleClicked(int row, int column);
    void on_btnSelected_clicked();
    void on_btnSelected_rightClicked();
    void on_tblSelectItem_cellDoubleClicked(int row, int column);

    void buildTitleRow();
    void buildHeader();
    void buildFoodTable();
    void buildQuickPanel();
    void openCategory(qint32 id);
    void fillFoodTable();
    void adjustTableHeight();
    void sizeRows(int first, int last);
    void refreshTotals();
    void buildBlock(qint32 category, const QList<FoodItemModel*>& foods);
    void restoreMeal();
    void showFigures(const DayStore::Totals& totals);
    void catalogueFailed();
    void foodNamed(OwnFoodUpload* upload, qint32 id, bool late);
    QList<OwnFoodUpload*> uploadsOf(qint32 category) const;
    void showMessage(const QString& text);
    QList<qint32> categoryIds() const;

    // Saves the categories with unsaved marks (and the open one when asked)
    // into the meal; false when there was nothing to save.
    bool saveChoices(bool withOpenCategory);
    // Asks before a removal from the meal; false when the member says no or
    // when the day it belonged to ended first (the member is told).
    bool confirmRemoval(const QString& what);

    // True when a new day had begun since the window last looked, and the
    // window now shows it (the finished day closed, unsaved choices told as
    // left out).
    bool followTheDay();
    void startNewDay(const QDate& today);
    void tellUnsavedLeftBehind();
    // The marks of a category: the open table's model, an unsaved one, or
    // one filled from the stored choices.
    FoodTableModel* choicesOf(qint32 category);
    void fillFromStore(FoodTableModel* model, qint32 category);
    void markUnsaved(qint32 category);
    void showUnsaved();
    // Models of categories that are neither open nor unsaved go: they are
    // filled again from the store when next needed.
    void dropStoredModels();
    DayStore::Totals saveCategoryFrom(qint32 category, FoodTableModel* model,
                                      QList<FoodItemModel*>* chosen);

    std::unique_ptr<Ui::CqWndTracker> m_ui;
    int m_meal;
    Server* m_server;
    FoodCatalogue* m_catalogue;
    FoodTableModel* m_model;
    QTableView* m_table;
    QTimer* m_catalogueTimer;
    QString m_headerCaption;
    qint32 m_openCategory = -1;
    bool m_catalogueArrived = false;
    QMap<QString, FoodItemModel*> m_chosen;
    QMap<qint32, QtMaterialRaisedButton*> m_blockButtons;
    QHash<QAbstractButton*, QTableWidget*> m_blockTables;
    CategoryList* m_categories = nullptr;
    QLabel* m_targetLabel = nullptr;
    QLabel* m_mealLabel = nullptr;
    // What m_mealLabel shows, as a number (the label is in the member's language).
    int m_mealCalories = 0;
    QLabel* m_remainingLabel = nullptr;
    QLabel* m_exerciseLabel = nullptr;
    QLabel* m_remainingWithExerciseLabel = nullptr;
    // Uploads still on their way, in the order they were sent; each names
    // the food it added even when another category is open by then.
    QList<QPointer<OwnFoodUpload>> m_uploads;

    QuickEntryPanel* m_quick = nullptr;
    CopyMealMenu* m_copyMenu = nullptr;
    // The day the window shows: the one the store held when it last looked.
    QDate m_day;
    // Each category's marks while the window is open: the open category's
    // table shows its own; the others keep what the search chose.
    QHash<qint32, FoodTableModel*> m_models;
    // Categories with marks changed since they were last saved.
    QSet<qint32> m_unsaved;
    bool m_focusedOnce = false;
};
