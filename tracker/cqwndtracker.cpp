#include "tracker/cqwndtracker.h"

#include "exercise/exercisestore.h"

#include "app/settingsstore.h"

#include "tracker/categorylist.h"
#include "tracker/copymealmenu.h"
#include "tracker/cqdlgremovecalory.h"
#include "tracker/cqdlgwarning.h"
#include "tracker/dayclock.h"
#include "tracker/dayrollover.h"
#include "tracker/foodcatalogue.h"
#include "tracker/foodmodel.h"
#include "tracker/foodrequests.h"
#include "tracker/foodtablemodel.h"
#include "tracker/legibility.h"
#include "tracker/meals.h"
#include "tracker/ownfoodupload.h"
#include "tracker/quickentrypanel.h"
#include "tracker/spokenfigure.h"
#include "tracker/trackerlook.h"

#include "app/accountstate.h"
#include "app/server.h"
#include "app/utils.h"
#include "main/dialogfactory.h"
#include "main/mainwindow.h"
#include "widgets/qtmaterialiconbutton.h"
#include "widgets/qtmaterialraisedbutton.h"

#include "ui_cqwndtracker.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSet>
#include <QShortcut>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

constexpr int blockRowHeight = TrackerLook::rowHeight;
// A chosen food's calories in a block, as the meal record writes them.
constexpr int caloriesRole = FoodTableModel::markRole + 1;
const QString expandIcon = QStringLiteral(":/main/assets/expand.png");
const QString collapseIcon = QStringLiteral(":/main/assets/collpase.png");
const QColor accent(QStringLiteral("#ef2554"));

// The name column's caption over the open category's foods.
QString headerCaption(const QString& category)
{
    //: Caption of the food names' column, on two lines; %1 is the food category
    return CqWndTracker::tr("Assigned WGS = 1/2 cup\n%1").arg(category);
}

int& timeoutSetting()
{
    static int timeout = [] {
        bool ok = false;
        const int fromEnvironment = qEnvironmentVariableIntValue("OLVA_TRACKER_TIMEOUT_MS", &ok);
        return ok && fromEnvironment > 0 ? fromEnvironment : 15000;
    }();
    return timeout;
}

QFont robotoFont(int pointSize, int weight = 500)
{
    return TrackerLook::roboto(pointSize, weight);
}

// The meals of every tracker window that lost unsaved choices to the new
// day: all windows hear of it in one turn, and one message names them all.
QList<int>& mealsLeftUnsaved()
{
    static QList<int> meals;
    return meals;
}

// Closes the stored day when the date has moved past it; every window hears
// of it through the program's roll-over.
void closeFinishedDay(const QDate& today)
{
    if (DayRollover* rollover = DayRollover::instance())
        rollover->checkNow();
    else
        DayRollover::closeStoredDay(today);
}

} // namespace

CqWndTracker::CqWndTracker(int meal, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::CqWndTracker>())
    , m_meal(meal)
    , m_server(new Server(this))
    , m_catalogue(new FoodCatalogue(this))
    , m_model(new FoodTableModel(this))
    , m_table(new QTableView(this))
    , m_catalogueTimer(new QTimer(this))
{
    m_ui->setupUi(this);
    connect(m_server, SIGNAL(sig_net_foodinfo(QString)), this, SLOT(slt_net_food(QString)));
    connect(m_server, SIGNAL(sig_net_uploadCalories(QString)), this, SLOT(slt_net_uploadCalories(QString)));
    connect(m_server, SIGNAL(sig_net_removeCalories(QString)), this, SLOT(slt_net_removeCalories(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_foodError(QString)));
    Utils::instance()->setBackground(this, 0);

    // A day the date has moved past is closed before its figures show: the
    // window starts on today.
    m_day = DayClock::today();
    closeFinishedDay(m_day);

    buildTitleRow();
    buildHeader();
    m_categories = new CategoryList(m_ui->widgetCategoryContent, m_ui->vCategoryContent,
                                    m_ui->vCategoryButton, this);
    connect(m_categories, &CategoryList::hidden, this, &CqWndTracker::hidden);
    connect(m_categories, &CategoryList::opened, this, &CqWndTracker::openCategory);
    buildQuickPanel();

    m_catalogueTimer->setSingleShot(true);
    connect(m_catalogueTimer, &QTimer::timeout, this, [this] {
        if (!m_catalogueArrived)
            catalogueFailed();
    });
    m_catalogueTimer->start(catalogueTimeoutMs());
    m_server->request(FoodRequests::getFoodList, FoodRequests::foodList(currentUserId));

    buildFoodTable();
    // The totals' zeros as the member's language writes them.
    refreshTotals();
    m_ui->widgetDetails->hide();

    // Digits with the language's marks ("1.850", "12,5" in Spanish) and the
    // plain decimal point; the text is read when the food is added.
    const QLocale locale;
    const QString marks = QRegularExpression::escape(QStringLiteral(".") + locale.decimalPoint()
                                                     + locale.groupSeparator());
    const QRegularExpression amount(QStringLiteral("[\\d%1]+").arg(marks));
    for (QLineEdit* field : {m_ui->edtCal, m_ui->edtOther, m_ui->edtCarbs, m_ui->edtFat, m_ui->edtProtein,
                             m_ui->edtFiber}) {
        field->setValidator(new QRegularExpressionValidator(amount, field));
        // Six digits and their marks: more calories or grams per cup than
        // any food has.
        field->setMaxLength(10);
    }
    m_ui->edtName->setMaxLength(200);
    for (QLineEdit* field : m_ui->widgetButton->findChildren<QLineEdit*>())
        Legibility::darkFieldText(field);
    m_ui->widgetButton->hide();

    // An open tracker follows the day: a new one starts empty.
    if (DayRollover* rollover = DayRollover::instance())
        connect(rollover, &DayRollover::dayStarted, this, &CqWndTracker::startNewDay);
}

CqWndTracker::~CqWndTracker()
{
    // A saved entry still waiting for its food's id, or a deleted food still
    // to go on the service: the upload finishes that after the window.
    for (OwnFoodUpload* upload : std::as_const(m_uploads)) {
        if (upload)
            upload->detach();
    }
}

int CqWndTracker::catalogueTimeoutMs()
{
    return timeoutSetting();
}

void CqWndTracker::setCatalogueTimeoutMs(int milliseconds)
{
    timeoutSetting() = milliseconds;
}

QString CqWndTracker::catalogueFailedMessage()
{
    return tr("The food list could not be loaded. Check your connection and open the meal again.");
}

QString CqWndTracker::addedAfterAllMessage(const QString& title)
{
    //: %1 is a food the member added to the food list
    return tr("\u201C%1\u201D was added after all.").arg(title.trimmed());
}

void CqWndTracker::buildTitleRow()
{
    auto* home = new QtMaterialIconButton(QIcon(QStringLiteral(":/main/assets/img_back.png")), this);
    home->setObjectName(QStringLiteral("btnHome"));
    home->setAccessibleName(tr("Home"));
    home->setIconSize(QSize(70, 70));
    home->setColor(accent);
    home->setFocusPolicy(Qt::StrongFocus);
    connect(home, &QAbstractButton::clicked, this, &CqWndTracker::on_btnHome_clicked);

    auto* title = new QLabel(Meals::trackerTitle(m_meal), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setAlignment(Qt::AlignCenter);
    title->setFont(robotoFont(22));

    // A plain button: an icon button would tint the whole picture, a filled
    // tile, into one red square.
    auto* sample =
        new QPushButton(QIcon(QStringLiteral(":/main/assets/sample.png")), QString(), this);
    sample->setObjectName(QStringLiteral("btnSample"));
    sample->setAccessibleName(tr("Sample meals"));
    sample->setToolTip(tr("Sample meals"));
    sample->setIconSize(QSize(80, 80));
    sample->setFixedSize(96, 96);
    sample->setCursor(Qt::PointingHandCursor);
    sample->setStyleSheet(
        QStringLiteral("QPushButton { border: 2px solid transparent; border-radius: 12px;"
                       " background: transparent; }"
                       " QPushButton:focus { border-color: white; }"));
    sample->setFocusPolicy(Qt::StrongFocus);
    connect(sample, &QAbstractButton::clicked, this, &CqWndTracker::on_btnSample_clicked);

    m_ui->hTitile->addWidget(home);
    m_ui->hTitile->addWidget(title, 1);
    m_ui->hTitile->addWidget(sample);
    Legibility::titleOnScrim(title, m_ui->hTitile);
}

void CqWndTracker::buildHeader()
{
    // Each figure on a dark band (the form's figureRow rule), so that it
    // reads over any background picture; read out as "<spoken>: <value>".
    auto addRow = [this](const QString& caption, const QString& spoken, int value,
                         const QString& name) {
        auto* row = new QWidget(m_ui->scrollAreaWidgetContents);
        row->setProperty("figureRow", true);
        row->setFixedHeight(80);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(20, 0, 0, 0);
        layout->setSpacing(0);
        auto* captionLabel = new QLabel(caption, row);
        captionLabel->setFont(robotoFont(16));
        auto* valueLabel = new QLabel(row);
        valueLabel->setObjectName(name);
        valueLabel->setAlignment(Qt::AlignCenter);
        valueLabel->setFont(robotoFont(16));
        SpokenFigure::setCaption(valueLabel, spoken);
        SpokenFigure::setText(valueLabel, FoodNumbers::shownWhole(value));
        layout->addWidget(captionLabel, 9);
        layout->addWidget(valueLabel, 1);
        m_ui->vInfo->addWidget(row);
        return valueLabel;
    };
    m_targetLabel =
        addRow(tr("TOTAL ASSIGNED CALORIES"), tr("Total assigned calories"),
               totalCalories, QStringLiteral("lblTarget"));
    m_mealCalories = DayStore::mealCalories(m_meal);
    m_mealLabel = addRow(Meals::trackerTotalLabel(m_meal), Meals::plannerLabel(m_meal),
                         m_mealCalories, QStringLiteral("lblMealCalories"));
    m_remainingLabel = addRow(tr("REMAINING DAILY CALORIES"),
                              tr("Remaining daily calories"), remainCalories,
                              QStringLiteral("lblRemaining"));
    m_exerciseLabel = addRow(tr("EXERCISE CALORIES BURNED"), tr("Exercise calories burned"),
                             ExerciseStore::burned(m_day), QStringLiteral("lblExercise"));
    m_remainingWithExerciseLabel =
        addRow(tr("REMAINING WITH EXERCISE"), tr("Remaining calories with exercise"),
               remainCalories + ExerciseStore::counted(m_day),
               QStringLiteral("lblRemainingWithExercise"));

    // The open category's figures, read out with what they count.
    SpokenFigure::setCaption(m_ui->lblTotal, tr("Calories of the open category"));
    const std::pair<QLabel*, QString> nutrients[] = {{m_ui->lblCarbs, tr("Carbs")},
                                                     {m_ui->lblFat, tr("Fat")},
                                                     {m_ui->lblProtein, tr("Protein")},
                                                     {m_ui->lblFiber, tr("Fiber")}};
    for (const auto& [label, caption] : nutrients)
        SpokenFigure::setCaption(label, caption);
}

void CqWndTracker::buildFoodTable()
{
    m_table->setObjectName(QStringLiteral("tblDetail"));
    m_table->setAccessibleName(tr("Foods"));
    m_table->setModel(m_model);
    m_table->setItemDelegateForColumn(FoodTableModel::Other, new OtherAmountDelegate(m_table));
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked
                             | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setWordWrap(false);
    m_table->setFont(robotoFont(isSmallScreen ? 12 : 14));
    m_table->installEventFilter(this);
    connect(m_table, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { on_tblDetail_cellClicked(index.row(), index.column()); });
    connect(m_table, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { on_tblDetail_cellDoubleClicked(index.row(), index.column()); });
    connect(m_model, &FoodTableModel::otherEdited, this,
            [this](int row) { on_tblDetail_cellChanged(row, FoodTableModel::Other); });
    // Under the advice text, above the totals.
    m_ui->vDetails->insertWidget(1, m_table);
}

QList<qint32> CqWndTracker::categoryIds() const
{
    return m_catalogue->categoryIds();
}

void CqWndTracker::showMessage(const QString& text)
{
    if (MainWindow* window = MainWindow::instance())
        window->showMessage(text);
}

// ----- catalogue -----

void CqWndTracker::slt_net_food(QString reply)
{
    // One catalogue per window: a second reply would pull the records from
    // under the chosen foods and blocks.
    if (m_catalogueArrived)
        return;
    m_catalogueTimer->stop();
    const FoodCatalogue::Status status = m_catalogue->load(reply);
    m_catalogueArrived = status == FoodCatalogue::Status::Loaded;
    if (!m_catalogueArrived) {
        catalogueFailed();
        return;
    }
    m_categories->build(m_catalogue->entries());
    if (!m_catalogue->isEmpty())
        restoreMeal();
    m_ui->btnCopy->setEnabled(!m_catalogue->isEmpty());
    m_quick->loadRecent();
    m_quick->catalogueChanged();
}

void CqWndTracker::slt_net_foodError(QString)
{
    if (m_catalogueArrived)
        return;
    m_catalogueTimer->stop();
    catalogueFailed();
}

void CqWndTracker::catalogueFailed()
{
    showMessage(catalogueFailedMessage());
}

void CqWndTracker::openCategory(qint32 id)
{
    if (!m_catalogue->category(id))
        return;
    m_openCategory = id;
    fillFoodTable();
    m_ui->widgetButton->show();
    m_ui->lblDescription->setText(m_catalogue->category(id)->recomended);
}

// ----- food table -----

void CqWndTracker::fillFoodTable()
{
    FoodModel* category = m_catalogue->category(m_openCategory);
    if (!category)
        return;
    m_ui->widgetDetails->show();
    m_headerCaption = headerCaption(category->title);
    m_table->setUpdatesEnabled(false);
    // Choices not saved yet (made through the search) stay; otherwise the
    // table shows what the meal holds.
    if (FoodTableModel* model = m_models.value(m_openCategory); model && !m_unsaved.contains(m_openCategory))
        fillFromStore(model, m_openCategory);
    FoodTableModel* model = choicesOf(m_openCategory);
    if (model != m_model) {
        m_model = model;
        m_table->setModel(model);
    }
    sizeRows(0, m_model->rowCount() - 1);
    m_table->setUpdatesEnabled(true);
    refreshTotals();
    adjustTableHeight();
}

void CqWndTracker::fillFromStore(FoodTableModel* model, qint32 categoryId)
{
    const FoodModel* category = m_catalogue->category(categoryId);
    if (!category)
        return;
    model->setFoods(category->items, headerCaption(category->title),
                    isSmallScreen ? 60 : 70);
    // The meal's stored choices in this category are marked again; a stored
    // "other" amount shows its calories so a later save keeps it.
    for (int row = 0; row < model->rowCount(); ++row) {
        const FoodItemModel* food = model->food(row);
        const FoodItemModel* chosen = m_chosen.value(DayStore::chosenKey(categoryId, food->id));
        if (!chosen)
            continue;
        if (chosen->kind == FoodQuantity::other)
            model->setOtherText(row, FoodNumbers::shownTyped(chosen->otherCal));
        model->click(row, chosen->kind + 1);
    }
}

FoodTableModel* CqWndTracker::choicesOf(qint32 categoryId)
{
    if (FoodTableModel* model = m_models.value(categoryId))
        return model;
    if (!m_catalogue->category(categoryId))
        return nullptr;
    auto* model = new FoodTableModel(this);
    fillFromStore(model, categoryId);
    m_models.insert(categoryId, model);
    connect(model, &FoodTableModel::otherEdited, this, [this, model, categoryId](int row) {
        if (model == m_model) {
            on_tblDetail_cellChanged(row, FoodTableModel::Other);
            return;
        }
        model->applyTypedAmount(row);
        markUnsaved(categoryId);
    });
    connect(model, &QAbstractItemModel::dataChanged, this, [this, categoryId] {
        if (m_quick)
            m_quick->categoryChanged(categoryId);
    });
    return model;
}

void CqWndTracker::markUnsaved(qint32 categoryId)
{
    m_unsaved.insert(categoryId);
    showUnsaved();
}

void CqWndTracker::showUnsaved()
{
    const bool unsaved = !m_unsaved.isEmpty();
    m_ui->lblUnsaved->setVisible(unsaved);
    m_ui->btnQuickSave->setVisible(unsaved);
}

void CqWndTracker::dropStoredModels()
{
    for (auto it = m_models.begin(); it != m_models.end();) {
        if (it.value() == m_model || m_unsaved.contains(it.key())) {
            ++it;
            continue;
        }
        const qint32 categoryId = it.key();
        delete it.value();
        it = m_models.erase(it);
        if (m_quick)
            m_quick->categoryChanged(categoryId);
    }
}

void CqWndTracker::sizeRows(int first, int last)
{
    const QFontMetrics metrics(m_table->font());
    const int lineHeight = metrics.lineSpacing();
    QHeaderView* rows = m_table->verticalHeader();
    for (int row = first; row <= last; ++row)
        rows->resizeSection(row, std::max(blockRowHeight, m_model->titleLines(row) * lineHeight + 16));

    // The name column as wide as its longest line (measured, not laid out).
    int width = 0;
    for (const QString& line : m_headerCaption.split(QLatin1Char('\n')))
        width = std::max(width, metrics.horizontalAdvance(line));
    for (int row = 0; row < m_model->rowCount(); ++row) {
        for (const QString& line : m_model->title(row).split(QLatin1Char('\n')))
            width = std::max(width, metrics.horizontalAdvance(line));
    }
    m_table->setColumnWidth(FoodTableModel::Name, std::min(width + 24, 1000));
}

void CqWndTracker::adjustTableHeight()
{
    int height = m_table->verticalHeader()->length() + 35;
    if (m_table->horizontalScrollBar()->isVisible())
        height += m_table->horizontalScrollBar()->height();
    if (!m_table->horizontalHeader()->isHidden())
        height += m_table->horizontalHeader()->sizeHint().height();
    m_table->setMinimumHeight(height);
}

void CqWndTracker::on_tblDetail_cellClicked(int row, int column)
{
    if (column == FoodTableModel::Name)
        return;
    m_model->click(row, column);
    refreshTotals();
    markUnsaved(m_openCategory);
}

void CqWndTracker::on_tblDetail_cellChanged(int row, int column)
{
    if (column != FoodTableModel::Other)
        return;
    m_model->applyTypedAmount(row);
    refreshTotals();
    markUnsaved(m_openCategory);
}

void CqWndTracker::refreshTotals()
{
    const FoodTableModel::Totals totals = m_model->totals();
    SpokenFigure::setText(m_ui->lblTotal, FoodNumbers::shownFixed(totals.calories, 0));
    SpokenFigure::setText(m_ui->lblCarbs, FoodNumbers::shownFixed(totals.nutrients.carbs, 1));
    SpokenFigure::setText(m_ui->lblFat, FoodNumbers::shownFixed(totals.nutrients.fat, 1));
    SpokenFigure::setText(m_ui->lblProtein, FoodNumbers::shownFixed(totals.nutrients.protein, 1));
    SpokenFigure::setText(m_ui->lblFiber, FoodNumbers::shownFixed(totals.nutrients.fiber, 1));
}

void CqWndTracker::on_tblDetail_cellDoubleClicked(int row, int column)
{
    if (column != FoodTableModel::Name || row < 0 || row >= m_model->rowCount())
        return;
    if (m_model->data(m_model->index(row, FoodTableModel::Name), FoodTableModel::markRole).toInt() == 0)
        return;
    FoodItemModel* food = m_model->food(row);
    CqDlgRemoveCalory dialog(food->title, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Id 0 (an upload that failed or is still on its way) goes out as it is;
    // a pending upload deletes its food once the id arrives.
    m_server->request(FoodRequests::removeMyCalorie, FoodRequests::removeFood(food->id));
    for (OwnFoodUpload* upload : uploadsOf(m_openCategory)) {
        if (upload->food() == food)
            upload->forget();
    }
    m_model->removeFood(row);
    adjustTableHeight();
    if (FoodModel* category = m_catalogue->category(m_openCategory))
        category->items.removeOne(food);
    // The record object stays (a block may still show the food); only the
    // category stops listing it, and the search no longer finds it.
    refreshTotals();
    m_quick->catalogueChanged();
}

// ----- saving and restoring -----

void CqWndTracker::on_btnSave_clicked()
{
    // A save after midnight (or a resume from suspend) never lands in the
    // day that ended: the new day starts first, and what was not saved is
    // told as left out.
    if (followTheDay())
        return;
    if (saveChoices(true))
        m_ui->scrollArea->verticalScrollBar()->setValue(0);
}

bool CqWndTracker::saveChoices(bool withOpenCategory)
{
    // Every category the search changed, and the open one when asked.
    QList<qint32> saving = m_unsaved.values();
    if (withOpenCategory && m_catalogue->category(m_openCategory) && !saving.contains(m_openCategory))
        saving.append(m_openCategory);
    std::sort(saving.begin(), saving.end());
    // The save and the meal read back after it use one open store.
    const SettingsStore::Batch batch;
    DayStore::Totals totals;
    QList<std::pair<qint32, QList<FoodItemModel*>>> blocks;
    for (qint32 id : std::as_const(saving)) {
        FoodTableModel* model = id == m_openCategory ? m_model : m_models.value(id);
        if (!model || !m_catalogue->category(id))
            continue;
        QList<FoodItemModel*> chosen;
        totals = saveCategoryFrom(id, model, &chosen);
        blocks.append({id, chosen});
    }
    m_unsaved.clear();
    showUnsaved();
    if (blocks.isEmpty())
        return false;
    showFigures(totals);
    for (const auto& [id, chosen] : std::as_const(blocks))
        buildBlock(id, chosen);
    restoreMeal();
    return true;
}

void CqWndTracker::on_btnQuickSave_clicked()
{
    on_btnSave_clicked();
}

DayStore::Totals CqWndTracker::saveCategoryFrom(qint32 categoryId, FoodTableModel* model,
                                                QList<FoodItemModel*>* chosen)
{
    FoodModel* category = m_catalogue->category(categoryId);
    QList<MealEntry> entries;
    QSet<qint32> listed;
    QHash<FoodItemModel*, QString> savedEntries;
    for (int row = 0; row < model->rowCount(); ++row) {
        FoodItemModel* food = model->food(row);
        listed.insert(food->id);
        const int kind = model->chosenKind(row);
        if (kind < 0)
            continue;
        if (model->isMarked(row, FoodTableModel::Other))
            food->otherCal = FoodNumbers::readTypedFloat(model->otherText(row));
        food->kind = kind;
        entries.append(MealEntry::make(food->id, FoodNumbers::calorieShare(*food, kind, food->otherCal), kind));
        chosen->append(food);
        savedEntries.insert(food, entries.constLast().text);
    }
    // The stored nutrients carry the labels' one decimal (the open
    // category's labels show exactly these), plus what the chosen foods the
    // category no longer lists (deleted ones) still count.
    const FoodTableModel::Totals sums = model->totals();
    auto shown = [](float grams) { return FoodNumbers::readFloat(FoodNumbers::fixed(grams, 1)); };
    const Nutrients nutrients{shown(sums.nutrients.carbs), shown(sums.nutrients.fat),
                              shown(sums.nutrients.protein), shown(sums.nutrients.fiber)};
    QHash<qint32, const FoodItemModel*> kept;
    const QString prefix = QString::number(categoryId) + QLatin1Char('_');
    for (auto it = m_chosen.cbegin(); it != m_chosen.cend(); ++it) {
        if (it.key().startsWith(prefix))
            kept.insert(it.value()->id, it.value());
    }
    const DayStore::Totals totals =
        DayStore::saveCategory(m_meal, categoryId, entries, nutrients, listed, categoryIds(), kept);
    // A food still without its id is now stored under 0 (or no longer at
    // all); its upload moves the entry once the id comes.
    for (OwnFoodUpload* upload : uploadsOf(categoryId)) {
        if (category->items.contains(upload->food()))
            upload->setSavedEntry(savedEntries.value(upload->food()));
    }
    return totals;
}

void CqWndTracker::restoreMeal()
{
    // One open store for the records of every category.
    const SettingsStore::Batch batch;
    QHash<QString, FoodItemModel*> previous;
    for (auto it = m_chosen.cbegin(); it != m_chosen.cend(); ++it)
        previous.insert(it.key(), it.value());
    m_chosen.clear();
    for (auto it = m_catalogue->categories().cbegin(); it != m_catalogue->categories().cend(); ++it) {
        const QList<FoodItemModel*> foods = DayStore::restoreCategory(m_meal, *it.value(), previous);
        if (foods.isEmpty()) {
            // Nothing chosen (any more): no empty block stays behind.
            if (QtMaterialRaisedButton* button = m_blockButtons.value(it.key()))
                button->parentWidget()->hide();
            continue;
        }
        for (FoodItemModel* food : foods)
            m_chosen.insert(DayStore::chosenKey(it.key(), food->id), food);
        buildBlock(it.key(), foods);
    }
    dropStoredModels();
}

void CqWndTracker::showFigures(const DayStore::Totals& totals)
{
    m_mealCalories = totals.mealCalories;
    SpokenFigure::setText(m_mealLabel, FoodNumbers::shownWhole(totals.mealCalories));
    SpokenFigure::setText(m_remainingLabel, FoodNumbers::shownWhole(totals.remaining));
    // The member's chosen share of the exercise counts on top of the food.
    SpokenFigure::setText(m_exerciseLabel, FoodNumbers::shownWhole(ExerciseStore::burned(m_day)));
    SpokenFigure::setText(m_remainingWithExerciseLabel,
                          FoodNumbers::shownWhole(qint64(totals.remaining) + ExerciseStore::counted(m_day)));
}

// ----- chosen-foods blocks -----

void CqWndTracker::buildBlock(qint32 categoryId, const QList<FoodItemModel*>& foods)
{
    FoodModel* category = m_catalogue->category(categoryId);
    QtMaterialRaisedButton* button = m_blockButtons.value(categoryId);
    QTableWidget* table = nullptr;
    if (button) {
        button->show();
        button->parentWidget()->show();
        table = m_blockTables.value(button);
    } else {
        auto* block = new QWidget(m_ui->scrollAreaWidgetContents);
        block->setObjectName(QStringLiteral("block_%1").arg(categoryId));
        block->setStyleSheet(QStringLiteral("background-color:rgba(59,58,85,200); color:white;"));
        auto* layout = new QVBoxLayout(block);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);

        button = new QtMaterialRaisedButton(category ? category->title : QString::number(categoryId), block);
        button->setObjectName(QStringLiteral("category:%1").arg(categoryId));
        button->setCheckable(true);
        button->setIcon(QIcon(expandIcon));
        button->setIconSize(QSize(30, 30));
        button->setFont(robotoFont(14));
        button->setFixedHeight(50);
        button->setBackgroundColor(QColor(QStringLiteral("#CE396E")));
        button->setForegroundColor(Qt::white);
        button->setToolTip(tr("Right-click or press Delete to remove the category from the meal"));
        button->installEventFilter(this);

        table = new QTableWidget(block);
        table->setObjectName(QStringLiteral("tblSelectItem_%1").arg(categoryId));
        table->setAccessibleName(button->text());
        table->setFont(QFont(QStringLiteral("Roboto"), 12));
        table->horizontalHeader()->hide();
        table->verticalHeader()->hide();
        table->setSelectionMode(QAbstractItemView::NoSelection);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        table->installEventFilter(this);

        connect(button, &QAbstractButton::clicked, this, &CqWndTracker::on_btnSelected_clicked);
        connect(button, &QtMaterialFlatButton::rightClicked, this, &CqWndTracker::on_btnSelected_rightClicked);
        connect(button, &QAbstractButton::clicked, table, &QWidget::setVisible);
        connect(button, &QAbstractButton::toggled, button,
                [button](bool open) { button->setIcon(QIcon(open ? collapseIcon : expandIcon)); });
        connect(table, &QTableWidget::cellDoubleClicked, this, &CqWndTracker::on_tblSelectItem_cellDoubleClicked);

        layout->addWidget(button);
        layout->addWidget(table);
        m_ui->vSelectedFood->addWidget(block);
        m_blockButtons.insert(categoryId, button);
        m_blockTables.insert(button, table);
    }

    table->clear();
    table->setColumnCount(2);
    table->setRowCount(int(foods.size()));
    for (int row = 0; row < foods.size(); ++row) {
        const FoodItemModel* food = foods.at(row);
        auto* name = new QTableWidgetItem(food->title);
        name->setTextAlignment(Qt::AlignCenter);
        name->setFlags(Qt::ItemIsEnabled);
        name->setData(FoodTableModel::markRole, categoryId);
        const float calories = FoodNumbers::calorieShare(*food, food->kind, food->otherCal);
        auto* amount = new QTableWidgetItem(FoodNumbers::shownCalories(calories));
        amount->setTextAlignment(Qt::AlignCenter);
        amount->setFlags(Qt::ItemIsEnabled);
        amount->setData(FoodTableModel::markRole, food->id);
        // The calories as the record holds them: the text is in the
        // member's language.
        amount->setData(caloriesRole, FoodNumbers::calories(calories));
        table->setItem(row, 0, name);
        table->setItem(row, 1, amount);
        table->setRowHeight(row, blockRowHeight);
    }
    table->setColumnWidth(0, 800);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setFixedHeight(int(foods.size()) * blockRowHeight + 2);
    table->setVisible(button->isChecked());
}

bool CqWndTracker::confirmRemoval(const QString& what)
{
    // The blocks show a day the date has moved past: they are today's now.
    if (followTheDay()) {
        showMessage(newDayNothingRemovedMessage(what, m_meal));
        return false;
    }
    const QDate day = m_day;
    CqDlgRemoveCalory dialog(what, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // A dialog that outlived its day does nothing to the new one.
    if (followTheDay() || m_day > day) {
        showMessage(newDayNothingRemovedMessage(what, m_meal));
        return false;
    }
    return true;
}

void CqWndTracker::on_btnSelected_clicked()
{
    // The button's clicked(bool) shows or hides its table directly.
}

void CqWndTracker::on_btnSelected_rightClicked()
{
    auto* button = qobject_cast<QAbstractButton*>(sender());
    QTableWidget* table = m_blockTables.value(button);
    if (!button || !table)
        return;
    const qint32 categoryId = FoodNumbers::readInt(button->objectName().section(QLatin1Char(':'), 1));
    const FoodModel* category = m_catalogue->category(categoryId);
    if (!confirmRemoval(category ? category->title : button->text()))
        return;

    const QString prefix = QString::number(categoryId) + QLatin1Char('_');
    for (auto it = m_chosen.begin(); it != m_chosen.end();) {
        if (it.key().startsWith(prefix))
            it = m_chosen.erase(it);
        else
            ++it;
    }
    QList<float> rowCalories;
    for (int row = 0; row < table->rowCount(); ++row)
        rowCalories.append(FoodNumbers::readFloat(table->item(row, 1)->data(caloriesRole).toString()));
    const DayStore::Totals totals =
        DayStore::removeCategory(m_meal, categoryId, rowCalories, m_mealCalories, categoryIds());
    showFigures(totals);
    for (OwnFoodUpload* upload : uploadsOf(categoryId))
        upload->setSavedEntry({});

    button->hide();
    button->parentWidget()->hide();
    table->clear();
    table->setRowCount(0);
    table->setFixedHeight(0);
    table->hide();
    // The open table must not offer the removed choices for the next save.
    if (categoryId == m_openCategory) {
        m_model->unmarkFood(-1);
        refreshTotals();
    } else if (FoodTableModel* model = m_models.value(categoryId)) {
        model->unmarkFood(-1);
    }
    dropStoredModels();
}

void CqWndTracker::on_tblSelectItem_cellDoubleClicked(int row, int)
{
    auto* table = qobject_cast<QTableWidget*>(sender());
    if (!table || row < 0 || row >= table->rowCount())
        return;
    if (!confirmRemoval(table->item(row, 0)->text()) || row >= table->rowCount())
        return;
    // Read once the member has answered: a food named by the service
    // meanwhile shows its new id.
    const qint32 categoryId = table->item(row, 0)->data(FoodTableModel::markRole).toInt();
    const qint32 foodId = table->item(row, 1)->data(FoodTableModel::markRole).toInt();

    const QString key = DayStore::chosenKey(categoryId, foodId);
    const float rowCalories = FoodNumbers::readFloat(table->item(row, 1)->data(caloriesRole).toString());
    Nutrients share;
    if (const FoodItemModel* food = m_chosen.value(key))
        share = FoodNumbers::nutrientShare(*food, food->kind, rowCalories);
    m_chosen.remove(key);
    MealEntry removed;
    const DayStore::Totals totals =
        DayStore::removeFood(m_meal, categoryId, foodId, row, share, rowCalories,
                             m_mealCalories, categoryIds(), &removed);
    showFigures(totals);
    if (foodId == 0) {
        // The entry an upload was to move has gone.
        for (OwnFoodUpload* upload : uploadsOf(categoryId)) {
            if (!removed.text.isEmpty() && upload->savedEntry() == removed.text) {
                upload->setSavedEntry({});
                break;
            }
        }
    }
    table->removeRow(row);
    // The last one leaves the block's button over an empty table: a right
    // click on it still removes the category as a whole.
    table->setFixedHeight(table->rowCount() * blockRowHeight + 2);
    if (categoryId == m_openCategory) {
        m_model->unmarkFood(foodId);
        refreshTotals();
    } else if (FoodTableModel* model = m_models.value(categoryId)) {
        model->unmarkFood(foodId);
    }
    dropStoredModels();
}

// ----- foods of the member's own -----

void CqWndTracker::on_btnAdd_clicked()
{
    FoodModel* category = m_catalogue->category(m_openCategory);
    if (!category)
        return;
    const FoodRequests::TypedFood typed{m_ui->edtName->text(),    m_ui->edtCal->text(),
                                        m_ui->edtCarbs->text(),   m_ui->edtFat->text(),
                                        m_ui->edtProtein->text(), m_ui->edtFiber->text()};
    // Whatever the service would refuse is told here, field by field.
    if (const QString problem = FoodRequests::typedFoodProblem(typed); !problem.isEmpty()) {
        showMessage(problem);
        return;
    }
    if (m_ui->edtCarbs->text().isEmpty() || m_ui->edtFat->text().isEmpty() || m_ui->edtProtein->text().isEmpty()
        || m_ui->edtFiber->text().isEmpty()) {
        CqDlgWarning warning(tr("You didn\u2019t put in all values for carb, fat, protein and fiber. If "
                                "you proceed, your total daily calories will be correct, but your total "
                                "daily carb, fat, protein and fiber will be incorrect. "),
                             this);
        if (warning.exec() != QDialog::Accepted)
            return;
    }

    auto* food = new FoodItemModel(category);
    food->title = typed.title;
    // As the member's language writes them ("12,5" in Spanish); checked above.
    food->cal = FoodNumbers::readTypedFloat(typed.cal);
    food->halfCal = food->cal * 0.5f;
    food->carbs = FoodNumbers::readTypedFloat(typed.carbs);
    food->fat = FoodNumbers::readTypedFloat(typed.fat);
    food->protein = FoodNumbers::readTypedFloat(typed.protein);
    food->fiber = FoodNumbers::readTypedFloat(typed.fiber);
    food->user_id = FoodNumbers::readInt(currentUserId);
    category->items.append(food);

    m_model->appendFood(food);
    const int row = m_model->rowCount() - 1;
    sizeRows(row, row);
    adjustTableHeight();
    m_quick->catalogueChanged();

    auto* upload = new OwnFoodUpload(food, m_meal, category->id, this);
    connect(upload, &OwnFoodUpload::failed, this,
            [this] { showMessage(tr("Uload failed")); });
    connect(upload, &OwnFoodUpload::named, this,
            [this, upload](qint32 id, bool late) { foodNamed(upload, id, late); });
    m_uploads.removeAll(nullptr);
    m_uploads.append(upload);
    upload->start(FoodRequests::uploadFood(currentUserId, category->id, typed),
                  catalogueTimeoutMs());

    for (QLineEdit* field : {m_ui->edtName, m_ui->edtCal, m_ui->edtCarbs, m_ui->edtFat, m_ui->edtProtein,
                             m_ui->edtFiber})
        field->clear();
}

void CqWndTracker::slt_net_uploadCalories(QString)
{
    // Every upload goes out with its own OwnFoodUpload, which reads the
    // reply; the window's own client sends none.
}

QList<OwnFoodUpload*> CqWndTracker::uploadsOf(qint32 category) const
{
    QList<OwnFoodUpload*> uploads;
    for (OwnFoodUpload* upload : m_uploads) {
        if (upload && upload->categoryId() == category)
            uploads.append(upload);
    }
    return uploads;
}

void CqWndTracker::foodNamed(OwnFoodUpload* upload, qint32 id, bool late)
{
    FoodItemModel* food = upload->food();
    if (food && id > 0) {
        // The upload gave the food its id and moved a saved entry to it; the
        // chosen foods and their blocks follow.
        const QString unnamed = DayStore::chosenKey(upload->categoryId(), 0);
        if (m_chosen.value(unnamed) == food) {
            m_chosen.remove(unnamed);
            m_chosen.insert(DayStore::chosenKey(upload->categoryId(), id), food);
        }
        restoreMeal();
    }
    if (late && food)
        showMessage(addedAfterAllMessage(food->title));
}

void CqWndTracker::slt_net_removeCalories(QString)
{
    // The food left the table at once; the reply changes nothing.
}

// ----- quick entry: search, recent foods, copying a meal -----

void CqWndTracker::buildQuickPanel()
{
    // The window's focus (its first show, the main window activating it)
    // goes to the search box.
    setFocusProxy(m_ui->edtSearch);
    m_quick = new QuickEntryPanel(
        m_meal, m_catalogue, [this](qint32 category) { return choicesOf(category); },
        {m_ui->edtSearch, m_ui->lblSearchStatus, m_ui->vQuick, m_ui->scrollArea}, this);
    connect(m_quick, &QuickEntryPanel::choiceMade, this, [this](qint32 category) {
        if (category == m_openCategory)
            refreshTotals();
        markUnsaved(category);
    });

    m_copyMenu = new CopyMealMenu(m_meal, [this] { return categoryIds(); }, m_ui->btnCopy);
    connect(m_copyMenu, &CopyMealMenu::copyChosen, this, &CqWndTracker::copyMeal);
    m_ui->btnCopy->setMenu(m_copyMenu);
    // Nothing can be copied into a meal before its catalogue is there.
    m_ui->btnCopy->setEnabled(false);

    auto* save = new QShortcut(QKeySequence::Save, this);
    save->setContext(Qt::WidgetWithChildrenShortcut);
    connect(save, &QShortcut::activated, this, &CqWndTracker::on_btnSave_clicked);

    m_ui->hUnsaved->setStretch(0, 1);
    // As tall as their text: the panel gives no spare height to its lines.
    m_ui->lblUnsaved->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    m_ui->widgetQuick->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    m_ui->btnQuickSave->setMinimumWidth(160);
    showUnsaved();
}

void CqWndTracker::copyMeal(const MealCopy::Meal& source, MealCopy::Mode mode, const QString& from)
{
    // The menu named its sources after the day it opened on.
    if (followTheDay()) {
        showMessage(newDayNothingCopiedMessage(m_meal));
        return;
    }
    // A category the catalogue no longer lists could be neither shown nor
    // counted: it stays behind. Foods a listed category no longer lists come
    // along and show as no longer listed, with their calories and nutrients.
    MealCopy::Meal listed;
    int left = 0;
    for (auto it = source.cbegin(); it != source.cend(); ++it) {
        if (m_catalogue->category(it.key()))
            listed.insert(it.key(), it.value());
        else
            left += int(it.value().entries.size());
    }
    if (listed.isEmpty()) {
        //: %1 names the meal copied from ("Yesterday's Breakfast")
        showMessage(tr("%1 holds no food the food list still has.").arg(from));
        return;
    }
    // Choices not saved yet are part of the meal copied into: added to, they
    // are saved with it; replaced, they go only once the member agrees.
    bool savedChoices = false;
    if (!m_unsaved.isEmpty()) {
        if (mode == MealCopy::Mode::Replace) {
            CqDlgWarning ask(replaceDropsUnsavedText(m_meal, from), this);
            if (ask.exec() != QDialog::Accepted)
                return;
            // Midnight may have come while the member read the question.
            if (followTheDay()) {
                showMessage(newDayNothingCopiedMessage(m_meal));
                return;
            }
            m_unsaved.clear();
        } else {
            savedChoices = saveChoices(false);
        }
    }
    const SettingsStore::Batch batch;
    const MealCopy::Meal merged =
        MealCopy::merge(CopyMealMenu::todaysMeal(m_meal, categoryIds()), listed, mode);
    DayStore::Totals totals{DayStore::mealCalories(m_meal), DayStore::remainingCalories()};
    for (auto it = merged.cbegin(); it != merged.cend(); ++it) {
        QSet<qint32> stored;
        for (const MealEntry& entry : DayStore::entries(m_meal, it.key()))
            stored.insert(entry.foodId);
        totals = DayStore::saveCategory(m_meal, it.key(), it.value().entries, it.value().nutrients, stored,
                                        categoryIds());
        // What the copy wrote is what the category holds now.
        m_unsaved.remove(it.key());
    }
    showUnsaved();
    restoreMeal();
    showFigures(totals);
    if (m_catalogue->category(m_openCategory)) {
        fillFoodTable();
    }
    m_quick->refresh();
    //: %1 names the meal copied from ("Yesterday's Breakfast")
    QString told = mode == MealCopy::Mode::Replace ? tr("This meal now holds %1.").arg(from)
                                                   //: %1 names the meal copied from ("Yesterday's Breakfast")
                                                   : tr("%1 added to this meal.").arg(from);
    if (left > 0)
        told += QLatin1Char(' ') + tr("%n food(s) of categories no longer listed stayed behind.", nullptr, left);
    if (savedChoices)
        told += QLatin1Char(' ') + tr("Your choices that were not saved yet were saved with it.");
    showMessage(told);
}

// ----- the day -----

bool CqWndTracker::followTheDay()
{
    const QDate today = DayClock::today();
    if (today <= m_day) {
        // A clock set back closes nothing: the window's day goes on.
        m_day = today;
        return false;
    }
    const QDate stored = DayClock::storeDate();
    closeFinishedDay(today);
    // The roll-over has started the new day in this window too.
    if (m_day == today)
        return true;
    // Another client closed the day first: the store already holds today.
    if (stored.isValid() && stored == today) {
        startNewDay(today);
        return true;
    }
    // An undated store held no day to close.
    m_day = today;
    return false;
}

void CqWndTracker::showStoredFigures()
{
    showFigures({DayStore::mealCalories(m_meal), DayStore::remainingCalories()});
}

void CqWndTracker::startNewDay(const QDate& today)
{
    m_day = today;
    // Choices not saved belonged to the day that ended: the member is told.
    if (!m_unsaved.isEmpty())
        tellUnsavedLeftBehind();
    m_unsaved.clear();
    showUnsaved();
    restoreMeal();
    SpokenFigure::setText(m_targetLabel, FoodNumbers::shownWhole(totalCalories));
    showFigures({DayStore::mealCalories(m_meal), DayStore::remainingCalories()});
    if (m_catalogue->category(m_openCategory))
        fillFoodTable();
    m_quick->loadRecent();
    m_quick->refresh();
}

void CqWndTracker::tellUnsavedLeftBehind()
{
    QList<int>& meals = mealsLeftUnsaved();
    const bool first = meals.isEmpty();
    if (!meals.contains(m_meal))
        meals.append(m_meal);
    if (!first)
        return;
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        QList<int> named = std::exchange(mealsLeftUnsaved(), {});
        std::sort(named.begin(), named.end());
        if (MainWindow* window = MainWindow::instance())
            window->showMessage(newDayUnsavedMessage(named));
    });
}

QString CqWndTracker::newDayUnsavedMessage(const QList<int>& meals)
{
    return tr("A new day has begun, so your unsaved choices for %1 were not saved.")
        .arg(TrackerLook::mealNames(meals));
}

QString CqWndTracker::newDayNothingRemovedMessage(const QString& what, int meal)
{
    return tr("A new day began before you confirmed, so nothing was removed: \u201C%1\u201D stays in "
              "yesterday's %2, and today's meal is unchanged.")
        .arg(what, TrackerLook::mealName(meal));
}

QString CqWndTracker::newDayNothingCopiedMessage(int meal)
{
    return tr("A new day has begun, so nothing was copied. Open \u201C"
              "Copy a meal\u201D again to copy "
              "into today's %1.")
        .arg(TrackerLook::mealName(meal));
}

QString CqWndTracker::replaceDropsUnsavedText(int meal, const QString& from)
{
    return tr("Your %1 has choices that are not saved yet. Replacing it with %2 leaves them out.")
        .arg(TrackerLook::mealName(meal), from);
}

void CqWndTracker::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_focusedOnce) {
        m_focusedOnce = true;
        m_ui->edtSearch->setFocus();
    }
}

// ----- navigation -----

void CqWndTracker::on_btnHome_clicked()
{
    if (MainWindow* window = MainWindow::instance())
        window->goHome(true);
}

void CqWndTracker::on_btnSample_clicked()
{
    DialogFactory::run(DialogFactory::Kind::Sample, m_meal);
}

bool CqWndTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    if (watched == m_table) {
        const QModelIndex current = m_table->currentIndex();
        // While the "other" editor is open the keys go to the editor instead.
        if (!current.isValid())
            return false;
        if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
            && current.column() != FoodTableModel::Other) {
            on_tblDetail_cellClicked(current.row(), current.column());
            return true;
        }
        if (key == Qt::Key_Delete && current.column() == FoodTableModel::Name) {
            on_tblDetail_cellDoubleClicked(current.row(), current.column());
            return true;
        }
        return false;
    }
    if (key == Qt::Key_Delete) {
        // The keyboard's way to what a right click or a double click does.
        if (auto* button = qobject_cast<QtMaterialFlatButton*>(watched)) {
            emit button->rightClicked();
            return true;
        }
        if (auto* table = qobject_cast<QTableWidget*>(watched); table && table->currentRow() >= 0) {
            emit table->cellDoubleClicked(table->currentRow(), 0);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
