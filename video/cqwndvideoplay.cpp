#include "video/cqwndvideoplay.h"

#include "exercise/cqdlglogworkout.h"
#include "main/windowplacement.h"
#include "video/videosource.h"
#include "ui_cqwndvideoplay.h"

#include <QAudio>
#include <QAudioOutput>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPointer>
#include <QVideoWidget>

namespace {

QPointer<CqWndVideoPlay>& theInstance()
{
    static QPointer<CqWndVideoPlay> window;
    return window;
}

const QString pausePicture = QStringLiteral(":/main/assets/pause_button.png");
const QString playPicture = QStringLiteral(":/main/assets/play_button.png");

} // namespace

CqWndVideoPlay* CqWndVideoPlay::instance()
{
    QPointer<CqWndVideoPlay>& window = theInstance();
    if (!window) {
        // A window of its own, first shown over the main window's screen.
        window = new CqWndVideoPlay(nullptr);
        WindowPlacement::centreOver(window);
    }
    return window;
}

bool CqWndVideoPlay::hasInstance()
{
    return !theInstance().isNull();
}

CqWndVideoPlay::CqWndVideoPlay(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::CqWndVideoPlay>())
    , m_player(new QMediaPlayer(this))
    , m_audio(new QAudioOutput(m_player))
{
    m_ui->setupUi(this);
    m_ui->lblMessage->hide();
    m_ui->btnPause->setIconSize(QSize(40, 40));
    // The button shows what the player really does, so one click always
    // does what its picture promises: after a pause kept from an earlier
    // video, or at the end of a video, as much as after a click.
    connect(m_player, &QMediaPlayer::playbackStateChanged, this, &CqWndVideoPlay::followPlayer);
    followPlayer(m_player->playbackState());

    m_player->setVideoOutput(m_ui->video);
    m_ui->video->setAspectRatioMode(Qt::KeepAspectRatio);
    // Double-clicks on the picture reach the window's handler.
    m_ui->video->installEventFilter(this);
    m_ui->lblMessage->installEventFilter(this);

    m_ui->sliderVolume->setOrientation(Qt::Horizontal);
    m_ui->sliderVolume->setRange(0, 100);
    m_ui->sliderVolume->setValue(50);
    m_player->setAudioOutput(m_audio);
    // The slider's starting value is the volume, so what it shows is what plays.
    applyVolume(m_ui->sliderVolume->value());
    connect(m_ui->sliderVolume, &QSlider::valueChanged, this, &CqWndVideoPlay::applyVolume);

    m_ui->seek->setOrientation(Qt::Horizontal);
    connect(m_ui->seek, &QSlider::sliderMoved, this, &CqWndVideoPlay::seekTo);
    connect(m_player, &QMediaPlayer::positionChanged, this, &CqWndVideoPlay::followPosition);
    m_ui->btnDidWorkout->hide();

    connect(m_player, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error error, const QString&) {
                if (error != QMediaPlayer::NoError)
                    showProblem(problemText());
            });
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia)
            showProblem(problemText());
    });

    m_fullScreenTimer.setSingleShot(true);
    m_fullScreenTimer.setInterval(5000);
    // Goes full screen whatever the member did meanwhile; the flags stay.
    connect(&m_fullScreenTimer, &QTimer::timeout, this, [this] { showFullScreen(); });
}

CqWndVideoPlay::~CqWndVideoPlay() = default;

void CqWndVideoPlay::setFullScreenDelay(int ms)
{
    m_fullScreenTimer.setInterval(qMax(0, ms));
}

QString CqWndVideoPlay::problemText() const
{
    const QUrl url = VideoSource::toUrl(m_source);
    if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isFile())
        return tr("The video file is missing. Download the video again.");
    return tr("This video cannot be played.");
}

qint64 CqWndVideoPlay::seekPosition(int sliderValue, qint64 durationMs)
{
    if (durationMs <= 0)
        return 0;
    return qint64(qBound(0, sliderValue, 99)) * durationMs / 100;
}

void CqWndVideoPlay::setSource(const QString& source)
{
    m_source = source;
}

void CqWndVideoPlay::stop()
{
    m_fullScreenTimer.stop();
    m_player->stop();
}

void CqWndVideoPlay::play()
{
    hideProblem();
    m_progress.restart();
    const QUrl url = VideoSource::toUrl(m_source);
    m_player->setSource(url);
    if (url.isEmpty() || (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isFile()))
        showProblem(problemText());
    else
        m_player->play();
    followPlayer(m_player->playbackState());
    m_fullScreenTimer.start();
}

void CqWndVideoPlay::playSource(const QString& source, const std::optional<WorkoutOffer>& workout)
{
    stop();
    setSource(source);
    setWorkout(workout);
    showMaximized();
    raise();
    activateWindow();
    play();
}

void CqWndVideoPlay::showPicture(bool playing)
{
    m_ui->btnPause->setIcon(QIcon(playing ? pausePicture : playPicture));
    m_ui->btnPause->setAccessibleName(playing ? tr("Pause") : tr("Play"));
}

void CqWndVideoPlay::applyVolume(int sliderValue)
{
    m_audio->setVolume(QAudio::convertVolume(float(sliderValue) / 100.0f, QAudio::LinearVolumeScale,
                                             QAudio::CubicVolumeScale));
}

void CqWndVideoPlay::seekTo(int sliderValue)
{
    if (!m_player->isSeekable())
        return;
    m_player->setPosition(seekPosition(sliderValue, m_player->duration()));
}

void CqWndVideoPlay::on_btnPause_clicked()
{
    if (m_playing)
        m_player->pause();
    else
        m_player->play(); // from the start again when the video had ended
    followPlayer(m_player->playbackState());
}

void CqWndVideoPlay::followPlayer(QMediaPlayer::PlaybackState state)
{
    m_playing = state == QMediaPlayer::PlayingState;
    showPicture(m_playing);
}

void CqWndVideoPlay::on_btnFull_clicked()
{
    const bool wasFull = m_fullByButton;
    if (wasFull) {
        m_ui->wdgControls->show();
        showMaximized();
    } else {
        m_ui->wdgControls->hide();
        showFullScreen();
    }
    m_fullByButton = !wasFull;
    m_fullByDoubleClick = wasFull;
}

void CqWndVideoPlay::handleDoubleClick()
{
    if (m_fullByDoubleClick) {
        m_ui->wdgControls->show();
        showMaximized();
    } else {
        m_ui->wdgControls->hide();
        showFullScreen();
    }
    m_fullByDoubleClick = !m_fullByDoubleClick;
}

void CqWndVideoPlay::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        handleDoubleClick();
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

bool CqWndVideoPlay::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick
        && (watched == m_ui->video || watched == m_ui->lblMessage)) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            handleDoubleClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CqWndVideoPlay::closeEvent(QCloseEvent* event)
{
    stop();
    QWidget::closeEvent(event);
}

void CqWndVideoPlay::showProblem(const QString& text)
{
    m_ui->lblMessage->setText(text);
    m_ui->lblMessage->setAccessibleName(text);
    m_ui->video->hide();
    m_ui->lblMessage->show();
}

void CqWndVideoPlay::hideProblem()
{
    m_ui->lblMessage->hide();
    m_ui->lblMessage->clear();
    m_ui->video->show();
}

void CqWndVideoPlay::setWorkout(const std::optional<WorkoutOffer>& workout)
{
    m_workout = workout;
    m_ui->btnDidWorkout->setVisible(m_workout.has_value());
    // An offer for the video before is no offer for this one.
    if (m_offer)
        m_offer->reject();
}

void CqWndVideoPlay::followPosition(qint64 positionMs)
{
    if (m_workout && m_progress.reached(positionMs, m_player->duration()))
        offerWorkout();
}

void CqWndVideoPlay::on_btnDidWorkout_clicked()
{
    // Asked by the member: the offer at 90 % would only ask again.
    m_progress.markOffered();
    offerWorkout();
}

void CqWndVideoPlay::offerWorkout()
{
    if (!m_workout)
        return;
    if (m_offer) {
        m_offer->raise();
        m_offer->activateWindow();
        return;
    }
    // Over the video, without stopping it: the cool-down plays on.
    auto* dialog = new CqDlgLogWorkout(*m_workout, m_workout->minutesToOffer(m_player->duration()), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    m_offer = dialog;
    dialog->open();
}
