#include "app/accountstate.h"
#include "exercise/bodyweight.h"
#include "exercise/cqwndexercise.h"
#include "exercise/exercisestore.h"
#include "main/cqwndhistory.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "store/productitem.h"
#include "tracker/dayarchive.h"
#include "tracker/dayclock.h"
#include "tracker/daystore.h"
#include "tracker/dayuploadqueue.h"
#include "video/cqwndvideoplay.h"
#include "weight/weightlog.h"

#include "demosession.h"
#include "testenvironment.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

// Against olva-server's demo data: a demo workout played to 90 % offers to
// log itself with its product's activity and minutes, and the planner home
// counts it; exercise added to the day before reaches the history.
class TestWorkoutDemo final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void finishedWorkoutLogsItself();
    void earlierDayReachesTheHistory();

private:
    QString homeFigure(const QString& name) const
    {
        QWidget* home = m_main->keptWindow(SubWindowKind::PlannerHome);
        return home ? home->findChild<QLabel*>(name)->text() : QString();
    }

    QTemporaryDir m_files;
    DemoSession m_demo;
    MainWindow* m_main = nullptr;
    QDate m_today;
    int m_burned = 0;
};

void TestWorkoutDemo::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_demo.start());
    QVERIFY(m_demo.signInQuick());
    currentCheckDay = QDate::currentDate().addYears(1).toString(QStringLiteral("yyyy-MM-dd"));
    m_main = m_demo.showMainWindow();
    QVERIFY(m_demo.server().signIn(DemoSession::email(), DemoSession::password()));
    m_today = QDate::currentDate();
    DayClock::setTodayForTesting(m_today);
    m_main->startDay();
    DayStore::setDailyTarget(1800);
    ExerciseStore::setShare(ExerciseCalories::Share::Half);
}

void TestWorkoutDemo::cleanupTestCase()
{
    if (CqWndVideoPlay::hasInstance())
        CqWndVideoPlay::instance()->stop();
    DayClock::setTodayForTesting({});
}

void TestWorkoutDemo::finishedWorkoutLogsItself()
{
    // The demo server's videos are placeholders in tests: the member's
    // downloaded file is a short real one.
    const QString video = m_files.filePath(QStringLiteral("kettlebell.mp4"));
    QProcess encode;
    encode.start(QStringLiteral("ffmpeg"),
                 {"-v", "error", "-f", "lavfi", "-i", "color=c=navy:s=32x32:r=5:d=4", "-g", "5",
                  "-pix_fmt", "yuv420p", "-y", video});
    if (!encode.waitForFinished(60000) || encode.exitCode() != 0)
        QSKIP("ffmpeg cannot make the test video");
    const QJsonObject reply = m_demo.server().post(
        QStringLiteral("getVideos"), {{"user_id", currentUserId}, {"video_type", "WORKOUT"}});
    ProductItem kettlebell;
    for (const ProductItem& item :
         ProductListReply::parse(QString::fromUtf8(QJsonDocument(reply).toJson())).items) {
        if (item.id == 104)
            kettlebell = item;
    }
    const std::optional<WorkoutOffer> offer = WorkoutOffer::forProduct(kettlebell);
    QVERIFY(offer);
    m_main->goHome(true);
    const int remainingBefore = homeFigure(QStringLiteral("lblRemainingWithExercise")).toInt();

    CqWndVideoPlay* player = CqWndVideoPlay::instance();
    player->playSource(video, offer);
    QVERIFY(player->findChild<QPushButton*>(QStringLiteral("btnDidWorkout"))->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(player->player()->duration() > 0 && player->player()->isSeekable(), 15000);
    const qint64 nearTheEnd = player->player()->duration() * 95 / 100;
    player->player()->setPosition(nearTheEnd);
    QTRY_VERIFY_WITH_TIMEOUT(player->workoutOffer(), 15000);
    QDialog* dialog = player->workoutOffer();
    QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("cmbActivity"))->currentData().toString(),
             QStringLiteral("02054"));
    QCOMPARE(dialog->findChild<QSpinBox*>(QStringLiteral("spnMinutes"))->value(), 25);
    // The weight log's trend counts without the weight window being opened.
    QTRY_VERIFY_WITH_TIMEOUT(!WeightLog::forMember(currentEmail)->entries().isEmpty(), 15000);
    QVERIFY(dialog->findChild<QLineEdit*>(QStringLiteral("edtBodyWeight"))->isHidden());
    const double kg = *BodyWeight::latestTrendKg(WeightLog::forMember(currentEmail)->entries());
    m_burned = ExerciseCalories::burned(3.5, kg, 25);
    dialog->findChild<QPushButton*>(QStringLiteral("btnLogWorkout"))->click();

    const QList<ExerciseEntry> logged = ExerciseStore::entries(m_today);
    QCOMPARE(logged.size(), 1);
    QCOMPARE(logged.first().code, QStringLiteral("02054"));
    QCOMPARE(logged.first().minutes, 25);
    QCOMPARE(logged.first().calories, m_burned);
    // The home shows it at once: half of it counts.
    QCOMPARE(homeFigure(QStringLiteral("lblRemainingWithExercise")).toInt(), remainingBefore + m_burned / 2);

    // Seeking back and past the mark again offers nothing more.
    QTRY_VERIFY(!player->workoutOffer());
    player->player()->setPosition(0);
    QTRY_VERIFY(player->player()->position() < nearTheEnd / 2);
    player->player()->setPosition(nearTheEnd);
    QTRY_VERIFY(player->player()->position() >= nearTheEnd);
    QVERIFY(!player->workoutOffer());
    player->stop();
}

void TestWorkoutDemo::earlierDayReachesTheHistory()
{
    // The next day: the day of the workout is closed and sent.
    DayClock::setTodayForTesting(m_today.addDays(1));
    m_main->startDay();
    QTRY_VERIFY_WITH_TIMEOUT(DayUploadQueue::dates().isEmpty(), 15000);
    m_main->showHistory(); // read once before the change
    QTRY_VERIFY_WITH_TIMEOUT(!isBusyLoading(), 15000);

    // The member adds the walk home to that day.
    m_main->showExercise();
    auto* window = qobject_cast<CqWndExercise*>(m_main->keptWindow(SubWindowKind::Exercise));
    QVERIFY(window);
    auto* days = window->findChild<QComboBox*>(QStringLiteral("cmbDay"));
    const int yesterday = days->findData(m_today);
    QVERIFY(yesterday > 0);
    QCOMPARE(days->findData(m_today.addDays(2)), -1);
    days->setCurrentIndex(yesterday);
    emit days->activated(yesterday);
    QCOMPARE(window->day(), m_today);
    QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("edtSearch")), QStringLiteral("walk bri"));
    window->findChild<QSpinBox*>(QStringLiteral("spnMinutes"))->setValue(30);
    window->findChild<QPushButton*>(QStringLiteral("btnLog"))->click();
    QCOMPARE(DayArchive::day(m_today)->exercise.size(), 2);
    QVERIFY(ExerciseStore::entries(m_today.addDays(1)).isEmpty());
    const int walk = DayArchive::day(m_today)->exercise.last().calories;

    // Sent again, it replaces the day: the history shows both, once.
    QTRY_VERIFY_WITH_TIMEOUT(DayUploadQueue::dates().isEmpty(), 15000);
    m_main->showHistory();
    auto* history = qobject_cast<CqWndHistory*>(m_main->keptWindow(SubWindowKind::History));
    QVERIFY(history);
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            int found = 0;
            bool both = false;
            for (const auto& record : history->records()) {
                if (HistoryModel::dayOf(record->date) == m_today) {
                    ++found;
                    both = record->exercise == QString::number(m_burned + walk);
                }
            }
            return found == 1 && both;
        }(),
        15000);
}

QTEST_MAIN(TestWorkoutDemo)
#include "tst_workoutdemo.moc"
