#include "tracker/quickentrypanel.h"

#include "tracker/dayarchive.h"
#include "tracker/dayclock.h"
#include "tracker/daystore.h"
#include "tracker/foodcatalogue.h"
#include "tracker/foodmodel.h"
#include "tracker/foodnumbers.h"
#include "tracker/foodtablemodel.h"
#include "tracker/legibility.h"
#include "tracker/meals.h"
#include "tracker/recentfoods.h"
#include "tracker/trackerlook.h"

#include "app/accountstate.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

// The list shows this many rows before it scrolls (fewer on a small screen,
// so that the box and the list fit on it together).
int rowsShown()
{
    return isSmallScreen ? 6 : 8;
}

} // namespace

QuickEntryPanel::QuickEntryPanel(int meal, const FoodCatalogue* catalogue,
                                 SearchResultsModel::ChoicesOf choicesOf, const Widgets& widgets,
                                 QObject* parent)
    : QObject(parent)
    , m_meal(meal)
    , m_catalogue(catalogue)
    , m_choicesOf(std::move(choicesOf))
    , m_widgets(widgets)
    , m_results(new SearchResultsModel(m_choicesOf, this))
    , m_view(new QTableView(widgets.layout->parentWidget()))
{
    QLineEdit* search = m_widgets.search;
    Legibility::darkFieldText(search);
    search->setMaxLength(100);
    // The box's own clear button is a tool button of its own for a screen reader.
    for (QToolButton* clearButton : search->findChildren<QToolButton*>())
        clearButton->setAccessibleName(tr("Clear search"));
    search->installEventFilter(this);
    connect(search, &QLineEdit::textChanged, this, &QuickEntryPanel::runSearch);

    m_view->setObjectName(QStringLiteral("tblSearch"));
    m_view->setAccessibleName(tr("Search results"));
    m_view->setModel(m_results);
    m_view->setItemDelegateForColumn(SearchResultsModel::Other, new OtherAmountDelegate(m_view));
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                            | QAbstractItemView::EditKeyPressed);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(TrackerLook::rowHeight);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_view->horizontalHeader()->setSectionResizeMode(SearchResultsModel::Name, QHeaderView::Stretch);
    m_view->setWordWrap(false);
    m_view->setFont(TrackerLook::roboto(isSmallScreen ? 12 : 14));
    // The current row shows through a light veil, so a marked cell under it
    // still shows its mark.
    m_view->setStyleSheet(QStringLiteral(
        "QTableView { selection-background-color: rgba(255,255,255,40); selection-color: white; }"));
    m_view->installEventFilter(this);
    m_view->hide();
    connect(m_view, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() >= SearchResultsModel::HalfCup)
            pick(index.row(), index.column());
    });
    m_widgets.layout->insertWidget(2, m_view);
    // As tall as its text: the panel gives no spare height to its lines.
    m_widgets.status->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    runSearch();
}

void QuickEntryPanel::catalogueChanged()
{
    m_search.rebuild(m_catalogue->categories());
    runSearch();
}

void QuickEntryPanel::refresh()
{
    runSearch();
}

void QuickEntryPanel::categoryChanged(qint32 category)
{
    m_results->categoryChanged(category);
}

void QuickEntryPanel::runSearch()
{
    const QString text = m_widgets.search->text();
    //: Keys of the search list, named as the member's keyboard prints them
    const QString keys = tr("\u2191\u2193 move, Enter chooses half a cup, Shift+Enter a cup, "
                            "Ctrl+S saves, Esc clears.");
    QString status;
    if (FoodSearch::words(text).isEmpty()) {
        m_results->setRows(m_recentRows, true);
        m_view->setAccessibleName(tr("Recent foods"));
        status = m_recentRows.isEmpty()
            ? tr("Type part of a food's name to find it in every category.")
            //: %1 is the meal ("breakfast"), %2 the keys of the list
            : tr("Recently at %1; \u201CLast time\u201D adds the same amount. %2")
                  .arg(TrackerLook::mealName(m_meal).toLower(), keys);
    } else {
        QList<FoodSearch::Hit> hits = m_search.find(text, FoodSearch::defaultLimit + 1);
        const bool more = hits.size() > FoodSearch::defaultLimit;
        if (more)
            hits.resize(FoodSearch::defaultLimit);
        QList<SearchResultsModel::Row> rows;
        rows.reserve(hits.size());
        for (const FoodSearch::Hit& hit : std::as_const(hits)) {
            const FoodModel* category = m_catalogue->category(hit.category);
            rows.append({hit.food, hit.category, category ? category->title : QString()});
        }
        m_results->setRows(rows, false);
        m_view->setAccessibleName(tr("Search results"));
        if (hits.isEmpty())
            status = tr("No food matches \u201C%1\u201D.").arg(text.trimmed());
        else if (more)
            //: %1 is the keys of the list
            status = tr("The first %n foods found. %1", nullptr, int(hits.size())).arg(keys);
        else
            //: %1 is the keys of the list
            status = tr("%n foods found. %1", nullptr, int(hits.size())).arg(keys);
    }
    m_widgets.status->setText(status);
    m_widgets.status->setAccessibleName(status);
    if (m_results->rowCount() > 0)
        m_view->setCurrentIndex(m_results->index(0, SearchResultsModel::Name));
    fitResults();
}

void QuickEntryPanel::fitResults()
{
    const int rows = m_results->rowCount();
    m_view->setVisible(rows > 0);
    if (rows == 0)
        return;
    QHeaderView* header = m_view->horizontalHeader();
    const QFontMetrics metrics(m_view->font());
    for (int column = SearchResultsModel::Category; column < m_results->columnCount(); ++column) {
        int width = metrics.horizontalAdvance(m_results->headerData(column, Qt::Horizontal).toString()) + 40;
        if (column == SearchResultsModel::Category || column == SearchResultsModel::LastTime) {
            for (int row = 0; row < rows; ++row)
                width = std::max(width, metrics.horizontalAdvance(
                                            m_results->index(row, column).data().toString()) + 32);
        }
        header->resizeSection(column, std::min(width, 320));
    }
    const int shown = std::min(rows, rowsShown());
    m_view->setFixedHeight(header->sizeHint().height() + shown * TrackerLook::rowHeight + 2);
    // What was found is in sight, under the box, once the panel is laid out.
    if (!m_widgets.search->text().isEmpty() && m_widgets.scrollArea) {
        QTimer::singleShot(0, this, [this] {
            if (!m_view->isVisible())
                return;
            // The list's new height first reaches the scroll area's range.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            // Its whole height (ensureWidgetVisible would settle for the
            // current row).
            const QPoint bottom =
                m_view->mapTo(m_widgets.scrollArea->widget(), QPoint(0, m_view->height()));
            m_widgets.scrollArea->ensureVisible(bottom.x(), bottom.y(), 0, 8);
        });
    }
}

void QuickEntryPanel::loadRecent()
{
    // Earlier days only: a day the clock has not reached yet is not "before".
    const QDate today = DayClock::today();
    QList<RecentFoods::DayMeal> days;
    for (const ArchivedDay& day : DayArchive::latest(DayArchive::keptDays)) {
        if (day.date >= today)
            continue;
        RecentFoods::DayMeal meal;
        for (qint32 category : day.categories(m_meal))
            meal.insert(category, day.entries(m_meal, category));
        days.append(meal);
    }
    QHash<QString, FoodItemModel*> listed;
    for (auto it = m_catalogue->categories().cbegin(); it != m_catalogue->categories().cend(); ++it) {
        for (FoodItemModel* food : it.value()->items)
            listed.insert(DayStore::chosenKey(it.key(), food->id), food);
    }
    const QList<RecentFoods::Food> recent = RecentFoods::collect(
        days, [&listed](qint32 category, qint32 foodId) {
            return listed.contains(DayStore::chosenKey(category, foodId));
        });
    m_recentRows.clear();
    for (const RecentFoods::Food& food : recent) {
        const FoodModel* category = m_catalogue->category(food.category);
        m_recentRows.append({listed.value(DayStore::chosenKey(food.category, food.foodId)), food.category,
                             category->title, food.kind, food.calories});
    }
}

void QuickEntryPanel::pick(int row, int column)
{
    const SearchResultsModel::Row* shown = m_results->row(row);
    const int at = m_results->tableRow(row);
    if (!shown || at < 0)
        return;
    const qint32 categoryId = shown->category;
    // What the row shows comes from the category's table, so it is there.
    FoodTableModel* model = m_choicesOf(categoryId);
    if (!model)
        return;
    if (column == SearchResultsModel::LastTime) {
        // The same amount as last time, whatever is marked now.
        if (shown->lastKind == FoodQuantity::other) {
            model->setOtherText(at, FoodNumbers::shownTyped(shown->lastCalories));
            model->applyTypedAmount(at);
        } else if (!model->isMarked(at, shown->lastKind + FoodTableModel::HalfCup)) {
            model->click(at, shown->lastKind + FoodTableModel::HalfCup);
        }
    } else if (column >= SearchResultsModel::HalfCup && column <= SearchResultsModel::Other) {
        // Exactly a click on the food's cell in its category's table.
        model->click(at, column - SearchResultsModel::HalfCup + FoodTableModel::HalfCup);
    } else {
        return;
    }
    emit choiceMade(categoryId);

    const FoodItemModel* food = model->food(at);
    const int kind = model->chosenKind(at);
    const QString said = kind < 0
        ? tr("%1: not chosen.").arg(food->title)
        //: %1 is the food, %2 the amount ("\u00BD cup", "72.5 cal")
        : tr("%1: %2 chosen. Ctrl+S saves.")
              .arg(food->title,
                   SearchResultsModel::amountText(kind, FoodNumbers::readTypedFloat(model->otherText(at))));
    m_widgets.status->setText(said);
    m_widgets.status->setAccessibleName(said);
}

void QuickEntryPanel::move(int step)
{
    const int rows = m_results->rowCount();
    if (rows == 0)
        return;
    const int current = m_view->currentIndex().isValid() ? m_view->currentIndex().row() : -1;
    const int row = std::clamp(current + step, 0, rows - 1);
    m_view->setCurrentIndex(m_results->index(row, SearchResultsModel::Name));
    m_view->scrollTo(m_results->index(row, SearchResultsModel::Name));
}

void QuickEntryPanel::clear()
{
    m_widgets.search->clear();
    m_widgets.search->setFocus();
}

bool QuickEntryPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || (watched != m_widgets.search && watched != m_view))
        return QObject::eventFilter(watched, event);
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    if (key == Qt::Key_Escape && !m_widgets.search->text().isEmpty()) {
        clear();
        return true;
    }
    if (watched == m_widgets.search && (key == Qt::Key_Down || key == Qt::Key_Up)) {
        move(key == Qt::Key_Down ? 1 : -1);
        return true;
    }
    const QModelIndex current = m_view->currentIndex();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_results->rowCount() > 0) {
        const int row = current.isValid() ? current.row() : 0;
        pick(row, keyEvent->modifiers().testFlag(Qt::ShiftModifier) ? SearchResultsModel::Cup
                                                                    : SearchResultsModel::HalfCup);
        if (watched == m_widgets.search)
            m_widgets.search->selectAll();
        return true;
    }
    if (watched == m_view && key == Qt::Key_Space && current.isValid()) {
        pick(current.row(), current.column());
        return true;
    }
    return false;
}
