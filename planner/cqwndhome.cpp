#include "planner/cqwndhome.h"

#include "app/accountstate.h"
#include "app/server.h"
#include "app/utils.h"
#include "exercise/exercisestore.h"
#include "main/mainwindow.h"
#include "main/windowplacement.h"
#include "planner/cqdlgdailygrade.h"
#include "planner/cqdlgdailyscore.h"
#include "planner/dailyscore.h"
#include "planner/samplelists.h"
#include "reminders/remindercentre.h"
#include "tracker/cqwndtotalcalories.h"
#include "tracker/dayclock.h"
#include "tracker/foodnumbers.h"
#include "tracker/daystore.h"
#include "tracker/legibility.h"
#include "tracker/meals.h"
#include "tracker/spokenfigure.h"
#include "ui_cqwndhome.h"
#include "widgets/mywidget.h"
#include "widgets/qtmaterialflatbutton.h"
#include "widgets/qtmaterialiconbutton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace {

const QColor titleColour(43, 42, 61);
const QColor valueColour(59, 58, 85);
const QColor arrowColour(QStringLiteral("#f5a415"));
// A light red: 5:1 on the title colour, where pure red reads at 3.5:1.
const QColor tooLargeTitleColour(QStringLiteral("#ff6b6b"));
const QString headerStyle = QStringLiteral("background-color: rgba(59,58,85,200);");

QFont rowFont()
{
    return QFont(QStringLiteral("Roboto"), isSmallScreen ? 14 : 16);
}

} // namespace

CqWndHome::CqWndHome(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::CqWndHome)
    , m_server(new Server(this))
{
    m_ui->setupUi(this);
    connect(m_server, SIGNAL(sig_net_sampleList(QString,int)), this, SLOT(slt_net_samplelist(QString,int)));

    buildRows();
    Legibility::titleOnScrim(m_ui->lblTitle, m_ui->titleLayout);
    // The title takes the row's free width and wraps there: some languages
    // need two lines for it on a small screen.
    m_ui->titleLayout->setAlignment(m_ui->lblTitle, {});
    m_ui->titleLayout->setStretch(1, 1);
    m_ui->lblTitle->setWordWrap(true);
    // Room around the button's text for its focus frame, however long the title.
    m_ui->btnWeight->setMinimumWidth(m_ui->btnWeight->sizeHint().width() + 24);

    SampleLists::clear();
    QUrlQuery fields;
    for (int meal = 0; meal < Meals::count; ++meal) {
        fields.clear();
        fields.addQueryItem(QStringLiteral("table_name"), Meals::sampleTable(meal));
        m_server->request(Server::endpointIndex(QStringLiteral("getSampleList")), fields, meal);
    }

    Utils* utils = Utils::instance();
    utils->loadTotalCalories();
    utils->loadRemainCalories();
    if (totalCalories == 0)
        openFirstUseTarget();
    refresh();
}

CqWndHome::~CqWndHome()
{
    delete m_ui;
}

QColor CqWndHome::tooLargeColour()
{
    return tooLargeTitleColour;
}

void CqWndHome::openFirstUseTarget()
{
    // Its own top-level window: it deletes itself when the member closes it.
    auto* target = new CqWndTotalCalories(true, nullptr);
    target->setAttribute(Qt::WA_DeleteOnClose);
    WindowPlacement::keepOver(target, this);
    connect(target, &CqWndTotalCalories::sig_updated_totalcalories, this, &CqWndHome::slt_totalCalories_updated);
    target->showMaximized();
}

void CqWndHome::buildRows()
{
    Utils::instance()->setBackground(m_ui->widBackground, 0);

    auto* rows = new QVBoxLayout(m_ui->widget);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(6);
    rows->addWidget(headerRow(tr("TOTAL ASSIGNED CALORIES"), tr("Total assigned calories"),
                              QStringLiteral("lblTarget"), &CqWndHome::sig_totalCalories_updated));
    rows->addWidget(headerRow(tr("REMAINING DAILY CALORIES"), tr("Remaining daily calories"),
                              QStringLiteral("lblRemaining"), &CqWndHome::sig_remainCalories_updated));
    rows->addWidget(headerRow(tr("EXERCISE CALORIES BURNED"), tr("Exercise calories burned"),
                              QStringLiteral("lblExercise"), &CqWndHome::sig_exercise_updated,
                              &m_exerciseCaption));
    rows->addWidget(headerRow(tr("REMAINING WITH EXERCISE"), tr("Remaining calories with exercise"),
                              QStringLiteral("lblRemainingWithExercise"),
                              &CqWndHome::sig_remainWithExercise_updated));
    rows->addSpacing(16);

    for (int meal = 0; meal < Meals::count; ++meal) {
        const QString name = QStringLiteral("widget_%1").arg(meal);
        auto* row = new MyWidget;
        row->setObjectName(name);
        row->setAccessibleName(Meals::plannerLabel(meal));
        row->setCursor(Qt::PointingHandCursor);
        connect(row, &MyWidget::clicked, this, &CqWndHome::widgetClicked);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);

        const QString label = Meals::plannerLabel(meal);
        m_mealTitleButtons[meal] = rowButton(label, titleColour, name);
        m_mealStars[meal] = iconButton(QStringLiteral(":/main/assets/star.png"), name,
                                       //: %1 is a meal's row ("Total Lunch Calories")
                                       tr("%1 within its share of the day").arg(label));
        m_mealStars[meal]->hide();
        m_mealValueButtons[meal] = rowButton(QStringLiteral("0"), valueColour, name);
        SpokenFigure::setCaption(m_mealValueButtons[meal], label);
        QtMaterialIconButton* arrow =
            iconButton(QStringLiteral(":/main/assets/right_arrow.png"), name,
                       //: Opens the tracker of a meal; %1 is its row ("Total Lunch Calories")
                       tr("Track %1").arg(label));
        arrow->setColor(arrowColour);

        layout->addWidget(m_mealTitleButtons[meal], 6);
        layout->addWidget(m_mealStars[meal]);
        layout->addWidget(m_mealValueButtons[meal], 2);
        layout->addWidget(arrow);
        rows->addWidget(row);
    }

    rows->addSpacing(16);
    addSummaryRow(QStringLiteral("dailyscore"), tr("Daily Score"), m_scoreValue);
    addSummaryRow(QStringLiteral("dailygrade"), tr("Daily Grade"), m_gradeValue);
    rows->addStretch(1);
}

QWidget* CqWndHome::headerRow(const QString& caption, const QString& spoken, const QString& name,
                              void (CqWndHome::*update)(QString), QLabel** captionLabel)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* label = new QLabel(caption);
    // A long caption wraps rather than widening the page.
    label->setWordWrap(true);
    label->setFont(QFont(QStringLiteral("Roboto"), 16, QFont::Medium));
    label->setStyleSheet(QStringLiteral("padding-left:20px; padding:10px; color: rgb(255, 255, 255); ") + headerStyle);
    auto* value = new QLabel(QStringLiteral("0"));
    value->setAlignment(Qt::AlignCenter);
    value->setFont(QFont(QStringLiteral("Roboto"), 16, QFont::Medium));
    value->setStyleSheet(QStringLiteral("padding:10px; color: rgb(255, 255, 255); ") + headerStyle);
    value->setObjectName(name);
    SpokenFigure::setCaption(value, spoken);
    connect(this, update, value,
            [value](const QString& text) { SpokenFigure::setText(value, text); });
    layout->addWidget(label, 9);
    layout->addWidget(value, 1);
    if (captionLabel)
        *captionLabel = label;
    return row;
}

QtMaterialFlatButton* CqWndHome::rowButton(const QString& text, const QColor& background, const QString& name)
{
    auto* button = new QtMaterialFlatButton(text);
    button->setObjectName(name);
    button->setBackgroundMode(Qt::OpaqueMode);
    button->setBackgroundColor(background);
    button->setForegroundColor(Qt::white);
    button->setFont(rowFont());
    button->setMinimumHeight(56);
    button->setCursor(Qt::PointingHandCursor);
    connect(button, &QPushButton::clicked, this, &CqWndHome::widgetClicked);
    return button;
}

QtMaterialIconButton* CqWndHome::iconButton(const QString& picture, const QString& name, const QString& accessibleName)
{
    auto* button = new QtMaterialIconButton(QIcon(picture));
    button->setObjectName(name);
    button->setIconSize(QSize(40, 40));
    button->setAccessibleName(accessibleName);
    button->setCursor(Qt::PointingHandCursor);
    connect(button, &QPushButton::clicked, this, &CqWndHome::widgetClicked);
    return button;
}

void CqWndHome::addSummaryRow(const QString& name, const QString& caption, QtMaterialFlatButton*& value)
{
    auto* row = new MyWidget;
    row->setObjectName(name);
    row->setAccessibleName(caption);
    row->setCursor(Qt::PointingHandCursor);
    connect(row, &MyWidget::clicked, this, &CqWndHome::widgetClicked);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    value = rowButton(QString(), valueColour, name);
    SpokenFigure::setCaption(value, caption);
    QtMaterialIconButton* arrow = iconButton(QStringLiteral(":/main/assets/right_arrow.png"), name, caption);
    arrow->setColor(arrowColour);
    layout->addWidget(rowButton(caption, titleColour, name), 6);
    layout->addWidget(value, 2);
    layout->addWidget(arrow);
    m_ui->widget->layout()->addWidget(row);
}

void CqWndHome::on_btnSetting_clicked()
{
    MainWindow::instance()->showSettings();
}

void CqWndHome::on_btnWeight_clicked()
{
    MainWindow::instance()->showWeight();
}

void CqWndHome::widgetClicked()
{
    const QObject* source = sender();
    if (!source)
        return;
    const QString name = source->objectName();
    if (name == QLatin1String("dailyscore")) {
        CqDlgDailyScore dialog(nullptr);
        WindowPlacement::keepOver(&dialog, this);
        dialog.exec();
        return;
    }
    if (name == QLatin1String("dailygrade")) {
        CqDlgDailyGrade dialog(nullptr);
        WindowPlacement::keepOver(&dialog, this);
        dialog.exec();
        return;
    }
    bool ok = false;
    const int meal = name.section(u'_', 1, 1).toInt(&ok, 10);
    if (ok && Meals::isValid(meal))
        MainWindow::instance()->showTracker(meal);
}

void CqWndHome::slt_totalCalories_updated()
{
    emit sig_totalCalories_updated(FoodNumbers::shownWhole(totalCalories));
    emit sig_remainCalories_updated(FoodNumbers::shownWhole(remainCalories));
    showExercise();
}

void CqWndHome::showExercise()
{
    // The day the stored meals belong to; today while the store has none.
    const QDate stored = DayClock::storeDate();
    const QDate day = stored.isValid() ? stored : DayClock::today();
    const ExerciseCalories::Share share = ExerciseStore::share();
    const int burned = ExerciseStore::burned(day);
    m_exerciseCaption->setText(share == ExerciseCalories::Share::All
                                   ? tr("EXERCISE CALORIES BURNED (ALL COUNT)")
                               : share == ExerciseCalories::Share::Half
                                   ? tr("EXERCISE CALORIES BURNED (HALF COUNTS)")
                                   : tr("EXERCISE CALORIES BURNED (NONE COUNT)"));
    emit sig_exercise_updated(FoodNumbers::shownWhole(burned));
    emit sig_remainWithExercise_updated(
        FoodNumbers::shownWhole(qint64(remainCalories) + ExerciseCalories::counted(burned, share)));
}

void CqWndHome::slt_net_samplelist(QString reply, int meal)
{
    SampleLists::appendReply(meal, reply);
}

void CqWndHome::refresh()
{
    if (totalCalories == 0)
        return;
    slt_totalCalories_updated();
    ReminderCentre::offerOnce(this);

    DailyScore::Day day;
    day.target = totalCalories;
    day.remaining = remainCalories;
    for (int meal = 0; meal < Meals::count; ++meal)
        day.mealCalories[meal] = DayStore::mealCalories(meal);
    const std::optional<DailyScore::Result> result = DailyScore::evaluate(day);
    if (!result)
        return;

    SpokenFigure::setText(m_scoreValue, result->scoreText);
    if (result->grade)
        SpokenFigure::setText(m_gradeValue, *result->grade);
    for (int meal = 0; meal < Meals::count; ++meal) {
        SpokenFigure::setText(m_mealValueButtons[meal], FoodNumbers::shownWhole(day.mealCalories[meal]));
        m_mealTitleButtons[meal]->setForegroundColor(result->tooLarge[meal] ? tooLargeColour()
                                                                            : QColor(Qt::white));
        m_mealStars[meal]->setVisible(result->stars[meal]);
    }
}
