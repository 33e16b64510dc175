#include "tracker/cqwndtracker.h"

#include "app/settingsstore.h"

#include "tracker/cqdlgremovecalory.h"
#include "tracker/cqdlgwarning.h"
#include "tracker/dayarchive.h"
#include "tracker/dayclock.h"
#include "tracker/dayrollover.h"
#include "tracker/foodcatalogue.h"
#include "tracker/foodmodel.h"
#include "tracker/foodrequests.h"
#include "tracker/foodtablemodel.h"
#include "tracker/legibility.h"
#include "tracker/meals.h"
#include "tracker/ownfoodupload.h"
#include "tracker/recentfoods.h"
#include "tracker/spokenfigure.h"

#include "app/accountstate.h"
#include "app/server.h"
#include "app/utils.h"
#include "main/dialogfactory.h"
#include "main/mainwindow.h"
#include "widgets/mywidget.h"
#include "widgets/qtmaterialiconbutton.h"
#include "widgets/qtmaterialraisedbutton.h"

#include "ui_cqwndtracker.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSet>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int blockRowHeight = 40;
// The quick list shows this many rows before it scrolls (fewer on a small
// screen, so that the box and the list fit on it together).
int quickRowsShown()
{
    return isSmallScreen ? 6 : 8;
}
const QString expandIcon = QStringLiteral(":/main/assets/expand.png");
const QString collapseIcon = QStringLiteral(":/main/assets/collpase.png");
const QColor accent(QStringLiteral("#ef2554"));

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
    QFont font(QStringLiteral("Roboto"), pointSize);
    font.setWeight(QFont::Weight(weight));
    return font;
}

// A typed amount: whole calories of up to six digits and one optional
// fraction; no sign, no letters.
class OtherAmountDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            static const QRegularExpression pattern(QStringLiteral("\\d{0,6}(\\.\\d{0,2})?"));
            line->setValidator(new QRegularExpressionValidator(pattern, line));
            line->setAlignment(Qt::AlignCenter);
            line->setAccessibleName(QStringLiteral("Other calories"));
            // Dark on the light field, not the table's white.
            Legibility::darkFieldText(line);
        }
        return editor;
    }
};

// A category-list entry that the keyboard can open as well.
class CategoryEntry final : public MyWidget
{
public:
    explicit CategoryEntry(QWidget* parent = nullptr) : MyWidget(parent)
    {
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            emit clicked();
            return;
        }
        MyWidget::keyPressEvent(event);
    }
};

// "Breakfast", "First Snack": the meal as the planner names it.
QString mealName(int meal)
{
    QString name = Meals::plannerLabel(meal);
    name.remove(QStringLiteral("Total "));
    name.remove(QStringLiteral(" Calories"));
    return name;
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

    buildTitleRow();
    buildHeader();
    buildCategoryButton();
    m_ui->widgetCategoryContent->hide();
    buildQuickPanel();

    m_catalogueTimer->setSingleShot(true);
    connect(m_catalogueTimer, &QTimer::timeout, this, [this] {
        if (!m_catalogueArrived)
            catalogueFailed();
    });
    m_catalogueTimer->start(catalogueTimeoutMs());
    m_server->request(FoodRequests::getFoodList, FoodRequests::foodList(currentUserId));

    buildFoodTable();
    m_ui->widgetDetails->hide();

    static const QRegularExpression digits(QStringLiteral("\\d+"));
    for (QLineEdit* field : {m_ui->edtCal, m_ui->edtOther, m_ui->edtCarbs, m_ui->edtFat, m_ui->edtProtein,
                             m_ui->edtFiber}) {
        field->setValidator(new QRegularExpressionValidator(digits, field));
        // Six digits: more calories or grams per cup than any food has.
        field->setMaxLength(6);
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
    return QStringLiteral("The food list could not be loaded. Check your connection and open the meal again.");
}

QString CqWndTracker::addedAfterAllMessage(const QString& title)
{
    return QStringLiteral("\u201C%1\u201D was added after all.").arg(title.trimmed());
}

void CqWndTracker::buildTitleRow()
{
    auto* home = new QtMaterialIconButton(QIcon(QStringLiteral(":/main/assets/img_back.png")), this);
    home->setObjectName(QStringLiteral("btnHome"));
    home->setAccessibleName(QStringLiteral("Home"));
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
    sample->setAccessibleName(QStringLiteral("Sample meals"));
    sample->setToolTip(QStringLiteral("Sample meals"));
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
        SpokenFigure::setText(valueLabel, QString::number(value));
        layout->addWidget(captionLabel, 9);
        layout->addWidget(valueLabel, 1);
        m_ui->vInfo->addWidget(row);
        return valueLabel;
    };
    m_targetLabel =
        addRow(QStringLiteral("TOTAL ASSIGNED CALORIES"), QStringLiteral("Total assigned calories"),
               totalCalories, QStringLiteral("lblTarget"));
    m_mealLabel = addRow(Meals::trackerTotalLabel(m_meal), Meals::plannerLabel(m_meal),
                         DayStore::mealCalories(m_meal), QStringLiteral("lblMealCalories"));
    m_remainingLabel = addRow(QStringLiteral("REMAINING DAILY CALORIES"),
                              QStringLiteral("Remaining daily calories"), remainCalories,
                              QStringLiteral("lblRemaining"));

    // The open category's figures, read out with what they count.
    SpokenFigure::setCaption(m_ui->lblTotal, QStringLiteral("Calories of the open category"));
    const std::pair<QLabel*, const char*> nutrients[] = {{m_ui->lblCarbs, "Carbs"},
                                                         {m_ui->lblFat, "Fat"},
                                                         {m_ui->lblProtein, "Protein"},
                                                         {m_ui->lblFiber, "Fiber"}};
    for (const auto& [label, caption] : nutrients)
        SpokenFigure::setCaption(label, QString::fromLatin1(caption));
}

void CqWndTracker::buildCategoryButton()
{
    m_categoryButton = new QtMaterialRaisedButton(QStringLiteral("Add Category"), this);
    m_categoryButton->setObjectName(QStringLiteral("btnCategory"));
    m_categoryButton->setCheckable(true);
    m_categoryButton->setIcon(QIcon(expandIcon));
    m_categoryButton->setIconSize(QSize(40, 40));
    m_categoryButton->setFixedHeight(70);
    m_categoryButton->setFont(robotoFont(14));
    m_categoryButton->setBackgroundColor(QColor(QStringLiteral("#505067")));
    m_categoryButton->setForegroundColor(Qt::white);
    connect(m_categoryButton, &QAbstractButton::clicked, this, &CqWndTracker::on_btnCategory_clicked);
    m_ui->vCategoryButton->addWidget(m_categoryButton);
}

void CqWndTracker::buildFoodTable()
{
    m_table->setObjectName(QStringLiteral("tblDetail"));
    m_table->setAccessibleName(QStringLiteral("Foods"));
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
    buildCategoryList();
    if (!m_catalogue->isEmpty())
        restoreMeal();
    m_search.rebuild(m_catalogue->categories());
    m_ui->btnCopy->setEnabled(!m_catalogue->isEmpty());
    loadRecent();
    runSearch();
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

void CqWndTracker::buildCategoryList()
{
    // One style sheet for the whole list: a style sheet per entry would be
    // parsed and polished 200 times over for a large catalogue.
    m_ui->widgetCategoryContent->setStyleSheet(
        QStringLiteral("[categoryEntry=\"true\"] { background-color: #505067; }"
                       " QLabel[categoryTitle=\"true\"] { color:white; padding-left:30px; }"));
    const QPixmap checkMark = QPixmap(QStringLiteral(":/main/assets/check.png"))
                                  .scaled(40, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QFont font = robotoFont(14);
    m_ui->widgetCategoryContent->setUpdatesEnabled(false);
    for (const FoodCatalogue::Entry& entry : m_catalogue->entries()) {
        auto* row = new CategoryEntry(m_ui->widgetCategoryContent);
        row->setObjectName(QStringLiteral("%1_%2").arg(entry.title).arg(entry.id));
        row->setProperty("categoryEntry", true);
        row->setAccessibleName(entry.title);
        row->setProperty("categoryId", entry.id);
        row->setProperty("categoryTitle", entry.title);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* title = new QLabel(entry.title, row);
        title->setProperty("categoryTitle", true);
        title->setTextFormat(Qt::PlainText);
        title->setFont(font);
        title->setFixedHeight(60);
        auto* check = new QLabel(row);
        check->setObjectName(QStringLiteral("check"));
        check->setPixmap(checkMark);
        check->setFixedHeight(60);
        check->hide();
        row->setLabel(check);
        layout->addWidget(title, 9);
        layout->addWidget(check, 1);
        connect(this, &CqWndTracker::hidden, check, &QLabel::setHidden);
        connect(row, &MyWidget::clicked, this, &CqWndTracker::on_category_clicked);
        m_ui->vCategoryContent->addWidget(row);
    }
    m_ui->widgetCategoryContent->setUpdatesEnabled(true);
}

void CqWndTracker::on_btnCategory_clicked()
{
    applyCategoryListState();
}

void CqWndTracker::applyCategoryListState()
{
    const bool open = m_categoryButton->isChecked();
    m_categoryButton->setIcon(QIcon(open ? collapseIcon : expandIcon));
    m_ui->widgetCategoryContent->setVisible(open);
}

void CqWndTracker::on_category_clicked()
{
    auto* entry = qobject_cast<MyWidget*>(sender());
    if (!entry)
        return;
    openCategory(entry->property("categoryId").toInt(), entry);
}

void CqWndTracker::openCategory(qint32 id, QWidget* entry)
{
    if (!m_catalogue->category(id))
        return;
    emit hidden(true);
    if (auto* row = qobject_cast<MyWidget*>(entry); row && row->label())
        row->label()->show();
    m_openCategory = id;
    // The entry's own title: a repeated id opens the later category under
    // the title that was clicked.
    m_categoryButton->setText(entry->property("categoryTitle").toString());
    m_categoryButton->setChecked(!m_categoryButton->isChecked());
    applyCategoryListState();

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
    m_headerCaption = QStringLiteral("Assigned WGS = 1/2 cup\n%1").arg(category->title);
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
    model->setFoods(category->items, QStringLiteral("Assigned WGS = 1/2 cup\n%1").arg(category->title),
                    isSmallScreen ? 60 : 70);
    // The meal's stored choices in this category are marked again; a stored
    // "other" amount shows its calories so a later save keeps it.
    for (int row = 0; row < model->rowCount(); ++row) {
        const FoodItemModel* food = model->food(row);
        const FoodItemModel* chosen = m_chosen.value(DayStore::chosenKey(categoryId, food->id));
        if (!chosen)
            continue;
        if (chosen->kind == FoodQuantity::other)
            model->setOtherText(row, FoodNumbers::calories(chosen->otherCal));
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
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this, categoryId] { m_results->categoryChanged(categoryId); });
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
        m_results->categoryChanged(categoryId);
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
    SpokenFigure::setText(m_ui->lblTotal, FoodNumbers::fixed(totals.calories, 0));
    SpokenFigure::setText(m_ui->lblCarbs, FoodNumbers::fixed(totals.nutrients.carbs, 1));
    SpokenFigure::setText(m_ui->lblFat, FoodNumbers::fixed(totals.nutrients.fat, 1));
    SpokenFigure::setText(m_ui->lblProtein, FoodNumbers::fixed(totals.nutrients.protein, 1));
    SpokenFigure::setText(m_ui->lblFiber, FoodNumbers::fixed(totals.nutrients.fiber, 1));
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
    m_search.rebuild(m_catalogue->categories());
    runSearch();
}

// ----- saving and restoring -----

void CqWndTracker::on_btnSave_clicked()
{
    // The open category and every category the search changed.
    QList<qint32> saving = m_unsaved.values();
    if (m_catalogue->category(m_openCategory) && !saving.contains(m_openCategory))
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
        return;
    showFigures(totals);
    for (const auto& [id, chosen] : std::as_const(blocks))
        buildBlock(id, chosen);
    restoreMeal();
    m_ui->scrollArea->verticalScrollBar()->setValue(0);
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
            food->otherCal = FoodNumbers::readFloat(model->otherText(row));
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
    SpokenFigure::setText(m_mealLabel, QString::number(totals.mealCalories));
    SpokenFigure::setText(m_remainingLabel, QString::number(totals.remaining));
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
        button->setToolTip(QStringLiteral("Right-click or press Delete to remove the category from the meal"));
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
        auto* amount = new QTableWidgetItem(FoodNumbers::calories(calories));
        amount->setTextAlignment(Qt::AlignCenter);
        amount->setFlags(Qt::ItemIsEnabled);
        amount->setData(FoodTableModel::markRole, food->id);
        table->setItem(row, 0, name);
        table->setItem(row, 1, amount);
        table->setRowHeight(row, blockRowHeight);
    }
    table->setColumnWidth(0, 800);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setFixedHeight(int(foods.size()) * blockRowHeight + 2);
    table->setVisible(button->isChecked());
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
    CqDlgRemoveCalory dialog(category ? category->title : button->text(), this);
    if (dialog.exec() != QDialog::Accepted)
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
        rowCalories.append(FoodNumbers::readFloat(table->item(row, 1)->text()));
    const DayStore::Totals totals = DayStore::removeCategory(
        m_meal, categoryId, rowCalories, FoodNumbers::readInt(m_mealLabel->text()), categoryIds());
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
    CqDlgRemoveCalory dialog(table->item(row, 0)->text(), this);
    if (dialog.exec() != QDialog::Accepted || row >= table->rowCount())
        return;
    // Read once the member has answered: a food named by the service
    // meanwhile shows its new id.
    const qint32 categoryId = table->item(row, 0)->data(FoodTableModel::markRole).toInt();
    const qint32 foodId = table->item(row, 1)->data(FoodTableModel::markRole).toInt();

    const QString key = DayStore::chosenKey(categoryId, foodId);
    const float rowCalories = FoodNumbers::readFloat(table->item(row, 1)->text());
    Nutrients share;
    if (const FoodItemModel* food = m_chosen.value(key))
        share = FoodNumbers::nutrientShare(*food, food->kind, rowCalories);
    m_chosen.remove(key);
    MealEntry removed;
    const DayStore::Totals totals =
        DayStore::removeFood(m_meal, categoryId, foodId, row, share, rowCalories,
                             FoodNumbers::readInt(m_mealLabel->text()), categoryIds(), &removed);
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
        CqDlgWarning warning(QStringLiteral("You didn\u2019t put in all values for carb, fat, protein and fiber. If "
                                            "you proceed, your total daily calories will be correct, but your total "
                                            "daily carb, fat, protein and fiber will be incorrect. "),
                             this);
        if (warning.exec() != QDialog::Accepted)
            return;
    }

    auto* food = new FoodItemModel(category);
    food->title = typed.title;
    food->cal = float(FoodNumbers::readInt(typed.cal));
    food->halfCal = food->cal * 0.5f;
    food->carbs = FoodNumbers::readFloat(typed.carbs);
    food->fat = FoodNumbers::readFloat(typed.fat);
    food->protein = FoodNumbers::readFloat(typed.protein);
    food->fiber = FoodNumbers::readFloat(typed.fiber);
    food->user_id = FoodNumbers::readInt(currentUserId);
    category->items.append(food);

    m_model->appendFood(food);
    const int row = m_model->rowCount() - 1;
    sizeRows(row, row);
    adjustTableHeight();
    m_search.rebuild(m_catalogue->categories());
    runSearch();

    auto* upload = new OwnFoodUpload(food, m_meal, category->id, this);
    connect(upload, &OwnFoodUpload::failed, this,
            [this] { showMessage(QStringLiteral("Uload failed")); });
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
    Legibility::darkFieldText(m_ui->edtSearch);
    m_ui->edtSearch->setMaxLength(100);
    // The box's own clear button is a tool button of its own for a screen reader.
    for (QToolButton* clear : m_ui->edtSearch->findChildren<QToolButton*>())
        clear->setAccessibleName(QStringLiteral("Clear search"));
    m_ui->edtSearch->installEventFilter(this);
    connect(m_ui->edtSearch, &QLineEdit::textChanged, this, &CqWndTracker::runSearch);

    m_results = new SearchResultsModel([this](qint32 category) { return choicesOf(category); }, this);
    m_resultsView = new QTableView(m_ui->widgetQuick);
    m_resultsView->setObjectName(QStringLiteral("tblSearch"));
    m_resultsView->setAccessibleName(QStringLiteral("Search results"));
    m_resultsView->setModel(m_results);
    m_resultsView->setItemDelegateForColumn(SearchResultsModel::Other, new OtherAmountDelegate(m_resultsView));
    m_resultsView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_resultsView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_resultsView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                                   | QAbstractItemView::EditKeyPressed);
    m_resultsView->verticalHeader()->hide();
    m_resultsView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_resultsView->verticalHeader()->setDefaultSectionSize(blockRowHeight);
    m_resultsView->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_resultsView->horizontalHeader()->setSectionResizeMode(SearchResultsModel::Name, QHeaderView::Stretch);
    m_resultsView->setWordWrap(false);
    m_resultsView->setFont(robotoFont(isSmallScreen ? 12 : 14));
    // The current row shows through a light veil, so a marked cell under it
    // still shows its mark.
    m_resultsView->setStyleSheet(QStringLiteral(
        "QTableView { selection-background-color: rgba(255,255,255,40); selection-color: white; }"));
    m_resultsView->installEventFilter(this);
    m_resultsView->hide();
    connect(m_resultsView, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() >= SearchResultsModel::HalfCup)
            pickResult(index.row(), index.column());
    });
    m_ui->vQuick->insertWidget(2, m_resultsView);

    m_copyMenu = new QMenu(m_ui->btnCopy);
    m_copyMenu->setObjectName(QStringLiteral("menuCopy"));
    m_copyMenu->setAccessibleName(QStringLiteral("Copy a meal"));
    connect(m_copyMenu, &QMenu::aboutToShow, this, &CqWndTracker::fillCopyMenu);
    m_ui->btnCopy->setMenu(m_copyMenu);
    // Nothing can be copied into a meal before its catalogue is there.
    m_ui->btnCopy->setEnabled(false);

    auto* save = new QShortcut(QKeySequence::Save, this);
    save->setContext(Qt::WidgetWithChildrenShortcut);
    connect(save, &QShortcut::activated, this, &CqWndTracker::on_btnSave_clicked);

    m_ui->hUnsaved->setStretch(0, 1);
    // As tall as their text: the panel gives no spare height to its lines.
    for (QLabel* label : {m_ui->lblSearchStatus, m_ui->lblUnsaved})
        label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    m_ui->widgetQuick->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    m_ui->btnQuickSave->setMinimumWidth(160);
    showUnsaved();
    runSearch();
}

void CqWndTracker::runSearch()
{
    if (!m_results)
        return;
    const QString text = m_ui->edtSearch->text();
    const QString keys = QStringLiteral("\u2191\u2193 move, Enter chooses half a cup, Shift+Enter a cup, "
                                        "Ctrl+S saves, Esc clears.");
    QString status;
    if (FoodSearch::words(text).isEmpty()) {
        m_results->setRows(m_recentRows, true);
        m_resultsView->setAccessibleName(QStringLiteral("Recent foods"));
        status = m_recentRows.isEmpty()
            ? QStringLiteral("Type part of a food's name to find it in every category.")
            : QStringLiteral("Recently at %1; \u201CLast time\u201D adds the same amount. %2")
                  .arg(mealName(m_meal).toLower(), keys);
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
        m_resultsView->setAccessibleName(QStringLiteral("Search results"));
        if (hits.isEmpty())
            status = QStringLiteral("No food matches \u201C%1\u201D.").arg(text.trimmed());
        else if (more)
            status = QStringLiteral("The first %1 foods found. %2").arg(hits.size()).arg(keys);
        else
            status = (hits.size() == 1 ? QStringLiteral("1 food found. %2")
                                       : QStringLiteral("%1 foods found. %2").arg(hits.size()))
                         .arg(keys);
    }
    m_ui->lblSearchStatus->setText(status);
    m_ui->lblSearchStatus->setAccessibleName(status);
    if (m_results->rowCount() > 0)
        m_resultsView->setCurrentIndex(m_results->index(0, SearchResultsModel::Name));
    fitResults();
}

void CqWndTracker::fitResults()
{
    const int rows = m_results->rowCount();
    m_resultsView->setVisible(rows > 0);
    if (rows == 0)
        return;
    QHeaderView* header = m_resultsView->horizontalHeader();
    const QFontMetrics metrics(m_resultsView->font());
    for (int column = SearchResultsModel::Category; column < m_results->columnCount(); ++column) {
        int width = metrics.horizontalAdvance(m_results->headerData(column, Qt::Horizontal).toString()) + 40;
        if (column == SearchResultsModel::Category || column == SearchResultsModel::LastTime) {
            for (int row = 0; row < rows; ++row)
                width = std::max(width, metrics.horizontalAdvance(
                                            m_results->index(row, column).data().toString()) + 32);
        }
        header->resizeSection(column, std::min(width, 320));
    }
    const int shown = std::min(rows, quickRowsShown());
    m_resultsView->setFixedHeight(header->sizeHint().height() + shown * blockRowHeight + 2);
    // What was found is in sight, under the box, once the panel is laid out.
    if (!m_ui->edtSearch->text().isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            if (!m_resultsView->isVisible())
                return;
            // The list's new height first reaches the scroll area's range.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            // Its whole height (ensureWidgetVisible would settle for the
            // current row).
            const QPoint bottom =
                m_resultsView->mapTo(m_ui->scrollAreaWidgetContents, QPoint(0, m_resultsView->height()));
            m_ui->scrollArea->ensureVisible(bottom.x(), bottom.y(), 0, 8);
        });
    }
}

void CqWndTracker::loadRecent()
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

void CqWndTracker::pickResult(int row, int column)
{
    const SearchResultsModel::Row* shown = m_results->row(row);
    const int at = m_results->tableRow(row);
    if (!shown || at < 0)
        return;
    const qint32 categoryId = shown->category;
    FoodTableModel* model = choicesOf(categoryId);
    if (column == SearchResultsModel::LastTime) {
        // The same amount as last time, whatever is marked now.
        if (shown->lastKind == FoodQuantity::other) {
            model->setOtherText(at, FoodNumbers::calories(shown->lastCalories));
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
    if (categoryId == m_openCategory)
        refreshTotals();
    markUnsaved(categoryId);

    const FoodItemModel* food = model->food(at);
    const int kind = model->chosenKind(at);
    const QString said = kind < 0
        ? QStringLiteral("%1: not chosen.").arg(food->title)
        : QStringLiteral("%1: %2 chosen. Ctrl+S saves.")
              .arg(food->title,
                   SearchResultsModel::amountText(kind, FoodNumbers::readFloat(model->otherText(at))));
    m_ui->lblSearchStatus->setText(said);
    m_ui->lblSearchStatus->setAccessibleName(said);
}

void CqWndTracker::moveResult(int step)
{
    const int rows = m_results->rowCount();
    if (rows == 0)
        return;
    const int current = m_resultsView->currentIndex().isValid() ? m_resultsView->currentIndex().row() : -1;
    const int row = std::clamp(current + step, 0, rows - 1);
    m_resultsView->setCurrentIndex(m_results->index(row, SearchResultsModel::Name));
    m_resultsView->scrollTo(m_results->index(row, SearchResultsModel::Name));
}

void CqWndTracker::clearSearch()
{
    m_ui->edtSearch->clear();
    m_ui->edtSearch->setFocus();
}

void CqWndTracker::fillCopyMenu()
{
    m_copyMenu->clear();
    auto addSource = [this](const QString& title, const MealCopy::Meal& source) {
        QMenu* menu = m_copyMenu->addMenu(title);
        menu->setObjectName(QStringLiteral("menuCopy_%1").arg(m_copyMenu->actions().size()));
        if (source.isEmpty()) {
            menu->menuAction()->setText(QStringLiteral("%1 (no food)").arg(title));
            menu->menuAction()->setEnabled(false);
            return;
        }
        menu->addAction(QStringLiteral("Replace this meal with it"), this,
                        [this, source, title] { copyMeal(source, MealCopy::Mode::Replace, title); });
        menu->addAction(QStringLiteral("Add it to this meal"), this,
                        [this, source, title] { copyMeal(source, MealCopy::Mode::Add, title); });
    };
    addSource(QStringLiteral("Yesterday's %1").arg(mealName(m_meal)),
              archivedMeal(DayClock::today().addDays(-1), m_meal));
    m_copyMenu->addSeparator();
    for (int meal = 0; meal < Meals::count; ++meal) {
        if (meal != m_meal)
            addSource(QStringLiteral("Today's %1").arg(mealName(meal)), todaysMeal(meal));
    }
}

MealCopy::Meal CqWndTracker::todaysMeal(int meal) const
{
    MealCopy::Meal copied;
    for (qint32 id : categoryIds()) {
        MealCopy::Category category;
        category.entries = DayStore::entries(meal, id);
        if (category.entries.isEmpty())
            continue;
        DayStore::categoryNutrients(meal, id, &category.nutrients);
        copied.insert(id, category);
    }
    return copied;
}

MealCopy::Meal CqWndTracker::archivedMeal(const QDate& date, int meal)
{
    MealCopy::Meal copied;
    const std::optional<ArchivedDay> day = DayArchive::day(date);
    if (!day)
        return copied;
    for (qint32 id : day->categories(meal))
        copied.insert(id, {day->entries(meal, id), day->categoryNutrients(meal, id)});
    return copied;
}

void CqWndTracker::copyMeal(const MealCopy::Meal& source, MealCopy::Mode mode, const QString& from)
{
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
        showMessage(QStringLiteral("%1 holds no food the food list still has.").arg(from));
        return;
    }
    const SettingsStore::Batch batch;
    const MealCopy::Meal merged = MealCopy::merge(todaysMeal(m_meal), listed, mode);
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
    runSearch();
    QString told = mode == MealCopy::Mode::Replace ? QStringLiteral("This meal now holds %1.").arg(from)
                                                   : QStringLiteral("%1 added to this meal.").arg(from);
    if (left > 0)
        told += QStringLiteral(" %1 food(s) of categories no longer listed stayed behind.").arg(left);
    showMessage(told);
}

void CqWndTracker::startNewDay()
{
    // Choices not saved belonged to the day that ended.
    m_unsaved.clear();
    showUnsaved();
    restoreMeal();
    SpokenFigure::setText(m_targetLabel, QString::number(totalCalories));
    showFigures({DayStore::mealCalories(m_meal), DayStore::remainingCalories()});
    if (m_catalogue->category(m_openCategory))
        fillFoodTable();
    loadRecent();
    runSearch();
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
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == m_ui->edtSearch || watched == m_resultsView) {
        if (key == Qt::Key_Escape && !m_ui->edtSearch->text().isEmpty()) {
            clearSearch();
            return true;
        }
        if (watched == m_ui->edtSearch && (key == Qt::Key_Down || key == Qt::Key_Up)) {
            moveResult(key == Qt::Key_Down ? 1 : -1);
            return true;
        }
        const QModelIndex current = m_resultsView->currentIndex();
        if (enter && m_results->rowCount() > 0) {
            const int row = current.isValid() ? current.row() : 0;
            pickResult(row, keyEvent->modifiers().testFlag(Qt::ShiftModifier) ? SearchResultsModel::Cup
                                                                               : SearchResultsModel::HalfCup);
            if (watched == m_ui->edtSearch)
                m_ui->edtSearch->selectAll();
            return true;
        }
        if (watched == m_resultsView && key == Qt::Key_Space && current.isValid()) {
            pickResult(current.row(), current.column());
            return true;
        }
        return false;
    }
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
