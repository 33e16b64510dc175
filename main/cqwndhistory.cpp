#include "main/cqwndhistory.h"

#include "app/accountstate.h"
#include "app/server.h"
#include "app/utils.h"
#include "main/cqwndloading.h"
#include "main/csvsavedialog.h"
#include "main/historychartview.h"
#include "main/historycsv.h"
#include "main/historylistmodel.h"
#include "main/mainwindow.h"
#include "main/replydeadline.h"
#include "ui_cqwndhistory.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrlQuery>

namespace {

// White on this green reads at more than 7:1.
const QColor successGreen(0x1B, 0x5E, 0x20);

QtMaterialSnackbar* createSuccessBar(QWidget* window)
{
    // Sized and timed like the main window's bar, which tells failures.
    auto* bar = new QtMaterialSnackbar(window);
    bar->setObjectName(QStringLiteral("successBar"));
    bar->setBoxWidth(500);
    bar->setBackgroundColor(successGreen);
    bar->setTextColor(Qt::white);
    bar->setFont(QFont(QStringLiteral("Roboto"), 20, QFont::Medium));
    bar->setAutoHideDuration(2000);
    return bar;
}

} // namespace

CqWndHistory::CqWndHistory(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::CqWndHistory)
    , m_deadline(new ReplyDeadline(this))
    , m_chart(new HistoryChartView)
    , m_list(new HistoryListModel(this))
{
    m_ui->setupUi(this);
    m_ui->chartLayout->addWidget(m_chart);
    m_ui->btnExport->setEnabled(false);
    m_ui->lstHistory->setModel(m_list);
    // The rows paint over the list's background picture.
    Utils::instance()->setBackground(m_ui->lstHistory->viewport(), 0);
    connect(m_ui->lstHistory, &HistoryListView::dayChosen, this, &CqWndHistory::on_history_clicked);

    m_successBar = createSuccessBar(this);

    connect(m_deadline, &ReplyDeadline::expired, this, [this] {
        // Stop waiting; a reply that still comes later fills the list.
        finishWaiting();
        reportFailure();
    });

    requestList();
}

void CqWndHistory::requestList()
{
    // A request still out (stalled past the deadline) goes with its Server,
    // so that neither its late reply nor its error speaks for the new one.
    if (m_server) {
        m_server->disconnect(this);
        m_server->deleteLater();
    }
    m_server = new Server(this);
    connect(m_server, SIGNAL(sig_net_historylist(QString)), this, SLOT(slt_net_historylist(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));

    m_requestOut = true;
    m_failed = false;
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("email"), currentEmail);
    if (loadingWindow && !loadingWindow->isLoading())
        loadingWindow->showMaximized();
    m_deadline->start();
    m_server->request(Server::endpointIndex(QStringLiteral("getHistory")), fields);
}

void CqWndHistory::retryIfFailed()
{
    if (m_failed)
        requestList();
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
    // One attempt, one message: the deadline and the error that may follow
    // it tell the same failure.
    if (m_failed)
        return;
    m_failed = true;
    MainWindow::instance()->showMessage(
        tr("The history could not be loaded. Return to this window to try again."));
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
    if (!m_requestOut)
        return;
    m_requestOut = false;
    finishWaiting();
    reportFailure();
}

void CqWndHistory::slt_net_historylist(QString reply)
{
    if (!m_requestOut)
        return;
    m_requestOut = false;
    finishWaiting();

    std::optional<HistoryRecords> parsed = HistoryReply::parse(reply);
    if (!parsed) {
        reportFailure();
        return;
    }

    m_failed = false;
    m_records = std::move(*parsed);
    m_recordsById.clear();
    for (const auto& record : m_records) {
        // A later day with the same id takes the id over: both rows open it.
        m_recordsById.insert(record->id, record.get());
    }
    m_chart->setRecords(&m_records);
    m_list->setRecords(&m_records);
    m_ui->btnExport->setEnabled(!m_records.empty());
}

void CqWndHistory::on_history_clicked(const QModelIndex& row)
{
    // By id, as the rows always opened their day: of two days with the same
    // id, both rows open the later one.
    const QVariant id = row.data(HistoryListModel::idRole);
    HistoryModel* day = id.isValid() ? m_recordsById.value(id.toInt()) : nullptr;
    if (day)
        MainWindow::instance()->showHistoryDetails(day);
}

void CqWndHistory::on_btnExport_clicked()
{
    const QString fileName =
        CsvSaveDialog::ask(this, tr("Export history"), QStringLiteral("history.csv"));
    if (fileName.isEmpty())
        return;
    if (exportTo(fileName))
        m_successBar->addMessage(tr("History saved to %1").arg(QDir::toNativeSeparators(fileName)));
    else
        MainWindow::instance()->showMessage(tr("The history could not be saved."));
}

bool CqWndHistory::exportTo(const QString& fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(HistoryCsv::toCsv(m_records));
    return file.commit();
}
