#pragma once

#include "exercise/workoutoffer.h"

#include <QMediaPlayer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class QAudioOutput;
class QDialog;

namespace Ui {
class CqWndVideoPlay;
}

// The one video player of the application: plays a downloaded file or a web
// address with play/pause, a position slider, a volume slider and two ways
// to full screen (the button and a left double-click). Users take instance(),
// stop it, give it the source, show it maximized and call play(). Closing
// only hides it and stops playback; the full-screen flags keep their values
// between videos, while the play/pause button follows the player's state.
// A workout video offers to log itself as exercise when playing reaches
// 90 % of it, or when the member presses "I did this workout".
class CqWndVideoPlay final : public QWidget
{
    Q_OBJECT

public:
    // The single instance, created (without parent) on first use.
    static CqWndVideoPlay* instance();
    // Whether the instance exists, without creating it.
    static bool hasInstance();

    ~CqWndVideoPlay() override;

    void setSource(const QString& source);
    QString source() const { return m_source; }
    void stop();
    // Starts the source set last; the window goes full screen a few seconds later.
    void play();

    // Stops, sets the source, shows the window maximized and plays.
    // `workout`: what the video counts as when logged; none for a video
    // that is no workout (no offer, no button).
    void playSource(const QString& source, const std::optional<WorkoutOffer>& workout = std::nullopt);
    void setWorkout(const std::optional<WorkoutOffer>& workout);
    const std::optional<WorkoutOffer>& workout() const { return m_workout; }
    // The open offer to log the workout, if any.
    QDialog* workoutOffer() const { return m_offer; }

    // The delay before the automatic full screen (5000 ms; shorter in tests).
    void setFullScreenDelay(int ms);

    QMediaPlayer* player() const { return m_player; }
    QAudioOutput* audioOutput() const { return m_audio; }
    // Whether the player is playing, as its play/pause button shows.
    bool isPlaying() const { return m_playing; }
    bool buttonFullScreenFlag() const { return m_fullByButton; }
    bool doubleClickFullScreenFlag() const { return m_fullByDoubleClick; }
    // The text shown instead of the picture when the source cannot be played.
    QString problemText() const;

    // Position in ms for a seek slider value (0..99) on a video of `durationMs`.
    static qint64 seekPosition(int sliderValue, qint64 durationMs);

private slots:
    void on_btnPause_clicked();
    void on_btnFull_clicked();
    void on_btnDidWorkout_clicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CqWndVideoPlay(QWidget* parent = nullptr);

    void showPicture(bool playing);
    void followPlayer(QMediaPlayer::PlaybackState state);
    void applyVolume(int sliderValue);
    void seekTo(int sliderValue);
    void handleDoubleClick();
    void showProblem(const QString& text);
    void hideProblem();
    void followPosition(qint64 positionMs);
    void offerWorkout();

    std::unique_ptr<Ui::CqWndVideoPlay> m_ui;
    QMediaPlayer* m_player;
    QAudioOutput* m_audio;
    QTimer m_fullScreenTimer;
    QString m_source;
    bool m_playing = false; // the player's state is PlayingState
    bool m_fullByButton = false;
    bool m_fullByDoubleClick = true;
    std::optional<WorkoutOffer> m_workout;
    WorkoutProgress m_progress;
    QPointer<QDialog> m_offer;
};
