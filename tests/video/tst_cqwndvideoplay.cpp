#include "main/dialogfactory.h"
#include "main/featurewindows.h"
#include "testenvironment.h"
#include "video/cqwndvideoplay.h"
#include "video/videosource.h"

#include <QAudio>
#include <QAudioOutput>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestCqWndVideoPlay final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void sourceBecomesUrl_data();
    void sourceBecomesUrl();
    void fullScreenFlags_data();
    void fullScreenFlags();
    void flagsKeptBetweenVideos();
    void fullScreenAfterEachStart();
    void playPauseFollowsPlayer_data();
    void playPauseFollowsPlayer();
    void volumeStartsAtSlider();
    void seekPosition_data();
    void seekPosition();
    void seekIgnoredWhenNotSeekable();
    void seekOnLongVideo();
    void unplayableSourceSaysSo_data();
    void unplayableSourceSaysSo();
    void playerRunnerFromMainWindow();

private:
    CqWndVideoPlay* player() { return CqWndVideoPlay::instance(); }
    void doubleClick(Qt::MouseButton button);
    // A video of `seconds` made by ffmpeg in the test folder; empty without ffmpeg.
    QString encodedVideo(int seconds);
    QTemporaryDir m_dir;
};

void TestCqWndVideoPlay::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_dir.isValid());
}

void TestCqWndVideoPlay::init()
{
    // Each case starts from a fresh window, as after starting the program.
    delete CqWndVideoPlay::instance();
    player()->setFullScreenDelay(60 * 60 * 1000);
}

void TestCqWndVideoPlay::sourceBecomesUrl_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QUrl>("expected");
    QTest::newRow("linux path") << "/home/m/.Olva/.abc.mp4" << QUrl::fromLocalFile("/home/m/.Olva/.abc.mp4");
    QTest::newRow("path with space and hash") << "/tmp/a b/#1.mp4" << QUrl::fromLocalFile("/tmp/a b/#1.mp4");
    QTest::newRow("drive path") << "C:/ProgramData/.Olva/.v.mp4" << QUrl::fromLocalFile("C:/ProgramData/.Olva/.v.mp4");
    QTest::newRow("http") << "http://127.0.0.1:8618/uploadfiles/v.mp4" << QUrl("http://127.0.0.1:8618/uploadfiles/v.mp4");
    QTest::newRow("https upper case") << "HTTPS://example.org/v.mp4" << QUrl("HTTPS://example.org/v.mp4");
    QTest::newRow("file url") << "file:///tmp/v.mp4" << QUrl("file:///tmp/v.mp4");
    QTest::newRow("empty") << "  " << QUrl();
}

void TestCqWndVideoPlay::sourceBecomesUrl()
{
    QFETCH(QString, source);
    QFETCH(QUrl, expected);
    QCOMPARE(VideoSource::toUrl(source), expected);
}

void TestCqWndVideoPlay::doubleClick(Qt::MouseButton button)
{
    QWidget* video = player()->findChild<QWidget*>(QStringLiteral("video"));
    QTest::mouseDClick(video, button, {}, video->rect().center());
}

void TestCqWndVideoPlay::fullScreenFlags_data()
{
    // F: full-screen button, D: left double-click, R: right double-click.
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<bool>("controlsShown");
    QTest::addColumn<bool>("buttonFlag");
    QTest::addColumn<bool>("doubleClickFlag");
    QTest::newRow("opened") << "" << false << true << false << true;
    QTest::newRow("first double-click stays maximized") << "D" << false << true << false << false;
    QTest::newRow("second double-click goes full") << "DD" << true << false << false << true;
    QTest::newRow("third double-click restores") << "DDD" << false << true << false << false;
    QTest::newRow("button goes full") << "F" << true << false << true << false;
    QTest::newRow("button twice restores") << "FF" << false << true << false << true;
    QTest::newRow("button then double-click keeps full") << "FD" << true << false << true << true;
    QTest::newRow("button then two double-clicks restore") << "FDD" << false << true << true << false;
    QTest::newRow("double-click then button") << "DF" << true << false << true << false;
    QTest::newRow("full by double-click, button") << "DDF" << true << false << true << false;
    QTest::newRow("right button ignored") << "R" << false << true << false << true;
    QTest::newRow("right button between") << "DRD" << true << false << false << true;
}

void TestCqWndVideoPlay::fullScreenFlags()
{
    QFETCH(QString, clicks);
    QFETCH(bool, fullScreen);
    QFETCH(bool, controlsShown);
    QFETCH(bool, buttonFlag);
    QFETCH(bool, doubleClickFlag);

    player()->playSource(m_dir.filePath(QStringLiteral("none.mp4")));
    QVERIFY(player()->isMaximized());
    auto* full = player()->findChild<QPushButton*>(QStringLiteral("btnFull"));
    for (const QChar click : clicks) {
        if (click == QLatin1Char('F'))
            QTest::mouseClick(full, Qt::LeftButton);
        else
            doubleClick(click == QLatin1Char('D') ? Qt::LeftButton : Qt::RightButton);
    }
    QCOMPARE(player()->isFullScreen(), fullScreen);
    QCOMPARE(!player()->findChild<QWidget*>(QStringLiteral("wdgControls"))->isHidden(), controlsShown);
    QCOMPARE(player()->buttonFullScreenFlag(), buttonFlag);
    QCOMPARE(player()->doubleClickFullScreenFlag(), doubleClickFlag);
}

void TestCqWndVideoPlay::flagsKeptBetweenVideos()
{
    player()->playSource(m_dir.filePath(QStringLiteral("one.mp4")));
    QTest::mouseClick(player()->findChild<QPushButton*>(QStringLiteral("btnFull")), Qt::LeftButton);
    player()->close();
    QVERIFY(!player()->isVisible());

    player()->playSource(m_dir.filePath(QStringLiteral("two.mp4")));
    QVERIFY(player()->isVisible());
    QCOMPARE(player()->buttonFullScreenFlag(), true);
    QCOMPARE(player()->doubleClickFullScreenFlag(), false);
    // The next double-click carries on from the kept flag: full screen.
    doubleClick(Qt::LeftButton);
    QVERIFY(player()->isFullScreen());
}

void TestCqWndVideoPlay::fullScreenAfterEachStart()
{
    player()->setFullScreenDelay(50);
    player()->playSource(m_dir.filePath(QStringLiteral("a.mp4")));
    QTRY_VERIFY(player()->isFullScreen());
    // Neither the controls nor the flags change with the automatic full screen.
    QVERIFY(!player()->findChild<QWidget*>(QStringLiteral("wdgControls"))->isHidden());
    QCOMPARE(player()->buttonFullScreenFlag(), false);
    QCOMPARE(player()->doubleClickFullScreenFlag(), true);

    // Restored by the member, full again after the next start.
    player()->showMaximized();
    QVERIFY(!player()->isFullScreen());
    player()->play();
    QTRY_VERIFY(player()->isFullScreen());

    // Closing stops the timer: a closed player does not come back.
    player()->setFullScreenDelay(200);
    player()->play();
    player()->close();
    QTest::qWait(400);
    QVERIFY(!player()->isVisible());
}

QString TestCqWndVideoPlay::encodedVideo(int seconds)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        return {};
    const QString file = m_dir.filePath(QStringLiteral("%1-seconds.mp4").arg(seconds));
    if (QFile::exists(file))
        return file;
    QProcess encode;
    encode.start(ffmpeg, {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-f"),
                          QStringLiteral("lavfi"), QStringLiteral("-i"),
                          QStringLiteral("color=c=navy:s=32x32:r=1:d=%1").arg(seconds),
                          QStringLiteral("-g"), QStringLiteral("10"), QStringLiteral("-pix_fmt"),
                          QStringLiteral("yuv420p"), QStringLiteral("-y"), file});
    if (!encode.waitForFinished(60000) || encode.exitCode() != 0)
        return {};
    return file;
}

void TestCqWndVideoPlay::playPauseFollowsPlayer_data()
{
    QTest::addColumn<QString>("before"); // what happened before the click
    QTest::addColumn<bool>("playingBefore");
    QTest::newRow("new video") << "" << true;
    QTest::newRow("paused") << "P" << false;
    QTest::newRow("after an earlier pause") << "PN" << true;
    QTest::newRow("at the end of a video") << "E" << false;
}

// The button shows what the player does, and one click does what it shows.
void TestCqWndVideoPlay::playPauseFollowsPlayer()
{
    QFETCH(QString, before);
    QFETCH(bool, playingBefore);
    const QString video = encodedVideo(before == QLatin1String("E") ? 1 : 600);
    if (video.isEmpty())
        QSKIP("ffmpeg cannot make the test video");
    auto* pause = player()->findChild<QPushButton*>(QStringLiteral("btnPause"));
    const auto shows = [&](bool playing) {
        const auto state = playing ? QMediaPlayer::PlayingState : QMediaPlayer::PausedState;
        const QString name = playing ? QStringLiteral("Pause") : QStringLiteral("Play");
        return QTest::qWaitFor(
            [&] {
                return player()->player()->playbackState() == state
                       && pause->accessibleName() == name && player()->isPlaying() == playing;
            },
            10000);
    };

    player()->playSource(video);
    QVERIFY(shows(true));
    if (before.contains(u'P')) {
        QTest::mouseClick(pause, Qt::LeftButton);
        QVERIFY(shows(false));
    }
    if (before.contains(u'N')) { // the next video
        player()->playSource(video);
        QVERIFY(shows(true));
    }
    if (before.contains(u'E')) {
        QTRY_COMPARE_WITH_TIMEOUT(player()->player()->mediaStatus(), QMediaPlayer::EndOfMedia, 10000);
        QTRY_COMPARE(pause->accessibleName(), QStringLiteral("Play"));
    }
    QTest::mouseClick(pause, Qt::LeftButton);
    QVERIFY(shows(!playingBefore));
    player()->stop();
}

void TestCqWndVideoPlay::volumeStartsAtSlider()
{
    auto* volume = player()->findChild<QSlider*>(QStringLiteral("sliderVolume"));
    QCOMPARE(volume->value(), 50);
    QCOMPARE(volume->maximum(), 100);
    const float half = QAudio::convertVolume(0.5f, QAudio::LinearVolumeScale, QAudio::CubicVolumeScale);
    QCOMPARE(player()->audioOutput()->volume(), half);
    volume->setValue(100);
    QCOMPARE(player()->audioOutput()->volume(), 1.0f);
    volume->setValue(0);
    QCOMPARE(player()->audioOutput()->volume(), 0.0f);
}

void TestCqWndVideoPlay::seekPosition_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<qint64>("duration");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("half of ten minutes") << 50 << qint64(600000) << qint64(300000);
    QTest::newRow("start") << 0 << qint64(600000) << qint64(0);
    QTest::newRow("end of range") << 99 << qint64(600000) << qint64(594000);
    QTest::newRow("integer arithmetic") << 33 << qint64(1001) << qint64(330);
    QTest::newRow("unknown duration") << 50 << qint64(0) << qint64(0);
    QTest::newRow("long video, no overflow") << 99 << qint64(40) * 3600 * 1000 << qint64(142560000);
}

void TestCqWndVideoPlay::seekPosition()
{
    QFETCH(int, slider);
    QFETCH(qint64, duration);
    QFETCH(qint64, expected);
    QCOMPARE(CqWndVideoPlay::seekPosition(slider, duration), expected);
}

void TestCqWndVideoPlay::seekIgnoredWhenNotSeekable()
{
    auto* seek = player()->findChild<QSlider*>(QStringLiteral("seek"));
    QCOMPARE(seek->minimum(), 0);
    QCOMPARE(seek->maximum(), 99);
    QVERIFY(!player()->player()->isSeekable());
    seek->setSliderDown(true);
    seek->setSliderPosition(50);
    seek->setSliderDown(false);
    QCOMPARE(player()->player()->position(), qint64(0));
}

void TestCqWndVideoPlay::seekOnLongVideo()
{
    const QString file = encodedVideo(600);
    if (file.isEmpty())
        QSKIP("ffmpeg cannot make the test video");
    player()->playSource(file);
    QTRY_VERIFY_WITH_TIMEOUT(player()->player()->isSeekable() && player()->player()->duration() > 0, 10000);
    QTest::mouseClick(player()->findChild<QPushButton*>(QStringLiteral("btnPause")), Qt::LeftButton);
    QVERIFY(qAbs(player()->player()->duration() - 600000) < 2000);

    auto* seek = player()->findChild<QSlider*>(QStringLiteral("seek"));
    seek->setSliderDown(true);
    seek->setSliderPosition(50);
    seek->setSliderDown(false);
    const qint64 expected = player()->player()->duration() / 2;
    QTRY_VERIFY_WITH_TIMEOUT(qAbs(player()->player()->position() - expected) < 2000, 10000);
    // The slider does not follow playback.
    QCOMPARE(seek->value(), 50);
    player()->stop();
}

void TestCqWndVideoPlay::unplayableSourceSaysSo_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << "missing.mp4" << QByteArray() << "The video file is missing. Download the video again.";
    QTest::newRow("not a video") << "text.mp4" << QByteArray("this is not a video at all\n").repeated(200)
                                 << "This video cannot be played.";
}

void TestCqWndVideoPlay::unplayableSourceSaysSo()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = m_dir.filePath(fileName);
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    player()->playSource(path);
    auto* label = player()->findChild<QLabel*>(QStringLiteral("lblMessage"));
    QTRY_VERIFY_WITH_TIMEOUT(!label->isHidden(), 10000);
    QCOMPARE(label->text(), message);
    QVERIFY(player()->findChild<QWidget*>(QStringLiteral("video"))->isHidden());
    // The window stays usable: the controls still work.
    QVERIFY(!player()->findChild<QWidget*>(QStringLiteral("wdgControls"))->isHidden());
}

void TestCqWndVideoPlay::playerRunnerFromMainWindow()
{
    registerVideoWindows();
    QVERIFY(DialogFactory::isRegistered(DialogFactory::Kind::VideoPlayer));
    const QString path = m_dir.filePath(QStringLiteral("offer.mp4"));
    QCOMPARE(DialogFactory::run(DialogFactory::Kind::VideoPlayer, QUrl::fromLocalFile(path)).value_or(-1), 0);
    QCOMPARE(player()->source(), path);
    QVERIFY(player()->isMaximized());
    DialogFactory::run(DialogFactory::Kind::VideoPlayer, QUrl(QStringLiteral("http://127.0.0.1:1/v.mp4")));
    QCOMPARE(player()->source(), QStringLiteral("http://127.0.0.1:1/v.mp4"));
    player()->stop();
}

QTEST_MAIN(TestCqWndVideoPlay)
#include "tst_cqwndvideoplay.moc"
