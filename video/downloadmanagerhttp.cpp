#include "downloadmanagerhttp.h"

#include "app/accountstate.h"
#include "video/downloadheaders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>

namespace {

constexpr char partSuffix[] = ".part";
constexpr qsizetype chunkBytes = 256 * 1024;

// What the reply may hold before the network thread waits for us to read.
constexpr qint64 readBufferBytes = 1024 * 1024;

} // namespace

DownloadManagerHTTP::DownloadManagerHTTP(QObject* parent)
    : QObject(parent)
    , m_inactivity(this) // moves with us to another thread
{
    m_inactivity.setSingleShot(true);
    connect(&m_inactivity, &QTimer::timeout, this, &DownloadManagerHTTP::timeout);
}

DownloadManagerHTTP::~DownloadManagerHTTP()
{
    // The reply dies with its manager; make sure it calls nothing on the way.
    if (m_reply)
        disconnect(m_reply, nullptr, this, nullptr);
}

void DownloadManagerHTTP::setInactivityTimeout(int ms)
{
    m_inactivityMs = qMax(1, ms);
}

int DownloadManagerHTTP::inactivityTimeout() const
{
    return m_inactivityMs;
}

QString DownloadManagerHTTP::localPathFor(const QUrl& url, const QString& directory)
{
    return DownloadHeaders::localPathFor(url, directory);
}

int DownloadManagerHTTP::percentage(qint64 done, qint64 total)
{
    if (total <= 0 || done <= 0)
        return 0;
    if (done >= total)
        return 100;
    return int(double(done) * 100.0 / double(total));
}

void DownloadManagerHTTP::download(QUrl url)
{
    // A second download on this object replaces the first.
    dropReply();
    m_inactivity.stop();
    m_file.reset();
    if (m_manager)
        m_manager->deleteLater();

    m_url = url;
    QString directory = m_directory;
    if (directory.isEmpty())
        directory = dataDir.isEmpty() ? AccountState::defaultDataDir() : dataDir;
    QDir().mkpath(directory);
    m_path = localPathFor(url, directory);
    m_received = 0;
    m_offset = 0;
    m_total = 0;
    m_resumable = false;
    m_pauseAfterHead = false;

    m_manager = new QNetworkAccessManager(this);
    m_request = QNetworkRequest(url);

    m_state = State::Head;
    m_reply = m_manager->head(m_request);
    restartInactivityTimer();
    connect(m_reply, &QNetworkReply::finished, this, &DownloadManagerHTTP::finishedHead);
    connect(m_reply, &QNetworkReply::errorOccurred, this, &DownloadManagerHTTP::error);
}

void DownloadManagerHTTP::finishedHead()
{
    if (sender() != m_reply || m_state != State::Head)
        return;
    m_inactivity.stop();
    m_resumable = false;

    // A HEAD that failed or stalled tells nothing, but the partial file may
    // hold much the member already waited for: ask for the rest anyway and
    // let the GET's status decide (206 from the right offset continues the
    // file, 200 starts it over).
    const bool answered = m_reply->error() == QNetworkReply::NoError;
    if (!answered)
        m_resumable = true;
    if (answered) {
        for (const auto& header : m_reply->rawHeaderPairs())
            emit addLine(QString::fromUtf8(header.first) + QStringLiteral(" = ") + QString::fromUtf8(header.second));
        m_resumable = DownloadHeaders::acceptsByteRanges(m_reply->rawHeader("Accept-Ranges"));
        m_total = qMax<qint64>(0, m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong());
    }
    dropReply();

    m_request.setRawHeader("Connection", "Keep-Alive");
    m_request.setAttribute(QNetworkRequest::HttpPipeliningAllowedAttribute, true);

    const QString partPath = m_path + QLatin1String(partSuffix);
    if (!m_resumable)
        QFile::remove(partPath);
    m_file = std::make_unique<QFile>(partPath);
    m_partWhole = false;
    // Kept when it cannot be opened: resume() tries again.
    if (!openPartialFile())
        return;
    measurePartialFile();

    if (m_pauseAfterHead) {
        m_state = State::Paused;
        return;
    }
    download();
}

void DownloadManagerHTTP::download()
{
    if (!m_file) {
        download(m_url); // nothing to continue: start over with the HEAD
        return;
    }
    // A whole file that could not be moved into place only needs the move.
    if (m_partWhole) {
        if (!m_file->isOpen() && QFileInfo(m_file->fileName()).size() > 0) {
            moveIntoPlace();
            return;
        }
        m_partWhole = false; // gone meanwhile: fetch it again
    }
    // Closed while failed or paused, so that nothing holds the file open
    // when another transfer of the same address takes over.
    if (!openPartialFile())
        return;
    measurePartialFile();

    // Everything is there already (a server would answer 416): just finish.
    if (m_resumable && m_total > 0 && m_file->size() == m_total) {
        moveIntoPlace();
        return;
    }

    if (m_resumable) {
        QByteArray range = "bytes=" + QByteArray::number(m_offset) + '-';
        if (m_total > 0)
            range += QByteArray::number(m_total);
        m_request.setRawHeader("Range", range);
    } else {
        // Without ranges the body comes whole, so whatever a paused or broken
        // transfer left behind must go, or it would end up twice in the file.
        m_request.setRawHeader("Range", QByteArray());
        if (m_file->size() > 0)
            m_file->resize(0);
        m_offset = 0;
    }
    m_received = m_offset;
    m_body = Body::Unknown;
    m_bodyBytes = 0;
    m_lastPercent = -1;

    m_state = State::Transferring;
    m_reply = m_manager->get(m_request);
    // A bounded buffer makes the network thread wait for the disk instead of
    // piling up the body in memory when the GUI thread falls behind.
    m_reply->setReadBufferSize(readBufferBytes);
    restartInactivityTimer();
    connect(m_reply, &QNetworkReply::finished, this, &DownloadManagerHTTP::finished);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &DownloadManagerHTTP::downloadProgress);
    connect(m_reply, &QNetworkReply::errorOccurred, this, &DownloadManagerHTTP::error);
    // Written as it arrives, so the body never sits in memory whole.
    connect(m_reply, &QNetworkReply::readyRead, this, &DownloadManagerHTTP::dataArrived);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &DownloadManagerHTTP::checkResponse);
}

// Decides from the status whether the body goes into the partial file.
void DownloadManagerHTTP::checkResponse()
{
    if (!m_reply || m_body != Body::Unknown)
        return;
    const QVariant statusAttribute = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!statusAttribute.isValid())
        return;
    const int status = statusAttribute.toInt();
    if (status == 200) {
        // The whole file, even if a range was asked for: start the file over.
        if (m_offset > 0) {
            m_file->resize(0);
            m_offset = 0;
            m_received = 0;
        }
        m_body = Body::Accepted;
    } else if (status == 206) {
        const DownloadHeaders::ContentRange range =
            DownloadHeaders::parseContentRange(m_reply->rawHeader("Content-Range"));
        if (!range.hasRange() || range.first != m_offset) {
            m_body = Body::Rejected;
            failTransfer(tr("The server sent a different part of the file than asked for"));
            return;
        }
        m_body = Body::Accepted;
    } else {
        m_body = Body::Rejected;
    }
}

// Appends what the reply has buffered; false when the disk refused it.
bool DownloadManagerHTTP::writeAvailable()
{
    if (!m_reply || !m_file)
        return true;
    checkResponse();
    if (!m_reply || m_body != Body::Accepted)
        return true;
    if (!moveBufferedToFile()) {
        failTransfer(tr("Cannot write %1: %2").arg(m_file->fileName(), m_file->errorString()));
        return false;
    }
    return true;
}

// Reads until the reply has nothing left: only a read that finds the buffer
// empty lets the network thread fetch more, which keeps memory bounded.
bool DownloadManagerHTTP::moveBufferedToFile()
{
    if (m_chunk.isEmpty())
        m_chunk.resize(chunkBytes);
    for (;;) {
        const qint64 count = m_reply->read(m_chunk.data(), m_chunk.size());
        if (count <= 0)
            return true;
        if (m_file->write(m_chunk.constData(), count) != count)
            return false;
        m_bodyBytes += count;
    }
}

void DownloadManagerHTTP::downloadProgress(qint64 bytesReceived, qint64 bytesTotal)
{
    if (sender() != m_reply)
        return;
    m_inactivity.stop();
    if (!writeAvailable() || !m_reply)
        return;
    reportProgress(bytesReceived, bytesTotal);
    restartInactivityTimer();
}

// The reply throttles downloadProgress(), so data arriving in one short burst
// may never be announced there; every arrival is a progress step as well.
void DownloadManagerHTTP::dataArrived()
{
    m_inactivity.stop();
    if (!writeAvailable() || !m_reply)
        return;
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    reportProgress(m_bodyBytes, length.isValid() ? length.toLongLong() : -1);
    restartInactivityTimer();
}

void DownloadManagerHTTP::reportProgress(qint64 bytesReceived, qint64 bytesTotal)
{
    if (m_body != Body::Accepted)
        return;
    m_received = m_offset + bytesReceived;
    const qint64 expected = bytesTotal >= 0 ? m_offset + bytesTotal : m_total;
    const int percent = percentage(m_received, expected);
    if (percent != m_lastPercent) {
        m_lastPercent = percent;
        emit progress(percent);
    }
}

void DownloadManagerHTTP::finished()
{
    if (sender() != m_reply)
        return;
    m_inactivity.stop();
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_reply->error() != QNetworkReply::NoError || (status != 200 && status != 206)) {
        failTransfer(tr("The server answered with status %1").arg(status));
        return;
    }
    if (!writeAvailable())
        return;
    // A connection that closes early can still end without an error: only a
    // file of the announced length is complete. Without a length from the
    // HEAD, a part names the whole file's size in its Content-Range.
    qint64 expected = m_total;
    if (expected <= 0 && status == 206)
        expected = DownloadHeaders::parseContentRange(m_reply->rawHeader("Content-Range")).total;
    if (expected <= 0 && status == 206) {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid())
            expected = m_offset + length.toLongLong();
    }
    if (expected <= 0 && status == 200)
        expected = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    if (expected > 0 && m_file->flush() && m_file->size() < expected) {
        failTransfer(tr("The connection closed before the whole file arrived"));
        return;
    }
    dropReply();
    moveIntoPlace();
}

// Renames the finished partial file to the final name.
void DownloadManagerHTTP::moveIntoPlace()
{
    const QString partPath = m_file->fileName();
    if (m_file->isOpen() && !m_file->flush()) {
        failTransfer(tr("Cannot write %1: %2").arg(partPath, m_file->errorString()));
        return;
    }
    m_file->close();
    QFile::remove(m_path);
    if (!QFile::rename(partPath, m_path)) {
        // The partial file stays whole; resume() tries the move again.
        m_partWhole = true;
        m_state = State::Failed;
        emit failed(tr("Cannot move %1 to %2").arg(partPath, m_path));
        return;
    }
    m_file.reset();
    m_partWhole = false;
    m_state = State::Complete;
    emit downloadComplete(m_path);
}

void DownloadManagerHTTP::error(QNetworkReply::NetworkError code)
{
    // A failed HEAD still ends in finishedHead(); only the GET fails here.
    if (sender() != m_reply || m_state != State::Transferring)
        return;
    // An HTTP error's page is not part of the file; a broken connection's
    // bytes so far are, and stay in the partial file for a later resume.
    checkResponse();
    if (!m_reply)
        return; // already failed over a wrong range
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QString reason = m_reply->errorString();
    if (status >= 400)
        reason = tr("The server answered with status %1").arg(status);
    else if (reason.isEmpty())
        reason = tr("Network error %1").arg(int(code));
    failTransfer(reason);
}

void DownloadManagerHTTP::timeout()
{
    if (!m_reply)
        return;
    if (m_state == State::Head) {
        m_reply->abort(); // ends in finishedHead() like any failed HEAD
        return;
    }
    failTransfer(tr("No data from the server for %1 seconds").arg(m_inactivityMs / 1000.0));
}

void DownloadManagerHTTP::pause()
{
    if (m_state == State::Head) {
        m_pauseAfterHead = true;
        return;
    }
    if (m_state != State::Transferring || !m_reply)
        return;
    m_inactivity.stop();
    writeAvailable();
    dropReply();
    closePartialFile();
    m_state = State::Paused;
}

void DownloadManagerHTTP::resume()
{
    if (m_state == State::Head) {
        m_pauseAfterHead = false;
        return;
    }
    if (m_state == State::Paused || m_state == State::Failed)
        download();
}

// Opens the partial file for appending; reports the failure when it cannot.
bool DownloadManagerHTTP::openPartialFile()
{
    if (m_file->isOpen() || m_file->open(QIODevice::ReadWrite | QIODevice::Append))
        return true;
    const QString reason = tr("Cannot write %1: %2").arg(m_file->fileName(), m_file->errorString());
    m_state = State::Failed;
    emit failed(reason);
    return false;
}

// Takes the open partial file's size as the offset to continue from.
void DownloadManagerHTTP::measurePartialFile()
{
    m_offset = m_file->size();
    // A partial file longer than the file on the server is not a prefix of it.
    if (m_total > 0 && m_offset > m_total) {
        m_file->resize(0);
        m_offset = 0;
    }
    m_received = m_offset;
}

// Keeps the partial file (closed) for resume() and reports the failure.
void DownloadManagerHTTP::failTransfer(const QString& reason)
{
    m_inactivity.stop();
    if (m_reply && m_body == Body::Accepted && m_file)
        moveBufferedToFile();
    dropReply();
    closePartialFile();
    m_state = State::Failed;
    emit failed(reason);
}

// Notes how much the partial file holds and closes it; download() opens it
// again. An open file would keep another transfer of the same address from
// renaming its own (Windows refuses to rename a file that is open).
void DownloadManagerHTTP::closePartialFile()
{
    if (!m_file || !m_file->isOpen())
        return;
    m_file->flush();
    m_offset = m_file->size();
    m_received = m_offset;
    m_file->close();
}

void DownloadManagerHTTP::stop()
{
    m_inactivity.stop();
    m_pauseAfterHead = false;
    dropReply();
    closePartialFile();
    if (m_state != State::Complete)
        m_state = State::Idle;
}

bool DownloadManagerHTTP::canResume() const
{
    return m_file && (m_state == State::Paused || m_state == State::Failed);
}

// Forgets the current reply without any of its signals reaching us.
void DownloadManagerHTTP::dropReply()
{
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    // A reply that already failed is finishing on its own; aborting it again
    // from inside its error signal upsets it.
    if (reply->isRunning() && reply->error() == QNetworkReply::NoError)
        reply->abort();
    reply->deleteLater();
}

void DownloadManagerHTTP::restartInactivityTimer()
{
    m_inactivity.start(m_inactivityMs);
}
