#include "main/cqwndhistory.h"

#include "app/accountstate.h"
#include "app/server.h"
#include "app/utils.h"
#include "main/cqwndloading.h"
#include "main/historychartview.h"
#include "main/historycsv.h"
#include "main/mainwindow.h"
#include "main/replydeadline.h"
#include "ui_cqwndhistory.h"
#include "widgets/mywidget.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrlQuery>

namespace {

int endpointIndex(const char* name)
{
    const QString wanted = QString::fromLatin1(name);
    for (int index = 0; index < Server::endpointCount(); ++index) {
        if (Server::endpointName(index) == wanted)
            return index;
    }
    return -1;
}

const QString failureMessage = QStringLiteral("The history could not be loaded.");

} // namespace

CqWndHistory::CqWndHistory(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::CqWndHistory)
    , m_server(new Server(this))
    , m_deadline(new ReplyDeadline(this))
    , m_chart(new HistoryChartView)
{
    m_ui->setupUi(this);
    m_ui->chartLayout->addWidget(m_chart);
    m_ui->btnExport->setEnabled(false);
    // One style sheet for all rows: thousands of rows with their own would
    // each be parsed and polished on their own.
    m_ui->scrollArea->setStyleSheet(QStringLiteral(
        "MyWidget { border-image:none;\nbackground-color: rgba(59,58,85,200); }"
        "QLabel#lblDate { padding-left:20px;color: rgb(255, 255, 255); border-image:none; background: transparent; }"
        "QLabel#lblArrow { border-image: url(:/main/assets/right_arrow.png); background: transparent; }"));
    Utils::instance()->setBackground(m_ui->scrollAreaWidgetContents, 0);

    connect(m_server, SIGNAL(sig_net_historylist(QString)), this, SLOT(slt_net_historylist(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    connect(m_deadline, &ReplyDeadline::expired, this, [this] {
        // Stop waiting; a reply that still comes later fills the list.
        finishWaiting();
        reportFailure();
    });

    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("email"), currentEmail);
    if (loadingWindow && !loadingWindow->isLoading())
        loadingWindow->showMaximized();
    m_deadline->start();
    m_server->request(endpointIndex("getHistory"), fields);
}

CqWndHistory::~CqWndHistory()
{
    finishWaiting();
    delete m_ui;
}

void CqWndHistory::finishWaiting()
{
    m_deadline->stop();
    if (loadingWindow && loadingWindow->isLoading())
        loadingWindow->stopLoading();
}

void CqWndHistory::reportFailure()
{
    if (m_failureShown)
        return;
    m_failureShown = true;
    MainWindow::instance()->showMessage(failureMessage);
}

void CqWndHistory::on_btnHome_clicked()
{
    MainWindow::instance()->goHome(true);
}

void CqWndHistory::on_btnBack_clicked()
{
    MainWindow::instance()->showSettings();
}

void CqWndHistory::slt_net_error(QString message)
{
    Q_UNUSED(message)
    if (m_answered)
        return;
    m_answered = true;
    finishWaiting();
    reportFailure();
}

void CqWndHistory::slt_net_historylist(QString reply)
{
    if (m_answered)
        return;
    m_answered = true;
    finishWaiting();

    std::optional<HistoryRecords> parsed = HistoryReply::parse(reply);
    if (!parsed) {
        reportFailure();
        return;
    }

    m_records = std::move(*parsed);
    for (const auto& record : m_records) {
        // A later day with the same id takes the id over: both rows open it.
        m_recordsById.insert(record->id, record.get());
    }
    m_chart->setRecords(&m_records);
    m_ui->btnExport->setEnabled(!m_records.empty());

    // The rows go into the list while it is hidden: one layout pass and one
    // show for all of them instead of one per row.
    QWidget* contents = m_ui->scrollAreaWidgetContents;
    const bool shown = !contents->isHidden();
    contents->hide();
    for (const auto& record : m_records)
        addRow(*record);
    contents->setVisible(shown);
}

void CqWndHistory::addRow(const HistoryModel& record)
{
    auto* row = new MyWidget;
    row->setObjectName(QStringLiteral("name_%1").arg(record.id));
    row->setFixedHeight(70);
    row->setContentsMargins(0, 0, 0, 0);
    row->setFocusPolicy(Qt::StrongFocus);
    row->setCursor(Qt::PointingHandCursor);
    const QString date = record.dateText();
    row->setAccessibleName(date);
    connect(row, &MyWidget::clicked, this, &CqWndHistory::on_history_clicked);

    auto* layout = new QHBoxLayout(row);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* dateLabel = new QLabel(date);
    dateLabel->setObjectName(QStringLiteral("lblDate"));
    dateLabel->setFont(QFont(QStringLiteral("Arial"), 18, QFont::Bold));
    dateLabel->setFixedHeight(70);
    layout->addWidget(dateLabel, 11);

    auto* arrow = new QLabel;
    arrow->setObjectName(QStringLiteral("lblArrow"));
    arrow->setFixedHeight(70);
    layout->addWidget(arrow, 1);

    // Above the spacer that keeps the rows at the top.
    m_ui->verticalLayout->insertWidget(m_ui->verticalLayout->count() - 1, row);
}

void CqWndHistory::on_history_clicked()
{
    const QObject* row = sender();
    if (!row)
        return;
    bool ok = false;
    const qint32 id = row->objectName().section(u'_', 1, 1).toInt(&ok, 10);
    HistoryModel* day = m_recordsById.value(ok ? id : 0);
    if (day)
        MainWindow::instance()->showHistoryDetails(day);
}

void CqWndHistory::on_btnExport_clicked()
{
    QFileDialog dialog(this, QStringLiteral("Export history"));
    dialog.setObjectName(QStringLiteral("exportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(QStringLiteral("CSV files (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog.selectFile(QStringLiteral("history.csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString fileName = dialog.selectedFiles().constFirst();
    if (exportTo(fileName))
        MainWindow::instance()->showMessage(QStringLiteral("History saved to %1").arg(QDir::toNativeSeparators(fileName)));
    else
        MainWindow::instance()->showMessage(QStringLiteral("The history could not be saved."));
}

bool CqWndHistory::exportTo(const QString& fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(HistoryCsv::toCsv(m_records));
    return file.commit();
}
