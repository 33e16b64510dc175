#include "main/cqwndhistorydetails.h"

#include "app/server.h"
#include "app/utils.h"
#include "main/historydetailsreply.h"
#include "main/historymodel.h"
#include "main/mainwindow.h"
#include "main/replydeadline.h"
#include "ui_cqwndhistorydetails.h"
#include "widgets/mywidget.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QUrlQuery>

namespace {

constexpr int rowHeight = 50;

const QString nameStyle = QStringLiteral("color: rgb(255, 255, 255);\npadding-left:30px;");
const QString pickedStyle = QStringLiteral("color: yellow;padding-left:30px;");

QString wholeNumber(const QString& text)
{
    return QLocale().toString(HistoryModel::figure(text), 'f', 0);
}

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

QString oneDecimal(float value)
{
    return QLocale().toString(double(value), 'f', 1);
}

} // namespace

CqWndHistoryDetails::CqWndHistoryDetails(HistoryModel* record, QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::CqWndHistoryDetails)
    , m_record(record)
    , m_server(new Server(this))
    , m_deadline(new ReplyDeadline(this))
{
    m_ui->setupUi(this);
    Utils::instance()->setBackground(m_ui->scrollAreaWidgetContents, 0);
    connectServer();
    // A reply that still comes after the deadline is shown; the error that
    // ends its wait later is the same failure and is not told again.
    connect(m_deadline, &ReplyDeadline::expired, this, &CqWndHistoryDetails::reportFailure);

    m_entries = {
        {m_ui->lblBreak, m_ui->lblBreakCheck, QStringLiteral("breakfast"), tr("Breakfast")},
        {m_ui->lblFirst, m_ui->lblFirstCheck, QStringLiteral("firstsnack"), tr("First Snack")},
        {m_ui->lblLunch, m_ui->lblLunchCheck, QStringLiteral("lunch"), tr("Lunch")},
        {m_ui->lblSecond, m_ui->lblSecondCheck, QStringLiteral("secondsnack"), tr("Second Snack")},
        {m_ui->lblDinner, m_ui->lblDinnerCheck, QStringLiteral("dinner"), tr("Dinner")},
        {m_ui->lblThird, m_ui->lblThirdCheck, QStringLiteral("thirdsnack"), tr("Third Snack")},
    };

    showSummary();

    QtMaterialFlatButton* category = m_ui->btnCategory;
    category->setIcon(QIcon(QStringLiteral(":/main/assets/collpase.png")));
    category->setIconSize(QSize(40, 40));
    category->setCheckable(true);
    category->setChecked(false);
    category->setFont(QFont(QStringLiteral("Arial"), 20, QFont::Bold));
    category->setForegroundColor(Qt::white);
    category->setBackgroundMode(Qt::OpaqueMode);
    category->setBackgroundColor(QColor(QStringLiteral("#505067")));
    category->setAccessibleName(tr("View each meal"));

    // One style sheet for every group: dozens of groups with their own would
    // each be parsed and polished on their own.
    m_ui->widgetDetails->setStyleSheet(QStringLiteral(
        "QPushButton { color: white;background-color: #4a3d59; }"
        "MyWidget { background-color: #353855; }"
        "MyWidget QLabel { color:white; background: transparent; }"
        "QTableWidget{border:1px solid black; background-color: rgba(59,58,85,200);  color:white; }"
        "QToolTip { border: 1px solid white; background-color:#445E66;color:white;font: 16pt 'Arial';}"));

    m_ui->widgetCategory->hide();
    resetPicker();
    hideAllGroups();
}

CqWndHistoryDetails::~CqWndHistoryDetails()
{
    delete m_ui;
}

void CqWndHistoryDetails::connectServer()
{
    connect(m_server, SIGNAL(sig_net_historydetails(QString)), this, SLOT(slt_net_historydetails(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
}

void CqWndHistoryDetails::reportFailure()
{
    if (m_failureShown)
        return;
    m_failureShown = true;
    MainWindow::instance()->showMessage(tr("The history could not be loaded."));
}

void CqWndHistoryDetails::showSummary()
{
    if (!m_record)
        return;
    m_ui->lblDate->setText(m_record->dateText());
    m_ui->lblTotal->setText(wholeNumber(m_record->total));
    m_ui->lblRemain->setText(wholeNumber(m_record->remain));
    m_ui->lblScore->setText(wholeNumber(m_record->score));
    m_ui->lblGrade->setText(m_record->grade);
    m_ui->lblBreakScore->setText(wholeNumber(m_record->breakfast));
    m_ui->lblFirstScore->setText(wholeNumber(m_record->firstsnack));
    m_ui->lblLunchScore->setText(wholeNumber(m_record->lunch));
    m_ui->lblSecondScore->setText(wholeNumber(m_record->secondsnack));
    m_ui->lblDinnerScore->setText(wholeNumber(m_record->dinner));
    m_ui->lblThirdScore->setText(wholeNumber(m_record->thirdsnack));
}

QList<int> CqWndHistoryDetails::columnWidths(int width)
{
    const int unit = width / 15;
    return {unit * 5 - 18, unit * 2, unit * 2, unit * 2, unit * 2};
}

void CqWndHistoryDetails::on_btnBack_clicked()
{
    MainWindow::instance()->showHistory();
}

void CqWndHistoryDetails::on_btnHome_clicked()
{
    MainWindow::instance()->goHome(true);
}

void CqWndHistoryDetails::on_btnCategory_clicked()
{
    foldPicker();
}

void CqWndHistoryDetails::foldPicker()
{
    const bool open = m_ui->btnCategory->isChecked();
    m_ui->btnCategory->setIcon(
        QIcon(open ? QStringLiteral(":/main/assets/expand.png") : QStringLiteral(":/main/assets/collpase.png")));
    m_ui->widgetCategory->setVisible(open);
}

void CqWndHistoryDetails::resetPicker()
{
    for (const Entry& entry : std::as_const(m_entries)) {
        entry.name->setStyleSheet(nameStyle);
        entry.check->hide();
    }
}

void CqWndHistoryDetails::pickMeal(int index)
{
    const Entry& entry = m_entries.at(index);
    resetPicker();
    entry.name->setStyleSheet(pickedStyle);
    entry.check->show();
    m_ui->btnCategory->setChecked(!m_ui->btnCategory->isChecked());
    m_ui->btnCategory->setText(entry.buttonText);
    foldPicker();

    if (!m_record)
        return;
    if (m_requestOut) {
        // The earlier meal's reply is no longer wanted: it goes with its Server.
        m_server->disconnect(this);
        m_server->deleteLater();
        m_server = new Server(this);
        connectServer();
    }
    m_meal = entry.mealType;
    m_requestOut = true;
    m_failureShown = false;
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("history_id"), QString::number(m_record->id));
    fields.addQueryItem(QStringLiteral("meal_type"), entry.mealType);
    m_deadline->start();
    m_server->request(Server::endpointIndex(QStringLiteral("getHistoryDetail")), fields);
}

void CqWndHistoryDetails::on_widgetCategoryBreak_clicked() { pickMeal(0); }
void CqWndHistoryDetails::on_widgetCategoryFirst_clicked() { pickMeal(1); }
void CqWndHistoryDetails::on_widgetCategoryLunch_clicked() { pickMeal(2); }
void CqWndHistoryDetails::on_widgetCategorySecond_clicked() { pickMeal(3); }
void CqWndHistoryDetails::on_widgetCategoryDinner_clicked() { pickMeal(4); }
void CqWndHistoryDetails::on_widgetCategoryThird_clicked() { pickMeal(5); }

void CqWndHistoryDetails::slt_net_error(QString message)
{
    Q_UNUSED(message)
    if (!m_requestOut)
        return;
    m_requestOut = false;
    m_deadline->stop();
    reportFailure();
}

void CqWndHistoryDetails::slt_net_historydetails(QString reply)
{
    m_requestOut = false;
    m_deadline->stop();
    const std::optional<FoodGroups> groups = HistoryDetailsReply::parse(reply);
    if (!groups) {
        // The groups on show stay as they are.
        reportFailure();
        return;
    }
    hideAllGroups();
    m_ui->widgetDetails->setUpdatesEnabled(false);
    for (const auto& group : *groups)
        showGroup(*group);
    showExercise(HistoryDetailsReply::exercise(reply));
    m_ui->widgetDetails->setUpdatesEnabled(true);
}

void CqWndHistoryDetails::showExercise(const QList<HistoryDetailsReply::ExerciseDone>& done)
{
    if (!m_exercise) {
        m_exercise = new QLabel(m_ui->widgetDetails);
        m_exercise->setObjectName(QStringLiteral("lblExercise"));
        m_exercise->setWordWrap(true);
        m_exercise->setFont(QFont(QStringLiteral("Arial"), 16));
        m_exercise->setStyleSheet(QStringLiteral("color: white; background-color: #353855; padding: 8px;"));
    }
    // Last, under the meal's foods: the day's exercise comes with every meal.
    m_ui->vDetails->removeWidget(m_exercise);
    m_ui->vDetails->addWidget(m_exercise);
    if (done.isEmpty()) {
        m_exercise->hide();
        return;
    }
    const QLocale locale;
    QStringList lines{tr("Exercise that day:")};
    for (const HistoryDetailsReply::ExerciseDone& activity : done)
        lines.append(tr("%1: %2 minutes, %3 kcal")
                         .arg(activity.name, locale.toString(activity.minutes),
                              locale.toString(activity.calories, 'f', 0)));
    m_exercise->setText(lines.join(QLatin1Char('\n')));
    m_exercise->setAccessibleName(lines.join(QLatin1Char(' ')));
    m_exercise->show();
}

void CqWndHistoryDetails::hideAllGroups()
{
    for (QPushButton* button : std::as_const(m_groupButtons))
        button->hide();
    for (MyWidget* header : std::as_const(m_groupHeaders))
        header->hide();
    for (QTableWidget* table : std::as_const(m_groupTables))
        table->hide();
}

void CqWndHistoryDetails::showGroup(const FoodModel& model)
{
    const std::pair<QString, qint32> key(m_meal, model.id);
    if (QPushButton* button = m_groupButtons.value(key)) {
        // Built by an earlier reply for this meal: shown again with its
        // earlier rows.
        button->show();
        m_groupHeaders.value(button)->show();
        m_groupTables.value(button)->hide();
        button->setChecked(false);
        return;
    }

    auto* button = new QPushButton(model.title);
    button->setObjectName(QStringLiteral("group_%1_%2").arg(m_meal).arg(model.id));
    button->setCheckable(true);
    button->setChecked(false);
    button->setFont(QFont(QStringLiteral("Arial"), 14, QFont::Bold));
    button->setFixedHeight(60);
    button->setCursor(Qt::PointingHandCursor);
    m_groupButtons.insert(key, button);

    auto* header = new MyWidget;
    header->setFixedHeight(50);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(0, 0, 0, 0);
    headerLayout->setSpacing(0);
    //: Column captions of a meal's foods: name, calories and grams of each nutrient.
    const QStringList captions{tr("FoodName"), tr("Cal"),     tr("Carbs"),
                               tr("Fat"),      tr("Protein"), tr("Fiber")};
    for (int column = 0; column < captions.size(); ++column) {
        auto* caption = new QLabel(captions.at(column));
        caption->setFont(QFont(QStringLiteral("Arial"), 13, QFont::Bold));
        caption->setAlignment(Qt::AlignCenter);
        headerLayout->addWidget(caption, column == 0 ? 5 : 2);
    }
    m_groupHeaders.insert(button, header);

    QTableWidget* table = buildTable(model);
    m_groupTables.insert(button, table);

    m_ui->vDetails->addWidget(button);
    m_ui->vDetails->addWidget(header);
    m_ui->vDetails->addWidget(table);
    connect(button, &QPushButton::clicked, table, &QTableWidget::setVisible);
}

QTableWidget* CqWndHistoryDetails::buildTable(const FoodModel& model)
{
    auto* table = new QTableWidget(int(model.items.size()), 6);
    table->setFont(QFont(QStringLiteral("Arial"), 12));
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setAccessibleName(model.title);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    table->horizontalHeader()->setStretchLastSection(true);
    applyColumnWidths(table);

    for (int row = 0; row < model.items.size(); ++row) {
        const FoodItemModel* food = model.items.at(row);
        table->setItem(row, 0, cell(food->title));
        table->setItem(row, 1, cell(oneDecimal(food->cal)));
        table->setItem(row, 2, cell(oneDecimal(food->carbs)));
        table->setItem(row, 3, cell(oneDecimal(food->fat)));
        table->setItem(row, 4, cell(oneDecimal(food->protein)));
        table->setItem(row, 5, cell(oneDecimal(food->fiber)));
    }
    table->setFixedHeight(int(model.items.size()) * rowHeight + 2);
    table->hide();
    return table;
}

void CqWndHistoryDetails::applyColumnWidths(QTableWidget* table) const
{
    const QList<int> widths = columnWidths(width());
    for (int column = 0; column < widths.size(); ++column)
        table->setColumnWidth(column, widths.at(column));
}

void CqWndHistoryDetails::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The columns keep their share of the window as it changes size.
    for (QTableWidget* table : std::as_const(m_groupTables))
        applyColumnWidths(table);
}
