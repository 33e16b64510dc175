#include "video/cqwndvideodownload.h"

#include "app/accountstate.h"
#include "app/server.h"
#include "app/weburl.h"
#include "main/replydeadline.h"
#include "main/windowplacement.h"
#include "reminders/remindercentre.h"
#include "video/downloadmanager.h"
#include "video/downloadmanagerhttp.h"
#include "video/downloadreport.h"
#include "ui_cqwndvideodownload.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHash>
#include <QLayout>
#include <QPointer>
#include <QUrl>

namespace {

enum Endpoint { SetVideoUri = 15, SetProgramVideoUri = 16 };

QHash<QString, QPointer<CqWndVideoDownLoad>>& openWindows()
{
    static QHash<QString, QPointer<CqWndVideoDownLoad>> windows;
    return windows;
}

CqWndVideoDownLoad::LibraryRefresh& libraryRefresh()
{
    static CqWndVideoDownLoad::LibraryRefresh refresh;
    return refresh;
}

} // namespace

CqWndVideoDownLoad::CqWndVideoDownLoad(bool isProgramVideo, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::CqWndVideoDownLoad>())
    , m_isProgramVideo(isProgramVideo)
    , m_downloader(new DownloadManager(this))
    , m_server(new Server(this))
{
    m_ui->setupUi(this);
    m_ui->lblProgress->hide();
    m_ui->progressBar->setValue(0);
    setState(State::Idle);

    connect(m_downloader, &DownloadManager::downloadComplete, this, &CqWndVideoDownLoad::finished);
    connect(m_downloader, &DownloadManager::downloadComplete, this, [this](const QString& path) {
        if (ReminderCentre* reminders = ReminderCentre::instance())
            reminders->downloadFinished(m_item.title, path);
    });
    connect(m_downloader, &DownloadManager::progress, this, &CqWndVideoDownLoad::progress);
    connect(m_downloader, &DownloadManager::failed, this, &CqWndVideoDownLoad::downloadFailed);
    connect(m_downloader, &DownloadManager::addLine, this, &CqWndVideoDownLoad::headerLine);
    connect(m_server, SIGNAL(sig_net_videouri(QString)), this, SLOT(slt_net_videouri(QString)));
    connect(m_server, SIGNAL(sig_net_programuri(QString)), this, SLOT(slt_net_programuri(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));

    m_reportTimer.setSingleShot(true);
    m_reportTimer.setInterval(ReplyDeadline::timeoutMs());
    connect(&m_reportTimer, &QTimer::timeout, this, [this] {
        if (m_state == State::Reporting)
            reportFailed(tr("the service does not answer"));
    });

    m_figures.setInterval(500);
    connect(&m_figures, &QTimer::timeout, this, &CqWndVideoDownLoad::updateFigures);
}

CqWndVideoDownLoad::~CqWndVideoDownLoad()
{
    auto& windows = openWindows();
    for (auto it = windows.begin(); it != windows.end();) {
        if (it.value().isNull() || it.value() == this)
            it = windows.erase(it);
        else
            ++it;
    }
}

CqWndVideoDownLoad* CqWndVideoDownLoad::windowFor(const QString& path)
{
    return openWindows().value(path).data();
}

void CqWndVideoDownLoad::setLibraryRefresh(LibraryRefresh refresh)
{
    libraryRefresh() = std::move(refresh);
}

CqWndVideoDownLoad* CqWndVideoDownLoad::open(bool isProgramVideo, const DownloadItem& item)
{
    const QString path = DownloadManagerHTTP::localPathFor(QUrl(item.video), dataDir);
    if (CqWndVideoDownLoad* existing = windowFor(path)) {
        existing->showNormal();
        existing->raise();
        existing->activateWindow();
        return existing;
    }
    auto* window = new CqWndVideoDownLoad(isProgramVideo, nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    WindowPlacement::centreOver(window);
    window->show();
    window->startDownload(item);
    return window;
}

void CqWndVideoDownLoad::setInactivityTimeout(int ms)
{
    m_downloader->setInactivityTimeout(ms);
}

void CqWndVideoDownLoad::setReportTimeout(int ms)
{
    m_reportTimer.setInterval(qMax(1, ms));
}

void CqWndVideoDownLoad::startDownload(const DownloadItem& item)
{
    m_item = item;
    if (!item.title.isEmpty()) {
        m_ui->lblTitle->setText(item.title);
        setWindowTitle(item.title);
    }
    const QUrl url(item.video.trimmed());
    if (!WebUrl::isWebAddress(url)) {
        downloadFailed(tr("This video has no download address."));
        m_ui->btnRetry->hide();
        return;
    }
    m_path = DownloadManagerHTTP::localPathFor(url, dataDir);
    openWindows().insert(m_path, this);
    m_total = 0;
    m_meter.reset();
    m_clock.start();
    setState(State::Downloading);
    m_downloader->download(url);
}

void CqWndVideoDownLoad::headerLine(const QString& line)
{
    const qsizetype split = line.indexOf(QStringLiteral(" = "));
    if (split <= 0 || line.left(split).compare(QLatin1String("Content-Length"), Qt::CaseInsensitive) != 0)
        return;
    bool ok = false;
    const qint64 length = line.mid(split + 3).trimmed().toLongLong(&ok);
    if (ok && length > 0)
        m_total = length;
}

qint64 CqWndVideoDownLoad::bytesOnDisk() const
{
    if (m_path.isEmpty())
        return 0;
    QFileInfo part(m_path + QStringLiteral(".part"));
    if (part.isFile())
        return part.size();
    QFileInfo whole(m_path);
    return m_done && whole.exists() ? whole.size() : 0;
}

void CqWndVideoDownLoad::updateFigures()
{
    const qint64 done = m_done ? qMax(m_total, bytesOnDisk()) : bytesOnDisk();
    if (m_state == State::Downloading)
        m_meter.addSample(m_clock.elapsed(), done);
    m_ui->lblBytes->setText(TransferMeter::bytesText(done, m_total));
    if (m_state == State::Downloading) {
        const double speed = m_meter.speed();
        m_ui->lblSpeed->setText(speed > 0 ? TransferMeter::speedText(speed) : QString());
        m_ui->lblTimeLeft->setText(TransferMeter::timeLeftText(m_meter.secondsLeft(m_total)));
    } else {
        m_ui->lblSpeed->clear();
        m_ui->lblTimeLeft->clear();
    }
}

void CqWndVideoDownLoad::progress(int nPercentage)
{
    m_ui->progressBar->setValue(qBound(0, nPercentage, 100));
}

void CqWndVideoDownLoad::finished(QString path)
{
    m_done = true;
    if (!path.isEmpty())
        m_path = path;
    m_ui->progressBar->setValue(100);
    sendReport();
}

void CqWndVideoDownLoad::sendReport()
{
    setState(State::Reporting);
    m_reportTimer.start();
    if (m_isProgramVideo)
        m_server->request(SetProgramVideoUri, DownloadReport::programVideoFields(currentUserId, m_item.id, m_path));
    else
        m_server->request(SetVideoUri, DownloadReport::videoFields(currentUserId, m_item.id, m_path));
}

void CqWndVideoDownLoad::slt_net_videouri(QString text)
{
    handleReport(text);
}

void CqWndVideoDownLoad::slt_net_programuri(QString text)
{
    handleReport(text);
}

void CqWndVideoDownLoad::slt_net_error(QString text)
{
    if (m_state == State::Reporting || m_state == State::ReportFailed)
        reportFailed(text.isEmpty() ? tr("the service cannot be reached") : text);
}

void CqWndVideoDownLoad::handleReport(const QString& text)
{
    // A late answer after a timeout still counts.
    if (m_state != State::Reporting && m_state != State::ReportFailed)
        return;
    m_reportTimer.stop();
    const DownloadReport::Answer answer = DownloadReport::readAnswer(text);
    if (answer.outcome == DownloadReport::Answer::Outcome::Unreadable) {
        reportFailed(tr("the service's answer could not be read"));
        return;
    }
    if (answer.outcome == DownloadReport::Answer::Outcome::Refused) {
        reportFailed(answer.message.isEmpty() ? tr("the service refused it") : answer.message);
        return;
    }
    setState(State::Done);
    const DownloadReport::Refresh refresh = DownloadReport::refreshFor(m_item.type, m_isProgramVideo);
    emit libraryChanged(refresh.productKind, refresh.libraryKind);
    if (libraryRefresh())
        libraryRefresh()(refresh.productKind, refresh.libraryKind);
    close();
}

void CqWndVideoDownLoad::reportFailed(const QString& reason)
{
    m_reportTimer.stop();
    setState(State::ReportFailed);
    showStatus(tr("The video is downloaded, but it could not be added to your library (%1). "
                  "Report it again or close this window.")
                   .arg(reason));
}

void CqWndVideoDownLoad::downloadFailed(const QString& reason)
{
    setState(State::Failed);
    m_ui->btnRetry->show();
    showStatus(tr("The download failed: %1. The part already downloaded is kept; "
                  "Retry continues from there.")
                   .arg(reason.isEmpty() ? tr("unknown error") : reason));
    updateFigures();
}

void CqWndVideoDownLoad::on_btnPause_clicked()
{
    if (m_state == State::Downloading) {
        m_downloader->pause();
        setState(State::Paused);
    } else if (m_state == State::Paused) {
        m_meter.reset();
        m_downloader->resume();
        setState(State::Downloading);
    }
}

void CqWndVideoDownLoad::on_btnRetry_clicked()
{
    if (m_state != State::Failed || m_path.isEmpty())
        return;
    m_meter.reset();
    setState(State::Downloading);
    m_downloader->resume();
}

void CqWndVideoDownLoad::on_btnReport_clicked()
{
    if (m_state == State::ReportFailed)
        sendReport();
}

void CqWndVideoDownLoad::on_btnClose_clicked()
{
    close();
}

void CqWndVideoDownLoad::closeEvent(QCloseEvent* event)
{
    // A running transfer keeps the window; paused, failed or finished
    // downloads may be left (the partial file stays for a later download).
    if (m_state == State::Downloading) {
        showStatus(tr("The video is still downloading. Pause it first to close this window."));
        event->ignore();
        return;
    }
    if (m_state == State::Paused)
        m_downloader->pause();
    m_figures.stop();
    event->accept();
}

void CqWndVideoDownLoad::showStatus(const QString& text)
{
    m_ui->lblStatus->setText(text);
    m_ui->lblStatus->setAccessibleName(text);
    m_ui->lblStatus->setVisible(!text.isEmpty());
    // A failure names its files, whose paths may wrap over several lines:
    // grow the window so that none of them is cut off.
    QLayout* main = layout();
    const int needed = main->hasHeightForWidth() ? main->totalHeightForWidth(width())
                                                 : main->totalSizeHint().height();
    if (needed > height())
        resize(width(), needed);
}

void CqWndVideoDownLoad::setState(State state)
{
    m_state = state;
    const bool transferring = state == State::Downloading || state == State::Paused;
    m_ui->btnPause->setVisible(transferring);
    m_ui->btnPause->setText(state == State::Paused ? tr("Resume") : tr("Pause"));
    m_ui->btnPause->setAccessibleName(m_ui->btnPause->text());
    m_ui->progressBar->setFormat(state == State::Paused ? tr("PAUSED %p%") : tr("VIDEO DOWNLOADING %p%"));
    m_ui->btnRetry->setVisible(state == State::Failed);
    m_ui->btnReport->setVisible(state == State::ReportFailed);
    m_ui->btnClose->setVisible(state != State::Downloading);
    if (state == State::Downloading || state == State::Reporting)
        showStatus(QString());
    else if (state == State::Paused)
        showStatus(tr("Paused."));
    if (state == State::Downloading)
        m_figures.start();
    updateFigures();
}
