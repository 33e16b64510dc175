#include "exercise/cqwndexercise.h"

#include "exercise/activitycatalogue.h"
#include "exercise/activitylistmodel.h"
#include "exercise/bodyweight.h"
#include "exercise/exercisecalories.h"
#include "exercise/exercisechanges.h"
#include "exercise/exercisedays.h"
#include "exercise/exercisestore.h"
#include "exercise/memberbodyweight.h"
#include "main/mainwindow.h"
#include "tracker/dayclock.h"
#include "ui_cqwndexercise.h"

#include <QButtonGroup>
#include <QHeaderView>
#include <QLocale>

using ExerciseCalories::Share;

namespace {

// A number as the member typed it: the locale's decimal mark or a point.
std::optional<double> parsedNumber(const QString& text)
{
    bool ok = false;
    double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

} // namespace

CqWndExercise::CqWndExercise(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::CqWndExercise)
    , m_model(new ActivityListModel(this))
    , m_bodyWeight(new MemberBodyWeight(this))
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground, true);
    m_ui->lstActivities->setModel(m_model);
    m_ui->tblEntries->setColumnCount(3);
    m_ui->tblEntries->setHorizontalHeaderLabels({tr("Activity"), tr("Minutes"), tr("Calories")});
    m_ui->tblEntries->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_ui->tblEntries->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_ui->tblEntries->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_ui->tblEntries->verticalHeader()->hide();
    m_ui->btnCancelEdit->hide();

    auto* shares = new QButtonGroup(this);
    shares->addButton(m_ui->rdoAll, int(Share::All));
    shares->addButton(m_ui->rdoHalf, int(Share::Half));
    shares->addButton(m_ui->rdoNone, int(Share::None));
    shares->button(int(ExerciseStore::share()))->setChecked(true);
    connect(shares, &QButtonGroup::idClicked, this, [this](int id) {
        ExerciseStore::setShare(Share(id));
        showDay();
    });
    connect(m_ui->cmbDay, &QComboBox::activated, this, [this](int index) {
        chooseDay(m_ui->cmbDay->itemData(index).toDate());
    });
    connect(m_bodyWeight, &MemberBodyWeight::changed, this,
            [this] { setWeightEntries(m_bodyWeight->entries()); });

    connect(m_ui->edtSearch, &QLineEdit::textChanged, this, &CqWndExercise::search);
    connect(m_ui->edtSearch, &QLineEdit::returnPressed, this, &CqWndExercise::on_btnLog_clicked);
    connect(m_ui->lstActivities->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CqWndExercise::showBurned);
    connect(m_ui->lstActivities, &QAbstractItemView::activated, this,
            &CqWndExercise::on_btnLog_clicked);
    connect(m_ui->spnMinutes, &QSpinBox::valueChanged, this, &CqWndExercise::showBurned);
    connect(m_ui->edtBodyWeight, &QLineEdit::textEdited, this, [this] {
        m_weightFromTrend = false;
        showBurned();
    });
    connect(m_ui->tblEntries, &QTableWidget::itemSelectionChanged, this,
            &CqWndExercise::updateButtons);
    connect(m_ui->tblEntries, &QTableWidget::cellDoubleClicked, this,
            &CqWndExercise::on_btnEdit_clicked);
    connect(m_ui->edtOwnCalories, &QLineEdit::returnPressed, this,
            &CqWndExercise::on_btnAddOwn_clicked);

    setWeightEntries(m_bodyWeight->entries());
    refresh();
}

CqWndExercise::~CqWndExercise()
{
    delete m_ui;
}

void CqWndExercise::setWeightEntries(const QList<WeightEntry>& entries)
{
    const std::optional<double> trend = BodyWeight::latestTrendKg(entries);
    if (trend) {
        // Remembered, so a later run that has not read the log yet asks nothing.
        ExerciseStore::setGivenBodyKg(*trend);
        m_weightFromTrend = true;
        m_ui->lblBodyWeightNote->setText(tr("Your body weight is the trend of your weight log."));
    } else {
        m_ui->lblBodyWeightNote->setText(
            ExerciseStore::givenBodyKg()
                ? tr("Your body weight as last known; weigh in on My Weight to keep it current.")
                : tr("Enter your body weight once: burned calories depend on it."));
    }
    if (const std::optional<double> kg = BodyWeight::forExercise(entries))
        m_ui->edtBodyWeight->setText(QLocale().toString(*kg, 'f', 1));
    showBurned();
}

void CqWndExercise::refresh()
{
    const QDate today = DayClock::today();
    // A new day shows the new today; an earlier day the archive no longer
    // keeps cannot stay chosen.
    if (today != m_today || !ExerciseDays::isChoosable(m_day, today)) {
        m_today = today;
        m_day = today;
        stopEditing();
    }
    fillDays();
    rebuildCatalogue();
    showDay();
}

bool CqWndExercise::chooseDay(const QDate& day)
{
    if (!ExerciseDays::isChoosable(day, m_today)) {
        fillDays();
        return false;
    }
    if (day != m_day) {
        m_day = day;
        stopEditing();
    }
    fillDays();
    showDay();
    return true;
}

void CqWndExercise::fillDays()
{
    const QSignalBlocker blocker(m_ui->cmbDay);
    m_ui->cmbDay->clear();
    const QLocale locale;
    for (const QDate& date : ExerciseDays::choosable(m_today)) {
        m_ui->cmbDay->addItem(date == m_today ? tr("Today")
                                              : locale.toString(date, QLocale::LongFormat),
                              date);
    }
    m_ui->cmbDay->setCurrentIndex(std::max(0, m_ui->cmbDay->findData(m_day)));
}

void CqWndExercise::rebuildCatalogue()
{
    const QString chosen = chosenActivity() ? chosenActivity()->code : QString();
    m_all = ExerciseStore::ownActivities();
    m_all += ActivityCatalogue::builtIn().activities();
    m_search.rebuild(m_all, ExerciseStore::recentCodes());
    search(m_ui->edtSearch->text());
    const int row = m_model->rowOfCode(chosen);
    if (row >= 0)
        m_ui->lstActivities->setCurrentIndex(m_model->index(row));
}

void CqWndExercise::search(const QString& query)
{
    m_model->setRows(&m_all, m_search.find(query));
    if (m_model->rowCount() > 0)
        m_ui->lstActivities->setCurrentIndex(m_model->index(0));
    showBurned();
}

const Activity* CqWndExercise::chosenActivity() const
{
    return m_model->activityAt(m_ui->lstActivities->currentIndex().row());
}

std::optional<double> CqWndExercise::typedBodyKg() const
{
    const std::optional<double> kg = parsedNumber(m_ui->edtBodyWeight->text());
    if (!kg || *kg < ExerciseCalories::minBodyKg || *kg > ExerciseCalories::maxBodyKg)
        return std::nullopt;
    return kg;
}

void CqWndExercise::showBurned()
{
    const Activity* activity = chosenActivity();
    const std::optional<double> kg = typedBodyKg();
    if (!activity) {
        m_ui->lblBurned->setText(tr("No activity found: try another word, or add your own."));
    } else if (!activity->isOwn() && !kg) {
        m_ui->lblBurned->setText(tr("Enter your body weight to see what it burns."));
    } else {
        const int burned =
            ExerciseCalories::burned(*activity, kg.value_or(0), m_ui->spnMinutes->value());
        m_ui->lblBurned->setText(tr("Burns about %1 calories").arg(QLocale().toString(burned)));
    }
    updateButtons();
}

void CqWndExercise::showDay()
{
    const QList<ExerciseEntry> entries = ExerciseDays::entries(m_day, m_today);
    const QLocale locale;
    const bool today = m_day == m_today;
    const QString dayText = locale.toString(m_day, QLocale::LongFormat);
    m_ui->lblLogTitle->setText(today ? tr("Log an activity for today")
                                     : tr("Log an activity for %1").arg(dayText));
    m_ui->lblDayTitle->setText(today ? tr("Today's exercise") : tr("Exercise of %1").arg(dayText));
    m_ui->tblEntries->setAccessibleName(m_ui->lblDayTitle->text());
    m_ui->lblEarlierDayNote->setVisible(!today);
    // An earlier day counted the share chosen when it closed; the choice
    // here is today's.
    const Share share = ExerciseDays::share(m_day, m_today);
    for (QRadioButton* button : {m_ui->rdoAll, m_ui->rdoHalf, m_ui->rdoNone})
        button->setEnabled(today);
    (share == Share::All ? m_ui->rdoAll : share == Share::Half ? m_ui->rdoHalf : m_ui->rdoNone)
        ->setChecked(true);
    m_ui->tblEntries->setRowCount(int(entries.size()));
    for (int row = 0; row < entries.size(); ++row) {
        const ExerciseEntry& entry = entries.at(row);
        m_ui->tblEntries->setItem(row, 0, new QTableWidgetItem(entry.name));
        auto* minutes = new QTableWidgetItem(locale.toString(entry.minutes));
        minutes->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_ui->tblEntries->setItem(row, 1, minutes);
        auto* calories = new QTableWidgetItem(locale.toString(entry.calories));
        calories->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_ui->tblEntries->setItem(row, 2, calories);
    }
    const int burned = ExerciseDays::burned(m_day, m_today);
    const QString counted = locale.toString(ExerciseDays::counted(m_day, m_today));
    if (today) {
        m_ui->lblTotals->setText(
            entries.isEmpty()
                ? tr("Nothing logged today yet.")
                : tr("Burned today: %1 calories. Counted against your day: %2 calories.")
                      .arg(locale.toString(burned), counted));
    } else {
        m_ui->lblTotals->setText(
            entries.isEmpty()
                ? tr("Nothing logged on %1.").arg(dayText)
                : tr("Burned on %1: %2 calories. Counted against that day: %3 calories.")
                      .arg(dayText, locale.toString(burned), counted));
    }
    updateButtons();
}

void CqWndExercise::updateButtons()
{
    const bool chosenEntry = !m_ui->tblEntries->selectedItems().isEmpty();
    m_ui->btnEdit->setEnabled(chosenEntry);
    m_ui->btnDelete->setEnabled(chosenEntry && m_editing < 0);
    m_ui->btnLog->setEnabled(chosenActivity() != nullptr);
}

void CqWndExercise::tell(const QString& message)
{
    if (MainWindow* main = MainWindow::instance())
        main->showMessage(message);
}

void CqWndExercise::on_btnLog_clicked()
{
    const Activity* activity = chosenActivity();
    if (!activity)
        return;
    const std::optional<double> kg = typedBodyKg();
    if (!activity->isOwn() && !kg) {
        tell(tr("Enter your body weight between %1 and %2 kg first.")
                 .arg(QLocale().toString(ExerciseCalories::minBodyKg),
                      QLocale().toString(ExerciseCalories::maxBodyKg)));
        m_ui->edtBodyWeight->setFocus();
        return;
    }
    if (kg && !m_weightFromTrend)
        ExerciseStore::setGivenBodyKg(*kg);
    const int minutes = m_ui->spnMinutes->value();
    const ExerciseEntry entry{activity->code, activity->name, minutes,
                              ExerciseCalories::burned(*activity, kg.value_or(0), minutes)};
    const bool saved = m_editing >= 0 ? ExerciseDays::edit(m_day, m_today, m_editing, entry)
                                      : ExerciseDays::add(m_day, m_today, entry);
    if (!saved) {
        tell(tr("That activity could not be saved; check its minutes."));
        return;
    }
    tell(m_editing >= 0 ? tr("Changed: %1").arg(entry.name) : tr("Logged: %1").arg(entry.name));
    stopEditing();
    rebuildCatalogue(); // it is a recent activity now
    showDay();
    ExerciseChanges::instance()->announce(m_day, this);
}

void CqWndExercise::on_btnEdit_clicked()
{
    const int row = m_ui->tblEntries->currentRow();
    const QList<ExerciseEntry> entries = ExerciseDays::entries(m_day, m_today);
    if (row < 0 || row >= entries.size())
        return;
    const ExerciseEntry& entry = entries.at(row);
    // The activity as logged, found by its code (an own activity by name);
    // never another one in its place.
    m_ui->edtSearch->clear();
    const int listRow = m_model->rowOfCode(entry.code);
    if (listRow < 0) {
        tell(tr("%1 is no longer in the list of activities: delete it and log another.")
                 .arg(entry.name));
        return;
    }
    m_editing = row;
    m_ui->lstActivities->setCurrentIndex(m_model->index(listRow));
    m_ui->spnMinutes->setValue(entry.minutes);
    m_ui->btnLog->setText(tr("Save changes"));
    m_ui->btnCancelEdit->show();
    m_ui->spnMinutes->setFocus();
    showBurned();
}

void CqWndExercise::on_btnCancelEdit_clicked()
{
    stopEditing();
    updateButtons();
}

void CqWndExercise::stopEditing()
{
    m_editing = -1;
    m_ui->btnLog->setText(tr("Log activity"));
    m_ui->btnCancelEdit->hide();
}

void CqWndExercise::on_btnDelete_clicked()
{
    const int row = m_ui->tblEntries->currentRow();
    const QString name = m_ui->tblEntries->item(row, 0) ? m_ui->tblEntries->item(row, 0)->text()
                                                         : QString();
    if (!ExerciseDays::remove(m_day, m_today, row))
        return;
    tell(tr("Deleted: %1").arg(name));
    showDay();
    ExerciseChanges::instance()->announce(m_day, this);
}

void CqWndExercise::on_btnAddOwn_clicked()
{
    const QString name = m_ui->edtOwnName->text().simplified();
    const std::optional<double> calories = parsedNumber(m_ui->edtOwnCalories->text());
    if (name.isEmpty() || !calories || *calories < 1 ||
        *calories > ExerciseCalories::maxOwnKcalPerHour) {
        tell(tr("Give your activity a name and between 1 and %1 calories per hour.")
                 .arg(QLocale().toString(ExerciseCalories::maxOwnKcalPerHour)));
        return;
    }
    ExerciseStore::addOwnActivity(name, *calories);
    m_ui->edtOwnName->clear();
    m_ui->edtOwnCalories->clear();
    rebuildCatalogue();
    m_ui->edtSearch->setText(name);
    const int row = m_model->rowOfCode(Activity::ownCode(name));
    if (row >= 0)
        m_ui->lstActivities->setCurrentIndex(m_model->index(row));
    m_ui->spnMinutes->setFocus();
}

void CqWndExercise::on_btnHome_clicked()
{
    MainWindow::instance()->goHome(true);
}

void CqWndExercise::on_btnBack_clicked()
{
    MainWindow::instance()->goBackFrom(this);
}
