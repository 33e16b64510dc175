#pragma once

#include "tracker/foodsearch.h"
#include "tracker/searchresultsmodel.h"

#include <QObject>

class FoodCatalogue;
class QBoxLayout;
class QLabel;
class QLineEdit;
class QScrollArea;
class QTableView;

// The tracker's quick entry: the search box, the list under it (the foods
// found in every category, or the meal's recent foods while the box is
// empty) and the status line that says what the list holds. A choice made
// in the list is a mark in its category's table (see SearchResultsModel);
// the window hears of it through choiceMade and keeps track of what is
// unsaved.
class QuickEntryPanel final : public QObject
{
    Q_OBJECT

public:
    // The form's widgets the panel works in; the list goes into `layout`
    // under the box and the status line.
    struct Widgets
    {
        QLineEdit* search = nullptr;
        QLabel* status = nullptr;
        QBoxLayout* layout = nullptr;
        QScrollArea* scrollArea = nullptr;
    };

    QuickEntryPanel(int meal, const FoodCatalogue* catalogue, SearchResultsModel::ChoicesOf choicesOf,
                    const Widgets& widgets, QObject* parent = nullptr);

    // The catalogue's foods changed (loaded, a food added or deleted).
    void catalogueChanged();
    // The meal's foods on earlier days, read again from the archive.
    void loadRecent();
    // Shows the list again for what the box holds.
    void refresh();
    // A category's marks changed: its rows show them.
    void categoryChanged(qint32 category);

signals:
    // A mark of `category` changed through the list.
    void choiceMade(qint32 category);

protected:
    // Arrows, Enter (half a cup), Shift+Enter (a cup), Space and Escape in
    // the box and the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runSearch();
    void fitResults();
    void pick(int row, int column);
    void move(int step);
    void clear();

    int m_meal;
    const FoodCatalogue* m_catalogue;
    SearchResultsModel::ChoicesOf m_choicesOf;
    Widgets m_widgets;
    FoodSearch m_search;
    SearchResultsModel* m_results;
    QTableView* m_view;
    QList<SearchResultsModel::Row> m_recentRows;
};
