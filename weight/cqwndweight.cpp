#include "weight/cqwndweight.h"

#include "app/accountstate.h"
#include "app/localeformats.h"
#include "main/cqwndloading.h"
#include "main/csvsavedialog.h"
#include "main/mainwindow.h"
#include "main/replydeadline.h"
#include "ui_cqwndweight.h"
#include "weight/dayfollower.h"
#include "weight/weightcsv.h"
#include "weight/weightlistmodel.h"
#include "weight/weightlog.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// White on this green reads at more than 7:1.
const QColor successGreen(0x1B, 0x5E, 0x20);
// Reasons of skipped rows shown after an import; the rest are counted.
constexpr int reasonsShown = 8;

} // namespace

CqWndWeight::CqWndWeight(QWidget* parent)
    : QWidget(parent), m_ui(new Ui::CqWndWeight), m_log(WeightLog::forMember(currentEmail)),
      m_chart(new WeightChartView), m_list(new WeightListModel(this)),
      m_deadline(new ReplyDeadline(this)), m_day(new DayFollower(this)),
      m_unit(WeightUnits::memberUnit()), m_shownToday(m_day->today())
{
    m_ui->setupUi(this);
    // The dark background of the form's style sheet, painted under the cards.
    setAttribute(Qt::WA_StyledBackground, true);
    m_ui->chartLayout->addWidget(m_chart);
    // The summary's lines take the card's width rather than wrapping early.
    m_ui->summaryRow->setStretch(1, 1);

    m_ui->tblWeights->setModel(m_list);
    m_ui->tblWeights->horizontalHeader()->setSectionResizeMode(WeightListModel::DateColumn,
                                                               QHeaderView::Stretch);
    m_ui->tblWeights->horizontalHeader()->setSectionResizeMode(WeightListModel::WeightColumn,
                                                               QHeaderView::ResizeToContents);
    m_ui->tblWeights->horizontalHeader()->setSectionResizeMode(WeightListModel::TrendColumn,
                                                               QHeaderView::ResizeToContents);
    m_ui->tblWeights->verticalHeader()->setDefaultSectionSize(34);
    connect(m_ui->tblWeights, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { editRow(index.row()); });
    connect(m_ui->tblWeights->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CqWndWeight::updateButtons);
    m_ui->tblWeights->installEventFilter(this);

    const QDate today = m_day->today();
    m_ui->dteDate->setDateRange(WeightLimits::earliestDate(), WeightLimits::latestDate(today));
    m_ui->dteDate->setDate(today);
    connect(m_day, &DayFollower::dayChanged, this, &CqWndWeight::followDay);
    connect(m_ui->edtWeight, &QLineEdit::returnPressed, this, &CqWndWeight::on_btnSave_clicked);
    connect(m_ui->edtGoal, &QLineEdit::returnPressed, this, &CqWndWeight::on_btnSaveGoal_clicked);
    connect(m_ui->edtHeight, &QLineEdit::returnPressed, this, &CqWndWeight::on_btnSaveGoal_clicked);

    auto* units = new QButtonGroup(this);
    units->addButton(m_ui->btnKg, int(WeightUnit::Kilograms));
    units->addButton(m_ui->btnLb, int(WeightUnit::Pounds));
    (m_unit == WeightUnit::Pounds ? m_ui->btnLb : m_ui->btnKg)->setChecked(true);
    connect(units, &QButtonGroup::idClicked, this, [this](int id) { setUnit(WeightUnit(id)); });

    auto* spans = new QButtonGroup(this);
    spans->addButton(m_ui->btnSpan30, int(WeightChartView::Span::Days30));
    spans->addButton(m_ui->btnSpan90, int(WeightChartView::Span::Days90));
    spans->addButton(m_ui->btnSpanYear, int(WeightChartView::Span::Year));
    spans->addButton(m_ui->btnSpanAll, int(WeightChartView::Span::All));
    spans->button(int(m_chart->span()))->setChecked(true);
    connect(spans, &QButtonGroup::idClicked, this,
            [this](int id) { m_chart->setSpan(WeightChartView::Span(id)); });

    m_successBar = new QtMaterialSnackbar(this);
    m_successBar->setObjectName(QStringLiteral("successBar"));
    m_successBar->setBoxWidth(500);
    m_successBar->setBackgroundColor(successGreen);
    m_successBar->setTextColor(Qt::white);
    m_successBar->setFont(QFont(QStringLiteral("Roboto"), 20, QFont::Medium));
    m_successBar->setAutoHideDuration(2000);

    connect(m_log, &WeightLog::changed, this, &CqWndWeight::showLog);
    connect(m_log, &WeightLog::busyChanged, this, &CqWndWeight::setBusy);
    connect(m_log, &WeightLog::failed, this, &CqWndWeight::fail);
    connect(m_deadline, &ReplyDeadline::expired, this, [this] {
        // Stop waiting; the log keeps trying, and a late list still shows.
        finishWaiting();
        fail(WeightLog::listFailedText());
    });

    showLog();
    refresh();
}

void CqWndWeight::showEvent(QShowEvent* event)
{
    m_day->check();
    QWidget::showEvent(event);
}

void CqWndWeight::followDay(const QDate& today)
{
    // The field still on the day that ended moves on with it; a day the
    // member chose stays (clamped into the new range).
    const QDate shown = m_ui->dteDate->date();
    const bool onOldDay = shown == m_shownToday;
    m_ui->dteDate->setDateRange(WeightLimits::earliestDate(), WeightLimits::latestDate(today));
    if (onOldDay)
        m_ui->dteDate->setDate(today);
    m_shownToday = today;
    showLog();
}

CqWndWeight::~CqWndWeight()
{
    finishWaiting();
    delete m_ui;
}

bool CqWndWeight::eventFilter(QObject* watched, QEvent* event)
{
    // Delete on the chosen weighing asks, as the button does.
    if (watched == m_ui->tblWeights && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        on_btnDelete_clicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CqWndWeight::refresh()
{
    m_waiting = true;
    if (loadingWindow && !loadingWindow->isLoading())
        loadingWindow->showMaximized();
    m_deadline->start();
    m_log->refresh();
    if (!m_log->isBusy())
        finishWaiting();
}

void CqWndWeight::setBusy(bool busy)
{
    showPending();
    if (!busy)
        finishWaiting();
}

void CqWndWeight::finishWaiting()
{
    m_deadline->stop();
    if (!m_waiting)
        return;
    m_waiting = false;
    if (loadingWindow && loadingWindow->isLoading())
        loadingWindow->stopLoading();
}

void CqWndWeight::fail(const QString& message)
{
    finishWaiting();
    showPending();
    if (MainWindow* main = MainWindow::instance())
        main->showMessage(message);
}

void CqWndWeight::showLog()
{
    m_trend = WeightTrend(m_log->entries());
    const QDate current = m_ui->tblWeights->currentIndex().data(WeightListModel::dateRole).toDate();
    m_list->setData(m_trend, m_unit);
    const int row = m_list->rowOf(current);
    if (row >= 0)
        m_ui->tblWeights->setCurrentIndex(m_list->index(row, 0));
    m_chart->setData(m_trend, m_log->goalKg(), m_unit, m_day->today());
    showSummary();
    showProfile();
    showPending();
    updateButtons();
}

void CqWndWeight::showSummary()
{
    m_summary =
        WeightSummary::of(m_trend, m_day->today(), m_log->goalKg(), m_log->heightCm());
    m_ui->lblTrend->setText(m_summary.trendKg ? WeightUnits::text(*m_summary.trendKg, m_unit)
                                              : tr("No weighings yet"));
    m_ui->lblTrend->setAccessibleName(m_summary.trendText(m_unit));
    m_ui->lblTrend->setToolTip(tr("Your trend weight: the day-to-day swings smoothed out"));
    m_ui->lblChange->setText(m_summary.changeText(m_unit));
    m_ui->lblGoalDate->setText(m_summary.goalText(m_unit));
    m_ui->lblBmi->setText(m_summary.bmiText());
    m_ui->widSummary->setAccessibleName(m_summary.text(m_unit));
}

void CqWndWeight::showProfile()
{
    // What the member is typing stays; the fields follow the service otherwise.
    const std::optional<double> goal = m_log->goalKg();
    const std::optional<double> height = m_log->heightCm();
    if (!m_ui->edtGoal->hasFocus())
        m_ui->edtGoal->setText(goal ? WeightUnits::shownNumber(*goal, m_unit) : QString());
    if (!m_ui->edtHeight->hasFocus())
        m_ui->edtHeight->setText(height ? LocaleFormats::decimal(*height, 0) : QString());
    m_ui->lblGoalUnit->setText(WeightUnits::symbol(m_unit));
    m_ui->edtGoal->setAccessibleName(m_unit == WeightUnit::Pounds ? tr("Goal weight in pounds")
                                                                  : tr("Goal weight in kilograms"));
}

void CqWndWeight::showPending()
{
    const int pending = m_log->pendingCount();
    m_ui->lblPending->setText(pending == 0 ? QString()
                                           : tr("%n changes waiting to be sent", nullptr, pending));
}

void CqWndWeight::updateButtons()
{
    const bool chosen = m_ui->tblWeights->currentIndex().isValid();
    m_ui->btnEdit->setEnabled(chosen);
    m_ui->btnDelete->setEnabled(chosen);
    m_ui->btnExport->setEnabled(!m_trend.isEmpty());
}

void CqWndWeight::setUnit(WeightUnit unit)
{
    if (unit == m_unit)
        return;
    // What is typed stays the same weight, shown in the other unit.
    for (QLineEdit* field : {m_ui->edtWeight, m_ui->edtGoal}) {
        if (const std::optional<double> kg = WeightUnits::parse(field->text(), m_unit))
            field->setText(WeightUnits::shownNumber(*kg, unit));
    }
    m_unit = unit;
    WeightUnits::setMemberUnit(unit);
    m_ui->edtWeight->setAccessibleName(unit == WeightUnit::Pounds ? tr("Weight in pounds")
                                                                  : tr("Weight in kilograms"));
    const bool goalTyped = m_ui->edtGoal->hasFocus();
    m_ui->edtGoal->clearFocus();
    showLog();
    if (goalTyped)
        m_ui->edtGoal->setFocus();
}

QString CqWndWeight::weightRangeText(bool goal) const
{
    const QString low = WeightUnits::text(WeightLimits::minKg, m_unit);
    const QString high = WeightUnits::text(WeightLimits::maxKg, m_unit);
    return goal ? tr("Enter a goal between %1 and %2.").arg(low, high)
                : tr("Enter a weight between %1 and %2.").arg(low, high);
}

std::optional<double> CqWndWeight::typedWeight(const QString& text, bool goal, bool* ok)
{
    *ok = true;
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const std::optional<double> kg = WeightUnits::parse(text, m_unit);
    if (!kg || !WeightLimits::isValidKg(*kg)) {
        *ok = false;
        fail(weightRangeText(goal));
        return std::nullopt;
    }
    return kg;
}

void CqWndWeight::on_btnSave_clicked()
{
    bool ok = false;
    const std::optional<double> kg = typedWeight(m_ui->edtWeight->text(), false, &ok);
    if (!ok)
        return;
    if (!kg) {
        fail(weightRangeText(false));
        m_ui->edtWeight->setFocus();
        return;
    }
    // Saved after midnight by a window that has not noticed yet: today's
    // weighing goes to today.
    m_day->check();
    const QDate date = m_ui->dteDate->date();
    if (!WeightLimits::isValidDate(date, m_day->today())) {
        fail(tr("Choose a day no later than tomorrow."));
        return;
    }
    m_log->setWeight(date, *kg);
    m_ui->edtWeight->clear();
    m_ui->dteDate->setDate(m_day->today());
    const int row = m_list->rowOf(date);
    if (row >= 0)
        m_ui->tblWeights->setCurrentIndex(m_list->index(row, 0));
}

void CqWndWeight::editRow(int row)
{
    const QModelIndex index = m_list->index(row, 0);
    if (!index.isValid())
        return;
    m_ui->dteDate->setDate(index.data(WeightListModel::dateRole).toDate());
    m_ui->edtWeight->setText(
        WeightUnits::shownNumber(index.data(WeightListModel::kgRole).toDouble(), m_unit));
    m_ui->edtWeight->setFocus();
    m_ui->edtWeight->selectAll();
}

void CqWndWeight::on_btnEdit_clicked()
{
    editRow(m_ui->tblWeights->currentIndex().row());
}

void CqWndWeight::on_btnDelete_clicked()
{
    const QModelIndex index = m_ui->tblWeights->currentIndex();
    if (!index.isValid())
        return;
    const QDate date = index.data(WeightListModel::dateRole).toDate();
    const double kg = index.data(WeightListModel::kgRole).toDouble();
    QMessageBox ask(QMessageBox::Question, tr("Delete weighing"),
                    tr("Delete the weight of %1 (%2)?")
                        .arg(LocaleFormats::longDay(date), WeightUnits::text(kg, m_unit)),
                    QMessageBox::Yes | QMessageBox::No, this);
    ask.setObjectName(QStringLiteral("confirmDelete"));
    ask.setDefaultButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes)
        return;
    m_log->removeWeight(date);
}

void CqWndWeight::on_btnSaveGoal_clicked()
{
    bool ok = false;
    const std::optional<double> goal = typedWeight(m_ui->edtGoal->text(), true, &ok);
    if (!ok)
        return;
    std::optional<double> height;
    const QString typedHeight = m_ui->edtHeight->text().trimmed();
    if (!typedHeight.isEmpty()) {
        const std::optional<double> cm = LocaleFormats::typedNumber(typedHeight);
        if (!cm || *cm < WeightLimits::minHeightCm || *cm > WeightLimits::maxHeightCm) {
            fail(tr("Enter a height between %1 and %2 cm.")
                     .arg(QLocale().toString(WeightLimits::minHeightCm),
                          QLocale().toString(WeightLimits::maxHeightCm)));
            return;
        }
        height = std::round(*cm);
    }
    m_ui->edtGoal->clearFocus();
    m_ui->edtHeight->clearFocus();
    m_log->setProfile(goal, height);
    showLog();
}

void CqWndWeight::on_btnHome_clicked()
{
    MainWindow::instance()->goHome(true);
}

void CqWndWeight::on_btnBack_clicked()
{
    MainWindow::instance()->goBackFrom(this);
}

bool CqWndWeight::exportTo(const QString& fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(WeightCsv::exportCsv(m_log->entries(), m_unit));
    return file.commit();
}

QString CqWndWeight::importFrom(const QString& fileName)
{
    // Until the file's weighings are in the log, nothing is.
    m_importedNothing = true;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return tr("Nothing imported: %1 could not be read.")
            .arg(QDir::toNativeSeparators(fileName));
    if (file.size() > WeightCsv::maxBytes)
        return tr("Nothing imported: the file is larger than a weight log can be.");
    m_day->check();
    const WeightImport read = WeightCsv::parse(file.readAll(), m_unit, m_day->today());
    if (!read.refusal.isEmpty())
        return tr("Nothing imported: %1").arg(read.refusal);
    m_log->importEntries(read.entries);
    m_importedNothing = false;

    QStringList report;
    report << tr("Imported %n weighings.", nullptr, read.taken);
    if (!read.skipped.isEmpty()) {
        report << tr("Skipped %n rows:", nullptr, int(read.skipped.size()));
        report << read.skipped.mid(0, reasonsShown);
        if (read.skipped.size() > reasonsShown)
            report << tr("and %n more.", nullptr, int(read.skipped.size() - reasonsShown));
    }
    return report.join(QLatin1Char('\n'));
}

void CqWndWeight::on_btnExport_clicked()
{
    const QString fileName =
        CsvSaveDialog::ask(this, tr("Export weights"), QStringLiteral("weights.csv"));
    if (fileName.isEmpty())
        return;
    if (exportTo(fileName))
        m_successBar->addMessage(tr("Weights saved to %1").arg(QDir::toNativeSeparators(fileName)));
    else
        fail(tr("The weights could not be saved."));
}

void CqWndWeight::on_btnImport_clicked()
{
    QFileDialog dialog(this, tr("Import weights"));
    dialog.setObjectName(QStringLiteral("importDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({tr("CSV files (*.csv *.txt)"), tr("All files (*)")});
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString report = importFrom(dialog.selectedFiles().constFirst());
    QMessageBox done(m_importedNothing ? QMessageBox::Warning : QMessageBox::Information,
                     tr("Import weights"), report, QMessageBox::Ok, this);
    done.setObjectName(QStringLiteral("importReport"));
    done.exec();
}
